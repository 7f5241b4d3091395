#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "base/folders.h"
#include "base/warnings.h"
#include "patterns/azpattern.h"
#include "patterns/elpattern.h"
#include "patterns/patfile.h"
#include "test_support.h"

namespace velmo {
namespace {

// A private installation and the warnings given while it is in use.
class PatternFileSafety : public ::testing::Test {
protected:
    void SetUp() override {
        InitFolders(FDir.Path().string());
        FPrevious = SetWarningHandler([this](const std::string& m) { Warnings.push_back(m); });
    }
    void TearDown() override {
        SetWarningHandler(FPrevious);
        InitFoldersFromExecutable();
    }
    std::string Lines(int n) const {
        std::string body;
        for (int i = 0; i < n; ++i) body += std::to_string(i) + " 0.5\r\n";
        return body;
    }
    test::TempDir FDir;
    std::vector<std::string> Warnings;

private:
    TWarningHandler FPrevious;
};

TEST_F(PatternFileSafety, NamesMustStayInsideTheirPatternFolder) {
    const std::string folder = "/inst/patterns/azimuth/hpol/";
    const struct {
        std::string Folder, Name, Path;
    } cases[] = {
        {folder, "OVAL.pat", folder + "OVAL.pat"},
        {folder, "sub/../OVAL.pat", folder + "sub/../OVAL.pat"},
        {folder, "./sub//OVAL.pat", folder + "./sub//OVAL.pat"},
        {folder, "", ""},  // no file named: no warning either
        {folder, "../../../../../../etc/passwd", ""},
        {folder, "sub/../../hpol/OVAL.pat", ""},  // leaves the folder on the way
        {folder, "..", ""},
        {folder, "/etc/passwd", ""},
        {"", "OVAL.pat", ""},  // no folder (unknown polarization): nothing to read from
        {"", "/etc/passwd", ""},
    };
    int refused = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(PatternFilePath(c.Folder, c.Name), c.Path) << c.Name;
        if (c.Path.empty() && !c.Name.empty()) ++refused;
    }
    ASSERT_EQ(static_cast<int>(Warnings.size()), refused);
    EXPECT_EQ(Warnings[0],
              "The pattern file name \"../../../../../../etc/passwd\" does not lie inside a pattern "
              "folder of the installation; the pattern is left empty.");
}

TEST_F(PatternFileSafety, PatternsFromOutsideTheirFolderStayEmpty) {
    // A readable point file just outside the azimuth folder and an absolute name.
    const std::string outside = FDir.Write("patterns/azimuth/secret.pat", Lines(360));
    FDir.Write("patterns/azimuth/hpol/ok.pat", Lines(360));
    TAzHorzPattern escaping;
    escaping.FileName = "../secret.pat";
    escaping.LoadPoints();
    EXPECT_EQ(0, escaping.Points.Count());
    TAzFMPattern absolute;  // polarization code without a folder
    absolute.PolCode = "X";
    absolute.FileName = outside;
    absolute.LoadPoints();
    EXPECT_EQ(0, absolute.Points.Count());
    THorzPattern elevation;
    elevation.FileName = "../../azimuth/secret.pat";
    elevation.LoadPoints();
    EXPECT_EQ(0, elevation.Points.Count());
    EXPECT_EQ(3u, Warnings.size());
    TAzHorzPattern inside;
    inside.FileName = "ok.pat";
    inside.LoadPoints();
    EXPECT_EQ(360, inside.Points.Count());
    EXPECT_EQ(3u, Warnings.size());
}

TEST_F(PatternFileSafety, PointCountsAndFileSizesAreBounded) {
    const struct {
        int Lines;
        int AzimuthPoints;
        int ElevationFilePoints;
        bool Warned;
    } cases[] = {
        {360, 360, 360, false},
        {361, 361, 361, false},
        {1801, 361, 1801, true},   // the azimuth read is cut
        {5000, 361, 1801, true},   // both are cut
    };
    for (const auto& c : cases) {
        Warnings.clear();
        FDir.Write("patterns/azimuth/hpol/n.pat", Lines(c.Lines));
        FDir.Write("patterns/elevation/hpol/n.pat", Lines(c.Lines));
        TAzHorzPattern az;
        az.FileName = "n.pat";
        az.LoadPoints();
        EXPECT_EQ(az.Points.Count(), c.AzimuthPoints) << c.Lines;
        TRealPointList el;
        ReadPointFile(ElevationHPolPath() + "n.pat", el, kMaxElevationPoints);
        EXPECT_EQ(el.Count(), c.ElevationFilePoints) << c.Lines;
        EXPECT_EQ(!Warnings.empty(), c.Warned) << c.Lines;
    }
    EXPECT_EQ(Warnings.back(), "The pattern file \"" + ElevationHPolPath() +
                                   "n.pat\" holds more than 1801 points; only the first 1801 are used.");

    // A file far larger than any point file is not read at all; nor is a FIFO.
    Warnings.clear();
    FDir.Write("patterns/azimuth/hpol/huge.pat", Lines(360) + std::string(kMaxPointFileBytes, '!'));
    TAzHorzPattern huge;
    huge.FileName = "huge.pat";
    huge.LoadPoints();
    EXPECT_EQ(0, huge.Points.Count());
    const std::string fifo = FDir.File("patterns/azimuth/hpol/pipe.pat");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    TAzHorzPattern pipe;
    pipe.FileName = "pipe.pat";
    pipe.LoadPoints();
    EXPECT_EQ(0, pipe.Points.Count());
    ASSERT_EQ(2u, Warnings.size());
    EXPECT_NE(Warnings[0].find("huge.pat\" is not read. It is larger than 1 MB"), std::string::npos)
        << Warnings[0];
    EXPECT_NE(Warnings[1].find("pipe.pat\" is not read. It is not a regular file."), std::string::npos)
        << Warnings[1];
}

}  // namespace
}  // namespace velmo
