// The test frequency table: eight pairs of frequencies the radio's test and tuning functions
// use. The form edits a copy in its grid and writes the whole table back on OK.
#pragma once

#include <array>
#include <string>

#include "core/codeplug_image.h"
#include "core/memory_map.h"
#include "core/model_catalogue.h"
#include "editors/common/settings_description.h"

namespace vgr47 {

class TestFreqModel {
  public:
    static constexpr int kRows = mem::kTestFrequencyCount;  // records 1..8
    static constexpr int kColumns = 2;                      // first and second frequency

    TestFreqModel(CodeplugImage& image, const ModelState& state);

    // Each row's pair as one text (test_freq_settings.cpp).
    static const settings::Description<TestFreqModel>& Settings();
    // Whether the image holds the whole table.
    static bool Available(const CodeplugImage& image);

    // Reads the table from the image again; an all-FF record is an empty pair.
    void Fill();
    // "%9.5f" (a two-digit MHz value starts with a blank), "" for an empty cell.
    // row 1..8, column 1..2.
    const std::string& Cell(int row, int column) const;
    bool IsPairEmpty(int row) const;

    // A cell's new text from the in-place editor. Empty clears the pair; otherwise the number
    // is clamped into the band and, when the partner cell is empty, copied into it too.
    void Commit(int row, int column, const std::string& text);

    // The 64 bytes the grid stands for, as they would be written.
    std::string TableHex() const;
    // OK: writes the table into the image. False when the image is too short to hold it.
    bool Apply();

  private:
    static bool Valid(int row, int column);

    CodeplugImage& image_;
    const ModelState& state_;
    std::array<std::array<std::string, kColumns>, kRows> cells_;
};

}  // namespace vgr47
