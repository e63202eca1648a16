// Checks of resources/language.sys against the text numbers in core/text_ids.h.
//
// The file is read here with a small reader of its own that follows the
// private-profile rules the program uses (blanks around a value dropped, matching
// quotes removed), so these checks do not depend on the code they feed.

#include "core/text_ids.h"
#include "core/ini_file.h"
#include "core/text_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <fstream>
#include <initializer_list>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef VGR47_SOURCE_DIR
#error "VGR47_SOURCE_DIR must name the source tree so the test can find resources/language.sys"
#endif

namespace vgr47 {
namespace {

constexpr int kChinese = 100000;
constexpr int kEnglish = 200000;
constexpr std::size_t kMaxValueBytes = 511;

std::string CataloguePath() { return std::string(VGR47_SOURCE_DIR) + "/resources/language.sys"; }

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

std::string Unquote(const std::string& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

bool IsValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t extra = 0;
    unsigned min = 0;
    unsigned cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1, min = 0x80, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, min = 0x800, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, min = 0x10000, cp = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

struct Entry {
  int line = 0;
  std::string raw;    // the value as written, before trimming and unquoting
  std::string value;  // the value as the program reads it
};

struct Catalogue {
  std::string bytes;
  std::vector<std::string> sections;
  std::vector<int> keysInFileOrder;
  std::map<int, Entry> entries;
  std::vector<std::string> problems;  // malformed lines, bad or repeated keys

  std::string Text(int number, int offset) const {
    const auto it = entries.find(number + offset);
    return it == entries.end() ? std::string() : it->second.value;
  }
};

Catalogue Load() {
  Catalogue cat;
  std::ifstream in(CataloguePath(), std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  cat.bytes = all.str();

  std::istringstream lines(cat.bytes);
  std::string line;
  int lineNo = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';') continue;
    if (t[0] == '[') {
      cat.sections.push_back(t);
      continue;
    }
    const auto eq = t.find('=');
    const std::string where = "line " + std::to_string(lineNo) + ": ";
    if (cat.sections.empty()) cat.problems.push_back(where + "text before the section header");
    if (eq == std::string::npos) {
      cat.problems.push_back(where + "no '=' in " + t);
      continue;
    }
    const std::string key = Trim(t.substr(0, eq));
    const bool numeric = !key.empty() && key[0] != '0' && key.size() <= 6 &&
                         std::all_of(key.begin(), key.end(),
                                     [](unsigned char ch) { return std::isdigit(ch) != 0; });
    if (!numeric) {
      cat.problems.push_back(where + "key is not a text key: " + key);
      continue;
    }
    const int k = std::stoi(key);
    Entry e;
    e.line = lineNo;
    e.raw = line.substr(line.find('=') + 1);
    e.value = Unquote(Trim(e.raw));
    if (!cat.entries.emplace(k, e).second) cat.problems.push_back(where + "repeated key " + key);
    cat.keysInFileOrder.push_back(k);
  }
  return cat;
}

const Catalogue& File() {
  static const Catalogue cat = Load();
  return cat;
}

std::set<int> CodeNumbers() { return {std::begin(kAllTextNumbers), std::end(kAllTextNumbers)}; }

// --- The file as a whole -------------------------------------------------------

TEST(TextCatalogueFile, IsReadableUtf8WithOneLanguageSection) {
  const auto& cat = File();
  ASSERT_FALSE(cat.bytes.empty()) << "cannot read " << CataloguePath();
  EXPECT_TRUE(IsValidUtf8(cat.bytes));
  EXPECT_NE(cat.bytes.compare(0, 3, "\xEF\xBB\xBF"), 0) << "a byte-order mark would hide the first line";
  ASSERT_EQ(cat.sections.size(), 1u);
  EXPECT_EQ(cat.sections[0], "[language]");
  EXPECT_FALSE(cat.keysInFileOrder.empty());
}

TEST(TextCatalogueFile, HasWellFormedUniqueKeysInNumberOrder) {
  const auto& cat = File();
  for (const auto& p : cat.problems) ADD_FAILURE() << p;
  EXPECT_TRUE(std::is_sorted(cat.keysInFileOrder.begin(), cat.keysInFileOrder.end()))
      << "keys must appear in number order";
  for (const auto& [key, entry] : cat.entries) {
    const bool chinese = key > kChinese && key < kEnglish;
    const bool english = key > kEnglish && key < kEnglish + kChinese;
    EXPECT_TRUE(chinese || english) << "key " << key << " (line " << entry.line << ") has no language offset";
  }
}

TEST(TextCatalogueFile, ValuesFitTheReadBuffer) {
  for (const auto& [key, entry] : File().entries) {
    EXPECT_LE(entry.value.size(), kMaxValueBytes) << "key " << key << " would be cut";
    EXPECT_EQ(entry.raw.find('\r'), std::string::npos) << "key " << key << " has a carriage return";
  }
}

// --- File and code table agree ---------------------------------------------

TEST(TextCatalogueCoverage, CodeTableListsEachNumberOnceInOrder) {
  const std::vector<int> numbers(std::begin(kAllTextNumbers), std::end(kAllTextNumbers));
  EXPECT_TRUE(std::adjacent_find(numbers.begin(), numbers.end(),
                                 [](int a, int b) { return a >= b; }) == numbers.end());
  for (int n : numbers) EXPECT_TRUE(n > 0 && n < kChinese) << n;
}

TEST(TextCatalogueCoverage, EveryNumberHasTextInBothLanguages) {
  const auto& cat = File();
  for (int n : kAllTextNumbers) {
    EXPECT_FALSE(cat.Text(n, kChinese).empty()) << "no Chinese text " << n;
    EXPECT_FALSE(cat.Text(n, kEnglish).empty()) << "no English text " << n;
  }
}

TEST(TextCatalogueCoverage, EveryKeyHasItsTwinAndANameInCode) {
  const auto& cat = File();
  const auto code = CodeNumbers();
  for (const auto& [key, entry] : cat.entries) {
    const int n = key % kChinese;
    const int twin = key < kEnglish ? key + kChinese : key - kChinese;
    EXPECT_EQ(cat.entries.count(twin), 1u) << "key " << key << " has no twin " << twin;
    EXPECT_EQ(code.count(n), 1u) << "text " << n << " (line " << entry.line << ") has no constant";
  }
}

// --- Texts the program compares or joins -------------------------------------

// Lists whose entries the program finds again by their text (selection by text,
// stored codes derived from the chosen text) break when two entries read alike.
TEST(TextCatalogueWording, EntriesOfOneListAreDistinct) {
  const std::vector<std::vector<int>> lists = {
      {kTextOn, kTextOff},
      {kTextWide, kTextNarrow},
      {kTextAnd, kTextOr},
      {kTextOffEntry, kTextBusyLockCarrier, kTextOptionalSignalling},
      {kTextNone, kTextFiveTone, kTextTwoTone, kTextDtmf},
      {kTextOffEntry, kTextFiveTone, kTextDtmf},
      {kTextOffEntry, kTextTxStart, kTextTxEnd, kTextTxStartAndEnd},
      {kTextOffEntry, kTextMonitorMomentary, kTextMonitorLatched, kTextSquelchOff},
      {kTextOffEntry, kTextKeyCall1, kTextKeyScanOnOff, kTextKeyPowerHighLow, kTextKeySignallingOnOff},
      {kTextOffEntry, kTextKeyCall2, kTextKeyScanOnOff, kTextKeyPowerHighLow, kTextKeySignallingOnOff},
      {kTextOffEntry, kTextScanTimeOperated, kTextScanCarrierOperated},
      {kTextRevertSelected, kTextRevertSelectedTalkback, kTextRevertLastCalled, kTextRevertLastUsed,
       kTextRevertPriority, kTextRevertPriorityTalkback},
      {kTextOffEntry, kTextScanAtPowerOn},
      {kTextOffEntry, kTextPttPressAndHold, kTextPttToggle},
      {kTextLow, kTextMiddle, kTextHigh},
      {kTextNoAction, kTextAlertTone, kTextAlertRing},
      {kTextOffEntry, kTextAlertTone, kTextDtmfAlertRing},
      {kTextOffEntry, kTextDtmfAnswerTone, kTextDigitCode},
      {kTextNone, kTextAlertToneShared, kTextAlertRing},
      {kTextNone, kTextAnswerTone},
      {kTextTuneBatteryWarning, kTextTunePowerHigh, kTextTunePowerMiddle, kTextTunePowerLow,
       kTextTuneSquelchWide, kTextTuneSquelchNarrow, kTextTuneRxSensitivity, kTextTuneDeviationWide,
       kTextTuneDtmfDeviation, kTextTuneFiveToneDeviation, kTextTuneDeviationNarrow,
       kTextTuneReferenceFrequency, kTextTuneCtcssDeviation, kTextTuneDcsDeviation},
  };
  const auto& cat = File();
  for (int offset : {kChinese, kEnglish}) {
    for (const auto& list : lists) {
      std::set<std::string> seen;
      for (int n : list)
        EXPECT_TRUE(seen.insert(cat.Text(n, offset)).second)
            << "text " << n << " (offset " << offset << ") repeats another entry of its list";
    }
    // Fixed words that share a list with catalogue texts.
    EXPECT_NE(cat.Text(kTextOn, offset), "----");
    EXPECT_NE(cat.Text(kTextBusyLockCarrier, offset), "QT/DQT");
    EXPECT_NE(cat.Text(kTextOptionalSignalling, offset), "QT/DQT");
  }
}

// The "none" entry heads the tone lists and is matched by the tone encoder and the
// 2-tone decoder sets: it must not read as a tone, a DCS code or a tone letter.
TEST(TextCatalogueWording, NoneEntryCannotBeTakenForATone) {
  const auto& cat = File();
  for (int offset : {kChinese, kEnglish}) {
    const std::string none = cat.Text(kTextNone, offset);
    ASSERT_FALSE(none.empty());
    EXPECT_NE(none[0], 'D') << "would be encoded as a DCS code";
    EXPECT_EQ(std::string("0123456789.+-").find(none[0]), std::string::npos)
        << "would be read as a CTCSS tone or a channel number";
    EXPECT_EQ(none.find_first_of("ABCDabcd"), std::string::npos)
        << "would enable a 2-tone decode tone field";
  }
}

TEST(TextCatalogueWording, JoinedTextsReadAsSeparateWords) {
  const auto& cat = File();
  const std::string decodeGroup = cat.Text(kTextDecode, kEnglish) + "1";
  const std::string toneLabel = "A " + cat.Text(kTextToneLabel, kEnglish) + "(Hz)";
  const std::string dKeyEntry = "1" + cat.Text(kTextDigitCodeSuffix, kEnglish);
  EXPECT_NE(decodeGroup.find(" 1"), std::string::npos) << decodeGroup;
  EXPECT_NE(toneLabel.find(" (Hz)"), std::string::npos) << toneLabel;
  EXPECT_EQ(dKeyEntry.find("1 "), 0u) << dKeyEntry;
  // A path is followed by one space and the save question; a blank of its own would double it.
  for (int offset : {kChinese, kEnglish}) {
    const auto it = File().entries.find(kTextSaveChangesQuestion + offset);
    ASSERT_NE(it, File().entries.end());
    EXPECT_NE(it->second.value.front(), ' ');
  }
}

TEST(TextCatalogueWording, MenuCaptionsHaveAtMostOneMnemonic) {
  const auto& cat = File();
  for (int n : kAllTextNumbers) {
    if (n > kTextMenuRadioInformation) break;
    for (int offset : {kChinese, kEnglish}) {
      const std::string t = cat.Text(n, offset);
      int marks = 0;
      for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '&') continue;
        if (i + 1 < t.size() && t[i + 1] == '&') {
          ++i;  // "&&" shows a literal ampersand
          continue;
        }
        ++marks;
      }
      EXPECT_LE(marks, 1) << "menu text " << n << " at offset " << offset << ": " << t;
    }
  }
}

}  // namespace
}  // namespace vgr47

