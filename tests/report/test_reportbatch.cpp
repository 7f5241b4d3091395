// velmo-cli report with several designs: one report per design in the output folder,
// each the same as the design's own single report, failures named without stopping
// the others.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/folders.h"
#include "report_test_util.h"
#include "test_support.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using test::ShellQuote;

bool Has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

std::string PdfText(const std::string& pdf) {
    return test::RunTool("pdftotext -q -enc UTF-8 " + ShellQuote(pdf) + " -");
}

std::vector<std::string> Samples() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(AppPath() + "samples"))
        if (e.path().extension() == ".bcst") names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReportBatch, EveryGoodDesignIsWrittenAsItsSingleReportAndEveryBadOneNamed) {
    test::TempDir dir;
    const std::string out = dir.File("out") + "/";
    const std::vector<std::string> names = Samples();
    ASSERT_GE(names.size(), 6u);
    // A file that is no design, and a sample whose report exists write-protected: the
    // first fails when read, the second when written.
    const std::string bad = dir.Write("in/broken design.bcst", "[HEADER]\r\ntype=Other\r\n");
    const std::string locked = names[1];
    fs::create_directories(out);
    const std::string lockedPdf = dir.Write("out/" + locked + ".pdf", "the previous report");
    ASSERT_EQ(::chmod(lockedPdf.c_str(), 0444), 0);

    std::string args = "report";
    for (size_t i = 0; i < names.size(); ++i) {
        args += " " + ShellQuote(AppPath() + "samples/" + names[i] + ".bcst");
        if (i == 2) args += " " + ShellQuote(bad);
    }
    const auto r = test::RunCli(args + " -o " + ShellQuote(out));

    EXPECT_EQ(r.Status, 1) << r.Err;
    EXPECT_TRUE(Has(r.Err, "velmo-cli report: " + bad + ": Unable to open file.")) << r.Err;
    EXPECT_TRUE(Has(r.Err, "samples/" + locked + ".bcst: Cannot create file \"" + lockedPdf))
        << r.Err;
    EXPECT_TRUE(Has(r.Err, "2 of " + std::to_string(names.size() + 1) + " reports failed.")) << r.Err;
    EXPECT_FALSE(Has(r.Err, "Reports:")) << "no progress line without a terminal";
    EXPECT_EQ(test::ReadAll(lockedPdf), "the previous report");
    EXPECT_FALSE(fs::exists(out + "broken design.pdf"));

    // Each written report is named on stdout in the order given, and reads as the
    // single report of the same design.
    std::string expectedOut;
    for (const auto& name : names) {
        if (name == locked) continue;
        const std::string pdf = out + name + ".pdf";
        const std::string single = dir.File("single/" + name + ".pdf");
        const auto s = test::RunCli("report " + ShellQuote(AppPath() + "samples/" + name + ".bcst") +
                                    " -o " + ShellQuote(single));
        ASSERT_EQ(s.Status, 0) << name << s.Err;
        ASSERT_EQ(s.Out.rfind(single + " (", 0), 0u) << s.Out;
        expectedOut += pdf + s.Out.substr(single.size());
        const std::string text = PdfText(pdf);
        EXPECT_GT(text.size(), 500u) << name;
        EXPECT_EQ(text, PdfText(single)) << name;
    }
    EXPECT_EQ(r.Out, expectedOut);
}

TEST(ReportBatch, TheKindAndTheOutputFolderFormApplyToEveryDesign) {
    test::TempDir dir;
    const std::string design = AppPath() + "samples/miraldo_uhf_elliptical_top.bcst";
    const struct {
        std::string Args;
        std::string Pdf;
        const char* Pages;
    } cases[] = {
        // One design with an output folder, created with its parents.
        {ShellQuote(design) + " -o " + ShellQuote(dir.File("a/b") + "/"),
         dir.File("a/b/miraldo_uhf_elliptical_top.pdf"), "(15 pages)"},
        // An existing folder named without the slash, one process, the azimuth pages.
        {ShellQuote(design) + " " + ShellQuote(AppPath() + "samples/custom_tv.bcst") +
             " --azimuth --jobs 1 -o " + ShellQuote(dir.File("a")),
         dir.File("a/miraldo_uhf_elliptical_top.pdf"), "(4 pages)"},
    };
    for (const auto& c : cases) {
        const auto r = test::RunCli("report " + c.Args);
        EXPECT_EQ(r.Status, 0) << c.Args << r.Err;
        EXPECT_TRUE(Has(r.Out, c.Pdf + " " + c.Pages + "\n")) << r.Out;
        EXPECT_TRUE(fs::is_regular_file(c.Pdf)) << c.Pdf;
    }
}

// On a terminal the batch counts its reports on one line of stderr, cleared at the end.
TEST(ReportBatch, ATerminalSeesAProgressLine) {
    test::TempDir dir;
    if (test::RunTool("command -v script").empty()) GTEST_SKIP() << "script is not installed";
    const std::string command =
        std::string(VELMO_CLI) + " report " + ShellQuote(AppPath() + "samples/custom_tv.bcst") +
        " " + ShellQuote(AppPath() + "samples/custom_fm.bcst") + " -o " +
        ShellQuote(dir.File("out") + "/") + " >/dev/null";
    // script runs the command on a new terminal and copies what it shows.
    const std::string shown = test::RunTool("script -qec " + ShellQuote(command) + " /dev/null");
    EXPECT_TRUE(Has(shown, "\rReports: 0 of 2 done")) << shown;
    EXPECT_TRUE(Has(shown, "\rReports: 2 of 2 done")) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\033[K") << shown;
    EXPECT_TRUE(fs::is_regular_file(dir.File("out/custom_fm.pdf")));
}

TEST(ReportBatch, RefusesBeforeWritingAnything) {
    test::TempDir dir;
    const std::string kvr = AppPath() + "samples/kvr_horizontal_ch34.bcst";
    const std::string twin = dir.Write("other/kvr_horizontal_ch34.bcst", test::ReadAll(kvr));
    const std::string plain = dir.Write("plain.txt", "not a folder");
    const std::string out = dir.File("out") + "/";
    const struct {
        std::string Args;
        std::string Message;
    } cases[] = {
        // Two designs of one name would write one report over the other.
        {ShellQuote(kvr) + " " + ShellQuote(twin) + " -o " + ShellQuote(out),
         "Designs \"" + kvr + "\" and \"" + twin + "\" would both be written to \"" + out +
             "kvr_horizontal_ch34.pdf\". Rename one of them."},
        {ShellQuote(kvr) + " " + ShellQuote(kvr) + " -o " + ShellQuote(out), "would both be written"},
        {ShellQuote(kvr) + " " + ShellQuote(AppPath() + "samples/custom_tv.bcst") + " -o " +
             ShellQuote(plain),
         "Cannot create folder \"" + plain + "\". It is not a folder."},
        {ShellQuote(kvr) + " --jobs 0 -o " + ShellQuote(out), "--jobs needs a number"},
        {"-o " + ShellQuote(out), "needs at least one design file"},
    };
    for (const auto& c : cases) {
        const auto r = test::RunCli("report " + c.Args);
        EXPECT_EQ(r.Status, 1) << c.Args;
        EXPECT_TRUE(Has(r.Err, c.Message)) << c.Args << ": " << r.Err;
        EXPECT_EQ(r.Out, "") << c.Args;
        EXPECT_FALSE(fs::exists(out)) << c.Args;
    }
    EXPECT_EQ(test::ReadAll(plain), "not a folder");
}

}  // namespace
}  // namespace velmo
