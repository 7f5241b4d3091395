// The main window's rules without a window: the state table, the unsaved-changes
// question, new / open / save / edit, Save As naming and the recent files.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/error.h"
#include "model/design.h"
#include "scripted_ui.h"
#include "test_support.h"
#include "wizard/designinfo.h"
#include "wizard/maincontroller.h"
#include "wizard/startoption.h"
#include "wizard/wizard.h"
#include "wizard/wizardflags.h"

namespace velmo {
namespace {

using Strings = std::vector<std::string>;

struct TMemoryStore : TRecentFilesStore {
    Strings Items;
    int Saves = 0;
    Strings Load() override { return Items; }
    void Save(const Strings& items) override {
        Items = items;
        ++Saves;
    }
};

// Records what the window would show; dialogs and the wizard answer from functions.
struct TFakeView : TMainView {
    bool DesignButtons = true;
    bool Saving = true;
    bool Export = true;
    bool Modified = true;
    std::string Foot = "unset";
    TDesignInfoDisplay Info;
    bool InfoShown = false;
    Strings Recent;
    Strings Opened;
    int Repaints = 0;
    std::function<bool(TfrmDesignInfo&)> DesignInfoDialog = [](TfrmDesignInfo&) { return false; };
    std::function<bool(TfrmStartOption&)> StartDialog = [](TfrmStartOption&) { return false; };
    std::function<bool(TfrmWizard&, int)> Wizard = [](TfrmWizard&, int) { return false; };

    void SetDesignButtons(bool s) override { DesignButtons = s; }
    void SetSavingButtons(bool v, bool e) override {
        Saving = v;
        Export = e;
    }
    void ShowModified(bool m) override { Modified = m; }
    void ShowFootCaption(const std::string& c) override { Foot = c; }
    void ShowDesignInfo(const TDesignInfoDisplay& i) override {
        Info.CompanyName = i.CompanyName;
        Info.PartNumber = i.PartNumber;
        Info.Notes = i.Notes;
        InfoShown = true;
    }
    void ClearDesignInfo() override { InfoShown = false; }
    void ShowRecentFiles(const Strings& items) override { Recent = items; }
    bool ExecuteDesignInfo(TfrmDesignInfo& d) override { return DesignInfoDialog(d); }
    bool ExecuteStartOptions(TfrmStartOption& d) override { return StartDialog(d); }
    bool ExecuteWizard(TfrmWizard& w, int page) override { return Wizard(w, page); }
    void Repaint() override { ++Repaints; }
    void OpenDocument(const std::string& path) override { Opened.push_back(path); }
};

std::string Sample(const std::string& name) { return test::BinDir() + "samples/" + name; }

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override { C.Create({}); }

    // The design information dialog answers OK with this system type.
    void AnswerDesignInfo(const std::string& type, const std::string& company = "Acme") {
        View.DesignInfoDialog = [type, company](TfrmDesignInfo& d) {
            d.EditCompanyName(company);
            if (type == "FM") d.PressFM();
            else d.PressTV();
            return d.OkClick();
        };
    }
    void ExpectState(bool design, bool saving, bool exportOn) {
        EXPECT_EQ(View.DesignButtons, design);
        EXPECT_EQ(View.Saving, saving);
        EXPECT_EQ(View.Export, exportOn);
    }

