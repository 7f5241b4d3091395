// velmo-cli on every sample design under a comma-decimal locale and under C.UTF-8: every
// command works in both, with the same figures. The reference tables and the samples
// hold "." decimals; the text output follows the locale; JSON, export files and the
// figures of the report are the same.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

using velmo::test::BinDir;
using velmo::test::CommandResult;
using velmo::test::ReadAll;
using velmo::test::RunCli;
using velmo::test::ShellQuote;
using velmo::test::TempDir;

namespace {

const char* const kComma = "LC_ALL=de_DE.UTF-8";
const char* const kPoint = "LC_ALL=C.UTF-8";

// Decimal commas between digits become points ("98,1" -> "98.1"); text commas stay.
std::string PointDecimals(std::string s) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (size_t i = 1; i + 1 < s.size(); ++i)
        if (s[i] == ',' && digit(s[i - 1]) && digit(s[i + 1])) s[i] = '.';
    return s;
}

// `s` with every `from` replaced by `to`.
std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

std::string PdfText(const std::string& pdf) {
    std::string out;
    if (FILE* f = popen(("pdftotext -q -enc UTF-8 " + ShellQuote(pdf) + " -").c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
        pclose(f);
    }
    return out;
}

}  // namespace

TEST(CliLocale, EverySampleGivesTheSameFiguresUnderACommaLocale) {
    // The comma locale must be in effect, or the comparison proves nothing
    // (tools/ensure-deps.sh generates de_DE.UTF-8).
    const std::string probe = BinDir() + "samples/rnvx_circular_fm.bcst";
    auto de = RunCli("info " + ShellQuote(probe), kComma);
    ASSERT_EQ(de.Status, 0) << de.Err;
    ASSERT_NE(de.Out.find("MidFreq: 98,1\n"), std::string::npos)
        << "de_DE.UTF-8 is not installed? " << de.Out.substr(0, 400);

    TempDir dir;
    int samples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(BinDir() + "samples")) {
        if (entry.path().extension() != ".bcst") continue;
        ++samples;
        const std::string name = entry.path().stem().string();
        const std::string file = ShellQuote(entry.path().string());
        SCOPED_TRACE(name);

        auto textC = RunCli("info " + file, kPoint);
        auto textDe = RunCli("info " + file, kComma);
        ASSERT_EQ(textC.Status, 0) << textC.Err;
        ASSERT_EQ(textDe.Status, 0) << textDe.Err;
        EXPECT_EQ(PointDecimals(textDe.Out), textC.Out);

        auto jsonC = RunCli("info --json " + file, kPoint);
        auto jsonDe = RunCli("info --json " + file, kComma);
        ASSERT_EQ(jsonDe.Status, 0) << jsonDe.Err;
        EXPECT_EQ(jsonDe.Out, jsonC.Out);

        // Export files are the same, byte for byte.
        for (const char* format : {"edx", "planet", "csv"}) {
            const std::string c = dir.File("c/" + name + ".txt"), d = dir.File("de/" + name + ".txt");
            auto ec = RunCli(std::string("export ") + format + " " + file + " -o " + ShellQuote(c), kPoint);
            auto ed = RunCli(std::string("export ") + format + " " + file + " -o " + ShellQuote(d), kComma);
            // Custom designs are refused alike in both.
            EXPECT_EQ(ed.Status, ec.Status) << format << ed.Err;
            EXPECT_EQ(ed.Err, ec.Err) << format;
            if (name.rfind("custom", 0) != 0) {
                ASSERT_EQ(ec.Status, 0) << format << ec.Err;
            }
            for (const auto& written : std::filesystem::directory_iterator(dir.File("c"))) {
                const std::string other = dir.File("de/" + written.path().filename().string());
                ASSERT_TRUE(std::filesystem::exists(other)) << other;
                EXPECT_EQ(ReadAll(other), ReadAll(written.path().string())) << format << " " << other;
                std::filesystem::remove(other);
                std::filesystem::remove(written.path());
            }
        }

        // The report: the same pages and figures, the numbers with the locale's separator.
        const std::string pc = dir.File(name + "-c.pdf"), pd = dir.File(name + "-de.pdf");
        auto rc = RunCli("report " + file + " -o " + ShellQuote(pc), kPoint);
        auto rd = RunCli("report " + file + " -o " + ShellQuote(pd), kComma);
        ASSERT_EQ(rd.Status, 0) << rd.Err;
        ASSERT_EQ(rc.Status, 0) << rc.Err;
        EXPECT_EQ(ReplaceAll(rd.Out, "-de.pdf", "-c.pdf"), rc.Out);
        const std::string textPc = PdfText(pc), textPd = PdfText(pd);
        EXPECT_GT(textPc.size(), 500u);
        EXPECT_EQ(PointDecimals(textPd), textPc);
    }
    EXPECT_GE(samples, 8);

    // An FM array computed from the command line, each locale writing its own numbers.
    auto fmC = RunCli("fm-pattern --family RNVX --bays 8 --spacing 1 --tilt -0.75 --fill1 10 --json", kPoint);
    auto fmDe = RunCli("fm-pattern --family RNVX --bays 8 --spacing 1 --tilt -0,75 --fill1 10 --json", kComma);
    ASSERT_EQ(fmDe.Status, 0) << fmDe.Err;
    EXPECT_EQ(fmDe.Out, fmC.Out);
}
