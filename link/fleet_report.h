// What the report of a fleet write says per radio: the result line of its row and the CSV
// that "Save report..." writes. Wording from the text catalogue.
#pragma once

#include <string>
#include <vector>

#include "link/fleet_write.h"
#include "link/transfer_report.h"

namespace vgr47 {

// "Written and verified", "Failed at block 0x0120: communication failed", "Other model:
// nothing written", "No answer", "Stopped at block 5 of 244: the radio is only partly
// programmed", ...
std::string FleetResultText(const FleetRadioResult& result, const TextLookup& text);

// One report line as it goes into the CSV file.
struct FleetReportRow {
    std::string time;  // when the radio's write ended, "YYYY-MM-DD HH:MM:SS"
    std::string port;
    std::string identity;
    std::string model;
    std::string result;
    std::string backup;
};

// A field quoted when it holds a comma, a quote or a line break (quotes doubled).
std::string CsvField(const std::string& field);
// The heading line and one line per row, each ended by CR LF.
std::string FleetReportCsv(const std::vector<FleetReportRow>& rows);

}  // namespace vgr47