    test::ScriptedUI UI;
    test::TempDir Dir;
    TMemoryStore Store;
    TFakeView View;
    TMainController C{View, &Store};
};

TEST_F(ControllerTest, StateTable) {
    // Start: no design, everything off.
    EXPECT_EQ(C.CurrentDesign(), nullptr);
    ExpectState(false, false, false);
    EXPECT_FALSE(View.Modified);
    EXPECT_EQ(View.Foot, "");

    // A design opened: on, and export on for a catalog family.
    C.OpenDesign(Sample("kvr_horizontal_ch34.bcst"));
    ASSERT_NE(C.CurrentDesign(), nullptr);
    ExpectState(true, true, true);
    EXPECT_FALSE(View.Modified);

    // A custom design: export off, the rest on.
    C.OpenDesign(Sample("custom_tv.bcst"));
    ExpectState(true, true, false);

    // New design, wizard cancelled: the header-only design is current, all off.
    AnswerDesignInfo("TV");
    C.NewDesign();
    ASSERT_NE(C.CurrentDesign(), nullptr);
    EXPECT_EQ(C.CurrentDesign()->DesignInfo.CompanyName, "Acme");
    ExpectState(false, false, false);
    EXPECT_FALSE(C.CurrentDesign()->Modified());
    EXPECT_FALSE(View.InfoShown);

    // New design, wizard finished: on, modified, the report opens.
    View.Wizard = [](TfrmWizard& w, int page) {
        EXPECT_EQ(page, 1);
        EXPECT_EQ(w.DesignState, dsNew);
        EXPECT_EQ(w.BeginIndex, 1);
        EXPECT_EQ(w.EndIndex, 5);
        WorkingDesign().OptionsPage.FamilyID = "KVR";
        return true;
    };
    C.NewDesign();
    ExpectState(true, true, true);
    EXPECT_TRUE(View.Modified);
    EXPECT_TRUE(View.InfoShown);
    EXPECT_EQ(C.CurrentDesign()->OptionsPage.FamilyID, "KVR");
    ASSERT_FALSE(UI.Log.empty());
    EXPECT_EQ(UI.Log.back().What, "preview");
}

TEST_F(ControllerTest, CheckCurrentDesignAnswers) {
    struct Case {
        TMsgResult Answer;
        std::optional<std::string> SaveName;  // the save dialog's answer after Yes
        bool Result;
        bool StillModified;
    } cases[] = {
        {TMsgResult::No, std::nullopt, true, true},
        {TMsgResult::Cancel, std::nullopt, false, true},
        {TMsgResult::Yes, std::nullopt, false, true},  // Yes, then the save dialog cancelled
        {TMsgResult::Yes, Dir.File("saved"), true, false},
    };
    for (const Case& c : cases) {
        C.OpenDesign(Sample("varnok_ch9.bcst"));
        C.CurrentDesign()->FileName.clear();
        C.CurrentDesign()->SetModified(true);
        UI.Log.clear();
        UI.Answers = {c.Answer};
        if (c.Answer == TMsgResult::Yes) UI.Files = {c.SaveName};
        EXPECT_EQ(C.CheckCurrentDesign(false), c.Result);
        EXPECT_EQ(C.CurrentDesign()->Modified(), c.StillModified);
        ASSERT_FALSE(UI.Messages().empty());
        EXPECT_EQ(UI.Messages()[0],
                  "The current design has been modified.\n\nWould you like to save it before continuing?");
        EXPECT_EQ(UI.Log[0].Buttons, TMsgButtons::YesNoCancel);
    }
    EXPECT_TRUE(std::filesystem::exists(Dir.File("saved.bcst")));

    // Closing words the question differently; an unmodified design asks nothing.
    C.CurrentDesign()->SetModified(true);
    UI.Answers = {TMsgResult::Cancel};
    EXPECT_FALSE(C.CloseQuery());
    EXPECT_EQ(UI.Messages().back(),
              "The current design has been modified.\n\nWould you like to save it before closing?");
    C.CurrentDesign()->SetModified(false);
    const size_t asked = UI.Log.size();
    EXPECT_TRUE(C.CloseQuery());
    EXPECT_EQ(UI.Log.size(), asked);
}

TEST_F(ControllerTest, SaveAsNamesTheFileBcst) {
    struct Case {
        const char* Chosen;
        const char* Written;
    } cases[] = {
        {"/d/plan.old", "/d/plan.bcst"},
        {"/d/plan", "/d/plan.bcst"},
        {"/d/plan.bcst", "/d/plan.bcst"},
        {"/d.x/plan", "/d.x/plan.bcst"},
        {"/d/plan.v2.txt", "/d/plan.v2.bcst"},
    };
    for (const Case& c : cases) EXPECT_EQ(TMainController::DesignFileName(c.Chosen), c.Written) << c.Chosen;

    C.OpenDesign(Sample("varnok_ch9.bcst"));
    UI.Files = {Dir.File("plan.old")};
    ASSERT_TRUE(C.SaveDesign(true));
    EXPECT_TRUE(std::filesystem::exists(Dir.File("plan.bcst")));
    EXPECT_FALSE(std::filesystem::exists(Dir.File("plan.old")));
    EXPECT_EQ(C.CurrentDesign()->FileName, Dir.File("plan.bcst"));
    EXPECT_EQ(View.Foot, Dir.File("plan.bcst"));
    EXPECT_EQ(View.Recent.front(), Dir.File("plan.bcst"));
    EXPECT_TRUE(UI.Log.back().Spec.OverwritePrompt);
    EXPECT_EQ(UI.Log.back().Spec.Filter, "Velmo File (*.bcst)|*.bcst|All Files (*.*)|*.*");

    // Save of a named design writes in place without asking; the status bar stays.
    C.CurrentDesign()->SetModified(true);
    View.Foot = "kept";
    const size_t asked = UI.Log.size();
    ASSERT_TRUE(C.SaveDesign(false));
    EXPECT_EQ(UI.Log.size(), asked);
    EXPECT_FALSE(View.Modified);
    EXPECT_EQ(View.Foot, "kept");

    // A changed extension that names an existing file asks before replacing it.
    UI.Files = {Dir.File("plan.txt")};
    UI.Answers = {TMsgResult::No};
    EXPECT_FALSE(C.SaveDesign(true));
    EXPECT_NE(UI.Messages().back().find("already exists"), std::string::npos);
}

TEST_F(ControllerTest, AFailedSaveKeepsTheDesignModifiedAndItsName) {
    C.OpenDesign(Sample("varnok_ch9.bcst"));
    const std::string before = C.CurrentDesign()->FileName;
    C.CurrentDesign()->SetModified(true);
    const std::string missing = Dir.Path().string() + "/no/such/folder/plan";
    UI.Files = {missing};
    EXPECT_FALSE(RunCommand([&] { C.SaveDesign(true); }));
    EXPECT_TRUE(C.CurrentDesign()->Modified());
    EXPECT_TRUE(View.Modified);
    EXPECT_EQ(C.CurrentDesign()->FileName, before);
    EXPECT_EQ(UI.Messages().back(), "Unable to write to " + missing + ".bcst");
}

TEST_F(ControllerTest, OpenDesignFailuresKeepThePreviousDesign) {
    C.OpenDesign(Sample("kvr_horizontal_ch34.bcst"));
    TBroadcastDesign* previous = C.CurrentDesign();
    const std::string bad = Dir.Write("bad.bcst", "[HEADER]\ntype=Other\n");
    for (const std::string& name : {bad, Dir.File("missing.bcst")}) {
        C.OpenDesign(name);
        EXPECT_EQ(C.CurrentDesign(), previous);
        EXPECT_EQ(UI.Messages().back(), "Unable to open file.");
    }
    // A header that passes and a value that does not convert: the error reaches the
    // error display and the previous design stays current, unlisted.
    std::string text = test::ReadAll(Sample("kvr_horizontal_ch34.bcst"));
    const std::string key = "\nhorz_gain=";
    const size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos);
    text.insert(at + key.size(), "x");
    const std::string broken = Dir.Write("broken.bcst", text);
    EXPECT_FALSE(RunCommand([&] { C.OpenDesign(broken); }));
    EXPECT_EQ(C.CurrentDesign(), previous);
    EXPECT_NE(UI.Messages().back().find("is not a valid floating point value"), std::string::npos);
    EXPECT_EQ(View.Recent, Strings{Sample("kvr_horizontal_ch34.bcst")});
}

