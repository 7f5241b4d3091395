// velmo-cli info over the sample designs and over files it must refuse.
#include <gtest/gtest.h>

#include "test_support.h"

using velmo::test::BinDir;
using velmo::test::RunCli;
using velmo::test::ShellQuote;
using velmo::test::TempDir;

TEST(CliInfo, TextAndJson) {
    const std::string file = BinDir() + "samples/kvr_horizontal_ch34.bcst";
    auto text = RunCli("info " + ShellQuote(file));
    ASSERT_EQ(text.Status, 0) << text.Err;
    EXPECT_NE(text.Out.find("Title: Orvane KVR HORIZONTALLY POLARIZED\n"), std::string::npos);
    EXPECT_NE(text.Out.find("PartNumber: KVR16M4-HSCD-34\n"), std::string::npos);
    EXPECT_NE(text.Out.find("InputType: 3-1/8 EIA 50 Ohm\n"), std::string::npos);
    EXPECT_NE(text.Out.find("Mechanical:\n"), std::string::npos);

    auto json = RunCli("info --json " + ShellQuote(file));
    ASSERT_EQ(json.Status, 0) << json.Err;
    for (const char* key :
         {"\"Title\": ", "\"PartNumber\": \"KVR16M4-HSCD-34\"", "\"InputType\": ",
          "\"SystemType\": \"TV\"", "\"FamilyID\": \"KVR\"", "\"PowerCode\": \"M\"",
          "\"MountCode\": \"S\"", "\"PolCode\": \"H\"", "\"FeedCode\": \"\"",
          "\"ChannelNumber\": \"34\"", "\"MidFreq\": 593", "\"ERPkWHorz\": ",
          "\"TransmitterPowerkW\": 10", "\"AntennaInputkW\": ", "\"PowerGainRatioHorz\": ",
          "\"LineLossdB\": ", "\"Efficiency\": ", "\"GainAtHorzdBd\": ", "\"Mechanical\": {",
          "\"HorzPattern\": {", "\"Weight\": "})
        EXPECT_NE(json.Out.find(key), std::string::npos) << key;
    EXPECT_EQ(json.Out.front(), '{');
    EXPECT_EQ(json.Out.substr(json.Out.size() - 2), "}\n");
}

TEST(CliInfo, JsonNumbersIgnoreTheLocaleSeparator) {
    const std::string file = BinDir() + "samples/rnvx_circular_fm.bcst";
    auto json = RunCli("info --json " + ShellQuote(file));
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_NE(json.Out.find("\"MidFreq\": 98.1,"), std::string::npos);
    EXPECT_NE(json.Out.find("\"FMPattern\": {"), std::string::npos);
    EXPECT_NE(json.Out.find("\"PartNumber\": \"RNVX-8C-31\""), std::string::npos);
}

TEST(CliInfo, BadFilesFailWithTheirMessage) {
    TempDir dir;
    struct Case { std::string bytes; std::string message; } cases[] = {
        {"[HEADER]\r\ntype=Other\r\n", "Unable to open file."},
        {"\x01\x02\xFF garbage", "Unable to open file."},
        {"[HEADER]\r\ntype=Velmo\r\n", "'' is not a valid floating point value"},
        {"[HEADER]\r\ntype=Velmo\r\n[PARAMETERS]\r\nmax_erp_kw=12x\r\n",
         "'12x' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
        auto r = RunCli("info " + ShellQuote(dir.Write("bad.bcst", c.bytes)));
        EXPECT_EQ(r.Status, 1) << c.bytes;
        EXPECT_NE(r.Err.find(c.message), std::string::npos) << r.Err;
        EXPECT_EQ(r.Out, "");
    }
    auto missing = RunCli("info " + ShellQuote(dir.File("missing.bcst")));
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("Unable to open file."), std::string::npos);
    auto usage = RunCli("info");
    EXPECT_NE(usage.Status, 0);
}
