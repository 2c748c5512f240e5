// The behaviour every visual control shares, checked on each kind of control.
#include "../TestSupport/ControlTestHost.h"
#include "ComboBox.h"
#include "CommandButton.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "TabOrder.h"
#include "TextBox.h"

#include "../Value/RuntimeError.h"

#include <QApplication>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

int errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

template<class T>
class StandardControlTest : public ::testing::Test
{
protected:
    std::shared_ptr<T> make(const QString &name) { return host.make<T>(name); }

    ControlTestHost host;
};

using ControlKinds = ::testing::Types<TextBox, ComboBox, ListBox, CommandButton, PictureBox>;
TYPED_TEST_SUITE(StandardControlTest, ControlKinds);

TYPED_TEST(StandardControlTest, WidgetCarriesTheNameAndTheParent)
{
    auto control = this->make(QStringLiteral("txtBuscar"));
    EXPECT_EQ(control->widget()->objectName(), QStringLiteral("txtBuscar"));
    EXPECT_EQ(control->widget()->parentWidget(), this->host.window());
    EXPECT_EQ(control->Name(), QStringLiteral("txtBuscar"));
    EXPECT_EQ(control->get(QStringLiteral("name")), Variant(QStringLiteral("txtBuscar")));
    EXPECT_EQ(errorOf([&] { control->let(QStringLiteral("Name"), Variant("x")); }), 438);
    EXPECT_EQ(control->shared_from_this(), control);
}

TYPED_TEST(StandardControlTest, GeometryIsKeptInTwipsExactly)
{
    auto control = this->make(QStringLiteral("c"));
    control->setLeft(100.7);
    control->setTop(-45.25);
    control->setWidth(2895.5);
    EXPECT_EQ(control->Left(), 100.7);
    EXPECT_EQ(control->Top(), -45.25);
    EXPECT_EQ(control->Width(), 2895.5);
    control->let(QStringLiteral("Left"), Variant(1.5f));
    EXPECT_EQ(control->get(QStringLiteral("Left")), Variant(1.5));
}

TYPED_TEST(StandardControlTest, PixelsAreTwipsOverFifteenRoundedHalfToEven)
{
    // twips -> pixels: 7.5 / 15 = 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, 3.5 -> 4, 22.5 -> 22.
    const std::vector<std::pair<double, int>> table {{7.5, 0}, {22.5, 2}, {37.5, 2}, {52.5, 4},
        {337.5, 22}, {352.5, 24}, {14.9, 1}, {-22.5, -2}, {3975, 265}};
    auto control = this->make(QStringLiteral("c"));
    for (const auto &[twips, pixels] : table) {
        control->setLeft(twips);
        control->setTop(twips);
        EXPECT_EQ(control->widget()->x(), pixels) << twips;
        EXPECT_EQ(control->widget()->y(), pixels) << twips;
        if (twips >= 0) {
            control->setWidth(twips);
            EXPECT_EQ(control->widget()->width(), pixels) << twips;
        }
    }
}

TYPED_TEST(StandardControlTest, NegativeSizesAreInvalid)
{
    auto control = this->make(QStringLiteral("c"));
    control->setWidth(300);
    EXPECT_EQ(errorOf([&] { control->setWidth(-1); }), 380);
    EXPECT_EQ(errorOf([&] { control->setHeight(-15); }), 380);
    EXPECT_EQ(control->Width(), 300);
}

TYPED_TEST(StandardControlTest, VisibleAndEnabledAreTheWidgets)
{
    auto control = this->make(QStringLiteral("c"));
    EXPECT_TRUE(control->Visible());
    control->setVisible(false);
    EXPECT_TRUE(control->widget()->isHidden());
    EXPECT_EQ(control->get(QStringLiteral("Visible")), Variant(false));
    control->let(QStringLiteral("Visible"), Variant(true));
    EXPECT_FALSE(control->widget()->isHidden());
    control->setEnabled(false);
    EXPECT_FALSE(control->widget()->isEnabled());
    EXPECT_FALSE(control->Enabled());
}

TYPED_TEST(StandardControlTest, ColoursApplyPlainAndSystemColours)
{
    auto control = this->make(QStringLiteral("c"));
    control->setBackColor(0x00C0FFFF);
    control->setForeColor(0x000000FF);
    const QPalette palette = control->widget()->palette();
    const bool button = std::is_same_v<TypeParam, CommandButton>;
    const bool picture = std::is_same_v<TypeParam, PictureBox>;
    const auto backRole = button ? QPalette::Button : picture ? QPalette::Window : QPalette::Base;
    const auto foreRole = button ? QPalette::ButtonText
        : picture                ? QPalette::WindowText
                                 : QPalette::Text;
    EXPECT_EQ(palette.color(QPalette::Active, backRole), QColor(255, 255, 192));
    EXPECT_EQ(palette.color(QPalette::Active, foreRole), QColor(255, 0, 0));
    EXPECT_EQ(control->BackColor(), 0x00C0FFFFu);

    control->let(QStringLiteral("ForeColor"), Variant(int32_t(0x80000012)));
    EXPECT_EQ(control->ForeColor(), 0x80000012u);
    EXPECT_EQ(control->get(QStringLiteral("ForeColor")), Variant(int32_t(0x80000012)));
    EXPECT_EQ(control->widget()->palette().color(QPalette::Active, foreRole),
        QGuiApplication::palette().color(QPalette::Active, QPalette::ButtonText));
}

