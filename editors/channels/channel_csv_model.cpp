#include "editors/channels/channel_csv_model.h"

#include <algorithm>
#include <map>

#include "core/codeplug_lib.h"
#include "core/text_ids.h"
#include "editors/channels/channel_settings.h"

namespace vgr47 {

namespace {

long long HzOf(const std::string& mhzText) {
    auto hz = ParseMegahertz(mhzText);
    return hz ? *hz : 0;
}

// The grid's text ("%9.5f" MHz) of a frequency in hertz; the dialog's rules take it from there.
std::string MhzText(long long hz) {
    std::string text = FormatMegahertz(hz);
    return text.substr(0, text.size() - 1);
}

// A tone box's text ("88.5", "D023N", "D023I", or the off text) as a CSV tone.
CsvTone ToneOfText(const std::string& text, const std::string& offText) {
    if (text.empty() || text == offText) return {};
    if (text.size() == 5 && text[0] == 'D')
        return CsvTone::Dcs(ParseLeadingInt(text.substr(1, 3)), text[4] == 'I');
    auto hz = ParseMegahertz(text);
    return hz ? CsvTone::Ctcss(static_cast<int>(*hz / 100000)) : CsvTone{};
}

std::string TextOfTone(const CsvTone& tone, const std::string& offText) {
    switch (tone.kind) {
        case CsvTone::Kind::Ctcss:
            return std::to_string(tone.tenthsHz / 10) + "." + std::to_string(tone.tenthsHz % 10);
        case CsvTone::Kind::Dcs: {
            std::string code = std::to_string(tone.dcsCode);
            code.insert(0, code.size() < 3 ? 3 - code.size() : 0, '0');
            return "D" + code + (tone.inverted ? "I" : "N");
        }
        default:
            return offText;
    }
}

int ProblemText(CsvProblem problem) {
    switch (problem) {
        case CsvProblem::NoHeader:
            return kTextCsvNoHeader;
        case CsvProblem::BadLocation:
            return kTextCsvBadLocation;
        case CsvProblem::BadFrequency:
            return kTextCsvBadFrequency;
        case CsvProblem::BadDuplex:
            return kTextCsvBadDuplex;
        case CsvProblem::BadOffset:
            return kTextCsvBadOffset;
        case CsvProblem::BadToneMode:
            return kTextCsvBadToneMode;
        case CsvProblem::BadCrossMode:
            return kTextCsvBadCrossMode;
        case CsvProblem::BadToneFreq:
            return kTextCsvBadToneFreq;
        case CsvProblem::BadDtcsCode:
            return kTextCsvBadDtcsCode;
        case CsvProblem::BadPolarity:
            return kTextCsvBadPolarity;
        case CsvProblem::UnsupportedMode:
            return kTextCsvUnsupportedMode;
    }
    return kTextCsvNoHeader;
}

}  // namespace

std::vector<CsvChannel> ChannelCsvRows(const ChannelModel& channels, const TextCatalogue& texts) {
    using C = ChannelModel;
    const std::string none = texts.GetText(kTextNone), on = texts.GetText(kTextOn);
    const std::string wide = texts.GetText(kTextWide);
    std::vector<CsvChannel> rows;
    for (int row = 1; row < channels.Rows(); ++row) {
        if (channels.IsRowEmpty(row)) continue;
        CsvChannel ch;
        ch.location = C::RecordOfRow(row);
        ch.rxHz = HzOf(channels.CellText(row, C::kColRx));
        const std::string tx = TrimText(channels.CellText(row, C::kColTx));
        if (!tx.empty()) ch.txHz = HzOf(tx);
        ch.decode = ToneOfText(channels.CellText(row, C::kColDecodeTone), none);
        if (ch.txHz) ch.encode = ToneOfText(channels.CellText(row, C::kColEncodeTone), none);
        ch.narrow = channels.CellText(row, C::kColBandwidth) != wide;
        ch.skip = channels.CellText(row, C::kColScan) != on;
        rows.push_back(ch);
    }
    return rows;
}

std::string ExportChannelCsv(const ChannelModel& channels, const TextCatalogue& texts) {
    return WriteChannelCsv(ChannelCsvRows(channels, texts));
}

ChannelCsvImportPlan PlanChannelCsvImport(const std::string& csvText, const ChannelModel& channels,
                                          const TextCatalogue& texts) {
    ChannelCsvImportPlan plan;
    auto text = [&](int number) { return texts.GetText(number); };
    auto skip = [&](int line, const std::string& reason) {
        plan.skipped.push_back(FillPlaces(text(kTextCsvLine), {std::to_string(line), reason}));
    };
    const CsvReadResult read = ReadChannelCsv(csvText);
    // Problems and good rows in the order of their lines.
    std::vector<std::pair<int, std::string>> reasons;
    for (const CsvRowProblem& p : read.problems)
        reasons.push_back({p.line, FillPlaces(text(ProblemText(p.problem)), {p.value})});

    const std::string none = text(kTextNone);
    const auto& toneList = channels.toneList();
    // The band edges as the dialog's clamp gives them.
    const std::string low = TrimText(channels.NormaliseFrequency("0"));
    const std::string high = TrimText(channels.NormaliseFrequency("100000"));
    auto inBand = [&](long long hz, std::string& kept) {
        ChannelModel::FrequencyChange change = ChannelModel::FrequencyChange::None;
        kept = channels.NormaliseFrequency(MhzText(hz), &change);
        return change != ChannelModel::FrequencyChange::Clamped;
    };
    // The line each channel is first given on: a later row for it is skipped, not merged
    // over the first without a word.
    std::map<int, int> lineOfChannel;
    for (const CsvReadResult::Row& r : read.rows) {
        const CsvChannel& ch = r.channel;
        ChannelCsvImportRow row;
        row.line = r.line;
        if (ch.location < 1 || ch.location >= channels.Rows()) {
            reasons.push_back(
                {r.line, FillPlaces(text(kTextCsvNoSuchChannel), {std::to_string(ch.location)})});
            continue;
        }
        if (auto first = lineOfChannel.find(ch.location); first != lineOfChannel.end()) {
            reasons.push_back(
                {r.line, FillPlaces(text(kTextCsvRepeatedLocation),
                                    {std::to_string(ch.location), std::to_string(first->second)})});
            continue;
        }
        lineOfChannel[ch.location] = r.line;
        row.row = ch.location;
        std::string why;
        if (!inBand(ch.rxHz, row.rx)) {
            why = FillPlaces(text(kTextCsvOutOfBand), {TrimText(MhzText(ch.rxHz)), low, high});
        } else if (ch.txHz && !inBand(*ch.txHz, row.tx)) {
            why = FillPlaces(text(kTextCsvOutOfBand), {TrimText(MhzText(*ch.txHz)), low, high});
        }
        row.decodeTone = TextOfTone(ch.decode, none);
        row.encodeTone = ch.txHz ? TextOfTone(ch.encode, none) : std::string();
        for (const std::string* tone : {&row.decodeTone, &row.encodeTone}) {
            if (why.empty() && !tone->empty() &&
                std::find(toneList.begin(), toneList.end(), *tone) == toneList.end())
                why = FillPlaces(text(kTextCsvToneNotInList), {*tone});
        }
        if (!why.empty()) {
            reasons.push_back({r.line, why});
            continue;
        }
        row.wide = !ch.narrow;
        row.scan = !ch.skip;
        plan.rows.push_back(row);
    }
    std::stable_sort(reasons.begin(), reasons.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, reason] : reasons) skip(line, reason);
    return plan;
}

