// Channels moved in and out as generic CSV rows. Export takes the grid's values; import checks
// every row against what the radio can hold first and then applies the good ones through the
// channel dialog's model, so each channel gets exactly what the dialog would have written.
#pragma once

#include <string>
#include <vector>

#include "core/channel_csv.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_dlg_model.h"
#include "editors/channels/channel_model.h"

namespace vgr47 {

// The non-empty channels as rows (Location = row number, so A = 100 and B = 101).
std::vector<CsvChannel> ChannelCsvRows(const ChannelModel& channels, const TextCatalogue& texts);
std::string ExportChannelCsv(const ChannelModel& channels, const TextCatalogue& texts);

// A row checked against the radio: the texts the channel dialog takes.
struct ChannelCsvImportRow {
    int line = 0;
    int row = 0;         // grid row / record
    std::string rx, tx;  // tx "" = no transmit frequency
    std::string decodeTone, encodeTone;
    bool wide = true;
    bool scan = true;
};

struct ChannelCsvImportPlan {
    std::vector<ChannelCsvImportRow> rows;
    // One line per skipped row (or for a file without a header): "Line 7: ..."
    std::vector<std::string> skipped;
    bool empty() const { return rows.empty(); }
};

// Reads a file's text and checks each row; changes nothing.
ChannelCsvImportPlan PlanChannelCsvImport(const std::string& csvText, const ChannelModel& channels,
                                          const TextCatalogue& texts);

// Applies the plan's rows through the dialog model (merging by location; replace switches
// every channel off first). Does nothing for a plan without rows. Returns the rows applied.
int ApplyChannelCsvImport(const ChannelCsvImportPlan& plan, ChannelDlgModel& dialog, bool replace);

// The report shown before an import: a count line, then the skipped lines.
std::string ChannelCsvImportReport(const ChannelCsvImportPlan& plan, const TextCatalogue& texts);

}  // namespace vgr47
