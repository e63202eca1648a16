#include "core/channel_csv.h"

#include <gtest/gtest.h>

namespace vgr47 {
namespace {

const std::string kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

CsvChannel Channel(int location, long long rx, std::optional<long long> tx) {
    CsvChannel ch;
    ch.location = location;
    ch.rxHz = rx;
    ch.txHz = tx;
    return ch;
}

TEST(ChannelCsvWrite, DuplexAndOffsetFollowTheTransmitFrequency) {
    EXPECT_EQ(ChannelCsvRow(Channel(1, 145125000, 145125000)),
              "1,,145.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,");
    EXPECT_EQ(ChannelCsvRow(Channel(2, 145125000, 145725000)).substr(0, 30),
              "2,,145.125000,+,0.600000,,88.5");
    EXPECT_EQ(ChannelCsvRow(Channel(3, 439000000, 431400000)).substr(0, 26),
              "3,,439.000000,-,7.600000,,");
    // 70 MHz apart or more: the transmit frequency itself.
    EXPECT_EQ(ChannelCsvRow(Channel(4, 136000000, 206000000)).substr(0, 34),
              "4,,136.000000,split,206.000000,,88");
    EXPECT_EQ(ChannelCsvRow(Channel(5, 136000000, 205999990)).substr(0, 28),
              "5,,136.000000,+,69.999990,,8");
    EXPECT_EQ(ChannelCsvRow(Channel(6, 136000000, std::nullopt)).substr(0, 32),
              "6,,136.000000,off,0.000000,,88.5");
}

TEST(ChannelCsvWrite, EveryTonePairingHasItsModeAndNeutralValuesElsewhere) {
    auto row = [](CsvTone enc, CsvTone dec, bool narrow = false, bool skip = false) {
        CsvChannel ch = Channel(7, 145000000, 145000000);
        ch.encode = enc;
        ch.decode = dec;
        ch.narrow = narrow;
        ch.skip = skip;
        return ChannelCsvRow(ch);
    };
    const std::string head = "7,,145.000000,,0.000000,";
    const CsvTone none;
    EXPECT_EQ(row(CsvTone::Ctcss(1000), none),
              head + "Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,");
    EXPECT_EQ(row(CsvTone::Ctcss(1318), CsvTone::Ctcss(1318)),
              head + "TSQL,131.8,131.8,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,");
    EXPECT_EQ(row(CsvTone::Dcs(754, false), CsvTone::Dcs(754, true), true),
              head + "DTCS,88.5,88.5,754,NR,754,Tone->Tone,NFM,5.00,,5.0W,,,,,");
    EXPECT_EQ(row(CsvTone::Ctcss(670), CsvTone::Ctcss(1000), false, true),
              head + "Cross,67.0,100.0,023,NN,023,Tone->Tone,FM,5.00,S,5.0W,,,,,");
    EXPECT_EQ(row(CsvTone::Ctcss(670), CsvTone::Dcs(25, true)),
              head + "Cross,67.0,88.5,023,NR,025,Tone->DTCS,FM,5.00,,5.0W,,,,,");
    EXPECT_EQ(row(CsvTone::Dcs(31, true), CsvTone::Ctcss(2541)),
              head + "Cross,88.5,254.1,031,RN,023,DTCS->Tone,FM,5.00,,5.0W,,,,,");
    EXPECT_EQ(row(CsvTone::Dcs(31, false), CsvTone::Dcs(65, false)),
              head + "Cross,88.5,88.5,031,NN,065,DTCS->DTCS,FM,5.00,,5.0W,,,,,");
    EXPECT_EQ(row(none, CsvTone::Ctcss(885)),
              head + "Cross,88.5,88.5,023,NN,023,->Tone,FM,5.00,,5.0W,,,,,");
    EXPECT_EQ(row(none, CsvTone::Dcs(23, true)),
              head + "Cross,88.5,88.5,023,NR,023,->DTCS,FM,5.00,,5.0W,,,,,");
    EXPECT_EQ(row(CsvTone::Dcs(23, true), none),
              head + "Cross,88.5,88.5,023,RN,023,DTCS->,FM,5.00,,5.0W,,,,,");
}

TEST(ChannelCsvWrite, FileHasTheHeaderNoMarkAndCrLfLines) {
    CsvChannel ch = Channel(100, 136000000, 136000000);
    ch.name = "Depot, north";
    ch.comment = "say \"hi\"";
    const std::string text = WriteChannelCsv({ch});
    EXPECT_EQ(
        text,
        kHeader +
            "\r\n100,\"Depot, north\",136.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,"
            "5.00,,5.0W,\"say \"\"hi\"\"\",,,,\r\n");
    // Read back, the quoted fields come out whole.
    const CsvReadResult back = ReadChannelCsv(text);
    ASSERT_EQ(back.rows.size(), 1u);
    EXPECT_EQ(back.rows[0].channel.name, "Depot, north");
    EXPECT_EQ(back.rows[0].channel.comment, "say \"hi\"");
}

TEST(ChannelCsvRead, HeaderByNameInAnyOrderWithCommentsMarkAndUnknownColumns) {
    const std::string text =
        "\xEF\xBB\xBF# exported by hand\n"
        "\n"
        "Frequency,Extra,Location,Mode,Duplex,Offset,Skip\r\n"
        "146.52,x,12,NFM,-,0.6,S\r\n"
        "# a comment between rows\n"
        "\"440.000\",,3,FM,split,445.5,\n";
    const CsvReadResult r = ReadChannelCsv(text);
    EXPECT_TRUE(r.problems.empty());
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].line, 4);
    EXPECT_EQ(r.rows[0].channel.location, 12);
    EXPECT_EQ(r.rows[0].channel.rxHz, 146520000);
    EXPECT_EQ(r.rows[0].channel.txHz, 145920000);
    EXPECT_TRUE(r.rows[0].channel.narrow);
    EXPECT_TRUE(r.rows[0].channel.skip);
    EXPECT_EQ(r.rows[0].channel.encode.kind, CsvTone::Kind::None);
    EXPECT_EQ(r.rows[1].line, 6);
    EXPECT_EQ(r.rows[1].channel.txHz, 445500000);
    EXPECT_FALSE(r.rows[1].channel.narrow);
    EXPECT_FALSE(r.rows[1].channel.skip);
}

