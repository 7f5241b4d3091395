#include "app/wizardview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <memory>

#include "wizard/command.h"
#include "app/pageviews.h"
#include "wizard/wizard.h"

namespace velmo {

TfrmWizardView::TfrmWizardView(TfrmWizard& wizard, QWidget* parent)
    : QDialog(parent), FWizard(wizard) {
    setObjectName("frmWizard");
    setWindowTitle("Velmo");
    setAccessibleName("Velmo design wizard");
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    FPageArea = new QFrame(this);
    FPageArea->setObjectName("pnlPage");
    FPageArea->setAccessibleName("Wizard page");
    FPageLayout = new QVBoxLayout(FPageArea);
    FPageLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FPageArea, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    FBack = new QPushButton(this);
    FBack->setObjectName("btnBack");
    FBack->setAccessibleName("Back");
    FNext = new QPushButton(this);
    FNext->setObjectName("btnNext");
    FNext->setAccessibleName("Next");
    FNext->setDefault(true);
    FCancel = new QPushButton(this);
    FCancel->setObjectName("btnCancel");
    FCancel->setAccessibleName("Cancel");
    bar->addWidget(FBack);
    bar->addWidget(FNext);
    bar->addSpacing(12);
    bar->addWidget(FCancel);
    layout->addLayout(bar);

    FWizard.NextButton.OnChange = [this] { Render(FNext, FWizard.NextButton); };
    FWizard.BackButton.OnChange = [this] { Render(FBack, FWizard.BackButton); };
    FWizard.CancelButton.OnChange = [this] { Render(FCancel, FWizard.CancelButton); };
    Render(FNext, FWizard.NextButton);
    Render(FBack, FWizard.BackButton);
    Render(FCancel, FWizard.CancelButton);

    connect(FNext, &QPushButton::clicked, this, [this] { RunCommand([this] { FWizard.NextClick(); }); });
    connect(FBack, &QPushButton::clicked, this, [this] { RunCommand([this] { FWizard.BackClick(); }); });
    connect(FCancel, &QPushButton::clicked, this,
            [this] { RunCommand([this] { FWizard.CancelClick(); }); });

    FWizard.OnPageCreated = [this](TWizardPage* page) { PageCreated(page); };
    FWizard.OnReleasePage = [this](std::unique_ptr<TWizardPage> page) {
        // The old page's widget stops taking input and goes once its pending events
        // are done; the page logic goes with it.
        QWidget* view = FPageView;
        FPageView = nullptr;
        if (!view) return;  // no widget: the page goes at once
        view->hide();
        view->setEnabled(false);
        view->blockSignals(true);
        FPageLayout->removeWidget(view);
        std::shared_ptr<TWizardPage> keep(std::move(page));
        connect(view, &QObject::destroyed, [keep]() mutable { keep.reset(); });
        view->deleteLater();
    };
    FWizard.OnClose = [this] { done(FWizard.Commit ? QDialog::Accepted : QDialog::Rejected); };

    // Laid out for 800 × 600, never larger than the screen it opens on.
    QSize size(800, 600);
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QSize avail = screen->availableGeometry().size();
        size = size.boundedTo(avail * 0.95);
    }
    resize(size);
}

TfrmWizardView::~TfrmWizardView() {
    FWizard.NextButton.OnChange = nullptr;
    FWizard.BackButton.OnChange = nullptr;
    FWizard.CancelButton.OnChange = nullptr;
    FWizard.OnPageCreated = nullptr;
    FWizard.OnReleasePage = nullptr;
    FWizard.OnClose = nullptr;
    // The page's widget refers to the page logic: it goes first.
    if (FWizard.CurrentPage()) FWizard.CurrentPage()->SetOnChanged(nullptr);
    delete FPageView;
    FPageView = nullptr;
}

void TfrmWizardView::Render(QPushButton* button, const TWizardButton& state) {
    button->setText(QString::fromStdString(state.Caption()));
    button->setEnabled(state.Enabled());
}

void TfrmWizardView::PageCreated(TWizardPage* page) {
    if (!page) return;  // a step without a page: an empty page area
    FPageView = CreatePageView(*page, FPageArea);
    if (FPageView) {
        FPageLayout->addWidget(FPageView);
        FPageView->show();
    }
}

void TfrmWizardView::Start(int pageIndex) {
    RunCommand([&] { FWizard.SetPageIndex(pageIndex); });
}

bool TfrmWizardView::Execute(int pageIndex) {
    Start(pageIndex);
    if (!FWizard.Closed()) exec();
    return FWizard.Commit;
}

void TfrmWizardView::closeEvent(QCloseEvent* event) {
    // The close button counts as cancel and asks nothing.
    if (!FWizard.Closed()) RunCommand([this] { FWizard.WindowClosing(); });
    QDialog::closeEvent(event);
}

void TfrmWizardView::reject() {
    if (FWizard.Closed()) {
        QDialog::reject();
        return;
    }
    RunCommand([this] { FWizard.CancelClick(); });
}

void TfrmWizardView::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized)) return;
    // Minimizing the wizard minimizes the whole application.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && w->isWindow() && !w->parentWidget()) w->showMinimized();
}

}  // namespace velmo
