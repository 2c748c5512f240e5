// What assistive technology sees of each control placed by a host: the names, roles and states
// of its surface and its constituents, through the toolkit's accessibility interfaces.
#include "QuillComboBoxTestFixture.h"

#include <Quillkit/Objects/PropertyBag.h>
#include <Quillkit/Value/Conversions.h>

#include <QAccessible>

using namespace platform;
using namespace quillkit::test;

namespace {

struct Expected
{
    const char *widget; // objectName; empty for the surface itself
    QAccessible::Role role;
    const char *name;
};

class AccessibilityTest : public ComboBoxFixture
{
protected:
    static QAccessibleInterface *accessible(QWidget *widget)
    {
        return QAccessible::queryAccessibleInterface(widget);
    }

    // Each expected piece of a placed control: found, with its role and its name.
    static void expectPieces(QWidget *surface, const std::vector<Expected> &pieces)
    {
        for (const Expected &e : pieces) {
            QWidget *widget
                = *e.widget ? surface->findChild<QWidget *>(QLatin1String(e.widget)) : surface;
            ASSERT_NE(widget, nullptr) << e.widget;
            QAccessibleInterface *iface = accessible(widget);
            ASSERT_NE(iface, nullptr) << e.widget;
            EXPECT_EQ(iface->role(), e.role)
                << surface->objectName().toStdString() << " " << e.widget;
            EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(e.name))
                << surface->objectName().toStdString() << " " << e.widget;
        }
    }

    ControlSite &placeKind(const char *progId, const QString &name)
    {
        PropertyBag bag;
        return form.addControl(
            QString::fromLatin1(progId), name, QRectF(120, 120, 3270, 2385), &bag);
    }
};

TEST_F(AccessibilityTest, EachControlAndEachConstituentHasARoleAndAName)
{
    ASSERT_TRUE(activate());
    create();
    expectPieces(sitePtr->widget(),
        {{"", QAccessible::ComboBox, "QuillComboBox1"},
            {"cmbCombo", QAccessible::ComboBox, "QuillComboBox1"},
            {"cmdBuscar", QAccessible::Button, "Search"},
            {"txtBuscar", QAccessible::EditableText, "Search text"},
            {"lstResultados", QAccessible::List, "Search results"}});
    expectPieces(placeKind("Quillkit.QuillInputBox", QStringLiteral("Amount1")).widget(),
        {{"", QAccessible::EditableText, "Amount1"},
            {"txtLeft", QAccessible::EditableText, "Amount1"},
            {"txtRight", QAccessible::EditableText, "Amount1"}});
    expectPieces(placeKind("Quillkit.QuillPictureBox", QStringLiteral("Chart")).widget(),
        {{"", QAccessible::Graphic, "Chart"}, {"pic", QAccessible::Graphic, "Chart"},
            {"picAux", QAccessible::Graphic, "Chart"}});
    expectPieces(placeKind("Quillkit.QuillForm", QStringLiteral("Shape")).widget(),
        {{"", QAccessible::Client, "Shape"}, {"cmdDummy", QAccessible::Graphic, "Shape"}});
}

TEST_F(AccessibilityTest, TheSearchButtonHasATooltip)
{
    create();
    EXPECT_EQ(widget("cmdBuscar")->toolTip(), "Search");
}

TEST_F(AccessibilityTest, TheAmountBoxSaysItHoldsAnAmount)
{
    ControlSite &site = placeKind("Quillkit.QuillInputBox", QStringLiteral("Price"));
    QWidget *amountBox = site.widget()->findChild<QWidget *>(QStringLiteral("txtRight"));
    const DispatchPtr box = site.control();
    box->let(QStringLiteral("style"), Variant(int32_t(1)));
    EXPECT_EQ(accessible(amountBox)->text(QAccessible::Description), "Amount");
    box->let(QStringLiteral("style"), Variant(int32_t(0)));
    box->let(QStringLiteral("Alignment"), Variant(int32_t(1)));
    EXPECT_EQ(accessible(amountBox)->text(QAccessible::Description), QString());
}

// What a screen reader speaks as the focus moves through the panel, and what it skips.
TEST_F(AccessibilityTest, TheFocusedPieceIsNamedAndHiddenPiecesAreInvisible)
{
    ASSERT_TRUE(activate());
    create({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")});
    QAccessibleInterface *search = accessible(searchEdit());
    QAccessibleInterface *list = accessible(widget("lstResultados"));
    QAccessibleInterface *inner = accessible(widget("cmbCombo"));
    const auto focusedName = [this] {
        QWidget *focus = QApplication::focusWidget();
        // The combo's edit field speaks for the combo.
        if (widget("cmbCombo")->isAncestorOf(focus))
            focus = widget("cmbCombo");
        QAccessibleInterface *focused = accessible(focus);
        return focused->state().focused ? focused->text(QAccessible::Name) : QString();
    };
    EXPECT_TRUE(search->state().invisible);
    EXPECT_TRUE(list->state().invisible);
    EXPECT_FALSE(inner->state().invisible);

    clickSearchButton();
    EXPECT_EQ(focusedName(), "Search text");
    EXPECT_FALSE(search->state().invisible);
    EXPECT_FALSE(list->state().invisible);
    EXPECT_TRUE(inner->state().invisible);
    QTest::keyClick(searchEdit(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusedName(), "Search results");

    QTest::keyClick(widget("lstResultados"), Qt::Key_Escape);
    EXPECT_EQ(focusedName(), "QuillComboBox1");
    EXPECT_TRUE(search->state().invisible);
    EXPECT_FALSE(search->state().focused);
    EXPECT_FALSE(inner->state().invisible);
}

TEST_F(AccessibilityTest, TheResultsTellTheirCountAtEverySearch)
{
    ASSERT_TRUE(activate());
    create({QStringLiteral("Apple"), QStringLiteral("Grape"), QStringLiteral("Plum")});
    control->let(QStringLiteral("SearchText"), Variant(QString()));
    clickSearchButton();
    QAccessibleInterface *list = accessible(widget("lstResultados"));
    QStringList told;
    const auto type = [&](Qt::Key key) {
        QTest::keyClick(searchEdit(), key);
        told << list->text(QAccessible::Description);
    };
    for (const Qt::Key key : {Qt::Key_P, Qt::Key_L, Qt::Key_U, Qt::Key_Backspace, Qt::Key_X})
        type(key);
    EXPECT_EQ(told, QStringList({"3 results", "2 results", "1 result", "2 results", "No results"}));
}

} // namespace
