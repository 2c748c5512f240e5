#include "../TestSupport/HostingTestSupport.h"
#include "ControlWidget.h"

#include "../Controls/NotificationScope.h"
#include "../Objects/StdFont.h"
#include "../Value/Conversions.h"
#include "../Value/Units.h"

#include <QApplication>
#include <QHBoxLayout>

using namespace platform;
using namespace platform::test;

namespace {

class ControlWidgetTest : public WithTestModule
{
protected:
    ComponentHost host;
};

TEST_F(ControlWidgetTest, LaysOutLikeAWidgetFromTheControlsDesignExtent)
{
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *widget = new ControlWidget(host, TestProgId);
    layout->addWidget(widget);

    // 1200 × 600 twips at 15 twips a pixel.
    EXPECT_EQ(widget->sizeHint(), QSize(80, 40));
    EXPECT_DOUBLE_EQ(widget->userControl()->Width(), 1200);

    window.resize(300, 90);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(widget->size(), QSize(300, 90));
    EXPECT_DOUBLE_EQ(widget->userControl()->Width(), pixelsToTwips(300));
    EXPECT_DOUBLE_EQ(widget->userControl()->Height(), pixelsToTwips(90));
    EXPECT_EQ(widget->userControl()->surface()->size(), QSize(300, 90));
    EXPECT_TRUE(toText(widget->control()->get("Log")).endsWith("Resize"));

    widget->setGeometry(0, 0, 120, 30);
    EXPECT_DOUBLE_EQ(widget->userControl()->Width(), pixelsToTwips(120));
}

TEST_F(ControlWidgetTest, GivesTheControlItsAmbientValuesAndContainer)
{
    QWidget window;
    window.setObjectName("Window");
    window.resize(400, 200);
    auto *widget = new ControlWidget(host, TestClassId, &window);
    EXPECT_TRUE(toBoolean(widget->control()->get("UserMode")));
    widget->setUserMode(false);
    EXPECT_FALSE(toBoolean(widget->control()->get("UserMode")));

    // The container is the widget's window.
    EXPECT_FLOAT_EQ(toSingle(widget->control()->call("ParentWidth")),
        static_cast<float>(pixelsToTwips(std::max(window.frameGeometry().width(), 400))));
    const DispatchPtr parent = widget->userControl()->Parent();
    EXPECT_EQ(toText(parent->get("Name")), "Window");
    EXPECT_NE(toLong(parent->get("hWnd")), 0);

    QFont font("DejaVu Sans", 14);
    font.setBold(true);
    widget->setFont(font);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor(0x11, 0x22, 0x33));
    widget->setPalette(palette);
    EXPECT_EQ(widget->userControl()->Ambient().ForeColor(), 0x332211u);
    const auto ambient = widget->userControl()->Ambient().Font();
    EXPECT_EQ(ambient->Name(), "DejaVu Sans");
    EXPECT_EQ(ambient->Size(), Currency::fromDouble(14));
    EXPECT_TRUE(ambient->Bold());
}

TEST_F(ControlWidgetTest, SavesAndRestoresTheControlsState)
{
    PropertyBag saved;
    saved.WriteProperty("Caption", Variant("Restored"));
    saved.WriteProperty("Count", Variant(int32_t(42)));
    ControlWidget widget(host, TestProgId, nullptr, &saved);
    EXPECT_EQ(toText(widget.control()->get("Caption")), "Restored");
    EXPECT_EQ(toText(widget.control()->get("Log")), "Initialize;ReadProperties;Resize");

    widget.control()->let("Count", Variant(int32_t(5)));
    const PropertyBag state = widget.save();
    EXPECT_EQ(toText(state.ReadProperty("caption", Variant())), "Restored");
    EXPECT_EQ(toLong(state.ReadProperty("count", Variant())), 5);
    EXPECT_DOUBLE_EQ(toDouble(state.ReadProperty("_extentx", Variant())), twipsToHimetric(1200));

    ControlWidget again(host, TestProgId, nullptr, &state);
    EXPECT_EQ(toLong(again.control()->get("Count")), 5);
}

TEST_F(ControlWidgetTest, RaisesEventsToItsHandlerAndSignal)
{
    ControlWidget widget(host, TestProgId);
    std::vector<std::pair<DispId, Args>> handled;
    widget.onEvent = [&](DispId id, const Args &args) { handled.emplace_back(id, args); };
    std::vector<int> signalled;
    QObject::connect(&widget, &ControlWidget::controlEvent,
        [&](int id, const Args &) { signalled.push_back(id); });

    widget.control()->call("Fire", {Variant("payload")});
    ASSERT_EQ(handled.size(), 1u);
    EXPECT_EQ(handled[0].first, 1);
    ASSERT_EQ(handled[0].second.size(), 1u);
    EXPECT_EQ(toText(handled[0].second[0]), "payload");
    EXPECT_EQ(signalled, std::vector<int> {1});
}

// A dialog that closes itself from a control's event: the widget goes at once for the host,
// the control when its code is done.
TEST_F(ControlWidgetTest, AHandlerMayDestroyTheWidget)
{
    auto widget = std::make_unique<ControlWidget>(host, TestProgId);
    const DispatchPtr control = widget->control();
    QPointer<QWidget> surface = widget->userControl()->surface();
    widget->onEvent = [&](DispId, const Args &) { widget.reset(); };
    control->call("Fire");
    EXPECT_FALSE(widget);
    // The control is unsited: it has no container any more.
    EXPECT_EQ(errorOf([&] { control->call("ParentWidth"); }).number, 91);
    flushDestroyedWhenSafe();
    EXPECT_TRUE(surface) << "the host still holds the control";
}

TEST_F(ControlWidgetTest, UnknownClassesFailAsOnAForm)
{
    const RaisedError error = errorOf([&] { ControlWidget widget(host, "Nobody.Here"); });
    EXPECT_EQ(error.number, 429);
    EXPECT_TRUE(error.text.contains("Nobody.Here"));
}

} // namespace
