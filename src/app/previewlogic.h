#pragma once
// The report preview's rules, apart from its window: which page is shown, the two
// sizing modes (a zoom percentage of a screen-relative page, or fitted to the scroll
// box), where the page panel goes, what each key does and how a drag scrolls. Plain
// C++ without Qt, so every rule is tested without a screen; TfrmPreviewView renders
// it and forwards the user's actions.
#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

// The page panel's bounds inside the scroll box, in pixels.
struct TPanelBounds {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t W = 0;
    int32_t H = 0;
    bool operator==(const TPanelBounds&) const = default;
};

// Keys the preview acts on; everything else is kOther.
enum class TPreviewKey { PageUp, PageDown, Escape, F5, P, C, Other };
enum class TPreviewAction { None, PreviousPage, NextPage, Close, ToggleFit, Print };

class TfrmPreview {
public:
    // The screen the window was laid out for.
    static constexpr int32_t DesignScreenHeight = 600;
    static constexpr int32_t DesignScreenWidth = 800;
    // The page panel's top inside the scroll box.
    static constexpr int32_t PanelTop = 5;

    // The zoom list's items, "25%" to "100%".
    static const std::vector<std::string>& ZoomItems();
    // The percentage of a zoom list index; any other index counts as 25.
    static int32_t ZoomPercent(int32_t index);
    // Index of "50%", selected when the window opens.
    static constexpr int32_t DefaultZoomIndex = 3;

    // The page size at `percent` on a screen `screenHeight` pixels high:
    // 850 x 1100 at 100 % on a 600-pixel screen, growing with the screen.
    static TPanelBounds ZoomSize(int32_t screenHeight, int32_t percent);
    // The page fitted to a scroll box of boxWidth x boxHeight.
    static TPanelBounds FitBounds(int32_t boxWidth, int32_t boxHeight);
    // A page of width w centred in the box (never left of the box's edge, so a page
    // wider than the box scrolls to both of its sides).
    static int32_t CentredX(int32_t boxWidth, int32_t w);

    // Toolbar pictures by screen height: 16, 24 or 32 pixels.
    static int32_t ToolbarPictureSize(int32_t screenHeight);
    // A width laid out for the 600-pixel screen, scaled to this one (rounded).
    static int32_t ScaledWidth(int32_t width, int32_t screenHeight);

    // What a key does (ctrl, shift, alt: the modifiers held). Ctrl+P and Ctrl+C act
    // with Ctrl alone.
    static TPreviewAction KeyAction(TPreviewKey key, bool ctrl, bool shift, bool alt);

    // A preview of `pageCount` page images on a screen `screenHeight` pixels high, in
    // zoom mode at 50 % until fitted.
    TfrmPreview(int32_t pageCount, int32_t screenHeight);

    int32_t PageIndex() const { return FPageIndex; }
    int32_t PageCount() const { return FPageCount; }
    int32_t ScreenHeight() const { return FScreenHeight; }
    bool FitToSize() const { return FFitToSize; }
    int32_t ZoomIndex() const { return FZoomIndex; }
    // "Page %d of %d".
    std::string PageText() const;
    bool NextEnabled() const { return FPageIndex < FPageCount - 1; }
    bool PreviousEnabled() const { return FPageIndex > 0; }

    // Navigation; false when the page did not change.
    bool DoNextPage();
    bool DoPreviousPage();

    // The scroll box's client size; runs the resize step.
    void ResizeBox(int32_t width, int32_t height);
    int32_t BoxWidth() const { return FBoxWidth; }
    int32_t BoxHeight() const { return FBoxHeight; }
    // Choosing a zoom entry leaves fit mode and sizes the page by the percentage.
    void SelectZoom(int32_t index);
    // The fit button pressed (down) or released.
    void SetFit(bool down);
    void ToggleFit() { SetFit(!FFitToSize); }
    // The page panel's bounds. Every sizing step puts the scroll positions back to 0;
    // PanelSerial counts those steps so the window knows when to do it.
    const TPanelBounds& Panel() const { return FPanel; }
    uint32_t PanelSerial() const { return FPanelSerial; }

    // Dragging the page with a mouse button held: y is the pointer's Y in page-panel
    // pixels. DragMove returns the new vertical scroll position.
    void DragStart(int32_t y);
    int32_t DragMove(int32_t y, int32_t scrollPosition) const;
    void DragEnd() { FMouseDown = false; }
    bool MouseDown() const { return FMouseDown; }

private:
    void ZoomStep();
    void ResizeStep();
    void SetPreviewPanel(int32_t x, int32_t w, int32_t h);

    int32_t FPageCount;
    int32_t FPageIndex;
    int32_t FScreenHeight;
    bool FFitToSize = false;
    int32_t FZoomIndex = DefaultZoomIndex;
    int32_t FBoxWidth = 0;
    int32_t FBoxHeight = 0;
    TPanelBounds FPanel;
    uint32_t FPanelSerial = 0;
    bool FMouseDown = false;
    int32_t FLastPos = 0;
};

}  // namespace velmo
