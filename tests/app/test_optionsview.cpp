// The step 1 widgets, offscreen: each click, pick and keystroke reaches the page logic
// and the widgets follow the logic's state. Screenshots of both pages go to the build
// folder (screenshots/).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <filesystem>

#include "app/optionsview.h"
#include "app/pageviews.h"
#include "base/folders.h"
#include "model/design.h"
#include "scripted_ui.h"
#include "test_support.h"
#include "wizard/fmoptions.h"
#include "wizard/options.h"

namespace velmo {
namespace {

template <typename T>
T* Find(QWidget& root, const char* name) {
    T* w = root.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Key(QWidget* w, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const QString& text) {
    for (QChar c : text) Key(w, 0, QString(c));
}

std::string ScreenshotPath(const std::string& name) {
    const std::string dir = test::BinDir() + "../screenshots/";
    std::filesystem::create_directories(dir);
    return dir + name;
}

class StepOneViews : public ::testing::Test {
protected:
    void SetUp() override {
        InitFolders(test::BinDir());
        TBroadcastDesign fresh;
        WorkingDesign().Assign(fresh);
    }
    void TearDown() override { InitFolders(test::BinDir()); }
    TWizardButton Next;
    test::ScriptedUI UIScript;
};

TEST_F(StepOneViews, TVClicksReachTheLogicAndRefreshTheGroups) {
    TfrmOptions page(Next);
    page.PageEnter();
    std::unique_ptr<QWidget> view(CreatePageView(page, nullptr));
    ASSERT_NE(dynamic_cast<TfrmOptionsView*>(view.get()), nullptr);
    QWidget& v = *view;
    EXPECT_TRUE(Find<QRadioButton>(v, "rbFamily2")->isChecked());
    EXPECT_EQ(Find<QRadioButton>(v, "rbFamily3")->text(), "KVR Series Low Power UHF");

    // QD offers side mounting only.
    Find<QRadioButton>(v, "rbFamily7")->click();
    EXPECT_EQ(page.PageData().FamilyID, "QD");
    EXPECT_TRUE(Find<QRadioButton>(v, "rbMount0")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(v, "rbMount1")->isEnabled());
    EXPECT_EQ(Find<QLabel>(v, "lblFamilyDescription")->text().toStdString(),
              page.FamilyOptions()[7].Description);
    // KVR offers both mounts and both polarizations; elliptical needs no entry.
    Find<QRadioButton>(v, "rbFamily3")->click();
    EXPECT_TRUE(Find<QRadioButton>(v, "rbMount1")->isEnabled());
    Find<QRadioButton>(v, "rbPol1")->click();
    EXPECT_EQ(page.PageData().PolCode, "E");
    EXPECT_FALSE(Find<QWidget>(v, "seVerticalComponent")->isVisibleTo(&v));
    Find<QRadioButton>(v, "rbFamily2")->click();
    Find<QRadioButton>(v, "rbPol1")->click();
    EXPECT_TRUE(Find<QWidget>(v, "seVerticalComponent")->isVisibleTo(&v));
    Find<QRadioButton>(v, "rbMount1")->click();
    QCheckBox* wind = Find<QCheckBox>(v, "cbHighWind");
    ASSERT_TRUE(wind->isVisibleTo(&v));
    wind->click();
    EXPECT_TRUE(page.PageData().HighWind);

    // A pick in the channel list: channel 7 is VHF.
    QTreeWidget* channels = Find<QTreeWidget>(v, "lvChannels");
    QList<QTreeWidgetItem*> seven = channels->findItems("7", Qt::MatchExactly, 0);
    ASSERT_EQ(seven.size(), 1);
    channels->setCurrentItem(seven[0]);
    EXPECT_EQ(page.PageData().Channel.ChannelNumber, "7");
    EXPECT_TRUE(Find<QRadioButton>(v, "rbFamily0")->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>(v, "rbFamily2")->isEnabled());

    // Europe renames the analog option; the FM entry shows the frequency row.
    Find<QRadioButton>(v, "rbMarket1")->click();
    EXPECT_EQ(Find<QRadioButton>(v, "rbService0")->text(), "ANALOG (PAL,SECAM)");
    Find<QRadioButton>(v, "rbMarket0")->click();
    QList<QTreeWidgetItem*> fm = channels->findItems("FM", Qt::MatchExactly, 0);
    ASSERT_EQ(fm.size(), 1);
    channels->setCurrentItem(fm[0]);
    QLineEdit* freq = Find<QLineEdit>(v, "edFMFrequency");
    ASSERT_TRUE(freq->isVisibleTo(&v));
    EXPECT_FALSE(Find<QRadioButton>(v, "rbService0")->isEnabled());
    freq->setFocus();
    Type(freq, "98.1");
    EXPECT_EQ(page.FMFrequencyText(), "98.1");
    EXPECT_TRUE(Next.Enabled());
    Find<QPushButton>(v, "btnReadNote")->click();
    ASSERT_EQ(UIScript.Messages().size(), 1u);
}

TEST_F(StepOneViews, FMClicksAndTheERPBox) {
    WorkingDesign().OptionsPage.PolCode = "";
    WorkingDesign().ElevationPage.FMPattern.SetGain(3);
    TfrmFMOptions page(Next);
    page.PageEnter();
    std::unique_ptr<QWidget> view(CreatePageView(page, nullptr));
    ASSERT_NE(dynamic_cast<TfrmFMOptionsView*>(view.get()), nullptr);
    QWidget& v = *view;
    EXPECT_TRUE(Find<QRadioButton>(v, "rbPol1")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(v, "rbFamily3")->isEnabled());  // RNV-H is horizontal

    Find<QRadioButton>(v, "rbFamily0")->click();
    EXPECT_EQ(page.PageData().FamilyID, "RNVX");
    EXPECT_EQ(WorkingDesign().ElevationPage.FMPattern.Gain(), 1);
    EXPECT_TRUE(Find<QRadioButton>(v, "rbMount1")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>(v, "cbRadome")->isEnabled());
    Find<QCheckBox>(v, "cbRadome")->click();
    EXPECT_TRUE(page.PageData().Radome);
    Find<QRadioButton>(v, "rbMount1")->click();
    Find<QRadioButton>(v, "rbFeed1")->click();
    EXPECT_EQ(page.PageData().FeedCode, "C");

    QLineEdit* erp = Find<QLineEdit>(v, "edMaxERP");
    erp->setFocus();
    erp->selectAll();
    Type(erp, "15a00");  // the letter is refused
    EXPECT_EQ(erp->text(), "1500");
    EXPECT_EQ(page.PageData().MaxERPkW, 1500);
    Key(erp, Qt::Key_Return);
    EXPECT_EQ(erp->text(), "1000");
    EXPECT_EQ(page.PageData().MaxERPkW, 1000);
    EXPECT_TRUE(Next.Enabled());
    Find<QPushButton>(v, "btnClass2")->click();
    EXPECT_EQ(erp->text(), "25");
    EXPECT_EQ(page.PageData().MaxERPkW, 25);

    // Vertical polarization drops the family; the groups without choice disable.
    Find<QRadioButton>(v, "rbPol2")->click();
    EXPECT_FALSE(Find<QRadioButton>(v, "rbFamily0")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(v, "rbMount0")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(v, "cbRadome")->isChecked());
    EXPECT_EQ(Find<QLabel>(v, "lblFamilyDescription")->text(),
              "For directional FM antennas and master FM antennas please contact Orvane.");
    EXPECT_FALSE(Next.Enabled());
}

TEST_F(StepOneViews, AnErrorInAClickIsShownAndThePageStaysUsable) {
    test::TempDir install;
    std::filesystem::copy(std::filesystem::path(test::BinDir()) / "data", install.Path() / "data",
                          std::filesystem::copy_options::recursive);
    std::filesystem::remove(install.Path() / "data" / "tblChannels_Australian.txt");
    InitFolders(install.Path().string());
    TfrmOptions page(Next);
    page.PageEnter();
    TfrmOptionsView view(page);
    view.findChild<QRadioButton*>("rbMarket2")->click();
    ASSERT_EQ(UIScript.Log.size(), 1u);
    EXPECT_EQ(UIScript.Log[0].Kind, TMsgKind::Error);
    EXPECT_EQ(UIScript.Log[0].Text.rfind("Cannot open file \"", 0), 0u) << UIScript.Log[0].Text;
    view.findChild<QRadioButton*>("rbMarket0")->click();
    EXPECT_TRUE(view.findChild<QRadioButton*>("rbMarket0")->isChecked());
    EXPECT_EQ(view.findChild<QTreeWidget*>("lvChannels")->currentItem()->text(0), "32");
}

// Laid out at 800 x 600 and at 1920 x 1080, every step box lies inside the page, no
// two overlap, and the family description has the room its text needs.
TEST_F(StepOneViews, BothPagesFitAndAreSavedAsScreenshots) {
    WorkingDesign().OptionsPage.FamilyID = "KLX-UHF";
    WorkingDesign().OptionsPage.MountCode = "T";
    WorkingDesign().OptionsPage.PolCode = "E";
    TfrmOptions tv(Next);
    tv.PageEnter();
    TfrmOptionsView tvView(tv);
    TBroadcastDesign fresh;
    WorkingDesign().Assign(fresh);
    WorkingDesign().OptionsPage.PolCode = "E";
    WorkingDesign().OptionsPage.FamilyID = "RNVX";
    WorkingDesign().OptionsPage.MaxERPkW = 50;
    TfrmFMOptions fm(Next);
    fm.PageEnter();
    TfrmFMOptionsView fmView(fm);
    struct Case {
        QWidget* View;
        const char* Name;
        int Steps;
    } pages[] = {{&tvView, "step1_tv", 6}, {&fmView, "step1_fm", 8}};
    for (const Case& c : pages) {
        const QFont normal = c.View->font();
        for (QSize size : {QSize(800, 560), QSize(1920, 1020)}) {
            SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(size.width()));
            // The program scales its windows by screen height / 600.
            QFont scaled = normal;
            scaled.setPointSizeF(normal.pointSizeF() * size.height() / 560.0);
            c.View->setFont(scaled);
            c.View->resize(size);
            c.View->show();
            QApplication::processEvents();
            EXPECT_LE(c.View->minimumSizeHint().height(), size.height());
            EXPECT_LE(c.View->minimumSizeHint().width(), size.width());
            std::vector<QRect> boxes;
            for (int s = 1; s <= c.Steps; ++s) {
                auto* box = c.View->findChild<QGroupBox*>(QStringLiteral("gbStep%1").arg(s));
                ASSERT_NE(box, nullptr) << s;
                EXPECT_TRUE(box->title().startsWith(QStringLiteral("Step %1 - ").arg(s)));
                const QRect r(box->mapTo(c.View, QPoint(0, 0)), box->size());
                EXPECT_TRUE(c.View->rect().contains(r)) << s;
                for (const QRect& other : boxes) EXPECT_FALSE(r.intersects(other)) << s;
                boxes.push_back(r);
            }
            auto* desc = c.View->findChild<QLabel*>("lblFamilyDescription");
            EXPECT_GE(desc->height(), desc->heightForWidth(desc->width()));
            const std::string file = ScreenshotPath(std::string(c.Name) + "_" +
                                                    std::to_string(size.width()) + ".png");
            EXPECT_TRUE(c.View->grab().save(QString::fromStdString(file)));
            c.View->hide();
        }
    }
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

// Tab walks the steps in reading order, one stop per option group; the arrow keys
// move within a group and select as they go.
TEST_F(StepOneViews, KeyboardFollowsTheSteps) {
    TfrmOptions page(Next);
    page.PageEnter();
    TfrmOptionsView view(page);
    view.resize(800, 560);
    view.show();
    QApplication::processEvents();
    view.activateWindow();
    QStringList stops;
    view.findChild<QRadioButton*>("rbMarket0")->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 7 && QApplication::focusWidget(); ++i) {
        stops << QApplication::focusWidget()->objectName();
        Key(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(stops, (QStringList{"rbMarket0", "lvChannels", "rbFamily2", "rbMount0", "rbPol0",
                                  "rbService1", "rbMarket0"}));

    auto* uhf = view.findChild<QRadioButton*>("rbFamily2");
    uhf->setFocus(Qt::TabFocusReason);
    Key(uhf, Qt::Key_Down);
    EXPECT_EQ(page.PageData().FamilyID, "KVR");
    EXPECT_EQ(page.PageData().PowerCode, "L");
    EXPECT_TRUE(view.findChild<QRadioButton*>("rbFamily3")->hasFocus());
    auto* list = view.findChild<QTreeWidget*>("lvChannels");
    list->setFocus(Qt::TabFocusReason);
    Key(list, Qt::Key_Down);
    EXPECT_EQ(page.PageData().Channel.ChannelNumber, "33");
}

}  // namespace
}  // namespace velmo
