// The TV and FM power analysis page widgets, offscreen: keys reach the entries as the
// page accepts them, commits update every figure, and the layout shows what the
// polarization asks for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "app/frmanalysisview.h"
#include "app/schematicwidget.h"
#include "base/numbers.h"
#include "model/design.h"
#include "test_support.h"
#include "wizard/frmanalysis.h"

using namespace velmo;

namespace {

TBroadcastDesign& FromSample(const std::string& name) {
    auto d = LoadDesignFile(test::BinDir() + "samples/" + name);
    WorkingDesign().Assign(*d);
    return WorkingDesign();
}

void Shot(QWidget& w, QSize size, const QString& name) {
    w.resize(size);
    w.show();
    QApplication::processEvents();
    const QString dir = QString::fromStdString(test::BinDir()) + "../screenshots";
    QDir().mkpath(dir);
    EXPECT_TRUE(w.grab().save(dir + "/" + name + ".png"));
}

// Every child widget that is shown lies inside `w` (nothing cut off at this size).
void ExpectAllInside(QWidget& w, const std::string& what) {
    for (QWidget* child : w.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->objectName().isEmpty()) continue;
        const QRect r(child->mapTo(&w, QPoint(0, 0)), child->size());
        EXPECT_TRUE(w.rect().contains(r)) << what << ": " << child->objectName().toStdString();
    }
}

}  // namespace

