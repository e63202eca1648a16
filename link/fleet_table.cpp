#include "link/fleet_table.h"

#include "core/text_ids.h"

namespace vgr47 {

FleetTable::FleetTable(TextLookup text, ModelName modelName)
    : text_(std::move(text)), modelName_(std::move(modelName)) {}

bool FleetTable::AddPort(const std::string& name) {
    const std::size_t first = name.find_first_not_of(" \t");
    if (running_ || first == std::string::npos) return false;
    const std::string port = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    for (const Row& row : rows_)
        if (row.port == port) return false;
    Row row;
    row.port = port;
    row.status = text_ ? text_(kTextFleetWaiting) : std::string();
    rows_.push_back(row);
    phases_.push_back(TransferPhase::Connecting);
    return true;
}

void FleetTable::RemovePort(int row) {
    if (running_ || row < 0 || row >= static_cast<int>(rows_.size())) return;
    rows_.erase(rows_.begin() + row);
    phases_.erase(phases_.begin() + row);
}

std::vector<std::string> FleetTable::ports() const {
    std::vector<std::string> names;
    for (const Row& row : rows_) names.push_back(row.port);
    return names;
}

bool FleetTable::HasReport() const {
    if (running_) return false;
    for (const Row& row : rows_)
        if (row.done) return true;
    return false;
}

FleetTable::Row* FleetTable::At(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    return &rows_[static_cast<std::size_t>(row)];
}

void FleetTable::Started(bool verify) {
    running_ = true;
    verify_ = verify;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        Row fresh;
        fresh.port = rows_[i].port;
        fresh.status = text_ ? text_(kTextFleetWaiting) : std::string();
        rows_[i] = fresh;
        phases_[i] = TransferPhase::Connecting;
    }
}

void FleetTable::Identified(int row, const std::string& identityHex) {
    if (Row* r = At(row)) {
        r->identity = identityHex;
        r->model = modelName_ ? CompactName(modelName_(identityHex)) : identityHex;
    }
}

void FleetTable::Phase(int row, TransferPhase phase) {
    Row* r = At(row);
    if (!r) return;
    phases_[static_cast<std::size_t>(row)] = phase;
    r->status = StatusLine(true, phase, -1, -1, text_);
    // A write with a verify is half the bar; the read-back the other half.
    if (phase == TransferPhase::VerifyPause || phase == TransferPhase::Ending)
        r->percent = verify_ ? 50 : 100;
}

void FleetTable::Progress(int row, int position, int maximum) {
    Row* r = At(row);
    if (!r || maximum < 0) return;
    const TransferPhase phase = phases_[static_cast<std::size_t>(row)];
    const bool verifying = phase == TransferPhase::Verifying;
    const int share = verify_ ? 50 : 100;
    r->percent = (verifying ? 50 : 0) + share * (position + 1) / (maximum + 1);
    r->status = StatusLine(true, verifying ? TransferPhase::Verifying : TransferPhase::Transferring,
                           position, maximum, text_);
}

void FleetTable::Finished(int row, const FleetRadioResult& result, const std::string& time) {
    Row* r = At(row);
    if (!r) return;
    r->result = result;
    r->done = true;
    r->finishedAt = time;
    if (!result.identity.empty() && r->identity.empty()) Identified(row, result.identity);
    r->status = FleetResultText(result, text_);
    if (FleetSucceeded(result, verify_)) r->percent = 100;
}

std::string FleetTable::Summary() const {
    if (!text_) return {};
    int succeeded = 0, finished = 0;
    std::string partly;
    for (const Row& row : rows_) {
        if (!row.done) continue;
        ++finished;
        if (FleetSucceeded(row.result, verify_)) ++succeeded;
        if (row.result.partlyWritten()) partly += (partly.empty() ? "" : ", ") + row.port;
    }
    std::string summary =
        FillText(text_(kTextFleetSummary), {std::to_string(succeeded), std::to_string(finished)});
    if (!partly.empty()) summary += "  " + FillText(text_(kTextFleetPartlyWritten), {partly});
    return summary;
}

std::vector<FleetReportRow> FleetTable::ReportRows() const {
    std::vector<FleetReportRow> report;
    for (const Row& row : rows_) {
        if (!row.done) continue;
        report.push_back(
            {row.finishedAt, row.port, row.identity, row.model, row.status, row.result.backupPath});
    }
    return report;
}

}  // namespace vgr47
