#include "User32.h"

#include "Gdi32.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;

namespace {

constexpr int32_t InitialExStyle = 0x00040100;
constexpr int32_t WS_EX_TOPMOST = 0x00000008;

class Windows : public testing::Test
{
protected:
    std::unique_ptr<QWidget> makeWindow()
    {
        auto window = std::make_unique<QWidget>();
        window->setGeometry(100, 100, 400, 300);
        return window;
    }

    std::unique_ptr<QWidget> first = makeWindow();
    std::unique_ptr<QWidget> second = makeWindow();
    HWND hwnd = WindowHandles::registerWindow(first.get());
    HWND other = WindowHandles::registerWindow(second.get());
};

TEST_F(Windows, EachWindowHasItsOwnHandleAndKeepsIt)
{
    EXPECT_NE(hwnd, 0);
    EXPECT_NE(other, 0);
    EXPECT_NE(hwnd, other);
    EXPECT_EQ(WindowHandles::registerWindow(first.get()), hwnd);
    EXPECT_EQ(WindowHandles::handleOf(first.get()), hwnd);
    EXPECT_EQ(WindowHandles::handleOf(second.get()), other);
    QWidget unregistered;
    EXPECT_EQ(WindowHandles::handleOf(&unregistered), 0);
    EXPECT_EQ(WindowHandles::find(hwnd)->widget, first.get());
}

TEST_F(Windows, HandlesAreNeverReused)
{
    WindowHandles::unregisterWindow(other);
    EXPECT_EQ(WindowHandles::find(other), nullptr);
    second.reset();
    auto third = makeWindow();
    const HWND thirdHandle = WindowHandles::registerWindow(third.get());
    EXPECT_NE(thirdHandle, other);
    EXPECT_NE(thirdHandle, hwnd);
    EXPECT_EQ(WindowHandles::find(other), nullptr);
}

TEST_F(Windows, ADestroyedWindowLosesItsHandle)
{
    first.reset();
    EXPECT_EQ(WindowHandles::find(hwnd), nullptr);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), 0);
}

TEST_F(Windows, TheStyleWordStartsRealisticAndIsKeptPerWindow)
{
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), InitialExStyle);
    EXPECT_EQ(GetWindowLongA(other, GWL_EXSTYLE), InitialExStyle);

    EXPECT_EQ(SetWindowLongA(hwnd, GWL_EXSTYLE, InitialExStyle | WS_EX_TOPMOST), InitialExStyle);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), InitialExStyle | WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), InitialExStyle | WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongA(other, GWL_EXSTYLE), InitialExStyle);

    EXPECT_EQ(SetWindowLongA(hwnd, GWL_EXSTYLE, 0), InitialExStyle | WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), 0);
    EXPECT_EQ(WindowHandles::find(hwnd)->exStyle, 0);
}

TEST_F(Windows, OtherWindowLongsAreNotKept)
{
    constexpr int32_t GWL_STYLE = -16;
    EXPECT_EQ(SetWindowLongA(hwnd, GWL_STYLE, 0x10CF0000), 0);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE), 0);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), InitialExStyle);
}

TEST_F(Windows, LayeredAttributesTakeEffectOnlyOnALayeredWindow)
{
    EXPECT_EQ(SetLayeredWindowAttributes(hwnd, 0, 128, LWA_ALPHA), 0);
    EXPECT_DOUBLE_EQ(first->windowOpacity(), 1.0);
    EXPECT_DOUBLE_EQ(WindowHandles::find(hwnd)->opacity, 1.0);

    SetWindowLongA(hwnd, GWL_EXSTYLE, InitialExStyle | WS_EX_LAYERED);
    for (const int alpha : {0, 3, 26, 76, 128, 178, 230, 252, 255}) {
        EXPECT_NE(SetLayeredWindowAttributes(hwnd, 0, uint8_t(alpha), LWA_ALPHA), 0);
        EXPECT_NEAR(first->windowOpacity(), alpha / 255.0, 1e-9) << alpha;
        EXPECT_NEAR(WindowHandles::find(hwnd)->opacity, alpha / 255.0, 1e-9) << alpha;
    }
    // The other window is untouched.
    EXPECT_DOUBLE_EQ(second->windowOpacity(), 1.0);
    EXPECT_EQ(SetLayeredWindowAttributes(other, 0, 10, LWA_ALPHA), 0);
    EXPECT_DOUBLE_EQ(second->windowOpacity(), 1.0);
}

TEST_F(Windows, WithoutTheAlphaFlagTheWindowStaysOpaque)
{
    SetWindowLongA(hwnd, GWL_EXSTYLE, InitialExStyle | WS_EX_LAYERED);
    EXPECT_NE(SetLayeredWindowAttributes(hwnd, 0x00FF00FF, 40, LWA_COLORKEY), 0);
    EXPECT_DOUBLE_EQ(first->windowOpacity(), 1.0);
    EXPECT_EQ(WindowHandles::find(hwnd)->colorKey, 0x00FF00FF);
    EXPECT_EQ(WindowHandles::find(hwnd)->layeredFlags, LWA_COLORKEY);
}

