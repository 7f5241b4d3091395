#include "app/previewlogic.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"

namespace velmo {

namespace {
// Rounding in the preview is to the nearest integer, ties to even.
int32_t Round(double v) { return static_cast<int32_t>(std::nearbyint(v)); }
}  // namespace

const std::vector<std::string>& TfrmPreview::ZoomItems() {
    static const std::vector<std::string> items = {"25%", "30%", "40%", "50%", "60%",
                                                   "70%", "75%", "80%", "90%", "100%"};
    return items;
}

int32_t TfrmPreview::ZoomPercent(int32_t index) {
    static const int32_t percents[] = {25, 30, 40, 50, 60, 70, 75, 80, 90, 100};
    if (index < 0 || index >= static_cast<int32_t>(std::size(percents))) return 25;
    return percents[index];
}

TPanelBounds TfrmPreview::ZoomSize(int32_t screenHeight, int32_t percent) {
    const double h = screenHeight;
    const double p = percent;
    TPanelBounds b;
    b.W = Round(h * 850.0 / 600.0 * p / 100.0);
    b.H = Round(p / 100.0 * h * 1100.0 / 600.0);
    return b;
}

TPanelBounds TfrmPreview::FitBounds(int32_t boxWidth, int32_t boxHeight) {
    double w, h;
    if (boxHeight < boxWidth) {
        h = boxHeight - 12;
        w = 0.77 * h;
    } else {
        w = boxWidth - 10;
        h = 1.29 * w;
    }
    TPanelBounds b;
    b.X = std::max(0, Round(boxWidth / 2 - w / 2));
    b.Y = PanelTop;
    b.W = std::max(0, Round(w));
    b.H = std::max(0, Round(h));
    return b;
}

int32_t TfrmPreview::CentredX(int32_t boxWidth, int32_t w) {
    return std::max(0, boxWidth / 2 - w / 2);
}

int32_t TfrmPreview::ToolbarPictureSize(int32_t screenHeight) {
    if (screenHeight <= 800) return 16;
    if (screenHeight < 1000) return 24;
    return 32;
}

int32_t TfrmPreview::ScaledWidth(int32_t width, int32_t screenHeight) {
    return Round(static_cast<double>(width) * screenHeight / DesignScreenHeight);
}

TPreviewAction TfrmPreview::KeyAction(TPreviewKey key, bool ctrl, bool shift, bool alt) {
    switch (key) {
        case TPreviewKey::PageUp:
            return TPreviewAction::PreviousPage;
        case TPreviewKey::PageDown:
            return TPreviewAction::NextPage;
        case TPreviewKey::Escape:
            return TPreviewAction::Close;
        case TPreviewKey::F5:
            return TPreviewAction::ToggleFit;
        case TPreviewKey::P:
            return ctrl && !shift && !alt ? TPreviewAction::Print : TPreviewAction::None;
        case TPreviewKey::C:
            return ctrl && !shift && !alt ? TPreviewAction::Close : TPreviewAction::None;
        case TPreviewKey::Other:
            break;
    }
    return TPreviewAction::None;
}

TfrmPreview::TfrmPreview(int32_t pageCount, int32_t screenHeight)
    : FPageCount(std::max(0, pageCount)),
      FPageIndex(pageCount > 0 ? 0 : -1),
      FScreenHeight(screenHeight > 0 ? screenHeight : DesignScreenHeight) {
    // The zoom list opens on "50%" and its change step runs once.
    SelectZoom(DefaultZoomIndex);
}

std::string TfrmPreview::PageText() const {
    return "Page " + FormatInt(FPageIndex + 1) + " of " + FormatInt(FPageCount);
}

bool TfrmPreview::DoNextPage() {
    if (FPageIndex >= FPageCount - 1) return false;
    ++FPageIndex;
    return true;
}

bool TfrmPreview::DoPreviousPage() {
    if (FPageIndex <= 0) return false;
    --FPageIndex;
    return true;
}

void TfrmPreview::ResizeBox(int32_t width, int32_t height) {
    FBoxWidth = std::max(0, width);
    FBoxHeight = std::max(0, height);
    ResizeStep();
}

void TfrmPreview::SelectZoom(int32_t index) {
    FFitToSize = false;
    FZoomIndex = index;
    ZoomStep();
}

void TfrmPreview::SetFit(bool down) {
    FFitToSize = down;
    if (down)
        ResizeStep();
    else
        ZoomStep();
}

void TfrmPreview::ZoomStep() {
    const TPanelBounds size = ZoomSize(FScreenHeight, ZoomPercent(FZoomIndex));
    SetPreviewPanel(CentredX(FBoxWidth, size.W), size.W, size.H);
}

void TfrmPreview::ResizeStep() {
    if (!FFitToSize) {
        SetPreviewPanel(CentredX(FBoxWidth, FPanel.W), FPanel.W, FPanel.H);
        return;
    }
    const TPanelBounds fit = FitBounds(FBoxWidth, FBoxHeight);
    SetPreviewPanel(fit.X, fit.W, fit.H);
}

void TfrmPreview::SetPreviewPanel(int32_t x, int32_t w, int32_t h) {
    FPanel = TPanelBounds{x, PanelTop, w, h};
    ++FPanelSerial;
}

void TfrmPreview::DragStart(int32_t y) {
    FMouseDown = true;
    FLastPos = y;
}

int32_t TfrmPreview::DragMove(int32_t y, int32_t scrollPosition) const {
    if (!FMouseDown) return scrollPosition;
    return scrollPosition + FLastPos - y;
}

}  // namespace velmo
