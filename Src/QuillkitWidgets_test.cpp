// Quillkit's typed widgets, linked as an application links them (the platform alone): each
// creates its control by class id, and its typed members reach the control.
#include <Quillkit/Widgets/QuillkitWidgets.h>

#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/TestSupport/TestEnvironment.h>
#include <Quillkit/Value/Conversions.h>

#include <QApplication>
#include <QLineEdit>
#include <QMetaEnum>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class QuillkitWidgets : public testing::Test
{
protected:
    QuillkitWidgets() { registerLibraryFile(QStringLiteral(QUILLKIT_MODULE)); }

    // Shows the window with the widgets in a layout and waits until it is active.
    bool show(std::initializer_list<QWidget *> widgets)
    {
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *widget : widgets)
            layout->addWidget(widget);
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    test::IsolatedUserFolders folders;
    ComponentHost host;
    QWidget window;
};

TEST_F(QuillkitWidgets, TheInputBoxTakesItsStyleAsAnEnumAndItsTextAsAString)
{
    auto *box = new QuillInputBoxWidget(host);
    const QMetaEnum styles = QMetaEnum::fromType<QuillInputBoxWidget::style__>();
    EXPECT_EQ(styles.keyToValue("INPUT_CURRENCY"), 1);

    box->setStyle_(QuillInputBoxWidget::INPUT_CURRENCY);
    EXPECT_EQ(toLong(box->control()->get("style")), 1);
    box->control()->let("style", Variant(int32_t(0)));
    EXPECT_EQ(box->style_(), QuillInputBoxWidget::INPUT_STANDARD);

    box->setText("abc");
    EXPECT_EQ(toText(box->control()->get("Text")), "abc");

    // Typed by the user: the text reads back typed, and each key raises Change.
    box->setText("");
    ASSERT_TRUE(show({box}));
    QSignalSpy changed(box, &QuillInputBoxWidget::Change);
    box->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(QApplication::focusWidget(), "42");
    EXPECT_EQ(box->Text(), "42");
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(QuillkitWidgets, TheComboBoxTakesItemsThroughAddItemAndReportsAPickAsClick)
{
    auto *combo = new QuillComboBoxWidget(host);
    ASSERT_TRUE(show({combo}));
    combo->AddItem("Apple");
    combo->AddItem("Plum");
    QSignalSpy clicked(combo, &QuillComboBoxWidget::Click);

    // The edit field of the control's combo, which takes the user's keys.
    auto *inner = combo->findChild<QWidget *>("cmbCombo");
    ASSERT_NE(inner, nullptr);
    QLineEdit *edit = inner->findChild<QLineEdit *>();
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QWidget *view = popup->focusWidget() ? popup->focusWidget() : popup;
    QTest::keyClick(view, Qt::Key_End);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(toText(combo->control()->get("ComboBox").object()->get("Text")), "Plum");
}

TEST_F(QuillkitWidgets, TheFormAndPictureBoxTakeTheirPropertiesTyped)
{
    QuillFormWidget form(host);
    form.setCornerSize(12);
    EXPECT_EQ(toLong(form.control()->get("CornerSize")), 12);
    form.control()->let("Transparency", Variant(int32_t(40)));
    EXPECT_EQ(form.property("Transparency").toInt(), 40);

    // Picture can only be set: a slot, and no Q_PROPERTY, which would need a getter.
    QuillPictureBoxWidget picture(host);
    EXPECT_EQ(QuillPictureBoxWidget::staticMetaObject.indexOfProperty("Picture"), -1);
    QPixmap pixmap(4, 4);
    pixmap.fill(Qt::blue);
    ASSERT_TRUE(QMetaObject::invokeMethod(&picture, "setPicture", Q_ARG(QPixmap, pixmap)));
}

} // namespace