namespace vgr47 {
namespace {

TEST(TextCatalogueLookup, TheProgramsReaderSeesTheFileAsWritten) {
    // Quoted values keep the blanks the program relies on when it joins texts.
    EXPECT_EQ(vgr47::IniRead(CataloguePath(), "LANGUAGE", "204502"), "Decode ");
    EXPECT_EQ(vgr47::IniRead(CataloguePath(), "language", "290012"), " (digit code)");
    vgr47::TextCatalogue english(CataloguePath(), vgr47::kEnglishOffset);
    vgr47::TextCatalogue chinese(CataloguePath(), vgr47::kChineseOffset);
    for (int n : {vgr47::kTextOk, vgr47::kTextCancel, vgr47::kTextNone, vgr47::kTextNotACodeplug,
                  vgr47::kTextCommFailed}) {
        EXPECT_FALSE(english.GetText(n).empty()) << n;
        EXPECT_FALSE(chinese.GetText(n).empty()) << n;
        EXPECT_NE(english.GetText(n), chinese.GetText(n)) << n;
        EXPECT_EQ(english.GetText(n), vgr47::IniRead(CataloguePath(), "language", std::to_string(200000 + n)));
    }
    EXPECT_EQ(english.GetText(999999), "");
}

}  // namespace
}  // namespace vgr47

// A value that itself holds "%s" (a file name, a typed code) is put in as it stands.
TEST(FillPlaces, FillsThePlacesInOrderAndLeavesTheValuesAlone) {
    using vgr47::FillPlaces;
    EXPECT_EQ(FillPlaces("Line %s: %s", {"7", "the tone %s"}), "Line 7: the tone %s");
    EXPECT_EQ(FillPlaces("%s and %s", {"a"}), "a and %s");
    EXPECT_EQ(FillPlaces("no place", {"a", "b"}), "no place");
}
