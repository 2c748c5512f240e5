// Hosts that end things early: a form destroyed from inside one of its controls' events, and
// objects kept after the form or the host that made them is gone.
#include "QuillkitTestSupport.h"

#include <Quillkit/Controls/CommandButton.h>
#include <Quillkit/Controls/NotificationScope.h>
#include <Quillkit/TestSupport/UnhandledErrors.h>
#include <Quillkit/Value/Conversions.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

using namespace platform;
using namespace quillkit::test;

namespace {

constexpr DispId ChangeEvent = 1;
constexpr DispId ClickEvent = 2;

// A host whose form and host object live on the heap, so that a handler can destroy them.
class DestroyingHost : public testing::Test
{
protected:
    DestroyingHost() { registerLibraryFile(ModulePath); }

    void makeForm()
    {
        host = std::make_unique<ComponentHost>();
        form = std::make_unique<HostForm>(*host, QStringLiteral("PickDialog"));
        form->setClientSize(6000, 4500);
    }
    bool showForm()
    {
        form->Show();
        QApplication::setActiveWindow(form->window());
        form->window()->activateWindow();
        return QTest::qWaitForWindowActive(form->window());
    }
    ControlSite &place(const QString &progId, const QString &name)
    {
        return form->addControl(progId, name, {120, 120, 3270, 2385});
    }
    QWidget *child(ControlSite &site, const char *name)
    {
        return site.widget()->findChild<QWidget *>(QString::fromLatin1(name));
    }
    static QWidget *editOf(QWidget *combo) { return combo->findChild<QLineEdit *>(); }

    test::IsolatedUserFolders folders;
    std::unique_ptr<ComponentHost> host;
    std::unique_ptr<HostForm> form;
};

// Each case shows a form, destroys it from inside the handler of one event and checks that the
// code that raised the event finished on live objects, which go once it is done.
struct Scenario
{
    const char *name;
    const char *progId;
    DispId event;
    // Places the control and whatever it needs; returns the widget whose deletion shows that
    // the remains went.
    std::function<QWidget *(ControlSite &)> prepare;
    std::function<void(ControlSite &)> trigger;
};

class DestroyTheFormInAHandler : public DestroyingHost, public testing::WithParamInterface<Scenario>
{
};

TEST_P(DestroyTheFormInAHandler, FinishesOnLiveObjectsAndThenLetsThemGo)
{
    const Scenario &scenario = GetParam();
    makeForm();
    ControlSite &site = place(QString::fromLatin1(scenario.progId), QStringLiteral("Control1"));
    QPointer<QWidget> watched = scenario.prepare(site);
    ASSERT_TRUE(showForm());
    ASSERT_FALSE(watched.isNull());

    test::UnhandledErrors unhandled;
    int raised = 0;
    bool aliveInHandler = false;
    site.onEvent = [&](DispId id, const Args &) {
        if (id != scenario.event || !form)
            return;
        ++raised;
        form.reset();
        aliveInHandler = !watched.isNull();
    };
    scenario.trigger(site);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(form, nullptr);
    // Back from the statement that raised the event, nothing of the form has been deleted yet.
    EXPECT_TRUE(aliveInHandler);
    EXPECT_FALSE(watched.isNull());
    EXPECT_EQ(unhandled.numbers(), std::vector<int32_t>());

    // The event loop deletes the remains, and with the last instance gone the library may go.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(host->unloadUnused(), 1);
}

QWidget *comboWithItems(ControlSite &site)
{
    for (const char *item : {"Apple", "Grape", "Plum"})
        site.control()->call(QStringLiteral("AddItem"), {Variant(item)});
    return site.widget()->findChild<QWidget *>(QStringLiteral("cmbCombo"));
}

QWidget *findIn(ControlSite &site, const char *name)
{
    return site.widget()->findChild<QWidget *>(QString::fromLatin1(name));
}

const Scenario Scenarios[] = {
    {"search_result_taken_with_Enter", "Quillkit.QuillComboBox", ClickEvent, comboWithItems,
        [](ControlSite &site) {
            QTest::mouseClick(findIn(site, "cmdBuscar"), Qt::LeftButton);
            QTest::keyClicks(findIn(site, "txtBuscar"), QStringLiteral("gr"));
            QTest::keyClick(findIn(site, "txtBuscar"), Qt::Key_Return);
        }},
    {"search_result_taken_with_the_mouse", "Quillkit.QuillComboBox", ClickEvent, comboWithItems,
        [](ControlSite &site) {
            QTest::mouseClick(findIn(site, "cmdBuscar"), Qt::LeftButton);
            QTest::keyClicks(findIn(site, "txtBuscar"), QStringLiteral("gr"));
            QWidget *viewport
                = findIn(site, "lstResultados")
                      ->findChild<QWidget *>(QStringLiteral("qt_scrollarea_viewport"));
            QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(5, 3));
        }},
    {"arrow_key_in_the_closed_combo", "Quillkit.QuillComboBox", ClickEvent, comboWithItems,
        [](ControlSite &site) {
            QWidget *edit = findIn(site, "cmbCombo")->findChild<QLineEdit *>();
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Down);
        }},
    {"typing_in_the_combo", "Quillkit.QuillComboBox", ChangeEvent, comboWithItems,
        [](ControlSite &site) {
            QTest::keyClicks(findIn(site, "cmbCombo")->findChild<QLineEdit *>(), "g");
        }},
    {"typing_in_the_input_box", "Quillkit.QuillInputBox", ChangeEvent,
        [](ControlSite &site) {
            site.control()->let(QStringLiteral("Text"), Variant("12"));
            return findIn(site, "txtLeft");
        },
        [](ControlSite &site) {
            QTest::mouseClick(findIn(site, "txtLeft"), Qt::LeftButton);
            QTest::keyClicks(findIn(site, "txtLeft"), "3");
        }},
};

