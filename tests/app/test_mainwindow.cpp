// The desktop windows' wiring, offscreen: a press reaches the logic and the window
// follows what the logic says.
#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>

#include "app/designinfoview.h"
#include "app/mainwindow.h"
#include "app/qtui.h"
#include "app/settingsstore.h"
#include "app/wizardview.h"
#include "model/design.h"
#include "scripted_ui.h"
#include "test_support.h"
#include "wizard/designinfo.h"
#include "wizard/wizard.h"

namespace velmo {
namespace {

std::string Sample(const std::string& name) { return test::BinDir() + "samples/" + name; }

// The main window with its dialogs answered by the test.
class TTestMain : public TfrmMain {
public:
    TTestMain() : TfrmMain(nullptr) {}
    std::vector<std::string> Wizards;
    bool ExecuteWizard(TfrmWizard& w, int page) override {
        Wizards.push_back(std::to_string(w.BeginIndex) + "-" + std::to_string(w.EndIndex) + "@" +
                          std::to_string(page));
        return false;
    }
};

template <typename T>
T* Find(QWidget& w, const char* name) {
    T* found = w.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(MainWindow, ModifyButtonsRunTheirWizardRangesAndTheStatusBarFollowsModified) {
    test::ScriptedUI ui;
    TTestMain main;
    main.Create({Sample("kvr_horizontal_ch34.bcst")});
    QLabel* modified = Find<QLabel>(main, "pnlModified");
    QLabel* foot = Find<QLabel>(main, "pnlFootCaption");
    EXPECT_EQ(modified->text(), "");
    EXPECT_EQ(foot->text().toStdString(), Sample("kvr_horizontal_ch34.bcst"));
    EXPECT_EQ(Find<QLineEdit>(main, "edtName")->text(), "Sample Television");
    EXPECT_FALSE(Find<QLineEdit>(main, "edtPartNumber")->text().isEmpty());

    for (const char* name : {"btnSystemParameters", "btnAzimuthPattern", "btnElevationPattern",
                             "btnTransmissionLine", "btnSystemAnalysis"})
        QTest::mouseClick(Find<QPushButton>(main, name), Qt::LeftButton);
    EXPECT_EQ(main.Wizards, (std::vector<std::string>{"1-5@1", "2-2@2", "3-3@3", "4-4@4", "5-5@5"}));

    main.Controller().CurrentDesign()->SetModified(true);
    EXPECT_EQ(modified->text(), "Modified");
    main.Controller().CurrentDesign()->SetModified(false);
    EXPECT_EQ(modified->text(), "");
}

TEST(MainWindow, CommandsFollowTheStateAndExportIsOffForCustomDesigns) {
    test::ScriptedUI ui;
    TTestMain main;
    main.Create({});
    QAction* save = Find<QAction>(main, "actSave");
    QAction* report = Find<QAction>(main, "actReport");
    QMenu* exportMenu = Find<QMenu>(main, "mnuExport");
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(exportMenu->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(main, "btnAzimuthPattern")->isEnabled());
    EXPECT_EQ(Find<QLabel>(main, "pnlFootCaption")->text(), TfrmMain::MakerLine());

    main.Controller().OpenDesign(Sample("custom_tv.bcst"));
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(report->isEnabled());
    EXPECT_FALSE(exportMenu->isEnabled());
    main.Controller().OpenDesign(Sample("qdmax_ch30.bcst"));
    EXPECT_TRUE(exportMenu->isEnabled());
    EXPECT_EQ(report->shortcut(), QKeySequence("Ctrl+R"));

    // The report command reaches the user interface.
    report->trigger();
    ASSERT_FALSE(ui.Log.empty());
    EXPECT_EQ(ui.Log.back().What, "preview");
}

TEST(MainWindow, CoverageExportsAndTheFCCCheckOfFMDesigns) {
    test::ScriptedUI ui;
    TTestMain main;
    main.Create({});
    QAction* fcc = Find<QAction>(main, "actCheckFCC");
    QAction* msi = Find<QAction>(main, "actExportMSI");
    QAction* splat = Find<QAction>(main, "actExportSPLAT");
    ASSERT_TRUE(fcc && msi && splat);
    EXPECT_EQ(fcc->text().toStdString(), "Check FCC tabulation\u2026");
    EXPECT_EQ(msi->text(), "To &MSI (standard)");
    EXPECT_EQ(splat->text(), "To &SPLAT!");
    EXPECT_TRUE(Find<QMenu>(main, "mnuView")->actions().contains(fcc));
    EXPECT_FALSE(fcc->isEnabled());

    main.Controller().OpenDesign(Sample("qdmax_ch30.bcst"));
    EXPECT_FALSE(fcc->isEnabled()) << "a TV design";
    main.Controller().OpenDesign(Sample("rnvx_circular_fm.bcst"));
    EXPECT_TRUE(fcc->isEnabled());
    ui.Log.clear();
    fcc->trigger();
    ASSERT_EQ(ui.Log.size(), 1u);
    EXPECT_EQ(ui.Log[0].Kind, TMsgKind::Information);
    EXPECT_EQ(ui.Log[0].Text.rfind("FCC tabulation check: pass", 0), 0u) << ui.Log[0].Text;

    test::TempDir dir;
    ui.Files.push_back(dir.File("site.qth"));
    splat->trigger();
    EXPECT_TRUE(std::filesystem::exists(dir.File("site.az")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("site.el")));
    ui.Files.push_back(dir.File("site"));
    msi->trigger();
    EXPECT_TRUE(std::filesystem::exists(dir.File("site_fm.msi")));
}

TEST(MainWindow, DesignDateInTheUsersLanguage) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(TfrmMain::FormatDesignDate(EncodeDate(2024, 3, 5) + 0.5), "March 5, 2024");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(TfrmMain::FormatDesignDate(EncodeDate(2024, 3, 5)), "März 5, 2024");
    QLocale::setDefault(saved);
}

TEST(MainWindow, RecentFilesPersistUnderTheirKeyAndFillTheReopenMenu) {
    test::TempDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.Path().string()));
    {
        TSettingsRecentStore store;
        TfrmMain main(&store);
        main.Create({Sample("varnok_ch9.bcst")});
        QMenu* reopen = Find<QMenu>(main, "mnuReopen");
        QStringList texts;
        for (QAction* a : reopen->actions()) texts << a->text();
        EXPECT_EQ(texts.first().toStdString(), "&1 " + Sample("varnok_ch9.bcst"));
        EXPECT_TRUE(texts.contains("&Clear Reopen List"));
        EXPECT_TRUE(texts.contains("&Remove Obsolete"));
    }
    QSettings settings("Orvane", "Velmo");
    EXPECT_EQ(settings.value("MRU Items").toStringList(),
              QStringList{QString::fromStdString(Sample("varnok_ch9.bcst"))});
    EXPECT_TRUE(settings.fileName().startsWith(QString::fromStdString(dir.Path().string())));
}

