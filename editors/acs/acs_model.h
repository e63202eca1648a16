// The auto-channel-select form without widgets: cycle count, transmit and receive times and
// the list of up to eight channels the radio cycles through, kept without gaps.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_model.h"
#include "editors/common/settings_description.h"

namespace vgr47 {

class AcsModel {
  public:
    enum List { kCycles = 0, kTxTime, kRxTime, kListCount };
    static constexpr int kRows = 8;

    // Each list's and each row's field and rules (acs_settings.cpp).
    static const settings::Description<AcsModel>& Settings();
    // The dump key of row 1..8.
    static std::string RowKey(int row);

    // Whether the image holds the auto-channel-select bytes (a short image does not).
    static bool Available(const CodeplugImage& image);

    // Reads the image at construction. The channels are those of the grid.
    AcsModel(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
             const ChannelModel& channels);

    // Title and the three labels (text numbers) of the edition.
    int TitleText() const;
    std::array<int, kListCount> LabelTexts() const;

    const std::vector<std::string>& Entries(List list) const { return entries_[list]; }
    // -1 = no selection (a time nibble outside the list).
    int Selected(List list) const { return selected_[list]; }
    void Select(List list, int index);

    // Row 1..8: "" or the channel number.
    const std::string& RowText(int row) const;
    // Rows up to and including the first empty one are white and can be edited; the rest grey.
    bool IsRowEditable(int row) const;
    int ChannelCount() const;
    // A channel the chooser may offer at all: it exists and has a transmit frequency.
    bool HasTransmitFrequency(int channel) const;
    // The chooser of a row: "none" first when the row is the last or the row below is empty,
    // then every channel with a transmit frequency that no row holds.
    std::vector<std::string> ChooserEntries(int row) const;

    // The cell under edit (0 = none) and its chooser.
    int currentRow() const { return currentRow_; }
    const std::vector<std::string>& chooser() const { return chooser_; }
    // Index of the cell's text among the chooser's entries, -1 when it is not there.
    int ChooserSelection() const;
    // A click on a row: commits a pending choice, then opens the chooser of an editable row
    // (true) or forgets the cell of a grey one (false).
    bool ClickRow(int row);
    // The user picked an entry of the chooser.
    void Pick(const std::string& text);
    // Applies the picked entry to the cell under edit; nothing when no entry was picked.
    void CommitChoice();
    // Empties every row and closes the chooser.
    void DeleteAll();
    // Sets a row as loading does; rows are not re-checked here.
    void SetRow(int row, const std::string& text);

    // OK: writes cycles and times, commits a pending choice, writes the channel list.
    bool Apply();

  private:
    void Read();
    std::string Text(int number) const { return texts_.GetText(number); }
    void ApplyChoice(int row, const std::string& text);

    CodeplugImage& image_;
    const ModelState& state_;
    const TextCatalogue& texts_;
    const ChannelModel& channels_;
    std::array<std::vector<std::string>, kListCount> entries_;
    std::array<int, kListCount> selected_{};
    std::array<std::string, kRows> rows_;
    int currentRow_ = 0;
    std::vector<std::string> chooser_;
    std::optional<std::string> picked_;
};

}  // namespace vgr47
