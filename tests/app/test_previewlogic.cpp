// The preview's rules without a window: zoom list and sizes, the fitted page, the two
// sizing modes, paging, keys and the drag.
#include <gtest/gtest.h>

#include "app/previewlogic.h"

using namespace velmo;

namespace {

TEST(PreviewZoom, ListAndPercentages) {
    const std::vector<std::string> items = {"25%", "30%", "40%", "50%", "60%",
                                            "70%", "75%", "80%", "90%", "100%"};
    EXPECT_EQ(TfrmPreview::ZoomItems(), items);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(TfrmPreview::ZoomPercent(i), std::stoi(items[i]));
    // Anything that is not an entry of the list counts as 25 %.
    EXPECT_EQ(TfrmPreview::ZoomPercent(-1), 25);
    EXPECT_EQ(TfrmPreview::ZoomPercent(10), 25);
}

TEST(PreviewZoom, PageSizeFollowsTheScreenHeight) {
    struct Case {
        int Screen, Percent, W, H;
    };
    const Case cases[] = {
        {600, 100, 850, 1100},   // one page unit per pixel on the screen laid out for
        {1080, 100, 1530, 1980},
        {1080, 50, 765, 990},
        {600, 25, 212, 275},     // 212.5: ties go to the even neighbour
        {768, 30, 326, 422},     // 326.4, 422.4
        {1000, 75, 1062, 1375},  // 1062.5 -> 1062
    };
    for (const Case& c : cases) {
        const TPanelBounds b = TfrmPreview::ZoomSize(c.Screen, c.Percent);
        EXPECT_EQ(b.W, c.W) << c.Screen << " " << c.Percent;
        EXPECT_EQ(b.H, c.H) << c.Screen << " " << c.Percent;
    }
}

TEST(PreviewFit, PageFittedToTheScrollBox) {
    struct Case {
        int BoxW, BoxH;
        TPanelBounds Expected;
    };
    const Case cases[] = {
        {1000, 600, {274, 5, 453, 588}},  // wide box: the height decides (0.77 x 588 = 452.76)
        {600, 1000, {5, 5, 590, 761}},    // tall box: the width decides (1.29 x 590 = 761.1)
        {800, 800, {5, 5, 790, 1019}},    // a square box counts as tall
        {1903, 947, {591, 5, 720, 935}},  // 951 - 359.975 = 591.025
    };
    for (const Case& c : cases)
        EXPECT_EQ(TfrmPreview::FitBounds(c.BoxW, c.BoxH), c.Expected) << c.BoxW << "x" << c.BoxH;
}

TEST(PreviewModes, OpensAtFiftyPercentAndSwitchesBetweenZoomAndFit) {
    TfrmPreview p(3, 600);
    p.ResizeBox(1000, 600);
    EXPECT_FALSE(p.FitToSize());
    EXPECT_EQ(p.ZoomIndex(), TfrmPreview::DefaultZoomIndex);
    const TPanelBounds zoomed = {288, 5, 425, 550};  // 500 - 425 div 2
    EXPECT_EQ(p.Panel(), zoomed);

    p.SetFit(true);
    const TPanelBounds fitted = {274, 5, 453, 588};
    EXPECT_EQ(p.Panel(), fitted);
    p.ResizeBox(600, 1000);  // a fitted page follows the box
    EXPECT_EQ(p.Panel(), (TPanelBounds{5, 5, 590, 761}));
    p.ResizeBox(1000, 600);

    // F5 twice returns to the mode it left, at the same size.
    p.ToggleFit();
    EXPECT_FALSE(p.FitToSize());
    EXPECT_EQ(p.Panel(), zoomed);
    p.ToggleFit();
    EXPECT_TRUE(p.FitToSize());
    EXPECT_EQ(p.Panel(), fitted);

    // Choosing a zoom entry while fitted leaves fit mode.
    p.SelectZoom(9);
    EXPECT_FALSE(p.FitToSize());
    EXPECT_EQ(p.Panel(), (TPanelBounds{75, 5, 850, 1100}));
    // In zoom mode a resize only re-centres the page.
    p.ResizeBox(1200, 300);
    EXPECT_EQ(p.Panel(), (TPanelBounds{175, 5, 850, 1100}));
}

TEST(PreviewModes, APageWiderThanTheBoxStartsAtItsLeftEdge) {
    // 1530 pixels wide in an 800-pixel box: centring would put 365 pixels of the page
    // out of reach on the left; the page starts at the edge and scrolls instead.
    TfrmPreview p(1, 1080);
    p.ResizeBox(800, 500);
    p.SelectZoom(9);
    EXPECT_EQ(p.Panel(), (TPanelBounds{0, 5, 1530, 1980}));
}

TEST(PreviewModes, EverySizingStepResetsTheScrollPosition) {
    TfrmPreview p(2, 600);
    uint32_t serial = p.PanelSerial();
    auto stepped = [&] {
        const bool changed = p.PanelSerial() != serial;
        serial = p.PanelSerial();
        return changed;
    };
    p.ResizeBox(700, 500);
    EXPECT_TRUE(stepped());
    p.SelectZoom(2);
    EXPECT_TRUE(stepped());
    p.SetFit(true);
    EXPECT_TRUE(stepped());
    p.DoNextPage();
    EXPECT_FALSE(stepped());  // turning a page keeps the scroll position
}

TEST(PreviewPages, NavigationStopsAtBothEnds) {
    TfrmPreview one(1, 600);
    EXPECT_EQ(one.PageText(), "Page 1 of 1");
    EXPECT_FALSE(one.NextEnabled());
    EXPECT_FALSE(one.PreviousEnabled());
    EXPECT_FALSE(one.DoNextPage());
    EXPECT_FALSE(one.DoPreviousPage());
    EXPECT_EQ(one.PageIndex(), 0);

    TfrmPreview p(3, 600);
    EXPECT_FALSE(p.DoPreviousPage());
    EXPECT_TRUE(p.NextEnabled());
    EXPECT_TRUE(p.DoNextPage());
    EXPECT_EQ(p.PageText(), "Page 2 of 3");
    EXPECT_TRUE(p.PreviousEnabled());
    EXPECT_TRUE(p.NextEnabled());
    EXPECT_TRUE(p.DoNextPage());
    EXPECT_FALSE(p.NextEnabled());
    EXPECT_FALSE(p.DoNextPage());
    EXPECT_EQ(p.PageIndex(), 2);
    EXPECT_TRUE(p.DoPreviousPage());
    EXPECT_EQ(p.PageText(), "Page 2 of 3");

    TfrmPreview none(0, 600);
    EXPECT_EQ(none.PageIndex(), -1);
    EXPECT_EQ(none.PageText(), "Page 0 of 0");
    EXPECT_FALSE(none.NextEnabled());
    EXPECT_FALSE(none.PreviousEnabled());
    EXPECT_FALSE(none.DoNextPage());
}

TEST(PreviewKeys, WhatEachKeyDoes) {
    struct Case {
        TPreviewKey Key;
        bool Ctrl, Shift, Alt;
        TPreviewAction Action;
    };
    using K = TPreviewKey;
    using A = TPreviewAction;
    const Case cases[] = {
        {K::PageUp, false, false, false, A::PreviousPage},
        {K::PageDown, false, false, false, A::NextPage},
        {K::Escape, false, false, false, A::Close},
        {K::F5, false, false, false, A::ToggleFit},
        {K::P, true, false, false, A::Print},
        {K::C, true, false, false, A::Close},
        // Ctrl+P and Ctrl+C act with Ctrl alone.
        {K::P, false, false, false, A::None},
        {K::P, true, true, false, A::None},
        {K::C, true, false, true, A::None},
        {K::C, false, false, false, A::None},
        {K::Other, true, false, false, A::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TfrmPreview::KeyAction(c.Key, c.Ctrl, c.Shift, c.Alt), c.Action)
            << static_cast<int>(c.Key) << " ctrl " << c.Ctrl << " shift " << c.Shift << " alt "
            << c.Alt;
}

TEST(PreviewLayout, PicturesAndWidthsByScreenHeight) {
    const std::pair<int, int> pictures[] = {{600, 16}, {800, 16}, {801, 24}, {999, 24}, {1000, 32}, {2160, 32}};
    for (const auto& [screen, size] : pictures)
        EXPECT_EQ(TfrmPreview::ToolbarPictureSize(screen), size) << screen;
    EXPECT_EQ(TfrmPreview::ScaledWidth(150, 600), 150);
    EXPECT_EQ(TfrmPreview::ScaledWidth(150, 1080), 270);
    EXPECT_EQ(TfrmPreview::ScaledWidth(150, 900), 225);
}

TEST(PreviewDrag, TheGrabbedPointStaysUnderThePointer) {
    TfrmPreview p(1, 600);
    EXPECT_EQ(p.DragMove(50, 30), 30);  // no button held: nothing scrolls
    p.DragStart(100);
    EXPECT_TRUE(p.MouseDown());
    EXPECT_EQ(p.DragMove(80, 0), 20);  // pointer 20 up: the page scrolls 20 with it
    // Scrolled, the panel moved up under the pointer: the grabbed point is there again
    // and nothing moves further.
    EXPECT_EQ(p.DragMove(100, 20), 20);
    EXPECT_EQ(p.DragMove(130, 20), -10);  // down past the top: the scroll bar clamps it
    p.DragEnd();
    EXPECT_FALSE(p.MouseDown());
    EXPECT_EQ(p.DragMove(0, 10), 10);
}

}  // namespace
