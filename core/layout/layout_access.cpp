#include "core/layout/layout_access.h"

#include <cmath>

#include "core/codeplug_lib.h"
#include "core/frequency_codec.h"
#include "core/tone_codec.h"

namespace vgr47::layout {

namespace {

// The field's bytes as upper-case hex, when the image holds all of them and they are hex.
std::optional<std::string> FieldBytes(const CodeplugImage& image, const Field& field, int record) {
    const std::optional<int> at = Address(field, record);
    if (!at) return std::nullopt;
    const std::string hex = image.ReadBytes(*at, field.shape.bytes);
    if (hex.size() != 2u * static_cast<std::size_t>(field.shape.bytes) || !IsHexText(hex))
        return std::nullopt;
    return ToUpperAscii(hex);
}

// Replaces the field's whole bytes; the hex must have exactly their length.
bool PutBytes(CodeplugImage& image, const Field& field, int record, const std::string& hex) {
    const std::optional<int> at = Address(field, record);
    if (!at || hex.size() != 2u * static_cast<std::size_t>(field.shape.bytes)) return false;
    return image.WriteBytes(*at, hex);
}

bool Is(const Field& field, Encoding encoding) { return field.shape.encoding == encoding; }

bool IsFlag(const Field& field) {
    return Is(field, Encoding::Bit) || Is(field, Encoding::InvertedBit);
}

}  // namespace

std::optional<int> RecordAddress(const Table& table, int record) {
    if (record < 1 || record > table.count) return std::nullopt;
    return table.RecordStart(record);
}

std::optional<int> Address(const Field& field, int record) {
    if (!field.InTable()) {
        if (record != 0) return std::nullopt;
        return field.place.offset;
    }
    const std::optional<int> start = RecordAddress(*field.place.table, record);
    if (!start) return std::nullopt;
    return *start + field.place.offset;
}

std::optional<int> Read(const CodeplugImage& image, const Field& field, int record) {
    const std::optional<std::string> hex = FieldBytes(image, field, record);
    if (!hex) return std::nullopt;
    if (field.IsBits()) return (HexToInt(*hex) & field.Mask()) >> field.shape.lowBit;
    if (Is(field, Encoding::Le16)) return HexLe16ToInt(*hex);
    if (field.shape.bytes == 1 && (Is(field, Encoding::Byte) || Is(field, Encoding::Fill)))
        return HexToInt(*hex);
    return std::nullopt;
}

bool Write(CodeplugImage& image, const Field& field, int record, int value) {
    if (field.IsBits()) {
        if (value < 0 || value >= (1 << field.shape.width)) return false;
        const std::optional<std::string> old = FieldBytes(image, field, record);
        if (!old) return false;
        const int byte = (HexToInt(*old) & ~field.Mask()) | (value << field.shape.lowBit);
        return PutBytes(image, field, record, IntToHex(byte, 1));
    }
    if (Is(field, Encoding::Le16)) {
        if (value < 0 || value > 0xFFFF) return false;
        return PutBytes(image, field, record, IntToHexLe(value, 2));
    }
    if (field.shape.bytes == 1 && (Is(field, Encoding::Byte) || Is(field, Encoding::Fill))) {
        if (value < 0 || value > 0xFF) return false;
        return PutBytes(image, field, record, IntToHex(value, 1));
    }
    return false;
}

std::optional<bool> ReadFlag(const CodeplugImage& image, const Field& field, int record) {
    if (!IsFlag(field)) return std::nullopt;
    const std::optional<int> bit = Read(image, field, record);
    if (!bit) return std::nullopt;
    return (*bit == 1) == Is(field, Encoding::Bit);
}

bool WriteFlag(CodeplugImage& image, const Field& field, int record, bool on) {
    if (!IsFlag(field)) return false;
    return Write(image, field, record, on == Is(field, Encoding::Bit) ? 1 : 0);
}

std::optional<std::string> ReadText(const CodeplugImage& image, const Field& field, int record) {
    if (!Is(field, Encoding::Text)) return std::nullopt;
    const std::optional<std::string> hex = FieldBytes(image, field, record);
    if (!hex) return std::nullopt;
    return HexToText(*hex);
}

bool WriteText(CodeplugImage& image, const Field& field, int record, const std::string& text) {
    if (!Is(field, Encoding::Text)) return false;
    const std::size_t digits = 2u * static_cast<std::size_t>(field.shape.bytes);
    std::string hex = TextToHex(text).substr(0, digits);
    hex.append(digits - hex.size(), 'F');
    return PutBytes(image, field, record, hex);
}

std::optional<std::string> ReadHex(const CodeplugImage& image, const Field& field, int record) {
    return FieldBytes(image, field, record);
}

bool WriteHex(CodeplugImage& image, const Field& field, int record, const std::string& hex) {
    if (field.IsBits()) return false;
    return PutBytes(image, field, record, hex);
}

std::optional<double> ReadFrequency(const CodeplugImage& image, const Field& field, int record) {
    if (!Is(field, Encoding::Frequency)) return std::nullopt;
    const std::optional<std::string> hex = FieldBytes(image, field, record);
    if (!hex) return std::nullopt;
    return DecodeFrequency(*hex);  // FFFFFFFF and 00000000 both decode to 0
}

bool WriteFrequency(CodeplugImage& image, const Field& field, int record, double mhz) {
    if (!Is(field, Encoding::Frequency) || std::isnan(mhz) || mhz < 0) return false;
    const std::string hex = mhz == 0 ? "FFFFFFFF" : EncodeFrequency(mhz);
    return PutBytes(image, field, record, hex);
}

std::optional<std::string> ReadTone(const CodeplugImage& image, const Field& field, int record,
                                    const std::string& offText) {
    if (!Is(field, Encoding::Tone)) return std::nullopt;
    const std::optional<std::string> hex = FieldBytes(image, field, record);
    if (!hex) return std::nullopt;
    return DecodeTone(*hex, offText);
}

bool WriteTone(CodeplugImage& image, const Field& field, int record, const std::string& tone,
               const std::string& offText) {
    if (!Is(field, Encoding::Tone)) return false;
    // A DCS code outside the table encodes short; such a code is never stored.
    return PutBytes(image, field, record, EncodeTone(tone, offText));
}

// ---- inside one record's bytes ----

namespace {

// The field as a fixed one at its offset, over an image holding just the record.
Field AtOffset(const Field& field) {
    Field f = field;
    f.place = {nullptr, field.place.offset};
    return f;
}

CodeplugImage RecordImage(const std::string& recordHex) {
    CodeplugImage image;
    image.SetImageText(recordHex);
    return image;
}

template <class Put>
bool PutInRecord(std::string& recordHex, Put put) {
    CodeplugImage image = RecordImage(recordHex);
    if (!put(image)) return false;
    recordHex = image.image();
    return true;
}

}  // namespace

std::optional<int> ReadInRecord(const std::string& recordHex, const Field& field) {
    return Read(RecordImage(recordHex), AtOffset(field));
}

bool WriteInRecord(std::string& recordHex, const Field& field, int value) {
    return PutInRecord(recordHex,
                       [&](CodeplugImage& image) { return Write(image, AtOffset(field), value); });
}

std::optional<bool> ReadFlagInRecord(const std::string& recordHex, const Field& field) {
    return ReadFlag(RecordImage(recordHex), AtOffset(field));
}

bool WriteFlagInRecord(std::string& recordHex, const Field& field, bool on) {
    return PutInRecord(recordHex,
                       [&](CodeplugImage& image) { return WriteFlag(image, AtOffset(field), on); });
}

std::optional<std::string> ReadHexInRecord(const std::string& recordHex, const Field& field) {
    return ReadHex(RecordImage(recordHex), AtOffset(field));
}

bool WriteHexInRecord(std::string& recordHex, const Field& field, const std::string& hex) {
    return PutInRecord(recordHex,
                       [&](CodeplugImage& image) { return WriteHex(image, AtOffset(field), hex); });
}

}  // namespace vgr47::layout