INSTANTIATE_TEST_SUITE_P(Events, DestroyTheFormInAHandler, testing::ValuesIn(Scenarios),
    [](const testing::TestParamInfo<Scenario> &info) { return info.param.name; });

// A standard control's event is a host's event too.
TEST_F(DestroyingHost, AButtonThatClosesItsFormFinishesOnLiveObjects)
{
    makeForm();
    SavedControl saved;
    saved.kind = QStringLiteral("CommandButton");
    saved.name = QStringLiteral("cmdClose");
    saved.width = 1200;
    saved.height = 375;
    auto button = std::dynamic_pointer_cast<CommandButton>(form->addStandardControl(saved));
    ASSERT_NE(button, nullptr);
    QPointer<QWidget> widget = button->widget();
    ASSERT_TRUE(showForm());
    button->onClick = [&] { form.reset(); };
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(form, nullptr);
    EXPECT_FALSE(widget.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
}

// Outside any handler the form goes at once, as it always did.
TEST_F(DestroyingHost, AFormDestroyedOutsideAnyHandlerGoesAtOnce)
{
    makeForm();
    ControlSite &site = place(QStringLiteral("Quillkit.QuillComboBox"), QStringLiteral("Combo"));
    QPointer<QWidget> surface = site.widget();
    form.reset();
    EXPECT_TRUE(surface.isNull());
    EXPECT_EQ(host->unloadUnused(), 1);
}

// Objects a library hands out keep it loaded until the host lets go of them.
TEST_F(DestroyingHost, AnObjectKeptFromAControlKeepsItsLibraryLoaded)
{
    struct Case
    {
        const char *name;
        const char *progId;
        const char *member;
    };
    const Case cases[] = {
        {"the input box's font", "Quillkit.QuillInputBox", "Font"},
        {"the combo box's inner combo", "Quillkit.QuillComboBox", "ComboBox"},
        {"the combo box's results list", "Quillkit.QuillComboBox", "ListBox"},
    };
    for (const Case &c : cases) {
        makeForm();
        ControlSite &site = place(QString::fromLatin1(c.progId), QStringLiteral("Control1"));
        DispatchPtr kept = site.control()->get(QString::fromLatin1(c.member)).object();
        ASSERT_NE(kept, nullptr) << c.name;
        form.reset();
        EXPECT_EQ(host->unloadUnused(), 0) << c.name;
        EXPECT_TRUE(host->isLoaded(ModulePath)) << c.name;
        // Still callable: the font keeps its attributes, a constituent says its widget is gone.
        if (QString::fromLatin1(c.member) == u"Font")
            EXPECT_FALSE(toText(kept->get(QStringLiteral("Name"))).isEmpty()) << c.name;
        else
            EXPECT_EQ(errorNumberOf([&] { kept->get(QStringLiteral("Text")); }), 91) << c.name;
        kept.reset();
        EXPECT_EQ(host->unloadUnused(), 1) << c.name;
        EXPECT_FALSE(host->isLoaded(ModulePath)) << c.name;
    }
}

TEST_F(DestroyingHost, AnObjectKeptAfterItsHostIsGoneCanStillBeReleased)
{
    makeForm();
    ControlSite &site = place(QStringLiteral("Quillkit.QuillInputBox"), QStringLiteral("Box"));
    DispatchPtr font = site.control()->get(QStringLiteral("Font")).object();
    form.reset();
    host.reset();
    font->let(QStringLiteral("Size"), Variant(12));
    EXPECT_EQ(toDouble(font->get(QStringLiteral("Size"))), 12);
    font.reset(); // the library is still loaded: releasing runs its code safely
}

} // namespace
