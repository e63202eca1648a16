#include "core/channel_csv.h"

#include <cstdlib>
#include <map>

#include "core/codeplug_lib.h"

namespace vgr47 {

const char* const kChannelCsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

namespace {

// The format's readers refuse a row with any of these columns empty, so a column the row's
// tone mode does not use still holds the format's neutral value.
const char* const kNeutralTone = "88.5";
const char* const kNeutralDcs = "023";
const char* const kNeutralCrossMode = "Tone->Tone";
const char* const kStep = "5.00";
// The radio has no power levels per channel; the column must not be empty.
const char* const kPower = "5.0W";
// Offsets from 70 MHz on are written as the transmit frequency itself ("split").
constexpr long long kMaxOffsetHz = 70000000;

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// A non-negative decimal number scaled by 10^decimals, rounded half up; nullopt when the text
// is not such a number.
std::optional<long long> ParseScaled(const std::string& raw, int decimals) {
    const std::string text = TrimText(raw);
    long long value = 0;
    int digits = 0, fraction = -1;
    bool roundUp = false;
    for (char c : text) {
        if (c == '.' && fraction < 0) {
            fraction = 0;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        ++digits;
        if (fraction >= decimals) {
            if (fraction == decimals) roundUp = c >= '5';
            ++fraction;
            continue;
        }
        if (value > 100000000000000LL) return std::nullopt;
        value = value * 10 + (c - '0');
        if (fraction >= 0) ++fraction;
    }
    if (digits == 0) return std::nullopt;
    for (int f = fraction < 0 ? 0 : fraction; f < decimals; ++f) value *= 10;
    return value + (roundUp ? 1 : 0);
}

std::string FormatScaled(long long value, int decimals) {
    long long scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    std::string fraction = std::to_string(value % scale);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    return std::to_string(value / scale) + "." + fraction;
}

std::string ToneText(const CsvTone& tone) {
    return tone.kind == CsvTone::Kind::Ctcss ? FormatScaled(tone.tenthsHz, 1) : kNeutralTone;
}

std::string DcsText(const CsvTone& tone) {
    if (tone.kind != CsvTone::Kind::Dcs) return kNeutralDcs;
    std::string code = std::to_string(tone.dcsCode);
    return std::string(code.size() < 3 ? 3 - code.size() : 0, '0') + code;
}

char PolarityLetter(const CsvTone& tone) {
    return tone.kind == CsvTone::Kind::Dcs && tone.inverted ? 'R' : 'N';
}

const char* CrossName(const CsvTone& tone) {
    switch (tone.kind) {
        case CsvTone::Kind::Ctcss:
            return "Tone";
        case CsvTone::Kind::Dcs:
            return "DTCS";
        default:
            return "";
    }
}

std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

bool IsDcsCode(const std::string& text) {
    if (text.empty() || text.size() > 3) return false;
    for (char c : text)
        if (c < '0' || c > '7') return false;
    return true;
}

}  // namespace

std::optional<long long> ParseMegahertz(const std::string& text) { return ParseScaled(text, 6); }

std::string FormatMegahertz(long long hz) {
    return hz < 0 ? "-" + FormatScaled(-hz, 6) : FormatScaled(hz, 6);
}

std::string ChannelCsvRow(const CsvChannel& ch) {
    std::string duplex, offset = FormatMegahertz(0);
    if (!ch.txHz) {
        duplex = "off";
    } else if (*ch.txHz != ch.rxHz) {
        const long long difference = *ch.txHz - ch.rxHz;
        if (std::llabs(difference) < kMaxOffsetHz) {
            duplex = difference > 0 ? "+" : "-";
            offset = FormatMegahertz(std::llabs(difference));
        } else {
            duplex = "split";
            offset = FormatMegahertz(*ch.txHz);
        }
    }

    using Kind = CsvTone::Kind;
    const CsvTone& enc = ch.encode;
    const CsvTone& dec = ch.decode;
    std::string mode, rTone = kNeutralTone, cTone = kNeutralTone, dcs = kNeutralDcs,
                      rxDcs = kNeutralDcs, polarity = "NN", cross = kNeutralCrossMode;
    if (enc.kind == Kind::None && dec.kind == Kind::None) {
    } else if (enc.kind == Kind::Ctcss && dec.kind == Kind::None) {
        mode = "Tone";
        rTone = ToneText(enc);
    } else if (enc.kind == Kind::Ctcss && enc == dec) {
        // The format's readers take the receive tone column for this mode, older files the
        // other one: both hold the tone.
        mode = "TSQL";
        rTone = cTone = ToneText(enc);
    } else if (enc.kind == Kind::Dcs && dec.kind == Kind::Dcs && enc.dcsCode == dec.dcsCode) {
        mode = "DTCS";
        dcs = rxDcs = DcsText(enc);
        polarity = {PolarityLetter(enc), PolarityLetter(dec)};
    } else {
        mode = "Cross";
        cross = std::string(CrossName(enc)) + "->" + CrossName(dec);
        if (enc.kind == Kind::Ctcss) rTone = ToneText(enc);
        if (enc.kind == Kind::Dcs) dcs = DcsText(enc);
        if (dec.kind == Kind::Ctcss) cTone = ToneText(dec);
        if (dec.kind == Kind::Dcs) rxDcs = DcsText(dec);
        polarity = {PolarityLetter(enc), PolarityLetter(dec)};
    }

    const std::vector<std::string> fields = {std::to_string(ch.location),
                                             Quoted(ch.name),
                                             FormatMegahertz(ch.rxHz),
                                             duplex,
                                             offset,
                                             mode,
                                             rTone,
                                             cTone,
                                             dcs,
                                             polarity,
                                             rxDcs,
                                             cross,
                                             ch.narrow ? "NFM" : "FM",
                                             kStep,
                                             ch.skip ? "S" : "",
                                             kPower,
                                             Quoted(ch.comment),
                                             "",
                                             "",
                                             "",
                                             ""};
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) row += (i ? "," : "") + fields[i];
    return row;
}

std::string WriteChannelCsv(const std::vector<CsvChannel>& channels) {
    std::string out = std::string(kChannelCsvHeader) + "\r\n";
    for (const CsvChannel& ch : channels) out += ChannelCsvRow(ch) + "\r\n";
    return out;
}

std::vector<std::string> SplitCsvRecord(const std::string& text, std::size_t& at, int& lines) {
    std::vector<std::string> fields(1);
    lines = 0;
    bool quoted = false;
    while (at < text.size()) {
        const char c = text[at++];
        if (quoted) {
            if (c == '"' && at < text.size() && text[at] == '"') {
                fields.back() += '"';
                ++at;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++lines;
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && at < text.size() && text[at] == '\n') ++at;
            ++lines;
            break;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

namespace {

class RowReader {
  public:
    RowReader(const std::map<std::string, std::size_t>& columns,
              const std::vector<std::string>& fields, int line, CsvReadResult& result)
        : columns_(columns), fields_(fields), line_(line), result_(result) {}

    std::string Field(const char* name) const {
        auto it = columns_.find(Lower(name));
        return it == columns_.end() || it->second >= fields_.size() ? std::string()
                                                                    : TrimText(fields_[it->second]);
    }

    bool Fail(CsvProblem problem, const std::string& value) {
        result_.problems.push_back({line_, problem, value});
        return false;
    }

    std::optional<CsvTone> Ctcss(const char* column) {
        const std::string text = Field(column);
        const auto tenths = ParseScaled(text, 1);
        if (!tenths || *tenths == 0 || *tenths > 100000) {
            Fail(CsvProblem::BadToneFreq, text);
            return std::nullopt;
        }
        return CsvTone::Ctcss(static_cast<int>(*tenths));
    }

    std::optional<CsvTone> Dcs(const char* column, char polarity) {
        const std::string text = Field(column);
        if (!IsDcsCode(text)) {
            Fail(CsvProblem::BadDtcsCode, text);
            return std::nullopt;
        }
        return CsvTone::Dcs(std::atoi(text.c_str()), polarity == 'R');
    }

    bool Read(CsvChannel& ch) {
        const std::string location = Field("Location");
        const auto number = ParseScaled(location, 0);
        if (location.find('.') != std::string::npos || !number || *number > 1000000)
            return Fail(CsvProblem::BadLocation, location);
        ch.location = static_cast<int>(*number);
        ch.name = Field("Name");
        ch.comment = Field("Comment");

        const std::string frequency = Field("Frequency");
        const auto rx = ParseMegahertz(frequency);
        if (!rx || *rx == 0) return Fail(CsvProblem::BadFrequency, frequency);
        ch.rxHz = *rx;

        const std::string duplex = Lower(Field("Duplex")), offsetText = Field("Offset");
        const auto offset = ParseMegahertz(offsetText);
        const bool offsetUsed = duplex == "+" || duplex == "-" || duplex == "split";
        if (offsetUsed && !offset) return Fail(CsvProblem::BadOffset, offsetText);
        if (duplex.empty()) {
            ch.txHz = ch.rxHz;
        } else if (duplex == "+") {
            ch.txHz = ch.rxHz + *offset;
        } else if (duplex == "-") {
            if (*offset > ch.rxHz) return Fail(CsvProblem::BadOffset, offsetText);
            ch.txHz = ch.rxHz - *offset;
        } else if (duplex == "split") {
            if (*offset == 0) return Fail(CsvProblem::BadOffset, offsetText);
            ch.txHz = *offset;
        } else if (duplex == "off") {
            ch.txHz.reset();
        } else {
            return Fail(CsvProblem::BadDuplex, Field("Duplex"));
        }

        if (!ReadTones(ch)) return false;

        const std::string mode = Field("Mode");
        const std::string lowerMode = Lower(mode);
        if (lowerMode == "nfm")
            ch.narrow = true;
        else if (lowerMode == "fm" || lowerMode.empty())
            ch.narrow = false;
        else
            return Fail(CsvProblem::UnsupportedMode, mode);
        ch.skip = Lower(Field("Skip")) == "s";
        return true;
    }

  private:
    bool ReadTones(CsvChannel& ch) {
        const std::string mode = Field("Tone");
        std::string polarity = Field("DtcsPolarity");
        if (polarity.empty()) polarity = "NN";
        const bool polarityOk = polarity.size() == 2 &&
                                (polarity[0] == 'N' || polarity[0] == 'R') &&
                                (polarity[1] == 'N' || polarity[1] == 'R');
        auto set = [](CsvTone& into, const std::optional<CsvTone>& tone) {
            if (tone) into = *tone;
            return tone.has_value();
        };
        if (mode.empty()) return true;
        if (mode == "Tone") return set(ch.encode, Ctcss("rToneFreq"));
        if (mode == "TSQL") return set(ch.encode, Ctcss("cToneFreq")) && set(ch.decode, ch.encode);
        if (mode == "DTCS") {
            if (!polarityOk) return Fail(CsvProblem::BadPolarity, polarity);
            return set(ch.encode, Dcs("DtcsCode", polarity[0])) &&
                   set(ch.decode, Dcs("DtcsCode", polarity[1]));
        }
        if (mode != "Cross") return Fail(CsvProblem::BadToneMode, mode);

        const std::string cross = Field("CrossMode");
        const std::size_t arrow = cross.find("->");
        const std::string tx = arrow == std::string::npos ? "" : cross.substr(0, arrow);
        const std::string rx = arrow == std::string::npos ? "" : cross.substr(arrow + 2);
        auto known = [](const std::string& side) {
            return side.empty() || side == "Tone" || side == "DTCS";
        };
        if (arrow == std::string::npos || !known(tx) || !known(rx) || (tx.empty() && rx.empty()))
            return Fail(CsvProblem::BadCrossMode, cross);
        if ((tx == "DTCS" || rx == "DTCS") && !polarityOk)
            return Fail(CsvProblem::BadPolarity, polarity);
        if (tx == "Tone" && !set(ch.encode, Ctcss("rToneFreq"))) return false;
        if (tx == "DTCS" && !set(ch.encode, Dcs("DtcsCode", polarity[0]))) return false;
        if (rx == "Tone" && !set(ch.decode, Ctcss("cToneFreq"))) return false;
        if (rx == "DTCS" && !set(ch.decode, Dcs("RxDtcsCode", polarity[1]))) return false;
        return true;
    }

    const std::map<std::string, std::size_t>& columns_;
    const std::vector<std::string>& fields_;
    int line_;
    CsvReadResult& result_;
};

bool IsBlank(const std::vector<std::string>& fields) {
    for (const std::string& f : fields)
        if (!TrimText(f).empty()) return false;
    return true;
}

}  // namespace

CsvReadResult ReadChannelCsv(const std::string& input) {
    CsvReadResult result;
    std::size_t at = input.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int line = 1;
    std::map<std::string, std::size_t> columns;
    bool haveHeader = false;
    while (at < input.size()) {
        const int start = line;
        if (input[at] == '#') {
            const std::size_t end = input.find('\n', at);
            at = end == std::string::npos ? input.size() : end + 1;
            ++line;
            continue;
        }
        int spanned = 0;
        const std::vector<std::string> fields = SplitCsvRecord(input, at, spanned);
        line += spanned;
        if (IsBlank(fields)) continue;
        if (!haveHeader) {
            for (std::size_t i = 0; i < fields.size(); ++i)
                columns.emplace(Lower(TrimText(fields[i])), i);
            if (!columns.count("location") || !columns.count("frequency")) {
                result.problems.push_back({start, CsvProblem::NoHeader, TrimText(fields[0])});
                return result;
            }
            haveHeader = true;
            continue;
        }
        CsvChannel channel;
        RowReader reader(columns, fields, start, result);
        if (reader.Read(channel)) result.rows.push_back({start, channel});
    }
    if (!haveHeader) result.problems.push_back({line, CsvProblem::NoHeader, ""});
    return result;
}

}  // namespace vgr47
