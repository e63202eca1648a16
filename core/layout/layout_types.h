// The building blocks of the declared codeplug layout: the areas of the radio memory, the
// record tables, and the shape of one field (where it lies, how its bits are encoded, which
// models have it and which form owns it). The fields themselves are declared in the
// *_fields.h lists, one line each.
#pragma once

#include <vector>

namespace vgr47::layout {

inline constexpr int kImageBytes = 4096;
// A radio transfer moves blocks of this size; a block's address is that of its first byte.
inline constexpr int kBlockBytes = 16;

// Which models a field means something to. The channel record's flag bytes are laid out
// differently on basic and signalling models, so two fields may share bits when their model
// sets are disjoint. A form may still carry a signalling field's bytes through on a basic
// model whose image holds them.
enum class Models { All, Basic, Signalling };

constexpr bool ExistsOn(Models models, bool signalling) {
    return models == Models::All || (models == Models::Signalling) == signalling;
}

// The form (or the part of the program) that reads and writes a field.
enum class Owner {
    Channel,
    Keys,
    Scan,
    Options,
    Dtmf,
    TwoTone,
    FiveToneSystem,
    FiveTone,
    Acs,
    TestFrequencies,
    Model,     // the identity, set by a model change
    DataFile,  // the version stamp, set by a save or a write
};

// How other forms take part in a field.
enum class Share {
    Own,          // only the owner touches the field's byte(s)
    SharedByte,   // other bits of the byte belong to another form: always read-modify-write
    AlsoWritten,  // the channel editor rewrites it too, to keep it consistent with the channels
};

enum class Encoding {
    Bit,          // one bit, 1 = on
    InvertedBit,  // one bit, 0 = on
    BitGroup,     // an unsigned group of bits inside one byte
    Nibble,       // the high or the low four bits of a byte
    Byte,         // one unsigned byte
    Le16,         // 16-bit unsigned, low byte first
    Frequency,    // 4-byte BCD frequency code; FFFFFFFF or 00000000 = no frequency
    Tone,         // 2-byte CTCSS/DCS tone code; FFFF = off
    Text,         // ASCII, ends at the first 00 or FF byte, padded with FF
    Raw,          // bytes carried through, or packed by code of their own
    Fill,         // bits or bytes always written as ones
};

// A stretch of the memory.
struct Area {
    const char* name;
    int start;
    int bytes;
    constexpr int end() const { return start + bytes; }  // one past the last byte
};

// Every read and write of a radio moves the first area; a signalling radio also the second.
// The tuning area lies between them and is never part of a transfer.
inline constexpr Area kFirstTransfer{"first transfer area", 0x0000, 0x0740};
inline constexpr Area kTuningArea{"alignment values", 0x0740, 0x0040};
inline constexpr Area kSecondTransfer{"second transfer area", 0x0800, 0x0800};
// What a basic radio hands over: its image ends here.
inline constexpr int kBasicImageBytes = kFirstTransfer.end();

// Records of equal size, numbered from 1 as the forms number them.
struct Table {
    const char* name;
    int start;
    int recordBytes;
    int count;
    Models models;
    constexpr int bytes() const { return recordBytes * count; }
    constexpr int end() const { return start + bytes(); }
    // The address of record n (1 .. count); callers check the range (see RecordAddress).
    constexpr int RecordStart(int record) const { return start + (record - 1) * recordBytes; }
};

inline constexpr int kChannelCount = 99;
inline constexpr int kChannelA = 100;  // record numbers of the basic models' channels A and B
inline constexpr int kChannelB = 101;

inline constexpr Table kChannelRecords{"channel records", 0x0000, 16, 101, Models::All};
inline constexpr Table kTestFrequencyTable{"test frequencies", 0x0700, 8, 8, Models::All};
inline constexpr Table kChannelExtensions{"channel extensions", 0x0800, 8, kChannelCount,
                                          Models::Signalling};
inline constexpr Table kTwoToneDecodeSets{"2-tone decoder sets", 0x0B20, 16, 4, Models::Signalling};
inline constexpr Table kFiveToneDecodeTable{"5-tone decode table", 0x0B60, 16, 8,
                                            Models::Signalling};
inline constexpr Table kFiveToneEncodeTable{"5-tone transmit codes", 0x0C00, 16, 32,
                                            Models::Signalling};
inline constexpr Table kTwoToneEncodeTable{"2-tone encode table", 0x0E00, 4, 32,
                                           Models::Signalling};
inline constexpr Table kAcsList{"auto channel select list", 0x0E90, 1, 8, Models::Signalling};
inline constexpr Table kDtmfCodeTable{"DTMF codes", 0x0F00, 16, 8, Models::Signalling};
inline constexpr Table kDtmfDigitCodeTable{"DTMF digit codes", 0x0F80, 16, 8, Models::Signalling};

// Where a field lies: an address, or an offset inside every record of a table.
struct Place {
    const Table* table;  // nullptr: offset is the address
    int offset;
};

// How many bytes a field takes and which of their bits; width 0 means the whole bytes.
struct Shape {
    Encoding encoding;
    int bytes;
    int lowBit;
    int width;
};

struct Field {
    const char* name;  // by meaning, prefixed by the owner: "options.key_lock"
    Owner owner;
    Place place;
    Shape shape;
    Models models;
    Share share;

    constexpr bool InTable() const { return place.table != nullptr; }
    constexpr bool IsBits() const { return shape.width > 0; }
    // The field's bits within its byte, for a bit field.
    constexpr int Mask() const { return ((1 << shape.width) - 1) << shape.lowBit; }
};

// A fixed field's first byte, for code that lays down or walks a run of fields at once.
constexpr int AddressOf(const Field& field) { return field.place.offset; }

// The words of a declaration line.
namespace declare {

constexpr Place At(int address) { return {nullptr, address}; }
constexpr Place In(const Table& table, int offset) { return {&table, offset}; }

constexpr Shape Bit(int bit) { return {Encoding::Bit, 1, bit, 1}; }
constexpr Shape InvertedBit(int bit) { return {Encoding::InvertedBit, 1, bit, 1}; }
constexpr Shape Bits(int lowBit, int width) { return {Encoding::BitGroup, 1, lowBit, width}; }
constexpr Shape LowNibble() { return {Encoding::Nibble, 1, 0, 4}; }
constexpr Shape HighNibble() { return {Encoding::Nibble, 1, 4, 4}; }
constexpr Shape Byte() { return {Encoding::Byte, 1, 0, 0}; }
constexpr Shape Le16() { return {Encoding::Le16, 2, 0, 0}; }
constexpr Shape Frequency() { return {Encoding::Frequency, 4, 0, 0}; }
constexpr Shape Tone() { return {Encoding::Tone, 2, 0, 0}; }
constexpr Shape Text(int bytes) { return {Encoding::Text, bytes, 0, 0}; }
constexpr Shape Raw(int bytes) { return {Encoding::Raw, bytes, 0, 0}; }
constexpr Shape FillBits(int lowBit, int width) { return {Encoding::Fill, 1, lowBit, width}; }
constexpr Shape FillBytes(int bytes) { return {Encoding::Fill, bytes, 0, 0}; }

}  // namespace declare

// The table of every declared field, and the record tables, in declaration order.
const std::vector<const Field*>& AllFields();
const std::vector<const Table*>& AllTables();
// The prefix every field name of the owner starts with ("options.").
const char* OwnerPrefix(Owner owner);

// The block addresses a read or write moves, in order: 116 blocks for a basic model, 244 for
// a signalling model.
std::vector<int> TransferBlocks(bool signalling);

}  // namespace vgr47::layout
