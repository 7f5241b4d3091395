// The Export Patterns menu commands: the save dialog they show, the files one choice
// writes for each kind of design, cancelling, and a failed write.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/exportcommands.h"
#include "base/error.h"
#include "base/folders.h"
#include "model/design.h"
#include "scripted_ui.h"
#include "test_support.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<TBroadcastDesign> Sample(const std::string& name) {
    return LoadDesignFile(AppPath() + "samples/" + name);
}

std::string FirstLine(const std::string& path) {
    const std::string bytes = test::ReadAll(path);
    return bytes.substr(0, bytes.find("\r\n"));
}

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

struct TExportCase {
    const char* Sample;
    velmo::TExportFormat Format;
    const char* Chosen;  // the name typed into the dialog
    std::vector<std::string> Written;
};

class ExportCommand : public testing::TestWithParam<TExportCase> {};

TEST_P(ExportCommand, OneChoiceWritesEverySlotOfTheDesign) {
    const TExportCase& c = GetParam();
    test::TempDir dir;
    auto design = Sample(c.Sample);
    const std::string inputType = design->InputType();
    const std::string partNumber = Sample(c.Sample)->BuildPartNumber();

    test::ScriptedUI ui;
    ui.Files.push_back(dir.File(c.Chosen));
    const std::vector<std::string> written = ExportPatterns(*design, c.Format);

    ASSERT_EQ(ui.Log.size(), 1u);  // one dialog, nothing else asked
    const TFileDialogSpec& spec = ui.Log[0].Spec;
    EXPECT_EQ(ui.Log[0].What, "save");
    EXPECT_EQ(spec.Filter, "All Files (*.*)|*.*");
    EXPECT_FALSE(spec.OverwritePrompt);
    EXPECT_EQ(spec.FileName, partNumber);

    EXPECT_EQ(FilesIn(dir.Path()), c.Written);
    ASSERT_EQ(written.size(), c.Written.size());
    for (size_t i = 0; i < written.size(); ++i)
        EXPECT_EQ(fs::path(written[i]).filename().string(), c.Written[i]);
    if (c.Format == efEDX) {
        EXPECT_EQ(FirstLine(written[0]), "'" + partNumber + "',,1");
    }
    if (c.Format == efPlanet) {
        EXPECT_EQ(FirstLine(written[0]), "FILENAME " + fs::path(written[0]).stem().string());
    }
    if (c.Format == efMSI) {
        EXPECT_EQ(FirstLine(written[0]), "NAME " + partNumber + "_horizontal");
    }
    // The export reads the design and changes nothing in it.
    EXPECT_EQ(design->InputType(), inputType);
    EXPECT_FALSE(design->Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Designs, ExportCommand,
    testing::Values(
        TExportCase{"miraldo_uhf_elliptical_top.bcst", efEDX, "AB12.txt",
                    {"AB12_horizontal.dat", "AB12_vertical.dat"}},
        TExportCase{"kvr_horizontal_ch34.bcst", efPlanet, "AB12", {"AB12_horizontal.pln"}},
        TExportCase{"rnvx_circular_fm.bcst", efCSV, "plan.v2.out", {"plan.v2_fm.csv"}},
        TExportCase{"240c_fm.bcst", efEDX, "x", {"x_fm.dat"}},
        TExportCase{"miraldo_uhf_elliptical_top.bcst", efMSI, "AB12.txt",
                    {"AB12_horizontal.msi", "AB12_vertical.msi"}},
        TExportCase{"miraldo_uhf_elliptical_top.bcst", efSPLAT, "site.qth",
                    {"site_horizontal.az", "site_horizontal.el", "site_vertical.az", "site_vertical.el"}},
        TExportCase{"rnvx_circular_fm.bcst", efSPLAT, "site.qth", {"site.az", "site.el"}}));

TEST(ExportCommandFlow, CancelWritesNothingAndCustomDesignsAskNothing) {
    test::TempDir dir;
    test::ScriptedUI ui;
    auto tv = Sample("kvr_horizontal_ch34.bcst");
    ui.Files.push_back(std::nullopt);
    EXPECT_TRUE(ExportPatterns(*tv, efPlanet).empty());
    EXPECT_EQ(ui.Log.size(), 1u);

    for (const char* custom : {"custom_tv.bcst", "custom_fm.bcst"}) {
        auto design = Sample(custom);
        EXPECT_TRUE(ExportPatterns(*design, efEDX).empty()) << custom;
    }
    EXPECT_EQ(ui.Log.size(), 1u);  // no dialog for the custom designs
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

TEST(ExportCommandFlow, MenuNamesReachTheirFormats) {
    const std::pair<velmo::TExportFormat, std::vector<std::string>> cases[] = {
        {velmo::efPlanet, {"out_horizontal.pln"}},
        {velmo::efEDX, {"out_horizontal.dat"}},
        {velmo::efCSV, {"out_horizontal.csv"}},
        {velmo::efMSI, {"out_horizontal.msi"}},
        {velmo::efSPLAT, {"out.az", "out.el"}}};
    for (const auto& [format, files] : cases) {
        test::TempDir dir;
        test::ScriptedUI ui;
        auto design = Sample("kvr_horizontal_ch34.bcst");
        ui.Files.push_back(dir.File("out"));
        ExportPatterns(*design, format);
        EXPECT_EQ(FilesIn(dir.Path()), files);
    }
}

TEST(ExportCommandFlow, AFileThatCannotBeCreatedIsAnError) {
    test::TempDir dir;
    test::ScriptedUI ui;
    auto design = Sample("kvr_horizontal_ch34.bcst");
    ui.Files.push_back(dir.File("missing") + "/AB12");
    try {
        ExportPatterns(*design, efEDX);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot create file"), std::string::npos) << e.what();
    }
}

}  // namespace