TEST(AnalysisView, TypingIsFilteredShownRedAndCommittedWithEnter) {
    FromSample("kvr_horizontal_ch34.bcst");
    TWizardButton next;
    TfrmAnalysis page(next);
    page.PageEnter();
    TfrmAnalysisView view(page, nullptr);
    view.resize(780, 470);
    view.show();
    QApplication::setActiveWindow(&view);
    QApplication::processEvents();

    QLineEdit* tx = view.FieldEdit(afTransmitterPowerkW);
    QLineEdit* erp = view.FieldEdit(afERPkWHorz);
    EXPECT_EQ(tx->text(), "10.000");
    EXPECT_TRUE(view.FieldEdit(afERPdBkHorz)->isReadOnly());
    tx->setFocus();
    tx->selectAll();
    QTest::keyClicks(tx, "1x2a.5e");
    EXPECT_EQ(tx->text(), "12.5");
    EXPECT_EQ(tx->palette().color(QPalette::Text), QColor(Qt::red));
    QTest::keyClick(tx, Qt::Key_Return);
    EXPECT_EQ(tx->text(), "12.500");
    EXPECT_NE(tx->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(erp->text().toStdString(),
              FormatFixed(WorkingDesign().AnalysisPage.Analysis.ERPkWHorz(), 3));

    // Leaving an edited entry commits it too.
    erp->setFocus();
    erp->selectAll();
    QTest::keyClicks(erp, "40");
    tx->setFocus();
    EXPECT_EQ(erp->text(), "40.000");
    EXPECT_DOUBLE_EQ(WorkingDesign().AnalysisPage.Analysis.ERPkWHorz(), 40);

    // Polarization "H": the vertical column and the ratio are not shown.
    EXPECT_FALSE(view.FieldEdit(afERPkWVert)->isVisible());
    EXPECT_FALSE(view.findChild<QSpinBox*>("spnVerticalRatio")->isVisible());
}

TEST(AnalysisView, WarningsAppearAndTheRatioFollowsTheFamily) {
    TBroadcastDesign& d = FromSample("miraldo_uhf_elliptical_top.bcst");  // KLX-UHF, E
    d.LinesPage.Line.SetAvgPower(20);
    TWizardButton next;
    TfrmAnalysis page(next);
    page.PageEnter();
    TfrmAnalysisView view(page, nullptr);
    view.show();
    QApplication::processEvents();

    auto* ratio = view.findChild<QSpinBox*>("spnVerticalRatio");
    ASSERT_TRUE(ratio->isVisible());
    EXPECT_FALSE(ratio->isReadOnly());
    EXPECT_EQ(ratio->value(), 30);
    ratio->stepUp();
    EXPECT_EQ(d.OptionsPage.VerticalComponent, 31);
    EXPECT_TRUE(view.FieldEdit(afERPkWVert)->isVisible());

    QLineEdit* tx = view.FieldEdit(afTransmitterPowerkW);
    tx->setFocus();
    tx->selectAll();
    QTest::keyClicks(tx, "100");
    QTest::keyClick(tx, Qt::Key_Return);
    auto* warning = view.findChild<QLabel*>("lblWarning");
    EXPECT_TRUE(warning->isVisible());
    EXPECT_EQ(warning->text(), "Transmission line power at maximum.");
    EXPECT_EQ(tx->text(), "20.000");

    // KVR sets its ratio on the system page: read-only here, no buttons.
    d.OptionsPage.FamilyID = "KVR";
    TfrmAnalysis kvr(next);
    kvr.PageEnter();
    TfrmAnalysisView kvrView(kvr, nullptr);
    auto* fixed = kvrView.findChild<QSpinBox*>("spnVerticalRatio");
    EXPECT_TRUE(fixed->isReadOnly());
    EXPECT_EQ(fixed->buttonSymbols(), QAbstractSpinBox::NoButtons);
}

TEST(AnalysisView, FMPageShowsItsLossesAndTheERPWarning) {
    TBroadcastDesign& d = FromSample("rnvx_circular_fm.bcst");
    d.OptionsPage.MaxERPkW = 6;
    TWizardButton next;
    TfrmFMAnalysis page(next);
    page.PageEnter();
    TfrmFMAnalysisView view(page, nullptr);
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(view.findChild<QLabel*>("lblHeading")->text(), "  FM Power Analysis");
    auto* erpWarning = view.findChild<QLabel*>("lblERPWarning");
    EXPECT_TRUE(erpWarning->isVisible());
    EXPECT_EQ(erpWarning->text(),
              "Maximum allowable ERP MAX = 6 kW.\nPlease check with your consultant to verify if "
              "you\nare allowed to exceed 6 kW");
    QLineEdit* filter = view.FieldEdit(afFilterLossDB);
    ASSERT_NE(filter, nullptr);
    filter->setFocus();
    filter->selectAll();
    QTest::keyClicks(filter, "0.5");
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_EQ(d.AnalysisPage.Analysis.FilterLossDB(), 0.5);
    EXPECT_EQ(filter->text(), "0.500");
    EXPECT_EQ(view.FieldEdit(afERPkWVert), nullptr);
}

TEST(AnalysisView, Screenshots) {
    struct Case {
        const char* sample;
        const char* name;
    } cases[] = {{"miraldo_uhf_elliptical_top.bcst", "analysis_tv"},
                 {"rnvx_circular_fm.bcst", "analysis_fm"}};
    for (const Case& c : cases) {
        TBroadcastDesign& d = FromSample(c.sample);
        TWizardButton next;
        std::unique_ptr<TAnalysisPageBase> page;
        std::unique_ptr<QWidget> view;
        if (d.DesignInfo.SystemType == "FM") {
            auto fm = std::make_unique<TfrmFMAnalysis>(next);
            fm->PageEnter();
            view = std::make_unique<TfrmFMAnalysisView>(*fm, nullptr);
            page = std::move(fm);
        } else {
            auto tv = std::make_unique<TfrmAnalysis>(next);
            tv->PageEnter();
            view = std::make_unique<TfrmAnalysisView>(*tv, nullptr);
            page = std::move(tv);
        }
        Shot(*view, {780, 470}, QString(c.name) + "_800x600");
        ExpectAllInside(*view, c.name);
        Shot(*view, {1900, 960}, QString(c.name) + "_1920x1080");
        ExpectAllInside(*view, c.name);
        view.reset();
    }
    TSchematicWidget big(nullptr);
    Shot(big, {540, 600}, "schematic_large");
}
