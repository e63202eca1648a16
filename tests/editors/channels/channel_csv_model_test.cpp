// Channels to and from generic CSV through the channel dialog's model: the bytes a hand-written
// file gives, what is skipped and why, and round trips.

#include "editors/channels/channel_csv_model.h"

#include <gtest/gtest.h>

#include "core/memory_map.h"
#include "tests/support/form_fixture.h"

namespace vgr47 {
namespace {

using testing::FormFixture;

const std::string kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n";

struct CsvFixture : FormFixture {
    explicit CsvFixture(int model) : FormFixture(model) {
        dialog = std::make_unique<ChannelDlgModel>(*channels, image, texts);
    }
    std::string Record(int n) const {
        return image.ReadBytes(mem::ChannelRecordAddress(n), mem::kChannelRecordBytes);
    }
    ChannelCsvImportPlan Import(const std::string& csv, bool replace = false) {
        ChannelCsvImportPlan plan = PlanChannelCsvImport(csv, *channels, texts);
        ApplyChannelCsvImport(plan, *dialog, replace);
        return plan;
    }
    ChannelCsvImportPlan PlanOnly(const std::string& csv) const {
        return PlanChannelCsvImport(csv, *channels, texts);
    }
    std::string Export() const { return ExportChannelCsv(*channels, texts); }
    std::unique_ptr<ChannelDlgModel> dialog;
};

// Every tone mode and duplex kind on a basic 136-174 MHz model; the records as the layout
// stores them: receive and transmit frequency as BCD in 10 Hz units, lowest pair first; decode,
// then encode tone (CTCSS tenths little-endian, DCS word with 2 = normal, A = inverted); flags A
// (FF wide, FD narrow with the defaults' tail elimination on and compander off); FF FF; B5 in
// the scan list, B4 not.
TEST(ChannelCsvImport, HandWrittenRowsGiveTheExpectedRecords) {
    CsvFixture f(testing::kBasicModel);
    const ChannelCsvImportPlan plan = f.Import(
        kHeader +
        "1,,145.125000,,0.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n"
        "2,,146.000000,+,0.600000,TSQL,100.0,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,5.0W,,,,,\n"
        "3,,150.000000,-,1.000000,DTCS,88.5,88.5,754,RN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n"
        "4,,140.000000,split,170.000000,Cross,67.0,88.5,023,NR,023,Tone->DTCS,FM,5.00,,5W,,,,,\n"
        "5,,141.000000,off,0.000000,Cross,88.5,88.5,023,NN,023,->Tone,FM,5.00,,5W,,,,,\n"
        "100,,160.000000,,0.000000,Cross,88.5,88.5,031,NN,065,DTCS->DTCS,FM,5.00,,5W,,,,,\n"
        "101,,136.012500,,0.000000,Cross,88.5,88.5,023,RN,023,DTCS->,FM,5.00,,5W,,,,,\n");
    EXPECT_TRUE(plan.skipped.empty());
    EXPECT_EQ(f.Record(1),
              "00255114"
              "00255114"
              "FFFF"
              "E803"
              "FF"
              "FF"
              "FF"
              "B5");
    EXPECT_EQ(f.Record(2),
              "00006014"
              "00006614"
              "7503"
              "7503"
              "FD"
              "FF"
              "FF"
              "B4");
    EXPECT_EQ(f.Record(3),
              "00000015"
              "00009014"
              "EC29"
              "ECA9"
              "FF"
              "FF"
              "FF"
              "B5");
    EXPECT_EQ(f.Record(4),
              "00000014"
              "00000017"
              "13A8"
              "9E02"
              "FF"
              "FF"
              "FF"
              "B5");
    EXPECT_EQ(f.Record(5),
              "00001014"
              "FFFFFFFF"
              "7503"
              "FFFF"
              "FF"
              "FF"
              "FF"
              "B5");
    EXPECT_EQ(f.Record(100),
              "00000016"
              "00000016"
              "3528"
              "1928"
              "FF"
              "FF"
              "FF"
              "B5");
    EXPECT_EQ(f.Record(101),
              "50126013"
              "50126013"
              "FFFF"
              "13A8"
              "FF"
              "FF"
              "FF"
              "B5");
}

TEST(ChannelCsvImport, RowsTheRadioCannotHoldAreReportedAndNothingElseChanges) {
    CsvFixture f(testing::kSignallingModel);
    const std::string before = f.image.image();
    const ChannelCsvImportPlan plan =
        f.PlanOnly(kHeader +
                   "# comment\n"
                   "1,,120.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
                   "2,,145.000000,+,40.0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
                   "3,,145.000000,,0,Tone,100.1,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
                   "4,,145.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,5W,,,,,\n"
                   "100,,145.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
                   "0,,145.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
                   "7,,145.000000,,0,DTCS,88.5,88.5,017,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n");
    EXPECT_TRUE(plan.empty());
    const std::vector<std::string> expected = {
        "Line 3: 120.00000 MHz lies outside the band 136.00000-174.00000 MHz",
        "Line 4: 185.00000 MHz lies outside the band 136.00000-174.00000 MHz",
        "Line 5: the tone 100.1 is not in the tone list",
        "Line 6: the mode \"AM\" is neither FM nor NFM",
        "Line 7: this radio has no channel 100",
        "Line 8: this radio has no channel 0",
        "Line 9: the tone D017N is not in the tone list",
    };
    EXPECT_EQ(plan.skipped, expected);
    EXPECT_EQ(ApplyChannelCsvImport(plan, *f.dialog, true), 0);
    EXPECT_EQ(f.image.image(), before);
    EXPECT_EQ(ChannelCsvImportReport(plan, f.texts).substr(0, 44),
              "No row can be imported; nothing was changed.");
}

TEST(ChannelCsvImport, MergeKeepsOtherChannelsAndReplaceSwitchesThemOff) {
    CsvFixture f(testing::kSignallingModel);
    f.ScanChannels({1, 2, 3});
    const std::string csv =
        kHeader + "2,,150.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,5W,,,,,\n";
    ChannelCsvImportPlan plan = f.Import(csv);
    EXPECT_EQ(ChannelCsvImportReport(plan, f.texts),
              "1 channel will be imported, 0 rows are skipped.");
    EXPECT_FALSE(f.channels->IsRowEmpty(1));
    EXPECT_EQ(f.channels->CellText(2, ChannelModel::kColRx), "150.00000");
    EXPECT_FALSE(f.channels->IsRowEmpty(3));
    f.Import(csv, true);
    EXPECT_TRUE(f.channels->IsRowEmpty(1));
    EXPECT_FALSE(f.channels->IsRowEmpty(2));
    EXPECT_TRUE(f.channels->IsRowEmpty(3));
    EXPECT_EQ(f.Record(2).substr(30), "B4");
}

TEST(ChannelCsvImport, ARepeatedLocationKeepsItsFirstRowAndTheCountsReadInTheSingular) {
    CsvFixture f(testing::kSignallingModel);
    const std::string row = ",,150.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,5W,,,,,\n";
    const std::string other =
        ",,151.000000,,0,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,5W,,,,,\n";
    ChannelCsvImportPlan plan = f.Import(kHeader + "2" + row + "3" + row + "2" + other);
    EXPECT_EQ(ChannelCsvImportReport(plan, f.texts),
              "2 channels will be imported, 1 row is skipped.\n"
              "Line 4: the Location 2 was given on line 2 already");
    EXPECT_EQ(f.channels->CellText(2, ChannelModel::kColRx), "150.00000");

    plan = f.PlanOnly(kHeader + "5" + row + "5" + other);
    EXPECT_EQ(ChannelCsvImportReport(plan, f.texts).substr(0, 46),
              "1 channel will be imported, 1 row is skipped.\n");
    plan = f.PlanOnly(kHeader + "5" + row + "6" + row + "0" + row + "0" + row);
    EXPECT_EQ(ChannelCsvImportReport(plan, f.texts).substr(0, 48),
              "2 channels will be imported, 2 rows are skipped.");
}

// Export then import into the same codeplug changes no record; into a new codeplug of the model
// it gives the same CSV.
TEST(ChannelCsvImport, ExportedFilesComeBackUnchangedOnEveryKindOfModel) {
    for (int model : {testing::kBasicModel, testing::kSignallingModel, 1, 10}) {
        CsvFixture f(model);
        const std::string band =
            model == 1 || model == 10 ? (model == 1 ? "70.0" : "450.0") : "150.0";
        f.Import(kHeader + "1,," + band +
                 ",+,1.25,Tone,103.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n" + "2,," + band +
                 ",off,0,Cross,88.5,88.5,023,NN,743,->DTCS,NFM,5.00,S,5W,,,,,\n" + "9,," + band +
                 ",,0,DTCS,88.5,88.5,411,RR,023,Tone->Tone,FM,5.00,,5W,,,,,\n" + "99,," + band +
                 ",-,2.0,Cross,88.5,71.9,606,NN,023,DTCS->Tone,FM,5.00,,5W,,,,,\n");
        const std::string exported = f.Export();
        const std::string before = f.image.image();
        const ChannelCsvImportPlan again = f.Import(exported);
        EXPECT_TRUE(again.skipped.empty()) << model;
        EXPECT_EQ(again.rows.size(), 4u);
        EXPECT_EQ(f.image.image(), before) << model;

        CsvFixture fresh(model);
        fresh.Import(exported);
        EXPECT_EQ(fresh.Export(), exported) << model;
        // None of the always-filled columns is empty.
        std::size_t at = exported.find('\n') + 1;
        while (at < exported.size()) {
            int lines = 0;
            auto fields = SplitCsvRecord(exported, at, lines);
            ASSERT_EQ(fields.size(), 21u);
            for (int column : {0, 2, 4, 6, 7, 8, 9, 10, 11, 12, 13, 15})
                EXPECT_FALSE(fields[column].empty());
        }
    }
}

TEST(ChannelCsvExport, GridValuesBecomeRows) {
    CsvFixture f(testing::kBasicModel);
    f.Import(kHeader +
             "100,,145.125,+,0.6,Cross,123.0,88.5,023,NR,065,Tone->DTCS,NFM,5.00,S,5W,,,,,\n");
    EXPECT_EQ(
        f.Export(),
        std::string(kChannelCsvHeader) +
            "\r\n100,,145.125000,+,0.600000,Cross,123.0,88.5,023,NR,065,Tone->DTCS,NFM,5.00,S,"
            "5.0W,,,,,\r\n");
}

}  // namespace
}  // namespace vgr47