// A colour's relative luminance and the contrast of two colours, as accessibility guidelines
// measure them.
double luminance(const QColor &c)
{
    const auto channel
        = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(StandardControlColours, ASystemTextColourStaysReadableOnAnExplicitBackColour)
{
    struct Case
    {
        const char *name;
        uint32_t back;
        uint32_t fore;
        bool keepsFore; // the shown text colour is the fore colour itself
    };
    const Case cases[] = {
        {"white on a saved white", 0x00FFFFFF, OleColor::WindowText, false},
        {"light on a saved pale yellow", 0x00E0FFFF, OleColor::ButtonText, false},
        {"light on a saved navy", 0x00800000, OleColor::WindowText, true},
        {"explicit white on white, as asked", 0x00FFFFFF, 0x00FFFFFF, true},
        {"system on system", OleColor::WindowBackground, OleColor::WindowText, true},
    };
    // A dark palette: light text on dark grounds.
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    for (const auto role : {QPalette::Base, QPalette::Window, QPalette::Button})
        dark.setColor(role, QColor(30, 30, 30));
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        dark.setColor(role, QColor(240, 240, 240));
    QApplication::setPalette(dark);
    ControlTestHost host;
    for (const Case &c : cases) {
        // Text boxes and lists draw their text in Text on Base.
        std::vector<std::shared_ptr<StandardControl>> controls {
            host.make<TextBox>(QStringLiteral("t")), host.make<ListBox>(QStringLiteral("l"))};
        for (const auto &control : controls) {
            control->setBackColor(c.back);
            control->setForeColor(c.fore);
            const QPalette shown = control->widget()->palette();
            const QColor back = shown.color(QPalette::Base);
            const QColor text = shown.color(QPalette::Text);
            if (c.keepsFore) {
                EXPECT_EQ(text, OleColor::toQColor(c.fore)) << c.name;
            } else {
                EXPECT_GE(contrast(text, back), 4.5) << c.name;
            }
            // What is stored and read back is what was set.
            EXPECT_EQ(control->BackColor(), c.back) << c.name;
            EXPECT_EQ(control->ForeColor(), c.fore) << c.name;
        }
    }
    QApplication::setPalette(original);
}

TYPED_TEST(StandardControlTest, FontObjectChangesReachTheWidget)
{
    auto control = this->make(QStringLiteral("c"));
    const StdFontPtr font = control->Font();
    EXPECT_EQ(control->Font(), font);
    EXPECT_EQ(control->get(QStringLiteral("Font")).object(), font);
    font->setSize(Currency::fromRaw(140000));
    font->setBold(true);
    EXPECT_DOUBLE_EQ(control->widget()->font().pointSizeF(), 14.0);
    EXPECT_EQ(control->widget()->font().weight(), QFont::Bold);
}

TYPED_TEST(StandardControlTest, AssignedFontIsCopiedOnceAndNotFollowed)
{
    auto control = this->make(QStringLiteral("c"));
    auto other = std::make_shared<StdFont>();
    other->setName(QStringLiteral("Tahoma"));
    other->setItalic(true);
    control->setRef(QStringLiteral("Font"), other);
    EXPECT_NE(control->Font(), other);
    EXPECT_EQ(control->Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(control->widget()->font().italic());
    other->setItalic(false);
    EXPECT_TRUE(control->widget()->font().italic());
    EXPECT_TRUE(control->Font()->Italic());

    EXPECT_EQ(errorOf([&] { control->setRef(QStringLiteral("Font"), nullptr); }), 91);
    EXPECT_EQ(errorOf([&] { control->setFont(StdFontPtr()); }), 91);
    EXPECT_EQ(errorOf([&] { control->setRef(QStringLiteral("Font"), control); }), 13);
}

TYPED_TEST(StandardControlTest, HasFocusFollowsTheKeyboardFocusIntoTheWidget)
{
    ASSERT_TRUE(this->host.activate());
    auto first = this->make(QStringLiteral("first"));
    auto second = this->make(QStringLiteral("second"));
    // A picture box takes the focus only when asked to by its policy.
    first->widget()->setFocusPolicy(Qt::StrongFocus);
    second->widget()->setFocusPolicy(Qt::StrongFocus);
    first->SetFocus();
    EXPECT_TRUE(first->hasFocus());
    EXPECT_FALSE(second->hasFocus());
    second->SetFocus();
    EXPECT_FALSE(first->hasFocus());
    EXPECT_TRUE(second->hasFocus());
}

TYPED_TEST(StandardControlTest, TabIndexCountsFromZeroInOrderOfCreation)
{
    auto first = this->make(QStringLiteral("first"));
    auto second = this->make(QStringLiteral("second"));
    EXPECT_EQ(first->TabIndex(), 0);
    EXPECT_EQ(second->TabIndex(), 1);
    first->setTabIndex(5);
    EXPECT_EQ(first->get(QStringLiteral("TabIndex")), Variant(int16_t(5)));
    EXPECT_EQ(errorOf([&] { first->setTabIndex(-1); }), 380);
}

TEST(TabOrderTest, TabKeyFollowsTabIndex)
{
    ControlTestHost host;
    ASSERT_TRUE(host.activate());
    auto first = host.make<TextBox>(QStringLiteral("first"));
    auto combo = host.make<ComboBox>(QStringLiteral("combo"));
    auto third = host.make<TextBox>(QStringLiteral("third"));
    combo->setTop(400);
    third->setTop(800);
    first->setTabIndex(5);
    // combo (1), third (2), first (5)
    combo->SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), third->widget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), first->widget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(combo->widget()->isAncestorOf(QApplication::focusWidget())
        || QApplication::focusWidget() == combo->widget());
}