// A page that counts its calls, for the wizard window.
class TCountingPage : public TWizardPage {
public:
    using TWizardPage::TWizardPage;
    int Enters = 0, Exits = 0, Finals = 0;
    void PageEnter() override { ++Enters; }
    void PageExit() override { ++Exits; }
    void Final() override { ++Finals; }
};

TEST(WizardWindow, ButtonsReachTheLogicAndFollowIt) {
    test::ScriptedUI ui;
    WorkingDesign().DesignInfo.SystemType = "TV";
    TfrmWizard wizard;
    wizard.BeginIndex = 1;
    wizard.EndIndex = 2;
    std::vector<TCountingPage*> pages;
    wizard.PageFactory = [&](const std::string&, TWizardButton& next) {
        auto p = std::make_unique<TCountingPage>(next);
        pages.push_back(p.get());
        return p;
    };
    TfrmWizardView view(wizard, nullptr);
    view.Start(1);
    EXPECT_EQ(view.windowTitle(), "Velmo");
    EXPECT_EQ(view.NextButton()->text(), "&Next");
    EXPECT_FALSE(view.BackButton()->isEnabled());
    // The page disables Next: the button follows.
    wizard.NextButton.SetEnabled(false);
    EXPECT_FALSE(view.NextButton()->isEnabled());
    wizard.NextButton.SetEnabled(true);
    QTest::mouseClick(view.NextButton(), Qt::LeftButton);
    EXPECT_EQ(wizard.PageIndex(), 2);
    EXPECT_EQ(view.NextButton()->text(), "&Finish");
    EXPECT_TRUE(view.BackButton()->isEnabled());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1]->Enters, 1);
    // Cancel asks; No stays.
    ui.Answers = {TMsgResult::No};
    QTest::mouseClick(view.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(pages[1]->Finals, 0);
    // The close button asks nothing and cancels.
    view.show();
    view.close();
    EXPECT_EQ(pages[1]->Finals, 1);
    EXPECT_FALSE(wizard.Commit);
    EXPECT_EQ(ui.Messages().size(), 1u);
    WorkingDesign().DesignInfo.SystemType.clear();
}

