#include "QuillkitTestSupport.h"
#include "mod_misc_formularios.h"

#include <Quillkit/System/ApiTable.h>
#include <Quillkit/System/User32.h>
#include <Quillkit/System/WindowHandles.h>

#include <QStringList>
#include <cmath>

namespace {

using platform::WindowHandles;
using platform::WindowState;

constexpr int32_t Layered = 0x00080000;
constexpr int32_t Topmost = 0x00000008;

// Takes a user32 function out of the table for the life of the object, as a system without it.
class MissingFunction
{
public:
    explicit MissingFunction(const QString &name) : m_name(name)
    {
        if (!m_name.isEmpty())
            platform::ApiTable::hide(QStringLiteral("user32"), m_name);
    }
    ~MissingFunction()
    {
        if (!m_name.isEmpty())
            platform::ApiTable::show(QStringLiteral("user32"), m_name);
    }
    MissingFunction(const MissingFunction &) = delete;
    MissingFunction &operator=(const MissingFunction &) = delete;

private:
    QString m_name;
};

class FormTransparency : public quillkit::test::WithQuillkit
{
protected:
    WindowState &window() { return *WindowHandles::find(form.hWnd()); }
    int32_t style() { return window().exStyle; }
    bool layered() { return style() & Layered; }
    // The constant alpha the window is drawn with, 255 while it is opaque.
    long alpha() { return std::lround(window().opacity * 255); }
    // What the toolkit itself was told.
    long widgetAlpha() { return std::lround(form.window()->windowOpacity() * 255); }
};

TEST_F(FormTransparency, EveryPercentGivesItsAlphaRoundedHalfToEven)
{
    struct Case
    {
        int16_t percent;
        long alpha;
    };
    // 10, 30, 50, 70 and 90 fall exactly halfway between two alphas.
    const Case cases[] = {
        {0, 255}, {1, 252}, {10, 230}, {30, 178}, {50, 128}, {70, 76}, {90, 26}, {99, 3}, {100, 0}};
    const int32_t initial = style();
    for (const Case &c : cases) {
        EXPECT_EQ(FORM_SetTransparency(form.hWnd(), c.percent), 0) << c.percent;
        EXPECT_EQ(style(), initial | Layered) << c.percent;
        EXPECT_EQ(alpha(), c.alpha) << c.percent;
        EXPECT_EQ(widgetAlpha(), c.alpha) << c.percent;
        EXPECT_EQ(FORM_ClearTransparency(form.hWnd()), 0) << c.percent;
    }
}

TEST_F(FormTransparency, APercentOutsideTheRangeLeavesTheWindowAsItWas)
{
    struct Case
    {
        int16_t percent;
        int32_t result;
    };
    // Up to 12950 and down to -12749 the alpha still fits 16 bits; beyond, its overflow is
    // recorded (so is that of 100 - percent for the most negative percents).
    const Case cases[] = {{-1, 1}, {101, 1}, {12950, 1}, {-12749, 1}, {12951, 2}, {-12750, 2},
        {32767, 2}, {-32768, 2}};
    for (const bool translucent : {false, true}) {
        if (translucent) {
            ASSERT_EQ(FORM_SetTransparency(form.hWnd(), 50), 0);
        }
        const int32_t before = style();
        for (const Case &c : cases) {
            EXPECT_EQ(FORM_SetTransparency(form.hWnd(), c.percent), c.result) << c.percent;
            EXPECT_EQ(style(), before) << c.percent;
            EXPECT_EQ(alpha(), translucent ? 128 : 255) << c.percent;
        }
    }
}

TEST_F(FormTransparency, ClearingANeverLayeredWindowKeepsItsOtherStyleBits)
{
    const int32_t before = style() | Topmost;
    platform::SetWindowLongA(form.hWnd(), platform::GWL_EXSTYLE, before);
    EXPECT_EQ(FORM_ClearTransparency(form.hWnd()), 0);
    EXPECT_EQ(style(), before);
    EXPECT_EQ(alpha(), 255);
}

TEST_F(FormTransparency, ClearingMakesTheWindowOpaqueAndTheRefusedAlphaChangesNothing)
{
    const int32_t before = style() | Topmost;
    platform::SetWindowLongA(form.hWnd(), platform::GWL_EXSTYLE, before);
    ASSERT_EQ(FORM_SetTransparency(form.hWnd(), 100), 0);
    ASSERT_EQ(alpha(), 0);
    // The alpha 0 it then passes would make a still-layered window invisible.
    EXPECT_EQ(FORM_ClearTransparency(form.hWnd()), 0);
    EXPECT_EQ(style(), before);
    EXPECT_EQ(alpha(), 255);
    EXPECT_EQ(widgetAlpha(), 255);
    EXPECT_EQ(FORM_ClearTransparency(form.hWnd()), 0);
    EXPECT_EQ(style(), before);
}

TEST_F(FormTransparency, TheSecondSetLeavesItsAlphaAndTheStyleBitSetOnce)
{
    const int32_t initial = style();
    EXPECT_EQ(FORM_SetTransparency(form.hWnd(), 30), 0);
    EXPECT_EQ(FORM_SetTransparency(form.hWnd(), 70), 0);
    EXPECT_EQ(style(), initial | Layered);
    EXPECT_EQ(alpha(), 76);
}

TEST_F(FormTransparency, AMissingFunctionGivesTwoAndTheOtherStepsStillRun)
{
    struct Case
    {
        const char *missing;
        bool setLayered; // after FORM_SetTransparency(50) on an opaque window
        long setAlpha;
        bool clearLayered; // after FORM_ClearTransparency on a window at 50
        long clearAlpha;
    };
    const int32_t initial = style();
    const Case cases[] = {
        // The style is changed from 0 when it cannot be read.
        {"GetWindowLongA", true, 128, false, 255},
        // The window keeps its style, and so takes or refuses the alpha.
        {"SetWindowLongA", false, 255, true, 0},
        // No layered windows: the style bit is already set when the missing call is reached.
        {"SetLayeredWindowAttributes", true, 255, false, 255},
    };
    for (const Case &c : cases) {
        const QString name = QString::fromLatin1(c.missing);
        {
            MissingFunction missing(name);
            EXPECT_EQ(FORM_SetTransparency(form.hWnd(), 50), 2) << c.missing;
            EXPECT_EQ(layered(), c.setLayered) << c.missing;
            EXPECT_EQ(alpha(), c.setAlpha) << c.missing;
        }
        platform::SetWindowLongA(form.hWnd(), platform::GWL_EXSTYLE, initial);
        ASSERT_EQ(FORM_SetTransparency(form.hWnd(), 50), 0) << c.missing;
        {
            MissingFunction missing(name);
            EXPECT_EQ(FORM_ClearTransparency(form.hWnd()), 2) << c.missing;
            EXPECT_EQ(layered(), c.clearLayered) << c.missing;
            EXPECT_EQ(alpha(), c.clearAlpha) << c.missing;
        }
        platform::SetWindowLongA(form.hWnd(), platform::GWL_EXSTYLE, initial);
    }
    // With everything back, both work again.
    EXPECT_EQ(FORM_SetTransparency(form.hWnd(), 50), 0);
    EXPECT_EQ(FORM_ClearTransparency(form.hWnd()), 0);
}

TEST_F(FormTransparency, AnInvalidWindowFailsQuietly)
{
    for (const int32_t hWnd : {0, -1, form.hWnd() + 1}) {
        EXPECT_EQ(FORM_SetTransparency(hWnd, 50), 0) << hWnd;
        EXPECT_EQ(FORM_ClearTransparency(hWnd), 0) << hWnd;
    }
    EXPECT_FALSE(layered());
    EXPECT_EQ(alpha(), 255);
}

} // namespace