TEST_F(ControllerTest, StartingWithArgumentsOpensTheJoinedNameAndSkipsTheStartDialog) {
    const std::string dir = Dir.File("with blanks/");
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(Sample("varnok_ch9.bcst"), dir + "my plan.bcst");
    TFakeView view;
    int starts = 0;
    view.StartDialog = [&](TfrmStartOption&) { ++starts; return false; };
    TMainController c(view, nullptr);
    c.Create({Dir.File("with"), "blanks/my", "plan.bcst"});
    ASSERT_NE(c.CurrentDesign(), nullptr);
    EXPECT_EQ(view.Foot, dir + "my plan.bcst");
    c.Activated();
    EXPECT_EQ(starts, 0);

    // A name that fails the header check: the message, and still no start dialog.
    TMainController bad(view, nullptr);
    bad.Create({Dir.File("nothing.bcst")});
    EXPECT_EQ(UI.Messages().back(), "Unable to open file.");
    bad.Activated();
    EXPECT_EQ(starts, 0);

    // Without arguments the start dialog shows on the first activation only.
    TMainController plain(view, nullptr);
    plain.Create({});
    plain.Activated();
    plain.Activated();
    EXPECT_EQ(starts, 1);
}

TEST_F(ControllerTest, RecentFilesOrderDedupAndLimit) {
    TRecentFiles list(&Store);
    for (const char* p : {"/a", "/b", "/c", "/a", "/d", "/e", "/f"}) list.Add(p);
    EXPECT_EQ(list.Items(), (Strings{"/f", "/e", "/d", "/a", "/c"}));
    EXPECT_EQ(Store.Items, list.Items());
    // The store is read back the same way, without duplicates or extra entries.
    Store.Items = {"/x", "/x", "", "/1", "/2", "/3", "/4", "/5"};
    TRecentFiles reread(&Store);
    EXPECT_EQ(reread.Items(), (Strings{"/x", "/1", "/2", "/3", "/4"}));

    // Opening the same file twice keeps one entry, on top.
    C.OpenDesign(Sample("varnok_ch9.bcst"));
    C.OpenDesign(Sample("qdmax_ch30.bcst"));
    C.OpenDesign(Sample("varnok_ch9.bcst"));
    EXPECT_EQ(View.Recent, (Strings{Sample("varnok_ch9.bcst"), Sample("qdmax_ch30.bcst")}));

    C.RecentFiles().Add(Dir.File("gone.bcst"));
    C.RemoveObsoleteFiles();
    EXPECT_EQ(View.Recent.size(), 2u);
    C.ClearRecentFiles();
    EXPECT_TRUE(View.Recent.empty());
    EXPECT_TRUE(Store.Items.empty());
}