int ApplyChannelCsvImport(const ChannelCsvImportPlan& plan, ChannelDlgModel& dialog, bool replace) {
    if (plan.empty()) return 0;
    const int back = dialog.row();
    if (replace) {
        for (const std::string& name : dialog.ChannelNames()) {
            dialog.TypeChannel(name);
            if (dialog.state().channelOn.checked) dialog.SetChannelOn(false);
        }
    }
    const TextCatalogue& texts = dialog.texts();
    for (const ChannelCsvImportRow& row : plan.rows) {
        dialog.Open(row.row);
        // A channel that was off starts from the values saved as the default, as when the
        // user switches it on; one that was on keeps what the file does not describe.
        if (!dialog.state().channelOn.checked) dialog.SetChannelOn(true);
        // As channel lines would give them; the plan has refused what the dialog would not take.
        const std::pair<const char*, std::string> values[] = {
            {"rx", row.rx},
            {"tx", row.tx},
            {"rx_tone", row.decodeTone},
            {"tx_tone", row.encodeTone},
            {"bandwidth", texts.GetText(row.wide ? kTextWide : kTextNarrow)},
            {"scan", texts.GetText(row.scan ? kTextOn : kTextOff)},
        };
        for (const auto& [key, value] : values)
            ApplyChannelSetting(dialog, *FindChannelSetting(key), value);
    }
    dialog.Open(back);
    return static_cast<int>(plan.rows.size());
}

// The count line in the singular where a count is one.
static int CountText(std::size_t channels, std::size_t rows) {
    if (channels == 1) return rows == 1 ? kTextCsvImportOneOfEach : kTextCsvImportOneChannel;
    return rows == 1 ? kTextCsvImportOneRow : kTextCsvImportCount;
}

std::string ChannelCsvImportReport(const ChannelCsvImportPlan& plan, const TextCatalogue& texts) {
    std::string report =
        plan.empty()
            ? texts.GetText(kTextCsvNothingToImport)
            : FillPlaces(texts.GetText(CountText(plan.rows.size(), plan.skipped.size())),
                         {std::to_string(plan.rows.size()), std::to_string(plan.skipped.size())});
    for (const std::string& line : plan.skipped) report += "\n" + line;
    return report;
}

}  // namespace vgr47
