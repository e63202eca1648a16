// Channel lists in the generic CSV format of the most used open radio programmer: one row per
// memory, columns found by their header names. Rows hold frequencies in hertz and tones as
// kinds and numbers; what a particular radio can hold is checked by the caller.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vgr47 {

struct CsvTone {
    enum class Kind { None, Ctcss, Dcs };
    Kind kind = Kind::None;
    int tenthsHz = 0;       // CTCSS: 885 = 88.5 Hz
    int dcsCode = 0;        // DCS: the octal code's digits read as decimal, 23 = "023"
    bool inverted = false;  // DCS: reversed polarity

    static CsvTone Ctcss(int tenths) { return {Kind::Ctcss, tenths, 0, false}; }
    static CsvTone Dcs(int code, bool inverted) { return {Kind::Dcs, 0, code, inverted}; }
    bool operator==(const CsvTone& o) const {
        return kind == o.kind && tenthsHz == o.tenthsHz && dcsCode == o.dcsCode &&
               inverted == o.inverted;
    }
    bool operator!=(const CsvTone& o) const { return !(*this == o); }
};

struct CsvChannel {
    int location = 0;
    std::string name, comment;
    long long rxHz = 0;
    std::optional<long long> txHz;  // none: the channel does not transmit
    CsvTone encode, decode;
    bool narrow = false;
    bool skip = false;  // not in the scan list
};

// The header line every export starts with (no byte-order mark: readers of the format know a
// file by its first word).
extern const char* const kChannelCsvHeader;

// The header and one row per channel, lines ended with CR LF as the format's own writer does.
std::string WriteChannelCsv(const std::vector<CsvChannel>& channels);
// One row without line end.
std::string ChannelCsvRow(const CsvChannel& channel);

enum class CsvProblem {
    NoHeader,        // no line names the Location and Frequency columns
    BadLocation,     // not a whole number
    BadFrequency,    // not a frequency in MHz
    BadDuplex,       // not "", "+", "-", "split" or "off"
    BadOffset,       // not a frequency in MHz, or a transmit frequency below zero
    BadToneMode,     // a mode the radio cannot use (reverse squelch) or not a mode at all
    BadCrossMode,    // not one of the format's pairings
    BadToneFreq,     // a tone the row's mode uses is not a frequency in hertz
    BadDtcsCode,     // not a three-digit octal code
    BadPolarity,     // not two letters of N and R
    UnsupportedMode  // AM, DV and every other mode but FM and NFM
};

struct CsvRowProblem {
    int line = 0;  // 1-based line of the file where the row starts
    CsvProblem problem;
    std::string value;  // the offending text, for the report
};

struct CsvReadResult {
    struct Row {
        int line = 0;
        CsvChannel channel;
    };
    std::vector<Row> rows;
    std::vector<CsvRowProblem> problems;
};

// Reads a file: the header by name (any order, unknown columns ignored), lines starting with
// '#' and blank lines skipped, a UTF-8 byte-order mark allowed, fields quoted or not.
CsvReadResult ReadChannelCsv(const std::string& text);

// The fields of one CSV record; quoted fields may hold commas, doubled quotes and line ends.
// `lines` counts the line ends the record spanned.
std::vector<std::string> SplitCsvRecord(const std::string& text, std::size_t& at, int& lines);

// "146.520000"-style MHz text to hertz by its digits; nullopt for anything else.
std::optional<long long> ParseMegahertz(const std::string& text);
// Hertz as "%.6f" MHz.
std::string FormatMegahertz(long long hz);

}  // namespace vgr47