// Every step of every sample design fits the wizard laid out for an 800 x 600 screen:
// no page widens or heightens the window beyond it, and nothing is cut off.
TEST(WizardWindow, EveryPageOfEverySampleFitsTheSmallScreen) {
    test::ScriptedUI ui;
    for (const char* sample : {"kvr_horizontal_ch34.bcst", "miraldo_uhf_elliptical_top.bcst",
                               "qdmax_ch30.bcst", "varnok_ch9.bcst", "custom_tv.bcst",
                               "rnvx_circular_fm.bcst", "240c_fm.bcst", "custom_fm.bcst"}) {
        for (int step = 1; step <= 5; ++step) {
            auto design = LoadDesignFile(Sample(sample));
            WorkingDesign().Assign(*design);
            TfrmWizard wizard;
            wizard.BeginIndex = step;
            wizard.EndIndex = step;
            TfrmWizardView view(wizard, nullptr);
            view.Start(step);
            view.show();
            QApplication::processEvents();
            const std::string what = std::string(sample) + " step " + std::to_string(step);
            ASSERT_NE(view.PageView(), nullptr) << what;
            const QSize hint = view.minimumSizeHint();
            EXPECT_LE(hint.width(), 800) << what;
            EXPECT_LE(hint.height(), 600) << what;
            EXPECT_LE(view.width(), 800) << what;
            EXPECT_LE(view.height(), 600) << what;
            QWidget* page = view.PageView();
            for (QWidget* child : page->findChildren<QWidget*>()) {
                if (!child->isVisible() || child->objectName().isEmpty()) continue;
                const QRect r(child->mapTo(page, QPoint(0, 0)), child->size());
                EXPECT_TRUE(page->rect().contains(r)) << what << ": " << child->objectName().toStdString();
            }
            view.close();
        }
    }
}

TEST(DesignInfoWindow, TogglesAndFieldsReachTheLogic) {
    TfrmDesignInfo logic;
    logic.SetReportTitle("Title\nkept");
    TfrmDesignInfoView view(logic, nullptr);
    EXPECT_FALSE(view.OkButton()->isEnabled());
    QTest::mouseClick(view.TVButton(), Qt::LeftButton);
    EXPECT_TRUE(view.OkButton()->isEnabled());
    EXPECT_TRUE(view.TVButton()->isChecked());
    QTest::mouseClick(view.FMButton(), Qt::LeftButton);
    EXPECT_TRUE(view.FMButton()->isChecked());
    EXPECT_FALSE(view.TVButton()->isChecked());
    // Pressing a button that is down leaves it down.
    QTest::mouseClick(view.FMButton(), Qt::LeftButton);
    EXPECT_TRUE(view.FMButton()->isChecked());

    QTest::keyClicks(Find<QLineEdit>(view, "edtCompanyName"), "Acme");
    Find<QPlainTextEdit>(view, "memNotes")->setPlainText("one\ntwo");
    Find<QDateEdit>(view, "dtpDate")->setDate(QDate(2021, 7, 4));
    QTest::mouseClick(view.OkButton(), Qt::LeftButton);
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(logic.DesignInfo().CompanyName, "Acme");
    EXPECT_EQ(logic.DesignInfo().SystemType, "FM");
    EXPECT_EQ(logic.DesignInfo().Notes, (std::vector<std::string>{"one", "two"}));
    int y, m, d;
    DecodeDate(logic.DesignInfo().Date, y, m, d);
    EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{2021, 7, 4}));
    EXPECT_EQ(logic.ReportTitle(), "Title\nkept");
}

TEST(QtFilter, WindowsPairsBecomeQtNameFilters) {
    EXPECT_EQ(QtFilter("Velmo File (*.bcst)|*.bcst|All Files (*.*)|*.*"), "Velmo File (*.bcst);;All Files (*)");
    EXPECT_EQ(QtFilter("Planet Files|*.pln;*.PLN"), "Planet Files (*.pln *.PLN)");
    EXPECT_EQ(QtFilter(""), "");
}

}  // namespace
}  // namespace velmo
