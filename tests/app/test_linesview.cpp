// The transmission line page widget and the custom line dialog, offscreen: the
// widgets render the logic and forward the user's clicks and keys to it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/frmcustomlineview.h"
#include "app/frmlinesview.h"
#include "base/numbers.h"
#include "model/design.h"
#include "test_support.h"
#include "wizard/frmcustomline.h"
#include "wizard/frmlines.h"

using namespace velmo;

namespace {

TBroadcastDesign& FromSample(const std::string& name) {
    auto d = LoadDesignFile(test::BinDir() + "samples/" + name);
    WorkingDesign().Assign(*d);
    return WorkingDesign();
}

// Saves a picture of `w` at `size` into the build folder's screenshots.
void Shot(QWidget& w, QSize size, const QString& name) {
    w.resize(size);
    w.show();
    QApplication::processEvents();
    QApplication::processEvents();
    const QString dir = QString::fromStdString(test::BinDir()) + "../screenshots";
    QDir().mkpath(dir);
    EXPECT_TRUE(w.grab().save(dir + "/" + name + ".png"));
}

}  // namespace

TEST(LinesView, GridFollowsTheLogicAndClicksReachIt) {
    TBroadcastDesign& d = FromSample("kvr_horizontal_ch34.bcst");
    d.OptionsPage.Service = stAnalog;
    TWizardButton next;
    TfrmLines page(next);
    page.PageEnter();
    TfrmLinesView view(page, nullptr);
    view.resize(780, 480);
    view.show();
    QApplication::processEvents();

    QTableWidget* grid = view.Grid();
    ASSERT_EQ(grid->rowCount(), page.TransmissionLines.Count());
    ASSERT_EQ(grid->columnCount(), 7);
    EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), "Total (dB)");
    EXPECT_EQ(grid->item(0, 1)->text(), "Custom");
    EXPECT_TRUE(grid->item(0, 4)->textAlignment() & Qt::AlignRight);
    EXPECT_EQ(grid->currentRow(), page.Row() - 1);
    EXPECT_EQ(view.findChild<QLabel*>("lblTotalLines")->text().toStdString(), page.TotalLinesText());
    // The description column takes the room the others leave.
    int sum = 0;
    for (int c = 0; c < grid->columnCount(); ++c) sum += grid->columnWidth(c);
    EXPECT_LE(std::abs(sum + 21 - grid->viewport()->width()), 1)
        << sum << " " << grid->viewport()->width() << " " << grid->width();
    // A wrapped description makes its row taller than 20 pixels, never shorter.
    for (int r = 0; r < grid->rowCount(); ++r) EXPECT_GE(grid->rowHeight(r), 20) << r;

    grid->setCurrentCell(2, 1);
    EXPECT_EQ(page.Row(), 3);
    EXPECT_EQ(page.Line().PartNumber, grid->item(2, 1)->text().toStdString());

    auto* vert = view.findChild<QSpinBox*>("edtVertLength");
    auto* horz = view.findChild<QSpinBox*>("edtHorzLength");
    vert->setValue(1000);
    horz->setValue(100);
    EXPECT_EQ(view.findChild<QLineEdit*>("edtTotalLength")->text(), "1100");
    EXPECT_EQ(grid->item(0, 4)->text(), "1.650");
    EXPECT_EQ(d.LinesPage.VertLength, 1000);

    auto* aural = view.findChild<QSpinBox*>("edtAural");
    ASSERT_TRUE(aural->isVisible());
    aural->stepUp();
    EXPECT_EQ(page.Aural(), 11);
    EXPECT_EQ(grid->item(0, 6)->text().toStdString(), FormatFixed(60 / 0.71, 3));
    EXPECT_FALSE(view.findChild<QWidget*>("cboInputSize")->isVisible());
}

TEST(LinesView, DoubleClickOnTheCustomLineOpensTheDialogAndEnterAcceptsIt) {
    FromSample("kvr_horizontal_ch34.bcst");
    TWizardButton next;
    TfrmLines page(next);
    page.PageEnter();
    TfrmLinesView view(page, nullptr);
    view.show();
    QApplication::processEvents();

    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        sawDialog = true;
        EXPECT_EQ(dlg->windowTitle(), "Customer defined transmission line");
        auto* power = dlg->findChild<QLineEdit*>("edtAveragePower");
        auto* att = dlg->findChild<QLineEdit*>("edtAttenuation");
        EXPECT_EQ(power->text(), "60.00");
        power->setFocus();
        power->selectAll();
        QTest::keyClicks(power, "25");
        att->setFocus();  // leaving the field commits it
        att->selectAll();
        QTest::keyClicks(att, "0.5");
        QTest::keyClick(att, Qt::Key_Return);
    });
    QTableWidget* grid = view.Grid();
    const QPoint at = grid->visualItemRect(grid->item(0, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(sawDialog);
    EXPECT_EQ(grid->item(0, 5)->text(), "25.00");
    EXPECT_EQ(grid->item(0, 3)->text(), "0.500");
    EXPECT_EQ(page.TransmissionLines.Line(0).AvgPower(), 25);
}

TEST(CustomLineView, OutOfRangeNumberIsRefusedOnLeavingAndCancelKeepsNothing) {
    TfrmCustomLine logic;
    logic.SetDescription("Custom feeder");
    logic.SetAveragePower(60);
    logic.SetAttenuation(0.15);
    TfrmCustomLineView dlg(logic, nullptr);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QApplication::processEvents();
    QLineEdit* power = dlg.Field(TfrmCustomLine::cfAveragePower);
    power->setFocus();
    power->selectAll();
    QTest::keyClicks(power, "150");
    dlg.Field(TfrmCustomLine::cfAttenuation)->setFocus();
    EXPECT_EQ(power->text(), "60.00");
    EXPECT_EQ(dlg.findChild<QLabel*>("lblHint")->text(), "Enter a number from 0 to 100.");
    // Enter in a field with a refused number keeps the dialog open.
    power->setFocus();
    power->selectAll();
    QTest::keyClicks(power, "-3");
    QTest::keyClick(power, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(power->text(), "60.00");
    dlg.findChild<QPushButton*>("btnCancel")->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(logic.ModalResultOk());
    EXPECT_EQ(logic.AveragePower(), 60);
}

TEST(LinesView, Screenshots) {
    TBroadcastDesign& d = FromSample("kvr_horizontal_ch34.bcst");
    d.OptionsPage.Service = stAnalog;
    TWizardButton next;
    TfrmLines page(next);
    page.PageEnter();
    page.SelectRow(page.TransmissionLines.Count());  // the last row must be scrolled to
    TfrmLinesView view(page, nullptr);
    Shot(view, {780, 470}, "lines_800x600");
    Shot(view, {1900, 960}, "lines_1920x1080");
    // The selected row is in view.
    QTableWidget* grid = view.Grid();
    const QRect cell = grid->visualItemRect(grid->item(page.Row() - 1, 1));
    EXPECT_TRUE(grid->viewport()->rect().intersects(cell));

    TfrmCustomLine logic;
    logic.SetDescription("Double-click to edit custom line.");
    logic.SetAveragePower(60);
    logic.SetAttenuation(0.15);
    TfrmCustomLineView dlg(logic, nullptr);
    Shot(dlg, dlg.sizeHint(), "custom_line_dialog");
}
