#include "app/frmlinesview.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/frmcustomlineview.h"
#include "app/viewguard.h"
#include "wizard/frmlines.h"

namespace velmo {

namespace {
// A spin box whose value changes only with its up/down buttons and the arrow keys.
class TButtonsOnlySpinBox : public QSpinBox {
public:
    explicit TButtonsOnlySpinBox(QWidget* parent) : QSpinBox(parent) {
        lineEdit()->setReadOnly(true);
    }
};
}  // namespace

TfrmLinesView::TfrmLinesView(TfrmLines& logic, QWidget* parent) : QWidget(parent), FLogic(logic) {
    setObjectName("frmLines");
    auto* layout = new QVBoxLayout(this);

    FHeading = new QLabel("  Transmission Line", this);
    FHeading->setObjectName("lblHeading");
    QFont headingFont = FHeading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    FHeading->setFont(headingFont);
    layout->addWidget(FHeading);

    FGrid = new QTableWidget(this);
    FGrid->setObjectName("grdLines");
    FGrid->setAccessibleName("Transmission lines");
    FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FGrid->setSortingEnabled(false);
    FGrid->setWordWrap(true);
    FGrid->setTabKeyNavigation(false);
    FGrid->verticalHeader()->setVisible(false);
    FGrid->verticalHeader()->setMinimumSectionSize(TfrmLines::RowHeight);
    FGrid->verticalHeader()->setDefaultSectionSize(TfrmLines::RowHeight);
    FGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    FGrid->horizontalHeader()->setSectionsClickable(false);
    FGrid->horizontalHeader()->setMinimumSectionSize(TfrmLines::ColumnMargin);
    FGrid->horizontalHeader()->setStretchLastSection(false);
    FGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    FGrid->installEventFilter(this);
    FGrid->viewport()->installEventFilter(this);
    layout->addWidget(FGrid, 1);

    FTotalLines = new QLabel(this);
    FTotalLines->setObjectName("lblTotalLines");
    layout->addWidget(FTotalLines);

    auto* entries = new QGridLayout;
    auto addLength = [&](int row, const char* caption, const char* name, QSpinBox*& spin) {
        auto* label = new QLabel(caption, this);
        spin = new QSpinBox(this);
        spin->setObjectName(name);
        spin->setAccessibleName(QString(caption).remove('&').remove(':'));
        spin->setRange(TfrmLines::MinLength, TfrmLines::MaxLength);
        spin->setAlignment(Qt::AlignRight);
        spin->setKeyboardTracking(false);
        label->setBuddy(spin);
        entries->addWidget(label, row, 0);
        entries->addWidget(spin, row, 1);
    };
    addLength(0, "&Vertical Length (ft):", "edtVertLength", FVertLength);
    addLength(1, "&Horizontal Length (ft):", "edtHorzLength", FHorzLength);
    auto* totalLabel = new QLabel("Total Length (ft):", this);
    FTotalLength = new QLineEdit(this);
    FTotalLength->setObjectName("edtTotalLength");
    FTotalLength->setAccessibleName("Total Length (ft)");
    FTotalLength->setReadOnly(true);
    FTotalLength->setFocusPolicy(Qt::NoFocus);
    FTotalLength->setAlignment(Qt::AlignRight);
    totalLabel->setBuddy(FTotalLength);
    entries->addWidget(totalLabel, 2, 0);
    entries->addWidget(FTotalLength, 2, 1);

    FAuralBox = new QWidget(this);
    auto* auralLayout = new QHBoxLayout(FAuralBox);
    auralLayout->setContentsMargins(0, 0, 0, 0);
    auto* auralBefore = new QLabel("&Peak Power at", FAuralBox);
    FAural = new TButtonsOnlySpinBox(FAuralBox);
    FAural->setObjectName("edtAural");
    FAural->setAccessibleName("Peak Power at % Aural");
    FAural->setRange(TfrmLines::MinAural, TfrmLines::MaxAural);
    FAural->setAlignment(Qt::AlignRight);
    auralBefore->setBuddy(FAural);
    auralLayout->addWidget(auralBefore);
    auralLayout->addWidget(FAural);
    auralLayout->addWidget(new QLabel("% Aural", FAuralBox));
    auralLayout->addStretch(1);
    entries->addWidget(FAuralBox, 0, 3, 1, 2);

    FInputLabel = new QLabel("Antenna &Input:", this);
    FInputSize = new QComboBox(this);
    FInputSize->setObjectName("cboInputSize");
    FInputSize->setAccessibleName("Antenna Input");
    for (const std::string& item : TfrmLines::InputSizeItems())
        FInputSize->addItem(QString::fromStdString(item));
    FInputLabel->setBuddy(FInputSize);
    entries->addWidget(FInputLabel, 1, 3);
    entries->addWidget(FInputSize, 1, 4);
    entries->setColumnStretch(2, 1);
    entries->setColumnStretch(5, 1);
    layout->addLayout(entries);

    setTabOrder(FGrid, FVertLength);
    setTabOrder(FVertLength, FHorzLength);
    setTabOrder(FHorzLength, FAural);

    connect(FGrid, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (!FUpdating && row >= 0) RunGuarded([&] { FLogic.SelectRow(row + 1); });
    });
    connect(FGrid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        RunGuarded([&] { FLogic.DoubleClickRow(row + 1); });
    });
    connect(FVertLength, &QSpinBox::valueChanged, this, [this](int v) {
        if (!FUpdating) FLogic.SetVertLength(v);
    });
    connect(FHorzLength, &QSpinBox::valueChanged, this, [this](int v) {
        if (!FUpdating) FLogic.SetHorzLength(v);
    });
    connect(FAural, &QSpinBox::valueChanged, this, [this](int v) {
        if (!FUpdating) FLogic.SetAural(v);
    });

    // The page starts in the grid.
    setFocusProxy(FGrid);
    // The custom line dialog of this page.
    FOldHook = SetCustomLineDialogHook([this](TfrmCustomLine& dialog) {
        TfrmCustomLineView view(dialog, this);
        return view.exec() == QDialog::Accepted;
    });
    FLogic.SetOnChanged([this] { Refresh(); });
    Refresh();
}