// The order the Tab key follows among the given controls.
std::vector<QString> tabChain(QWidget *window, const std::vector<std::shared_ptr<TextBox>> &boxes)
{
    std::vector<QString> names;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        for (const auto &box : boxes) {
            if (box->widget() == w)
                names.push_back(box->Name());
        }
    }
    return names;
}

// Loading a form sets every control's index in a batch that orders the chain once at its end;
// the result must be what ordering after each change gives.
TEST(TabOrderTest, ABatchOrdersAsEachChangeWould)
{
    const int16_t indices[] = {3, 0, 3, 1, 5, 0};
    const std::vector<QString> expected {"b1", "b5", "b3", "b0", "b2", "b4"};
    for (const bool batched : {false, true}) {
        ControlTestHost host;
        std::vector<std::shared_ptr<TextBox>> boxes;
        {
            std::optional<TabOrder::Batch> batch;
            if (batched)
                batch.emplace(host.window());
            for (int i = 0; i < 6; ++i) {
                boxes.push_back(host.make<TextBox>(QStringLiteral("b%1").arg(i)));
                boxes.back()->setTabIndex(indices[i]);
            }
        }
        EXPECT_EQ(tabChain(host.window(), boxes), expected) << (batched ? "batched" : "single");
    }
}

TEST(TabOrderTest, ANewControlComesAfterTheLiveOnes)
{
    ControlTestHost host;
    std::vector<std::shared_ptr<TextBox>> boxes;
    for (const char *name : {"a", "b", "c"})
        boxes.push_back(host.make<TextBox>(QString::fromLatin1(name)));
    delete boxes[1]->widget();
    boxes.erase(boxes.begin() + 1);
    boxes.push_back(host.make<TextBox>(QStringLiteral("d")));
    EXPECT_EQ(boxes.back()->TabIndex(), 2);
    EXPECT_EQ(tabChain(host.window(), boxes), std::vector<QString>({"a", "c", "d"}));
    // An index set lower moves the control ahead of those with higher ones.
    boxes.back()->setTabIndex(1);
    EXPECT_EQ(tabChain(host.window(), boxes), std::vector<QString>({"a", "d", "c"}));
}

TYPED_TEST(StandardControlTest, SetFocusAndRefreshNeverFail)
{
    auto control = this->make(QStringLiteral("c"));
    EXPECT_NO_THROW(control->SetFocus());
    EXPECT_NO_THROW(control->Refresh());
    control->setVisible(false);
    EXPECT_NO_THROW(control->call(QStringLiteral("SetFocus")));
    EXPECT_NO_THROW(control->call(QStringLiteral("Refresh")));
}

TYPED_TEST(StandardControlTest, DestroyingTheControlDestroysTheWidget)
{
    auto control = this->make(QStringLiteral("c"));
    const QPointer<QWidget> widget = control->widget();
    control.reset();
    EXPECT_TRUE(widget.isNull());
}

TYPED_TEST(StandardControlTest, OutlivingTheWidgetRaisesInsteadOfCrashing)
{
    auto parent = std::make_unique<QWidget>();
    auto control = std::make_shared<TypeParam>(parent.get(), QStringLiteral("orphan"));
    parent.reset();
    EXPECT_EQ(control->widget(), nullptr);
    EXPECT_EQ(errorOf([&] { control->setWidth(100); }), 91);
    EXPECT_EQ(errorOf([&] { control->Visible(); }), 91);
    EXPECT_NO_THROW(control->SetFocus());
    EXPECT_EQ(control->Width(), control->Width());
    control.reset();
}

TYPED_TEST(StandardControlTest, UnknownMembersAreNotSupported)
{
    auto control = this->make(QStringLiteral("c"));
    EXPECT_EQ(errorOf([&] { control->get(QStringLiteral("NoSuchThing")); }), 438);
    EXPECT_EQ(errorOf([&] { control->invoke(0x7FFF, InvokeKind::PropertyGet, {}); }), 438);
}

} // namespace