TEST(ChannelCsvRead, EveryToneModeGivesItsTonePair) {
    const std::string text = kHeader +
                             "\n"
                             "1,,145.0,,0,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
                             "2,,145.0,,0,TSQL,88.5,131.8,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
                             "3,,145.0,,0,DTCS,88.5,88.5,754,RN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
                             "4,,145.0,,0,Cross,67.0,71.9,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
                             "5,,145.0,,0,Cross,67.0,88.5,023,NR,116,Tone->DTCS,FM,5.00,,5W,,,,,\n"
                             "6,,145.0,,0,Cross,88.5,250.3,532,RN,023,DTCS->Tone,FM,5.00,,5W,,,,,\n"
                             "7,,145.0,,0,Cross,88.5,88.5,532,NR,047,DTCS->DTCS,FM,5.00,,5W,,,,,\n"
                             "8,,145.0,,0,Cross,88.5,97.4,023,NN,023,->Tone,FM,5.00,,5W,,,,,\n"
                             "9,,145.0,,0,Cross,88.5,88.5,023,NR,065,->DTCS,FM,5.00,,5W,,,,,\n"
                             "10,,145.0,,0,Cross,88.5,88.5,065,RN,023,DTCS->,FM,5.00,,5W,,,,,\n"
                             "11,,145.0,,0,,100.0,100.0,065,RR,023,DTCS->,FM,5.00,,5W,,,,,\n";
    const CsvReadResult r = ReadChannelCsv(text);
    ASSERT_TRUE(r.problems.empty());
    ASSERT_EQ(r.rows.size(), 11u);
    const CsvTone none;
    const std::vector<std::pair<CsvTone, CsvTone>> expected = {
        {CsvTone::Ctcss(1000), none},
        {CsvTone::Ctcss(1318), CsvTone::Ctcss(1318)},
        {CsvTone::Dcs(754, true), CsvTone::Dcs(754, false)},
        {CsvTone::Ctcss(670), CsvTone::Ctcss(719)},
        {CsvTone::Ctcss(670), CsvTone::Dcs(116, true)},
        {CsvTone::Dcs(532, true), CsvTone::Ctcss(2503)},
        {CsvTone::Dcs(532, false), CsvTone::Dcs(47, true)},
        {none, CsvTone::Ctcss(974)},
        {none, CsvTone::Dcs(65, true)},
        {CsvTone::Dcs(65, true), none},
        {none, none},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(r.rows[i].channel.encode, expected[i].first) << "row " << i + 1;
        EXPECT_EQ(r.rows[i].channel.decode, expected[i].second) << "row " << i + 1;
    }
}