TfrmLinesView::~TfrmLinesView() {
    FLogic.SetOnChanged(nullptr);
    SetCustomLineDialogHook(std::move(FOldHook));
}

bool TfrmLinesView::eventFilter(QObject* watched, QEvent* event) {
    // The column widths follow the grid's client width (it narrows when the vertical
    // scroll bar appears).
    if (watched == FGrid->viewport() && event->type() == QEvent::Resize) SetGridColWidths();
    // Enter on the Custom line does what a double-click does.
    if (watched == FGrid && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (FGrid->currentRow() == 0) {
                RunGuarded([&] { FLogic.DoubleClickRow(1); });
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmLinesView::Refresh() {
    FUpdating = true;
    const int cols = FLogic.ColCount();
    const int rows = FLogic.RowCount() - 1;
    FGrid->setColumnCount(cols);
    FGrid->setRowCount(rows > 0 ? rows : 0);
    QStringList headers;
    for (int c = 0; c < cols; ++c) headers << TfrmLines::HeaderText(c);
    FGrid->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QString text = QString::fromStdString(FLogic.Cell(c, r + 1));
            QTableWidgetItem* item = FGrid->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                FGrid->setItem(r, c, item);
            }
            if (item->text() != text) item->setText(text);
            item->setTextAlignment((TfrmLines::RightAligned(c) ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignVCenter);
        }
    }
    const int selected = FLogic.Row() - 1;
    if (selected >= 0 && selected < rows) {
        FGrid->setCurrentCell(selected, 1);
        FGrid->selectRow(selected);
        if (FGrid->item(selected, 1)) FGrid->scrollToItem(FGrid->item(selected, 1));
    }
    FTotalLines->setText(QString::fromStdString(FLogic.TotalLinesText()));
    FVertLength->setValue(FLogic.VertLength());
    FHorzLength->setValue(FLogic.HorzLength());
    FTotalLength->setText(QString::fromStdString(FLogic.TotalLengthText()));
    FAuralBox->setVisible(FLogic.AuralVisible());
    FAural->setValue(FLogic.Aural());
    FInputLabel->setVisible(FLogic.InputSizeVisible());
    FInputSize->setVisible(FLogic.InputSizeVisible());
    SetGridColWidths();
    FUpdating = false;
}

void TfrmLinesView::SetGridColWidths() {
    // Setting the widths can show or hide a scroll bar, which resizes the viewport and
    // comes back here: the inner call does the work with the new width.
    if (FSizing > 2) return;
    ++FSizing;
    struct Done {
        int& n;
        ~Done() { --n; }
    } done{FSizing};
    const QFontMetrics metrics(FGrid->horizontalHeader()->font());
    const std::vector<int> widths = FLogic.GridColWidths(
        FGrid->viewport()->width(),
        [&](const std::string& text) { return metrics.horizontalAdvance(QString::fromStdString(text)); });
    for (int c = 0; c < static_cast<int>(widths.size()) && c < FGrid->columnCount(); ++c)
        FGrid->setColumnWidth(c, widths[static_cast<size_t>(c)]);
    // The description wraps; a row grows to its wrapped text, never below 20 pixels.
    FGrid->resizeRowsToContents();
}

void TfrmLinesView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SetGridColWidths();
}

void TfrmLinesView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The viewport has its final width once the page is laid out.
    QTimer::singleShot(0, this, [this] {
        SetGridColWidths();
        const int selected = FLogic.Row() - 1;
        if (selected >= 0 && FGrid->item(selected, 1)) FGrid->scrollToItem(FGrid->item(selected, 1));
    });
}

}  // namespace velmo