TEST_F(ControllerTest, ChoosingARecentFile) {
    const std::string a = Sample("varnok_ch9.bcst"), b = Sample("qdmax_ch30.bcst");
    C.OpenDesign(a);
    C.OpenDesign(b);
    // Cancelled at the unsaved-changes question: the entry returns where it was.
    C.CurrentDesign()->SetModified(true);
    UI.Answers = {TMsgResult::Cancel};
    C.OpenRecent(a);
    EXPECT_EQ(View.Recent, (Strings{b, a}));
    // Opened: on top.
    UI.Answers = {TMsgResult::No};
    C.OpenRecent(a);
    EXPECT_EQ(View.Recent, (Strings{a, b}));
    // A file that no longer opens stays out of the list.
    const std::string gone = Dir.Write("gone.bcst", "[HEADER]\ntype=Velmo\n");
    C.RecentFiles().Add(gone);
    std::filesystem::remove(gone);
    C.OpenRecent(gone);
    EXPECT_EQ(UI.Messages().back(), "Unable to open file.");
    EXPECT_EQ(View.Recent, (Strings{a, b}));
}

TEST_F(ControllerTest, NewDesign) {
    // FM clears the polarization before the wizard starts; the flags are cleared.
    AnswerDesignInfo("FM");
    CustomElevationEntered() = LinesPageEntered() = true;
    std::string polAtWizard = "unset";
    View.Wizard = [&](TfrmWizard&, int) {
        polAtWizard = WorkingDesign().OptionsPage.PolCode;
        return false;
    };
    C.NewDesign();
    EXPECT_EQ(polAtWizard, "");
    EXPECT_FALSE(CustomElevationEntered());
    EXPECT_FALSE(LinesPageEntered());
    EXPECT_EQ(C.CurrentDesign()->DesignInfo.SystemType, "FM");

    // The dialog cancelled: the current design is untouched.
    TBroadcastDesign* current = C.CurrentDesign();
    View.DesignInfoDialog = [](TfrmDesignInfo&) { return false; };
    C.NewDesign();
    EXPECT_EQ(C.CurrentDesign(), current);

    // A modified design and Cancel at the question: no dialog at all.
    C.CurrentDesign()->SetModified(true);
    bool dialogShown = false;
    View.DesignInfoDialog = [&](TfrmDesignInfo&) { return dialogShown = true, false; };
    UI.Answers = {TMsgResult::Cancel};
    C.NewDesign();
    EXPECT_FALSE(dialogShown);
}

