#include "link/fleet_report.h"

#include "core/text_ids.h"

namespace vgr47 {

namespace {

// A table cell holds one line: the lines of a port's failure are joined.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

}  // namespace

std::string FleetResultText(const FleetRadioResult& result, const TextLookup& text) {
    if (!text) return {};
    const WriteResult& write = result.write;
    auto why = [&]() {
        return write.failure ? OneLine(FailureText(*write.failure, text)) : std::string();
    };
    switch (result.status) {
        case FleetStatus::Waiting:
            return text(kTextFleetWaiting);
        case FleetStatus::Running:
            return {};
        case FleetStatus::Written:
            return text(kTextWritten);
        case FleetStatus::Verified:
            return text(kTextWrittenVerified);
        case FleetStatus::OtherModel:
            return text(kTextFleetOtherModel);
        case FleetStatus::NoAnswer:
            return text(kTextFleetNoAnswer);
        case FleetStatus::Stopped:
            return WriteClosingLine(write, text);
        case FleetStatus::Failed:
            break;
    }
    if (write.outcome == WriteOutcome::Completed) {
        if (write.verify == VerifyOutcome::Differs)
            return DifferenceText(write.differingAddress, text);
        std::string line = text(kTextWrittenNotVerified);
        if (write.verifyFailure) line += " (" + FailureText(*write.verifyFailure, text) + ")";
        return line;
    }
    if (write.failedAddress >= 0)
        return FillText(text(kTextFleetFailedAtBlock), {AddressText(write.failedAddress), why()});
    return FillText(text(kTextFleetFailed), {why()});
}

std::string CsvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string FleetReportCsv(const std::vector<FleetReportRow>& rows) {
    std::string csv = "time,port,identity,model,result,backup file\r\n";
    for (const FleetReportRow& row : rows) {
        csv += CsvField(row.time) + ',' + CsvField(row.port) + ',' + CsvField(row.identity) + ',' +
               CsvField(row.model) + ',' + CsvField(row.result) + ',' + CsvField(row.backup) +
               "\r\n";
    }
    return csv;
}

}  // namespace vgr47
