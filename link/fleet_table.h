// The table of the "Write to several radios" dialog without its widgets: the chosen ports,
// and per row the radio's model as identified, the progress and the result; the summary and
// the report. The dialog moves what the engine reports here and shows the rows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/fleet_report.h"
#include "link/fleet_write.h"

namespace vgr47 {

class FleetTable {
  public:
    struct Row {
        std::string port;
        std::string identity;
        std::string model;  // the radio's model name once it has answered
        int percent = 0;
        std::string status;  // the status line while it runs, then the result
        std::string finishedAt;
        FleetRadioResult result;
        bool done = false;
    };

    using ModelName = std::function<std::string(const std::string& identityHex)>;
    FleetTable(TextLookup text, ModelName modelName);

    // Adds a port (trimmed) unless it is empty, already there or a run is going on.
    bool AddPort(const std::string& name);
    void RemovePort(int row);
    std::vector<std::string> ports() const;
    const std::vector<Row>& rows() const { return rows_; }

    bool running() const { return running_; }
    bool CanStart() const { return !running_ && !rows_.empty(); }
    // Whether a finished run left something to report.
    bool HasReport() const;

    // A run begins: every row back to waiting.
    void Started(bool verify);
    void Identified(int row, const std::string& identityHex);
    void Phase(int row, TransferPhase phase);
    void Progress(int row, int position, int maximum);
    // time: when the radio's write ended, for the report.
    void Finished(int row, const FleetRadioResult& result, const std::string& time);
    void AllDone() { running_ = false; }

    // "3 of 4 radios succeeded", with the partly written ports named after it.
    std::string Summary() const;
    std::vector<FleetReportRow> ReportRows() const;

  private:
    Row* At(int row);
    TextLookup text_;
    ModelName modelName_;
    std::vector<Row> rows_;
    bool running_ = false;
    bool verify_ = false;
    std::vector<TransferPhase> phases_;
};

}  // namespace vgr47
