// Composition of the reports: the page sequence of every sample design, read back
// from the PDF file page by page, the figures the pages print against the model's,
// and the report command of velmo-cli.
#include <cctype>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/folders.h"
#include "base/numbers.h"
#include "model/design.h"
#include "report/reportbuild.h"
#include "report/specsheet.h"
#include "report_test_util.h"
#include "test_support.h"

namespace velmo {
namespace {

std::string SamplePath(const std::string& name) { return AppPath() + "samples/" + name + ".bcst"; }

std::string PdfPageText(const std::string& pdf, int page) {
    const std::string n = std::to_string(page);
    return test::RunTool("pdftotext -q -enc UTF-8 -f " + n + " -l " + n + " " +
                         test::ShellQuote(pdf) + " -");
}

int PdfPageCount(const std::string& pdf) {
    const std::string info = test::RunTool("pdfinfo " + test::ShellQuote(pdf));
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

bool Has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

// What a report page is, told by its own texts; the pattern pages add the
// polarization they show (H, V, C).
std::string Classify(const std::string& text) {
    std::string pol;
    if (Has(text, "Polarization: Horizontal")) pol = "H";
    if (Has(text, "Polarization: Vertical")) pol = "V";
    if (Has(text, "ANTENNA TYPE:") && Has(text, "SPECIFICATION NO:")) return "cover";
    if (Has(text, "ELECTRICAL CHARACTERISTICS:")) return "electrical";
    if (Has(text, "MECHANICAL CHARACTERISTICS:")) return "mechanical";
    if (Has(text, "Power Analysis")) return "analysis";
    if (Has(text, "TYPICAL MOUNTING CONFIGURATION SHOWN")) return "mounting";
    if (Has(text, "FCC FILING FORMAT")) return "fcc" + pol;
    if (Has(text, "TABULATED DATA FOR AZIMUTH PATTERN")) return "aztable" + pol;
    if (Has(text, "TABULATED DATA FOR ELEVATION PATTERN")) return "eltable" + pol;
    if (Has(text, "AZIMUTH PATTERN")) return "azplot";
    if (Has(text, "ELEVATION PATTERN")) return "elplot";
    return "?";
}

struct SequenceCase {
    const char* Sample;
    std::vector<std::string> Pages;
};

class ReportSequence : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(ReportSequence, PagesInOrderWithFrameAndNumbers) {
    const SequenceCase& c = GetParam();
    test::TempDir dir;
    const std::string pdf = dir.File("report.pdf");
    auto design = LoadDesignFile(SamplePath(c.Sample));
    const std::string part = design->BuildPartNumber();
    const int pages = WriteReportPdf(*design, rkFull, pdf);
    ASSERT_EQ(pages, static_cast<int>(c.Pages.size()));
    ASSERT_EQ(PdfPageCount(pdf), pages);

    const bool hasCover = c.Pages.front() == "cover";
    for (int p = 1; p <= pages; ++p) {
        const std::string text = PdfPageText(pdf, p);
        SCOPED_TRACE("page " + std::to_string(p));
        EXPECT_EQ(Classify(text), c.Pages[static_cast<size_t>(p - 1)]) << text.substr(0, 300);
        EXPECT_TRUE(Has(text, part)) << "part number on every page";
        if (p == 1 && hasCover) {
            EXPECT_FALSE(Has(text, "Page 1"));
        } else {
            EXPECT_TRUE(Has(text, "SAMPLE Page " + std::to_string(p)) ||
                        Has(text, "SAMPLE  Page " + std::to_string(p)));
            EXPECT_TRUE(Has(text, "Preliminary, subject to final design and review."));
        }
    }
}

const std::vector<std::string> kTVSingle = {"cover",   "electrical", "mechanical",
                                            "analysis", "azplot",    "aztableH",
                                            "fccH",    "elplot",     "eltableH"};

INSTANTIATE_TEST_SUITE_P(
    Samples, ReportSequence,
    ::testing::Values(
        SequenceCase{"kvr_horizontal_ch34", kTVSingle}, SequenceCase{"qdmax_ch30", kTVSingle},
        SequenceCase{"varnok_ch9", kTVSingle},
        // Elliptical, not KVR: the azimuth and elevation pages again for the vertical
        // polarization; a KLX family adds the mounting picture.
        SequenceCase{"miraldo_uhf_elliptical_top",
                     {"cover", "electrical", "mechanical", "analysis", "mounting", "azplot",
                      "aztableH", "fccH", "azplot", "aztableV", "fccV", "elplot", "eltableH",
                      "elplot", "eltableV"}},
        SequenceCase{"custom_tv", {"electrical", "analysis"}},
        SequenceCase{"custom_fm", {"electrical", "analysis"}},
        SequenceCase{"rnvx_circular_fm",
                     {"cover", "electrical", "mechanical", "analysis", "elplot", "eltable"}},
        SequenceCase{"240c_fm",
                     {"cover", "electrical", "mechanical", "analysis", "elplot", "eltable"}}),
    [](const auto& info) {
        std::string n = info.param.Sample;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

TEST(ReportBuild, PrintedFiguresEqualTheModel) {
    test::TempDir dir;
    const std::string pdf = dir.File("kvr.pdf");
    auto d = LoadDesignFile(SamplePath("kvr_horizontal_ch34"));
    WriteReportPdf(*d, rkFull, pdf);
    const std::string electrical = PdfPageText(pdf, 2);
    const TPowerAnalysis& a = d->AnalysisPage.Analysis;
    const auto pair = [](double ratio, double dB, const char* unit) {
        return FormatFixed(ratio, 2) + " (" + FormatFixed(dB, 2) + " " + unit + ")";
    };
    for (const std::string& figure :
         {pair(d->AzimuthPage.HorzPattern.Gain(), d->AzimuthPage.HorzPattern.GaindB, "dB"),
          pair(d->ElevationPage.HorzPattern.Gain(), d->ElevationPage.HorzPattern.MainLobedBd,
               "dBd"),
          pair(a.PowerGainRatioHorz(), a.PowerGaindBdHorz(), "dBd"),
          pair(d->GetGainAtHorzNum(ptHorizontal), d->GetGainAtHorzdBd(ptHorizontal), "dBd"),
          FormatFixed(a.AntennaInputkW, 3) + " kW Average Power, 8VSB Digital",
          FormatFixed(a.MaxInputPower, 2) + " kW Average Power", d->InputType(),
          d->BuildKVRPartNumber(), d->AzimuthPage.HorzPattern.PatternID})
        EXPECT_TRUE(Has(electrical, figure)) << figure << "\n" << electrical;
    EXPECT_GT(a.AntennaInputkW, 0);
    EXPECT_GT(a.MaxInputPower, 0);

    TMechanicalData m;
    d->GetMechanical(m);
    const std::string mechanical = PdfPageText(pdf, 3);
    for (const std::string& figure :
         {FormatFixed(m.Length, 1) + " feet", FormatFixed(m.Length / 2, 1) + " feet",
          FormatFixed(m.Weight, 0) + " lbs.", FormatFixed(m.CaAc, 1) + " square feet"})
        EXPECT_TRUE(Has(mechanical, figure)) << figure;

    // The power analysis page and the FCC page: ERP column = ERP x field squared.
    const std::string analysis = PdfPageText(pdf, 4);
    for (const std::string& figure :
         {FormatFixed(a.ERPkWHorz(), 2), FormatFixed(a.TransmitterPowerkW(), 2),
          FormatFixed(a.AntennaInputkW, 2), FormatFixed(a.LineLosskW(), 2)})
        EXPECT_TRUE(Has(analysis, figure)) << figure;
    const std::string fcc =
        test::RunTool("pdftotext -q -layout -f 7 -l 7 " + test::ShellQuote(pdf) + " -");
    ASSERT_TRUE(Has(fcc, "FCC FILING FORMAT"));
    std::istringstream lines(fcc);
    std::string line;
    int rows = 0;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        double angle, field, erp, dbk;
        if (!(in >> angle >> field >> erp >> dbk)) continue;
        ++rows;
        // The field is printed to 3 decimals: the ERP may differ by its rounding.
        const double tolerance = a.ERPkWHorz() * 2 * 0.0005 * (field + 0.0005) + 0.0005;
        EXPECT_NEAR(erp, a.ERPkWHorz() * field * field, tolerance) << line;
    }
    EXPECT_EQ(rows, 36);

    const std::string cover = PdfPageText(pdf, 1);
    EXPECT_TRUE(Has(cover, d->BuildPartNumber()));
    EXPECT_TRUE(Has(cover, FormatLongDate(d->DesignInfo.Date)));
}

TEST(ReportBuild, PatternReportsAlone) {
    auto d = LoadDesignFile(SamplePath("miraldo_uhf_elliptical_top"));
    auto az = PrintAzimuthReport(*d, false);
    EXPECT_EQ(az->Title(), "Azimuth Pattern");
    EXPECT_EQ(az->GetPageCount(), 4);  // plot and table, both polarizations, no FCC page
    auto azFull = PrintAzimuthReport(*d, true);
    EXPECT_EQ(azFull->GetPageCount(), 6);
    auto el = PrintElevationReport(*d);
    EXPECT_EQ(el->GetPageCount(), 4);
    // Page numbers count from 1 in each report.
    EXPECT_EQ(az->PageIndex, 4);

    auto fm = LoadDesignFile(SamplePath("rnvx_circular_fm"));
    EXPECT_EQ(PrintAzimuthReport(*fm, false)->GetPageCount(), 2);
    EXPECT_EQ(BuildReport(*fm)->GetPageCount(), 6);
    EXPECT_EQ(BuildTVReport(*LoadDesignFile(SamplePath("kvr_horizontal_ch34")))->GetPageCount(), 9);
}

TEST(ReportBuild, BuildingLeavesTheDesignAsItWas) {
    test::TempDir dir;
    auto d = LoadDesignFile(SamplePath("miraldo_uhf_elliptical_top"));
    d->SaveToFile(dir.File("before.bcst"));
    BuildReport(*d);
    d->SaveToFile(dir.File("after.bcst"));
    EXPECT_EQ(test::ReadAll(dir.File("before.bcst")), test::ReadAll(dir.File("after.bcst")));
}

TEST(ReportCommand, WritesTheRequestedReport) {
    test::TempDir dir;
    const struct {
        const char* Flag;
        int Pages;
    } cases[] = {{"", 15}, {"--azimuth", 4}, {"--elevation", 4}};
    for (const auto& c : cases) {
        const std::string out = dir.File(std::string("r") + c.Flag + ".pdf");
        const auto result = test::RunCli("report " + test::ShellQuote(SamplePath(
                                             "miraldo_uhf_elliptical_top")) +
                                         " -o " + test::ShellQuote(out) + " " + c.Flag);
        EXPECT_EQ(result.Status, 0) << c.Flag << result.Err;
        EXPECT_EQ(result.Err, "") << c.Flag;
        EXPECT_EQ(PdfPageCount(out), c.Pages) << c.Flag;
        EXPECT_TRUE(Has(result.Out, out)) << result.Out;
    }
}

TEST(ReportCommand, RefusesBadArguments) {
    test::TempDir dir;
    const std::string design = test::ShellQuote(SamplePath("kvr_horizontal_ch34"));
    const std::string out = dir.File("x.pdf");
    const std::string notDesign = dir.Write("plain.bcst", "[HEADER]\ntype=Other\n");
    const struct {
        std::string Args;
        const char* Message;
    } cases[] = {
        {"report " + design + " -o " + out + " --azimuth --elevation", "not both"},
        {"report " + design, "needs -o"},
        {"report -o " + out, "at least one design file"},
        {"report " + test::ShellQuote(notDesign) + " -o " + out, "Unable to open file."},
        {"report " + test::ShellQuote(dir.File("missing.bcst")) + " -o " + out,
         "Unable to open file."},
        // A folder that cannot exist: its parent is a plain file.
        {"report " + design + " -o " + test::ShellQuote(notDesign + "/x.pdf"),
         "Cannot create file"},
    };
    for (const auto& c : cases) {
        const auto result = test::RunCli(c.Args);
        EXPECT_EQ(result.Status, 1) << c.Args;
        EXPECT_TRUE(Has(result.Err, c.Message)) << c.Args << ": " << result.Err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

// The document information pdfinfo reads, with its complaints (a moved object or a
// broken cross-reference table shows up as a syntax error on stderr).
std::string PdfInfo(const std::string& pdf) {
    return test::RunTool("pdfinfo -enc UTF-8 " + test::ShellQuote(pdf) + " 2>&1");
}

std::string InfoLine(const std::string& info, const std::string& key) {
    std::istringstream in(info);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key + ":", 0) == 0) {
            size_t v = line.find_first_not_of(' ', key.size() + 1);
            return v == std::string::npos ? "" : line.substr(v);
        }
    return "<none>";
}

// Every object the cross-reference table lists starts at its offset ("n 0 obj"), and
// startxref points at the table: the count of objects checked, -1 when broken.
int CheckedXrefObjects(const std::string& pdf) {
    const size_t sx = pdf.rfind("startxref");
    if (sx == std::string::npos) return -1;
    const size_t xref = std::stoul(pdf.substr(sx + 9));
    if (pdf.compare(xref, 4, "xref") != 0) return -1;
    std::istringstream in(pdf.substr(xref + 4));
    size_t first = 0, count = 0;
    in >> first >> count;
    int checked = 0;
    for (size_t i = 0; i < count; ++i) {
        std::string offset, gen, kind;
        in >> offset >> gen >> kind;
        if (kind != "n") continue;
        const std::string head = std::to_string(first + i) + " 0 obj";
        if (pdf.compare(std::stoul(offset), head.size(), head) != 0) return -1;
        ++checked;
    }
    return checked;
}

// Every PDF the program writes names the design, its part number and the program; the
// file stays readable (its cross-reference table moved with the added entry).
TEST(ReportBuild, PdfCarriesTitlePartNumberAndCreator) {
    test::TempDir dir;
    struct Case { const char* sample; TReportKind kind; } cases[] = {
        {"varnok_ch9", rkFull},  // a title with a trademark sign
        {"miraldo_uhf_elliptical_top", rkAzimuth},
        {"240c_fm", rkElevation},
        {"custom_fm", rkFull},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        auto d = LoadDesignFile(SamplePath(c.sample));
        const std::string pdf = dir.File(std::string(c.sample) + ".pdf");
        const int pages = WriteReportPdf(*d, c.kind, pdf);
        const std::string info = PdfInfo(pdf);
        EXPECT_EQ(InfoLine(info, "Title"), d->GetTitle());
        EXPECT_EQ(InfoLine(info, "Subject"), d->BuildPartNumber());
        EXPECT_EQ(InfoLine(info, "Creator"), "Velmo");
        EXPECT_EQ(InfoLine(info, "Pages"), std::to_string(pages));
        EXPECT_FALSE(Has(info, "Error")) << info;
        EXPECT_GT(CheckedXrefObjects(test::ReadAll(pdf)), pages);
        // Every page still reads: the part number stands on each.
        for (int p = 1; p <= pages; ++p) EXPECT_TRUE(Has(PdfPageText(pdf, p), d->BuildPartNumber())) << p;
    }
}

// Any text as subject, written without escapes; a file that is not a complete PDF is
// left as it was.
TEST(ReportBuild, PdfInfoEntryTakesAnyTextAndRefusesWhatIsNoPdf) {
    test::TempDir dir;
    TReporter r;
    r.SetDocumentTitle("Title (one) \\ two");
    r.SetSubject("KVR16M4-HSCD-34 (\u00FC\u2122) \\");
    r.TextOutEx(100, 100, "page one", hpLeft, vpTop);
    const std::string pdf = dir.File("any.pdf");
    WritePdf(r, pdf);
    const std::string info = PdfInfo(pdf);
    EXPECT_EQ(InfoLine(info, "Title"), "Title (one) \\ two");
    EXPECT_EQ(InfoLine(info, "Subject"), "KVR16M4-HSCD-34 (\u00FC\u2122) \\");
    EXPECT_FALSE(Has(info, "Error")) << info;
    EXPECT_TRUE(Has(PdfPageText(pdf, 1), "page one"));
    EXPECT_GT(CheckedXrefObjects(test::ReadAll(pdf)), 0);

    for (std::string bad : {std::string("not a pdf"), std::string("%PDF-1.4\ntrailer\n<<\n/Info 1 0 R\n>>\nstartxref\n99999\n%%EOF\n"),
                            std::string("%PDF-1.4\nxref\n0 1\ntrailer\n<<\n/Info 7 0 R\n>>\nstartxref\n9\n%%EOF\n")}) {
        const std::string before = bad;
        EXPECT_FALSE(AddPdfInfoEntry(bad, "Subject", "x"));
        EXPECT_EQ(bad, before);
    }
}

}  // namespace
}  // namespace velmo
