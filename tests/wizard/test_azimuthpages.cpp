// The azimuth pattern pages: catalogs by antenna, preselection, selection committing
// to the working design at once, rotation, unit, points commands.
#include <string>
#include <vector>

#include "base/numbers.h"
#include "page_fixture.h"
#include "wizard/azimuthpages.h"

namespace velmo {
namespace {

using test::PatternPageTest;
using AzimuthPages = PatternPageTest;

std::vector<std::string> Ids(const TfrmAzimuth& page) {
    std::vector<std::string> ids;
    for (int i = 0; i < page.HorzPatternList.Count(); ++i) ids.push_back(page.HorzPatternList.Item(i).PatternID);
    return ids;
}

TEST_F(AzimuthPages, KVRPatternsFollowThePowerCode) {
    Options("TV", "KVR", "H", "L");
    auto low = Enter<TfrmAzimuth>();
    Options("TV", "KVR", "H", "M");
    auto medium = Enter<TfrmAzimuth>();
    EXPECT_EQ(Ids(*low), (std::vector<std::string>{"KVR-O", "KVR-CD", "KVR-PN"}));
    EXPECT_EQ(Ids(*medium), (std::vector<std::string>{"KVR-O", "KVR-CD", "KVR-PN", "KVR-S"}));
}

TEST_F(AzimuthPages, EnterSelectsTheFirstPatternAndCommitsIt) {
    Options("TV", "KLX-UHF", "H");
    Design().AzimuthPage.VertPattern.PatternID = "kept";
    auto page = Enter<TfrmAzimuth>();
    ASSERT_GT(page->HorzPatternList.Count(), 1);
    EXPECT_EQ(page->HorzIndex(), 0);
    EXPECT_TRUE(Next.Enabled());
    const TAzHorzPattern& first = page->HorzPatternList.Item(0);
    EXPECT_EQ(page->CurrentPattern(), &first);
    EXPECT_EQ(page->PatternCaption(), first.PatternID);
    EXPECT_EQ(page->GainText(), FormatFixed(first.Gain(), 2));
    EXPECT_EQ(page->GaindBText(), FormatFixed(first.GaindB, 2));
    EXPECT_EQ(first.Points.Count(), 360);
    EXPECT_TRUE(page->CanPrint());
    // Committed at once, points included.
    EXPECT_EQ(Design().AzimuthPage.HorzPattern.PatternID, first.PatternID);
    EXPECT_EQ(Design().AzimuthPage.HorzPattern.Points.Count(), 360);
    // "H": no vertical list, nothing committed to the vertical pattern.
    EXPECT_FALSE(page->VertListVisible());
    EXPECT_FALSE(page->NoteVisible());
    EXPECT_EQ(page->CurrentVertPattern(), nullptr);
    EXPECT_EQ(Design().AzimuthPage.VertPattern.PatternID, "kept");
    // The lines show code and description; KLX-GS is offered for "H".
    EXPECT_EQ(page->HorzLines()[0].Name, first.PatternCode);
    EXPECT_EQ(page->HorzLines()[0].Value, first.Desc);
    EXPECT_EQ(Ids(*page).back(), "KLX-GS");
}

TEST_F(AzimuthPages, EllipticalKLXShowsVerticalPatternsWithoutGS) {
    Options("TV", "KLX-UHF", "E");
    auto page = Enter<TfrmAzimuth>();
    EXPECT_TRUE(page->VertListVisible());
    EXPECT_TRUE(page->NoteVisible());
    for (const std::string& id : Ids(*page)) EXPECT_NE(id, "KLX-GS");
    // KLX-OC has two vertical patterns; the first is preselected and committed, the
    // horizontal one stays shown.
    ASSERT_EQ(page->VertLines().size(), 2u);
    EXPECT_EQ(page->VertIndex(), 0);
    EXPECT_EQ(page->CurrentPattern(), page->CurrentHorzPattern());
    EXPECT_EQ(Design().AzimuthPage.VertPattern.PatternID, "KLX-OC-V");

    page->OnVertPatternSelection(1);
    EXPECT_EQ(page->CurrentPattern(), page->CurrentVertPattern());
    EXPECT_EQ(page->PatternCaption(), "KLX-OC-V2");
    EXPECT_EQ(page->VertPatternCode, "O");
    EXPECT_EQ(Design().AzimuthPage.VertPattern.PatternID, "KLX-OC-V2");
    EXPECT_EQ(Design().AzimuthPage.VertPattern.Points.Count(), 360);

    // Other elliptical families have no note.
    Options("TV", "WEN", "E");
    EXPECT_FALSE(Enter<TfrmAzimuth>()->NoteVisible());
}

TEST_F(AzimuthPages, ReEntryPreselectsByPatternCode) {
    Options("TV", "KLX-UHF", "E");
    {
        auto page = Enter<TfrmAzimuth>();
        page->OnHorzPatternSelection(2);
        page->OnVertPatternSelection(0);
        page->PageExit();
    }
    auto again = Enter<TfrmAzimuth>();
    EXPECT_EQ(again->HorzIndex(), 2);
    EXPECT_EQ(again->CurrentHorzPattern()->PatternID, "KLX-PN");
    EXPECT_EQ(again->VertPatternCode, "PN");
    EXPECT_EQ(again->CurrentVertPattern()->PatternID, "KLX-PN-V");
}

TEST_F(AzimuthPages, RotationIsCarriedToNewSelections) {
    Options("TV", "KLX-UHF", "E");
    auto page = Enter<TfrmAzimuth>();
    page->SetRotation(30);
    EXPECT_EQ(page->CurrentPattern()->Angle, 30);
    page->OnHorzPatternSelection(1);
    EXPECT_EQ(page->CurrentHorzPattern()->Angle, 30);
    EXPECT_EQ(page->CurrentVertPattern()->Angle, 30);
    const TAzimuthPage& a = Design().AzimuthPage;
    EXPECT_EQ(a.Angle(), 30);
    EXPECT_EQ(a.HorzPattern.Angle, 30);
    EXPECT_EQ(a.VertPattern.Angle, 30);
    EXPECT_EQ(a.FMPattern.Angle, 30);
    // The rotation reaches the copied points: the value at 30 is the file's value at 0.
    const std::string text = AzimuthExportText(*const_cast<TAzPattern*>(page->CurrentPattern()));
    const TAzPattern& p = *page->CurrentPattern();
    const std::string line30 = "30\t" + FormatFixed(p.Points.Point(0).Y, 3) + "\t";
    EXPECT_NE(text.find("\r\n" + line30), std::string::npos);

    // Entering again starts from the design's angle.
    auto again = Enter<TfrmAzimuth>();
    EXPECT_EQ(again->Rotation(), 30);
    EXPECT_EQ(again->CurrentPattern()->Angle, 30);
}

TEST_F(AzimuthPages, RotationRoundsHalvesToEven) {
    Options("TV", "KLX-UHF", "H");
    auto page = Enter<TfrmAzimuth>();
    const struct {
        double Entry;
        int Angle;
    } cases[] = {{12.5, 12}, {13.5, 14}, {12.4, 12}, {-0.5, 0}, {-1.5, -2}, {400, 400}, {-450, -450}};
    for (const auto& c : cases) {
        page->SetRotation(c.Entry);
        EXPECT_EQ(page->Rotation(), c.Angle) << c.Entry;
        EXPECT_EQ(Design().AzimuthPage.Angle(), c.Angle) << c.Entry;
        EXPECT_EQ(page->CurrentPattern()->Angle, c.Angle) << c.Entry;
    }
}

TEST_F(AzimuthPages, UnitComesFromTheDesignAndGoesBack) {
    Options("TV", "KLX-UHF", "H");
    Design().AzimuthPage.PowerType = ptRP;
    auto page = Enter<TfrmAzimuth>();
    EXPECT_EQ(page->Unit(), ptRP);
    page->SetUnit(ptRF);
    EXPECT_EQ(Design().AzimuthPage.PowerType, ptRF);
    page->SetUnit(ptRP);
    Design().AzimuthPage.PowerType = ptRF;
    page->PageExit();
    EXPECT_EQ(Design().AzimuthPage.PowerType, ptRP);
}

TEST_F(AzimuthPages, FamilyWithoutPatternsLeavesNextDisabled) {
    Options("TV", "KLX-UHF", "V");  // no candidate table for "V"
    auto page = Enter<TfrmAzimuth>();
    EXPECT_TRUE(page->HorzLines().empty());
    EXPECT_EQ(page->CurrentPattern(), nullptr);
    EXPECT_FALSE(page->CanPrint());
    EXPECT_FALSE(Next.Enabled());
    page->CopyCurrentPattern();
    page->ExportCurrentPattern();
    page->PrintPattern();
    EXPECT_TRUE(UI.Log.empty());
}

TEST_F(AzimuthPages, CopyExportAndPrintUseTheShownPattern) {
    Options("TV", "KLX-UHF", "H");
    auto page = Enter<TfrmAzimuth>();
    page->CopyCurrentPattern();
    ASSERT_EQ(UI.Log.size(), 1u);
    EXPECT_EQ(UI.Log[0].What, "clipboard");
    EXPECT_EQ(UI.Clipboard.rfind("0\t", 0), 0u);
    EXPECT_EQ(UI.Clipboard.substr(UI.Clipboard.size() - 2), "\r\n");

    test::TempDir dir;
    UI.Files.push_back(dir.File("mine.txt"));
    UI.Files.push_back(std::nullopt);
    page->ExportCurrentPattern();
    page->ExportCurrentPattern();  // cancelled: nothing more written
    const TFileDialogSpec& spec = UI.Log[1].Spec;
    EXPECT_EQ(spec.FileName, "KLX-OC.pat");
    EXPECT_EQ(spec.Filter, "PAT Files (*.pat)|*.pat|All Files (*.*)|*.*");
    EXPECT_TRUE(spec.OverwritePrompt);
    EXPECT_EQ(test::ReadAll(dir.File("mine.pat")), UI.Clipboard);

    Design().AzimuthPage.PowerType = ptRF;
    page->SetUnit(ptRP);
    Design().AzimuthPage.PowerType = ptRF;
    page->PrintPattern();  // PageExit first
    EXPECT_EQ(UI.Log.back().What, "preview");
    EXPECT_EQ(UI.Log.back().Report, TReportRequest::Azimuth);
    EXPECT_EQ(Design().AzimuthPage.PowerType, ptRP);
}

TEST_F(AzimuthPages, FMPageCommitsItsOnePattern) {
    Options("FM", "RNVX", "E", "N", "C");
    auto page = Enter<TfrmFMAzimuth>();
    ASSERT_EQ(page->FMLines().size(), 3u);
    EXPECT_EQ(page->FMIndex(), 0);
    EXPECT_TRUE(Next.Enabled());
    page->SetRotation(45);
    page->OnFMPatternSelection(2);
    const TAzFMPattern& fm = Design().AzimuthPage.FMPattern;
    EXPECT_EQ(fm.PatternID, "RNVX-SW");
    EXPECT_EQ(fm.PolCode, "E");
    EXPECT_EQ(fm.Angle, 45);
    EXPECT_EQ(fm.Points.Count(), 360);  // read from the circular folder
    EXPECT_EQ(page->PatternCaption(), "RNVX-SW");
    EXPECT_EQ(Design().AzimuthPage.HorzPattern.PatternID, "");

    auto again = Enter<TfrmFMAzimuth>();
    EXPECT_EQ(again->FMIndex(), 2);
    EXPECT_EQ(again->Rotation(), 45);
}

}  // namespace
}  // namespace velmo