TEST(ChannelCsvRead, EveryKindOfProblemIsReportedWithItsLineAndTheRowSkipped) {
    const std::string text =
        kHeader +
        "\n"
        "x,,145.0,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
        "2,,abc,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
        "3,,145.0,x,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
        "4,,145.0,+,,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
        "5,,145.0,,0,TSQL-R,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
        "6,,145.0,,0,Cross,88.5,88.5,023,NN,023,Tone=>Tone,FM,5.00,,5W,,,,,\n"
        "7,,145.0,,0,Tone,,88.5,023,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
        "8,,145.0,,0,DTCS,88.5,88.5,089,NN,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
        "9,,145.0,,0,DTCS,88.5,88.5,023,NX,023,Tone->Tone,FM,5.00,,5W,,,,,\n"
        "10,,145.0,,0,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,5W,,,,,\n"
        "\"11\",,145.0,,0,,88.5,88.5,023,NN,023,Tone->Tone,\"NFM\",5.00,,5W,,,,,\n";
    const CsvReadResult r = ReadChannelCsv(text);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].line, 12);
    const std::vector<std::pair<CsvProblem, std::string>> expected = {
        {CsvProblem::BadLocation, "x"},      {CsvProblem::BadFrequency, "abc"},
        {CsvProblem::BadDuplex, "x"},        {CsvProblem::BadOffset, ""},
        {CsvProblem::BadToneMode, "TSQL-R"}, {CsvProblem::BadCrossMode, "Tone=>Tone"},
        {CsvProblem::BadToneFreq, ""},       {CsvProblem::BadDtcsCode, "089"},
        {CsvProblem::BadPolarity, "NX"},     {CsvProblem::UnsupportedMode, "AM"},
    };
    ASSERT_EQ(r.problems.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(r.problems[i].line, static_cast<int>(i) + 2);
        EXPECT_EQ(r.problems[i].problem, expected[i].first) << "line " << i + 2;
        EXPECT_EQ(r.problems[i].value, expected[i].second) << "line " << i + 2;
    }
}

TEST(ChannelCsvRead, FileWithoutTheNeededColumnsIsOneProblem) {
    CsvReadResult r = ReadChannelCsv("Name,Frequency\nx,145.0\n");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].problem, CsvProblem::NoHeader);
    EXPECT_TRUE(r.rows.empty());
    r = ReadChannelCsv("# nothing\n");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].problem, CsvProblem::NoHeader);
}

TEST(ChannelCsvRead, QuotedFieldsSpanLinesAndLineNumbersFollow) {
    const CsvReadResult r =
        ReadChannelCsv("Location,Frequency,Comment\n1,145.0,\"two\nlines\"\n2,146.0,\n");
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].channel.comment, "two\nlines");
    EXPECT_EQ(r.rows[1].line, 4);
}

TEST(ChannelCsvRead, MegahertzTextsToHertzByDigits) {
    EXPECT_EQ(ParseMegahertz("136.025"), 136025000);
    EXPECT_EQ(ParseMegahertz(" 66.1 "), 66100000);
    EXPECT_EQ(ParseMegahertz("145.1234567"), 145123457);
    EXPECT_EQ(ParseMegahertz("145"), 145000000);
    EXPECT_FALSE(ParseMegahertz("1e6"));
    EXPECT_FALSE(ParseMegahertz("-5"));
    EXPECT_FALSE(ParseMegahertz(""));
    EXPECT_EQ(FormatMegahertz(136025000), "136.025000");
    EXPECT_EQ(FormatMegahertz(600000), "0.600000");
}

}  // namespace
}  // namespace vgr47
