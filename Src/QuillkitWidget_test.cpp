// Quillkit's controls as widgets of a plain Qt window: placed by a layout, reached by Tab, and
// handing focus on through the window's focus chain.
#include "QuillkitTestSupport.h"

#include <Quillkit/Hosting/ControlWidget.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/Units.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace platform;

namespace {

class QuillkitWidget : public quillkit::test::WithQuillkit
{
protected:
    QuillkitWidget()
    {
        auto *layout = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        // Restored from an empty bag: every property at its default, the box shown.
        const PropertyBag defaults;
        amount = new ControlWidget(host, "Quillkit.QuillInputBox", &window, &defaults);
        after = new QLineEdit(&window);
        layout->addWidget(before);
        layout->addWidget(amount);
        layout->addWidget(after);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    bool focusIsIn(QWidget *widget) const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && (focus == widget || widget->isAncestorOf(focus));
    }

    QWidget window;
    QLineEdit *before = nullptr;
    ControlWidget *amount = nullptr;
    QLineEdit *after = nullptr;
};

TEST_F(QuillkitWidget, TabReachesTheControlAndEnterHandsFocusOnThroughTheFocusChain)
{
    amount->control()->let("style", Variant(int32_t(1))); // currency: Enter leaves the box
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(focusIsIn(amount))
        << "focus is on " << qPrintable(QApplication::focusWidget()->objectName());

    QTest::keyClicks(QApplication::focusWidget(), "42");
    EXPECT_EQ(toText(amount->control()->get("Text")), "42");
    // Enter in the box calls its container's SetFocus: the window's next widget takes it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), after);
}

// Focus given to the widget, as a host gives it, goes to the control's first box.
TEST_F(QuillkitWidget, FocusGivenToTheWidgetGoesIntoTheControl)
{
    amount->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(focusIsIn(amount));
    EXPECT_NE(QApplication::focusWidget(), amount->userControl()->surface());
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_EQ(toText(amount->control()->get("Text")), "7");
}

TEST_F(QuillkitWidget, TheLayoutSizesTheControl)
{
    window.resize(500, 200);
    QApplication::processEvents();
    EXPECT_EQ(amount->userControl()->surface()->width(), amount->width());
    EXPECT_DOUBLE_EQ(amount->userControl()->Width(), pixelsToTwips(amount->width()));
}

// A form designer makes its widgets in design mode: a QuillForm loaded from defaults leaves the
// window it is drawn on unshaped and shows its design look, where at run time it rounds the
// window and hides.
class QuillkitWidgetMode : public quillkit::test::WithQuillkit
{
};

TEST_F(QuillkitWidgetMode, WidgetsMadeAfterDesignModeIsSetStartInDesignMode)
{
    const PropertyBag defaults;
    struct Case
    {
        bool defaultUserMode;
        bool shaped;
        bool shown;
    };
    for (const Case c : {Case {true, true, false}, Case {false, false, true}}) {
        QWidget window;
        window.resize(300, 200);
        ControlWidget::setDefaultUserMode(c.defaultUserMode);
        auto *form = new ControlWidget(host, "Quillkit.QuillForm", &window, &defaults);
        ControlWidget::setDefaultUserMode(true);
        window.show();
        QApplication::processEvents();
        EXPECT_EQ(form->userMode(), c.defaultUserMode);
        EXPECT_EQ(!window.mask().isEmpty(), c.shaped) << c.defaultUserMode;
        EXPECT_EQ(form->userControl()->surface()->isVisible(), c.shown) << c.defaultUserMode;
    }
}

} // namespace
