// The Tab key on a form loaded from its form file goes through library controls and standard
// controls alike in the order of their tab indices.
#include "QuillkitTestSupport.h"

#include <Quillkit/Hosting/FormFile.h>
#include <Quillkit/Value/Conversions.h>

#include <QApplication>
#include <QTest>

using namespace platform;
using namespace quillkit::test;

namespace {

class TabOrderOnAForm : public WithQuillkit
{
protected:
    std::unique_ptr<HostForm> load(const QString &controls)
    {
        const QString text = QStringLiteral("Form TabForm\n    ClientWidth = Long 6000\n"
                                            "    ClientHeight = Long 4000\n")
            + controls + QStringLiteral("End\n");
        return HostForm::load(host, parseFormText(text, QStringLiteral("TabForm")));
    }

    static bool activate(HostForm &form)
    {
        form.Show();
        QApplication::setActiveWindow(form.window());
        form.window()->activateWindow();
        return QTest::qWaitForWindowActive(form.window());
    }

    // The control that holds the focus (the form's child on the way up from the focused
    // widget) and, inside a library control, the constituent.
    static QString focused(HostForm &form)
    {
        QWidget *top = QApplication::focusWidget();
        QWidget *piece = nullptr;
        while (top && top->parentWidget() != form.window()) {
            piece = top;
            top = top->parentWidget();
        }
        if (!top)
            return QStringLiteral("<none>");
        return piece ? top->objectName() + u'.' + piece->objectName() : top->objectName();
    }

    static QStringList tabThrough(HostForm &form, int presses)
    {
        QStringList seen {focused(form)};
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << focused(form);
        }
        return seen;
    }
};

TEST_F(TabOrderOnAForm, TabFollowsTheTabIndicesOfLibraryAndStandardControls)
{
    // Made in one order, tabbed through in another.
    const std::unique_ptr<HostForm> form = load(
        QStringLiteral("    Begin Quillkit.QuillInputBox Input1 (120, 120, 2000, 300) TabIndex 3\n"
                       "    End\n"
                       "    Begin TextBox Text1 (120, 600, 1000, 300) TabIndex 0\n"
                       "    End\n"
                       "    Begin Quillkit.QuillComboBox Combo1 (120, 1200, 3270, 315) TabIndex 1\n"
                       "    End\n"
                       "    Begin CommandButton Command1 (3720, 120, 1575, 375) TabIndex 2\n"
                       "    End\n"));
    ASSERT_TRUE(activate(*form));
    form->standardControl(QStringLiteral("Text1"))->call(QStringLiteral("SetFocus"));
    EXPECT_EQ(tabThrough(*form, 5),
        QStringList({"Text1", "Combo1.cmbCombo", "Combo1.cmdBuscar", "Command1", "Input1.txtLeft",
            "Text1"}));
}

TEST_F(TabOrderOnAForm, ATabIndexOfALibraryControlIsSavedBackAsLoaded)
{
    const std::unique_ptr<HostForm> form = load(
        QStringLiteral("    Begin Quillkit.QuillInputBox Input1 (120, 120, 2000, 300) TabIndex 3\n"
                       "    End\n"
                       "    Begin Quillkit.QuillPictureBox Picture1 (120, 600, 2000, 300)\n"
                       "    End\n"));
    const SavedForm saved = form->save();
    ASSERT_EQ(saved.controls.size(), 2u);
    EXPECT_EQ(saved.controls[0].tabIndex, 3);
    EXPECT_EQ(saved.controls[1].tabIndex, std::nullopt);
}

TEST_F(TabOrderOnAForm, ABadTabIndexOfALibraryControlNamesItsLine)
{
    struct Case
    {
        const char *index;
        int32_t number;
    };
    for (const Case c : {Case {"40000", 6}, Case {"-1", 380}}) {
        try {
            load(QStringLiteral("    Begin Quillkit.QuillInputBox Input1 (120, 120, 2000, 300) "
                                "TabIndex %1\n    End\n")
                     .arg(QLatin1String(c.index)));
            ADD_FAILURE() << c.index;
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.number(), c.number) << c.index;
            EXPECT_TRUE(e.text().contains(QStringLiteral("TabForm line 4:")))
                << e.text().toStdString();
        }
    }
}

} // namespace