TEST_F(ControllerTest, EditDesignRangesAndCancel) {
    C.OpenDesign(Sample("kvr_horizontal_ch34.bcst"));
    const std::string family = C.CurrentDesign()->OptionsPage.FamilyID;
    int begin = 0, end = 0, page = 0;
    View.Wizard = [&](TfrmWizard& w, int p) {
        begin = w.BeginIndex, end = w.EndIndex, page = p;
        EXPECT_EQ(w.DesignState, dsEdit);
        WorkingDesign().OptionsPage.CustomLabel = "edited";
        return false;
    };
    C.EditDesign(2, 2, 2);
    EXPECT_EQ((std::vector<int>{begin, end, page}), (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(C.CurrentDesign()->OptionsPage.CustomLabel, "");  // cancelled: nothing changes
    EXPECT_FALSE(C.CurrentDesign()->Modified());

    View.Wizard = [](TfrmWizard&, int) {
        WorkingDesign().OptionsPage.CustomLabel = "edited";
        return true;
    };
    C.EditDesign(1, 5, 1);
    EXPECT_EQ(C.CurrentDesign()->OptionsPage.CustomLabel, "edited");
    EXPECT_EQ(C.CurrentDesign()->OptionsPage.FamilyID, family);
    EXPECT_TRUE(C.CurrentDesign()->Modified());
    EXPECT_TRUE(View.Modified);
}

TEST_F(ControllerTest, EditHeaderInfoHandsTheReportTitleBackAndMarksModified) {
    C.OpenDesign(Sample("kvr_horizontal_ch34.bcst"));
    C.CurrentDesign()->ReportTitle = {"Line one", "", "Line three"};
    View.DesignInfoDialog = [](TfrmDesignInfo& d) {
        EXPECT_TRUE(d.Fields().TVDown);
        EXPECT_TRUE(d.Fields().OkEnabled);
        d.EditCompanyName("Renamed");
        return d.OkClick();
    };
    C.EditHeaderInfo();
    EXPECT_EQ(C.CurrentDesign()->DesignInfo.CompanyName, "Renamed");
    EXPECT_EQ(C.CurrentDesign()->ReportTitle, (Strings{"Line one", "", "Line three"}));
    EXPECT_EQ(View.Info.CompanyName, "Renamed");
    EXPECT_FALSE(View.Info.PartNumber.empty());
    EXPECT_TRUE(View.Modified);
}

TEST_F(ControllerTest, StartDialogChoices) {
    C.OpenDesign(Sample("varnok_ch9.bcst"));
    C.CloseQuery();
    C.Closed();
    EXPECT_EQ(C.CurrentDesign(), nullptr);
    // Open the most recent file.
    View.StartDialog = [](TfrmStartOption& d) {
        d.SetAction(saOpen);
        d.OkClick();
        return d.Result() == TfrmStartOption::srOk;
    };
    C.ShowStartOptions();
    ASSERT_NE(C.CurrentDesign(), nullptr);
    EXPECT_EQ(View.Repaints, 1);
    // "More Files..." with the file dialog cancelled: nothing happens.
    TBroadcastDesign* current = C.CurrentDesign();
    View.StartDialog = [](TfrmStartOption& d) {
        d.SetAction(saOpen);
        d.Select(0);
        d.OkClick();
        EXPECT_EQ(d.Result(), TfrmStartOption::srCancel);
        return false;
    };
    UI.Files = {std::nullopt};
    C.ShowStartOptions();
    EXPECT_EQ(C.CurrentDesign(), current);
}

TEST_F(ControllerTest, ViewReportAndTechPage) {
    C.ViewReport();  // no design: nothing
    C.OpenDesign(Sample("rnvx_circular_fm.bcst"));
    C.ViewReport();
    ASSERT_EQ(UI.Log.size(), 1u);
    EXPECT_EQ(UI.Log[0].What, "preview");
    EXPECT_EQ(UI.Log[0].Report, TReportRequest::Full);
    C.CurrentDesign()->DesignInfo.SystemType = "AM";
    C.ViewReport();
    EXPECT_EQ(UI.Log.size(), 1u);
    C.OpenTechPage();
    ASSERT_EQ(View.Opened.size(), 1u);
    EXPECT_TRUE(View.Opened[0].ends_with("/beamtilt/beamtilt.html"));
    EXPECT_TRUE(std::filesystem::exists(View.Opened[0]));
}

TEST(RunCommand, ShowsEveryErrorAndReportsTheFailure) {
    test::ScriptedUI ui;
    EXPECT_TRUE(RunCommand([] {}));
    EXPECT_FALSE(RunCommand([] { throw ConvertError("abc"); }));
    EXPECT_FALSE(RunCommand([] { throw std::runtime_error("plain"); }));
    EXPECT_FALSE(RunCommand([] { throw 42; }));
    EXPECT_EQ(ui.Messages(), (Strings{"'abc' is not a valid floating point value", "plain",
                                      "An unexpected error occurred."}));
    EXPECT_EQ(ui.Log[0].Kind, TMsgKind::Error);
}

}  // namespace
}  // namespace velmo
