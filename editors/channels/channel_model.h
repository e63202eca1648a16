// The channel grid without widgets: its layout for the current model and the text of
// every cell, decoded from the channel and extension records of the image. The grid form
// and the command line both show these texts as they are.
#pragma once

#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"

namespace vgr47 {

// The values of one channel as the channel dialog holds them: edit texts, list texts or
// indexes, check states. Fields of the signalling controls count on signalling models only.
struct ChannelValues {
    std::string rx;          // "" = channel off
    std::string tx;          // "" = no transmit frequency
    std::string decodeTone;  // tone list text
    std::string encodeTone;  // tone list text, "" = no selection
    bool busyLock = false;   // models without signalling
    bool compander = false;
    bool scan = false;
    bool wide = true;
    bool tailElimination = true;
    std::string busyLockMode;  // list text, signalling models
    bool relationAnd = true;
    bool txWithoutDecode = false;
    bool signallingSwitchable = false;
    int signallingType = 0;  // 0 none, 1 5-tone, 2 2-tone, 3 DTMF
    int decodeNumber = 0;    // the number shown, 1-based within its type
    int pttIdType = 0;       // list index; -1 = no selection
    int pttIdMode = 0;       // list index; -1 = no selection
    // Code list texts ("TX-CODE %d", "DTMF-MEM %d" or the entry 0 text); "" = no selection.
    std::string txStartCode, txEndCode, call1Code, call2Code;
};

class ChannelModel {
  public:
    // Column numbers of the grid; columns from kColRelation on exist on signalling models only.
    enum Column {
        kColNumber = 0,
        kColRx,
        kColTx,
        kColDecodeTone,
        kColEncodeTone,
        kColBusyLock,
        kColCompander,
        kColScan,
        kColBandwidth,
        kColTailElimination,
        kColRelation,
        kColSignallingType,
        kColDecodeNumber,
        kColPttIdType,
        kColPttIdMode,
        kColTxStartCode,
        kColTxEndCode,
        kColCall1Code,
        kColCall2Code,
        kColTxWithoutDecode,
        kColReserved,
        kColSignallingSwitchable,
    };

    static constexpr int kBasicColumns = 10;
    static constexpr int kSignallingColumns = 22;
    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kHeaderRowTwips = 260;
    static constexpr int kRowTwips = 250;

    struct GridColumn {
        int headerText;  // text number
        int widthTwips;  // 0 = hidden
    };

    // The layout follows the model at construction; Refill() takes the model anew.
    ChannelModel(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts);

    bool signalling() const { return signalling_; }
    // Grid rows including the header row 0: 100 on signalling models, 102 otherwise.
    int Rows() const { return static_cast<int>(cells_.size()); }
    int Columns() const { return signalling_ ? kSignallingColumns : kBasicColumns; }
    // Header text and width of each column of the current layout.
    const std::vector<GridColumn>& GridColumns() const;
    bool IsColumnHidden(int column) const;
    static int TwipsToPixels(int twips);
    std::vector<int> ColumnWidthsPixels() const;

    // All cells of a row (column 0 included); row 0 holds the header texts.
    const std::vector<std::string>& RowTexts(int row) const;
    std::string CellText(int row, int column) const;
    // The row as the channel listing prints it: the channel name and the visible cells from
    // column 1 on, tab-separated; "" for an empty channel.
    std::string ListingLine(int row) const;
    // "1".."99", "A", "B".
    std::string RowName(int row) const;
    // Record number of a row: the row itself (100 = A, 101 = B).
    static int RecordOfRow(int row) { return row; }
    bool IsRowEmpty(int row) const;
    // An empty cell of a channel that has a receive frequency is shaded grey; every other
    // cell (and every cell of an empty channel) is white.
    bool IsCellShaded(int row, int column) const;

    // The row a channel-number text selects: "A"/"B" (either case) on models without
    // signalling, otherwise the leading number raised to 1 or lowered to the last channel.
    int RowForChannelText(const std::string& text) const;
    // What keeping a typed frequency changed: nothing, the value (moved into the band) or
    // its last digits (moved onto the channel raster).
    enum class FrequencyChange { None, Clamped, Snapped };
    // A typed frequency as it is kept: clamped to the band, snapped to the channel raster
    // (5 or 6.25 kHz, a tie going to 5 kHz), "%9.5f". "" stays "". A decimal comma reads as
    // the point ("145,125" is 145.125).
    std::string NormaliseFrequency(const std::string& text,
                                   FrequencyChange* change = nullptr) const;
    // The text with its first decimal comma read as a point.
    static std::string WithDecimalPoint(std::string text);
    // One line saying how a typed frequency was changed to be kept; "" for no change.
    std::string FrequencyNote(const std::string& typed, const std::string& kept,
                              FrequencyChange change) const;

    // The values a channel gets when the user switches it on. A refill resets the basic
    // ones (band low limit, no tones, wide, tail elimination, AND); the signalling ones
    // stay as they were saved.
    const ChannelValues& defaults() const { return defaults_; }
    void SaveAsDefault(const ChannelValues& values) { defaults_ = values; }

    // Lays the grid out for the current model and decodes every record into it.
    void Refill();
    // Decodes one record into its row again.
    void RefreshRow(int row);
    // Channels in the scan list.
    int CountScanChannels() const;
    // The stored value behind a two-state cell, as last decoded: check columns on, the
    // bandwidth wide, the relation AND; false for empty rows and other columns. Logic asks
    // this rather than comparing the shown (translated) texts.
    bool IsSet(int row, int column) const;
    // The stored busy-lock mode of a signalling model's channel (0 off, 1 carrier, 2 tone,
    // 3 optional signalling); -1 for an empty row or a model without signalling.
    int BusyLockMode(int row) const;

    // Stores the values as the channel record (and, for channels 1..99, its extension
    // record), keeps the scan priority channel consistent and decodes the row again.
    // record: 1..99, 100 = A, 101 = B.
    void WriteChannel(int record, const ChannelValues& values);
    // The 16-byte record and the 8-byte extension record the values stand for.
    std::string EncodeRecord(const ChannelValues& values) const;
    std::string EncodeExtension(const ChannelValues& values) const;

    // Drops entries naming an empty channel (and the 00 entries) from the auto-channel-select
    // list; the kept entries move up in order and FF fills the rest.
    void CleanUpAutoChannelSelect();

    // Empties every channel record and the auto-channel-select list and names no scan
    // priority channel. Extension records are left as they are.
    void DeleteAllChannels();

    const std::vector<std::string>& toneList() const { return toneList_; }

  private:
    std::string Text(int number) const { return texts_.GetText(number); }
    void DecodeRow(int row);
    std::string FrequencyText(const std::string& hex8) const;
    std::string CodeText(int code, bool dtmf) const;
    std::string CodeByte(const std::string& listText) const;
    void KeepScanPriorityConsistent(int record);
    void ResetDefaults();

    CodeplugImage& image_;
    const ModelState& state_;
    const TextCatalogue& texts_;
    bool signalling_ = false;
    std::vector<std::string> toneList_;
    std::vector<std::vector<std::string>> cells_;
    // What DecodeRow read for each row besides the texts.
    struct RowValues {
        unsigned setColumns = 0;  // bit per column, see IsSet
        int busyLockMode = -1;
    };
    std::vector<RowValues> values_;
    ChannelValues defaults_;
};

}  // namespace vgr47
