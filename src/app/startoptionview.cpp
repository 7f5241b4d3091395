#include "app/startoptionview.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/pageviewkit.h"
#include "wizard/command.h"
#include "wizard/startoption.h"

namespace velmo {

TfrmStartOptionView::TfrmStartOptionView(TfrmStartOption& logic, QWidget* parent)
    : QDialog(parent), FLogic(logic) {
    setObjectName("frmStartOption");
    setWindowTitle("Velmo");
    setAccessibleName("Start");

    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(" What would you like to do? ", this);
    box->setObjectName("grpStart");
    auto* boxLayout = new QVBoxLayout(box);
    FNew = new QRadioButton("Create a new antenna design", box);
    FNew->setObjectName("rbNew");
    FNew->setAccessibleName("Create a new antenna design");
    FOpen = new QRadioButton("Open an existing design", box);
    FOpen->setObjectName("rbOpen");
    FOpen->setAccessibleName("Open an existing design");
    boxLayout->addWidget(FNew);
    boxLayout->addWidget(FOpen);
    FList = new QListWidget(box);
    FList->setObjectName("lstFiles");
    FList->setAccessibleName("Design files");
    boxLayout->addWidget(FList, 1);
    layout->addWidget(box, 1);

    // Recent files shortened to fit 280 pixels (at the design's 96 dpi scale).
    const QFontMetrics metrics(FList->font());
    const int maxWidth = 280 * logicalDpiY() / 96;
    FList->addItem(TfrmStartOption::kMoreFiles);
    for (const std::string& path : FLogic.RecentFiles()) {
        auto* item = new QListWidgetItem(QString::fromStdString(ShortenPath(
            path, maxWidth,
            [&](const std::string& s) { return metrics.horizontalAdvance(QString::fromStdString(s)); })));
        item->setToolTip(QString::fromStdString(path));
        FList->addItem(item);
    }
    FList->setMinimumWidth(maxWidth + 24);

    layout->addLayout(NewOkCancelRow(this, FOk, FCancel));

    connect(FNew, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !FRefreshing) FLogic.SetAction(saNew);
    });
    connect(FOpen, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !FRefreshing) FLogic.SetAction(saOpen);
    });
    connect(FList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!FRefreshing) FLogic.Select(row);
    });
    connect(FList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        RunCommand([&] { FLogic.DoubleClick(FList->row(item)); });
        Finish();
    });
    connect(FOk, &QPushButton::clicked, this, [this] {
        RunCommand([this] { FLogic.OkClick(); });
        Finish();
    });
    connect(FCancel, &QPushButton::clicked, this, [this] {
        FLogic.CancelClick();
        Finish();
    });

    FLogic.OnChanged = [this] { Refresh(); };
    Refresh();
}

TfrmStartOptionView::~TfrmStartOptionView() { FLogic.OnChanged = nullptr; }

void TfrmStartOptionView::Refresh() {
    FRefreshing = true;
    FNew->setChecked(FLogic.Action() == saNew);
    FOpen->setChecked(FLogic.Action() == saOpen);
    FList->setEnabled(FLogic.ListEnabled());
    FList->setCurrentRow(FLogic.SelectedIndex());
    FRefreshing = false;
}

void TfrmStartOptionView::Finish() {
    if (FLogic.Result() == TfrmStartOption::srOk) accept();
    else if (FLogic.Result() == TfrmStartOption::srCancel) reject();
}

bool TfrmStartOptionView::Execute() { return exec() == QDialog::Accepted; }

}  // namespace velmo