TEST_F(Windows, ClearingTheLayeredBitRestoresOpacityAndKeepsTheOtherBits)
{
    const int32_t styled = InitialExStyle | WS_EX_TOPMOST;
    SetWindowLongA(hwnd, GWL_EXSTYLE, styled);
    SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    ASSERT_NE(SetLayeredWindowAttributes(hwnd, 0, 76, LWA_ALPHA), 0);
    ASSERT_NEAR(first->windowOpacity(), 76 / 255.0, 1e-9);

    // What the form's clearing step does: clear the bit, then try alpha 0.
    SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) & int32_t(0xFFF7FFFF));
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), styled);
    EXPECT_DOUBLE_EQ(first->windowOpacity(), 1.0);
    EXPECT_EQ(SetLayeredWindowAttributes(hwnd, 0, 0, LWA_ALPHA), 0);
    EXPECT_DOUBLE_EQ(first->windowOpacity(), 1.0);
    EXPECT_DOUBLE_EQ(WindowHandles::find(hwnd)->opacity, 1.0);

    // Layered again, it stays opaque until it is given an alpha.
    SetWindowLongA(hwnd, GWL_EXSTYLE, styled | WS_EX_LAYERED);
    EXPECT_DOUBLE_EQ(first->windowOpacity(), 1.0);
    EXPECT_NE(SetLayeredWindowAttributes(hwnd, 0, 128, LWA_ALPHA), 0);
    EXPECT_NEAR(first->windowOpacity(), 128 / 255.0, 1e-9);
}

TEST_F(Windows, RewritingTheStyleWithTheBitStillSetKeepsTheOpacity)
{
    SetWindowLongA(hwnd, GWL_EXSTYLE, InitialExStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, 0, 178, LWA_ALPHA);
    SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    EXPECT_NEAR(first->windowOpacity(), 178 / 255.0, 1e-9);
}

TEST_F(Windows, TheWindowTakesTheRegionAndIsClippedToIt)
{
    const int before = Regions::count();
    const HRGN region = CreateRoundRectRgn(0, 0, 400, 300, 32, 32);
    ASSERT_NE(region, 0);
    const QRegion shape = *Regions::find(region);

    EXPECT_NE(SetWindowRgn(hwnd, region, 1), 0);
    // The window owns it now: the handle is no longer the caller's to delete.
    EXPECT_EQ(Regions::find(region), nullptr);
    EXPECT_EQ(DeleteObject(region), 0);
    EXPECT_EQ(Regions::count(), before);

    const WindowState *state = WindowHandles::find(hwnd);
    ASSERT_TRUE(state->region.has_value());
    EXPECT_EQ(*state->region, shape);
    const QPoint clientOrigin = first->geometry().topLeft() - first->frameGeometry().topLeft();
    EXPECT_EQ(first->mask(), shape.translated(-clientOrigin));
    EXPECT_FALSE(first->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(first->mask().contains(QPoint(200, 150)));
    EXPECT_TRUE(second->mask().isEmpty());
}

TEST_F(Windows, ANewRegionReplacesTheOldAndRegionZeroRemovesTheClip)
{
    const HRGN rounded = CreateRoundRectRgn(0, 0, 400, 300, 32, 32);
    ASSERT_NE(SetWindowRgn(hwnd, rounded, 1), 0);
    const HRGN plain = CreateRoundRectRgn(0, 0, 200, 100, 0, 0);
    EXPECT_NE(SetWindowRgn(hwnd, plain, 0), 0);
    EXPECT_EQ(first->mask(), QRegion(0, 0, 200, 100));
    EXPECT_EQ(*WindowHandles::find(hwnd)->region, QRegion(0, 0, 200, 100));

    EXPECT_NE(SetWindowRgn(hwnd, 0, 1), 0);
    EXPECT_TRUE(first->mask().isEmpty());
    EXPECT_FALSE(WindowHandles::find(hwnd)->region.has_value());
}

TEST_F(Windows, InvalidHandlesFailQuietly)
{
    auto gone = makeWindow();
    const HWND goneHandle = WindowHandles::registerWindow(gone.get());
    gone.reset();
    const int32_t layered = InitialExStyle | WS_EX_LAYERED;
    for (const HWND bad : {HWND(0), HWND(-1), HWND(0x1234), goneHandle}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(GetWindowLongA(bad, GWL_EXSTYLE), 0);
        EXPECT_EQ(SetWindowLongA(bad, GWL_EXSTYLE, layered), 0);
        EXPECT_EQ(SetLayeredWindowAttributes(bad, 0, 128, LWA_ALPHA), 0);
        const HRGN region = CreateRoundRectRgn(0, 0, 10, 10, 2, 2);
        EXPECT_EQ(SetWindowRgn(bad, region, 1), 0);
        // A region the window refused is still the caller's.
        EXPECT_NE(Regions::find(region), nullptr);
        EXPECT_EQ(DeleteObject(region), 1);
        EXPECT_EQ(SetWindowRgn(bad, 0, 1), 0);
    }

    // A live window and a bad region: nothing changes.
    const HRGN deleted = CreateRoundRectRgn(0, 0, 10, 10, 2, 2);
    DeleteObject(deleted);
    for (const HRGN bad : {HRGN(-1), HRGN(0x777), deleted}) {
        EXPECT_EQ(SetWindowRgn(hwnd, bad, 1), 0) << bad;
        EXPECT_TRUE(first->mask().isEmpty());
        EXPECT_FALSE(WindowHandles::find(hwnd)->region.has_value());
    }
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE), InitialExStyle);
    EXPECT_DOUBLE_EQ(first->windowOpacity(), 1.0);
}

} // namespace
