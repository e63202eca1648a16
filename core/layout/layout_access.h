// Typed reads and writes of declared fields in a CodeplugImage, through ReadBytes and
// WriteBytes. A table field takes the record number (1 .. count, as the forms number them:
// channel 1 is record 1, channel A record 100); a fixed field takes none.
//
// A read of bytes the image does not hold (a basic radio's image ends at 0x073F), or that are
// not hex, gives no value; a write there is refused (false) and leaves the image unchanged, as
// is a value that does not fit the field or a call that does not suit its encoding. A bit
// field is written by read-modify-write: the other bits of its byte stay as they are.
#pragma once

#include <optional>
#include <string>

#include "core/codeplug_image.h"
#include "core/layout/layout_types.h"

namespace vgr47::layout {

// The field's first byte: record 0 for a fixed field, 1 .. count for a table field.
std::optional<int> Address(const Field& field, int record = 0);
std::optional<int> RecordAddress(const Table& table, int record);

// Bit, bit group, nibble and fill bits: the bits' value; byte: 0..255; Le16: 0..65535.
std::optional<int> Read(const CodeplugImage& image, const Field& field, int record = 0);
bool Write(CodeplugImage& image, const Field& field, int record, int value);
inline bool Write(CodeplugImage& image, const Field& field, int value) {
    return Write(image, field, 0, value);
}

// Bit and InvertedBit fields: whether the setting is on (an inverted bit is on when 0).
std::optional<bool> ReadFlag(const CodeplugImage& image, const Field& field, int record = 0);
bool WriteFlag(CodeplugImage& image, const Field& field, int record, bool on);
inline bool WriteFlag(CodeplugImage& image, const Field& field, bool on) {
    return WriteFlag(image, field, 0, on);
}

// Text fields: the characters up to the first 00 or FF byte. A write pads with FF and keeps
// the first characters that fit.
std::optional<std::string> ReadText(const CodeplugImage& image, const Field& field, int record = 0);
bool WriteText(CodeplugImage& image, const Field& field, int record, const std::string& text);
inline bool WriteText(CodeplugImage& image, const Field& field, const std::string& text) {
    return WriteText(image, field, 0, text);
}

// Any field's whole bytes as upper-case hex (a bit field's byte); a write takes exactly the
// field's bytes and is refused for a bit field.
std::optional<std::string> ReadHex(const CodeplugImage& image, const Field& field, int record = 0);
bool WriteHex(CodeplugImage& image, const Field& field, int record, const std::string& hex);
inline bool WriteHex(CodeplugImage& image, const Field& field, const std::string& hex) {
    return WriteHex(image, field, 0, hex);
}

// Frequency fields, in MHz; 0 stands for no frequency (read from FFFFFFFF or 00000000,
// written as FFFFFFFF).
std::optional<double> ReadFrequency(const CodeplugImage& image, const Field& field, int record = 0);
bool WriteFrequency(CodeplugImage& image, const Field& field, int record, double mhz);
inline bool WriteFrequency(CodeplugImage& image, const Field& field, double mhz) {
    return WriteFrequency(image, field, 0, mhz);
}

// Tone fields, as the tone texts of the tone list; offText is the "off" entry.
std::optional<std::string> ReadTone(const CodeplugImage& image, const Field& field, int record,
                                    const std::string& offText);
inline std::optional<std::string> ReadTone(const CodeplugImage& image, const Field& field,
                                           const std::string& offText) {
    return ReadTone(image, field, 0, offText);
}
bool WriteTone(CodeplugImage& image, const Field& field, int record, const std::string& tone,
               const std::string& offText);
inline bool WriteTone(CodeplugImage& image, const Field& field, const std::string& tone,
                      const std::string& offText) {
    return WriteTone(image, field, 0, tone, offText);
}

// The same on the bytes of one table record as hex (a field at its offset inside it), for code
// that decodes or builds a whole record at once. A record's text that is too short for the
// field gives no value and takes no write.
std::optional<int> ReadInRecord(const std::string& recordHex, const Field& field);
bool WriteInRecord(std::string& recordHex, const Field& field, int value);
std::optional<bool> ReadFlagInRecord(const std::string& recordHex, const Field& field);
bool WriteFlagInRecord(std::string& recordHex, const Field& field, bool on);
std::optional<std::string> ReadHexInRecord(const std::string& recordHex, const Field& field);
bool WriteHexInRecord(std::string& recordHex, const Field& field, const std::string& hex);

}  // namespace vgr47::layout
