// The form drawn with Quillkit's widgets, made the two ways a Qt program makes a .ui form:
// compiled by uic, and loaded at run time by QUiLoader through the Designer plugin. Either
// way its properties reach the controls, the user's keys and clicks raise the typed signals,
// and the layout sizes the controls.
#include "ui_QuillkitForm.h"

#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/TestSupport/TestEnvironment.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/Units.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QUiLoader>
#include <gtest/gtest.h>

using namespace platform;

namespace {

enum class MadeBy { Uic, UiLoader };

class QuillkitForm : public testing::TestWithParam<MadeBy>
{
protected:
    QuillkitForm()
    {
        registerLibraryFile(QStringLiteral(QUILLKIT_MODULE));
        if (GetParam() == MadeBy::Uic) {
            form = std::make_unique<QWidget>();
            Ui::QuillkitForm ui;
            ui.setupUi(form.get());
        } else {
            QUiLoader loader;
            // The build's plugin alone, not whatever the machine has installed.
            loader.clearPluginPaths();
            loader.addPluginPath(QStringLiteral(QUILL_DESIGNER_PLUGINS_DIR));
            QFile file(QStringLiteral(QUILLKIT_FORM_UI));
            form.reset(loader.load(&file));
            EXPECT_TRUE(form) << qPrintable(loader.errorString());
        }
    }

    template<typename Widget>
    Widget *child(const char *name) const
    {
        auto *widget = form ? form->findChild<Widget *>(QLatin1String(name)) : nullptr;
        EXPECT_NE(widget, nullptr) << name << " is not a " << Widget::staticMetaObject.className();
        return widget;
    }

    bool show()
    {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }

    test::IsolatedUserFolders folders;
    std::unique_ptr<QWidget> form;
};

TEST_P(QuillkitForm, ItsPropertiesReachTheControls)
{
    ASSERT_TRUE(form);
    auto *fruit = child<QuillComboBoxWidget>("fruit");
    auto *amount = child<QuillInputBoxWidget>("amount");
    auto *shape = child<QuillFormWidget>("shape");
    ASSERT_TRUE(fruit && amount && shape);
    child<QuillPictureBoxWidget>("picture");

    EXPECT_EQ(toText(fruit->control()->get("SearchText")), "ap");
    EXPECT_EQ(toLong(amount->control()->get("style")), 1);
    EXPECT_EQ(toText(amount->control()->get("Text")), "1234.5");
    // A colour reference is 0x00BBGGRR.
    EXPECT_EQ(toLong(amount->control()->get("BackColor")), 0xE0FFFF);
    EXPECT_EQ(toLong(shape->control()->get("CornerSize")), 24);
    EXPECT_EQ(toLong(shape->control()->get("Transparency")), 10);
    // Made for a running program, not for a designer.
    EXPECT_TRUE(shape->userMode());
}

TEST_P(QuillkitForm, KeysAndClicksRaiseTheTypedSignals)
{
    ASSERT_TRUE(form);
    auto *fruit = child<QuillComboBoxWidget>("fruit");
    auto *amount = child<QuillInputBoxWidget>("amount");
    ASSERT_TRUE(fruit && amount);
    ASSERT_TRUE(show());

    // A click into the amount gives it the focus; each key typed raises Change.
    QSignalSpy changed(amount, &QuillInputBoxWidget::Change);
    QLineEdit *box = nullptr;
    for (QLineEdit *edit : amount->findChildren<QLineEdit *>()) {
        if (edit->isVisible())
            box = edit;
    }
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    ASSERT_TRUE(amount->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_GE(changed.count(), 1);

    // An item picked from the drop-down with the keyboard raises Click.
    fruit->AddItem(QStringLiteral("Apple"));
    fruit->AddItem(QStringLiteral("Plum"));
    QSignalSpy clicked(fruit, &QuillComboBoxWidget::Click);
    auto *combo = fruit->findChild<QWidget *>(QStringLiteral("cmbCombo"));
    ASSERT_NE(combo, nullptr);
    QLineEdit *edit = combo->findChild<QLineEdit *>();
    ASSERT_NE(edit, nullptr);
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
    QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QWidget *view = popup->focusWidget() ? popup->focusWidget() : popup;
    QTest::keyClick(view, Qt::Key_End);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(edit->text(), "Plum");
}

TEST_P(QuillkitForm, ItsLayoutSizesTheControls)
{
    ASSERT_TRUE(form);
    auto *amount = child<QuillInputBoxWidget>("amount");
    auto *picture = child<QuillPictureBoxWidget>("picture");
    ASSERT_TRUE(amount && picture);
    ASSERT_TRUE(show());

    const int pictureHeight = picture->height();
    form->resize(520, 640);
    QApplication::processEvents();
    EXPECT_GT(amount->width(), 480);
    EXPECT_GT(picture->height(), pictureHeight);
    for (ControlWidget *control :
        {static_cast<ControlWidget *>(amount), static_cast<ControlWidget *>(picture)}) {
        EXPECT_EQ(control->userControl()->surface()->size(), control->size());
        EXPECT_DOUBLE_EQ(control->userControl()->Width(), pixelsToTwips(control->width()));
        EXPECT_DOUBLE_EQ(control->userControl()->Height(), pixelsToTwips(control->height()));
    }
}

INSTANTIATE_TEST_SUITE_P(MadeBy, QuillkitForm, testing::Values(MadeBy::Uic, MadeBy::UiLoader),
    [](const testing::TestParamInfo<MadeBy> &info) {
        return info.param == MadeBy::Uic ? "Uic" : "UiLoader";
    });

} // namespace
