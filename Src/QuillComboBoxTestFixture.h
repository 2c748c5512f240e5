#pragma once

#include "QuillkitTestSupport.h"

#include <Quillkit/System/SettingsStore.h>
#include <Quillkit/Value/Conversions.h>

#include <QTest>

namespace quillkit::test {

// A QuillComboBox placed by ProgID on a shown, active form, with the settings store in the
// test's own folder, the events it raised in order, and its constituent widgets by name.
class ComboBoxFixture : public WithQuillkit
{
protected:
    static constexpr platform::DispId ChangeEvent = 1;
    static constexpr platform::DispId ClickEvent = 2;

    static void storeSelections(const QString &value)
    {
        platform::SaveSetting(QStringLiteral("QuillComboBox"), QStringLiteral("Parametros"),
            QStringLiteral("Selecciones"), value);
    }
    static QString storedSelections()
    {
        return platform::GetSetting(QStringLiteral("QuillComboBox"), QStringLiteral("Parametros"),
            QStringLiteral("Selecciones"), QStringLiteral("<absent>"));
    }

    // Places a control at the design size; every event it raises is logged as "Change" or
    // "Click:" and the inner combo's text at that moment.
    platform::ControlSite &place(const QString &name = QStringLiteral("QuillComboBox1"),
        const platform::PropertyBag *saved = nullptr)
    {
        platform::ControlSite &site = form.addControl(
            QStringLiteral("Quillkit.QuillComboBox"), name, QRectF(120, 120, 3270, 2385), saved);
        // Held by the handler, which goes with the site.
        const platform::DispatchPtr inner
            = site.control()->get(QStringLiteral("ComboBox")).object();
        site.onEvent = [this, inner](platform::DispId id, const platform::Args &) {
            if (id == ChangeEvent)
                events << QStringLiteral("Change");
            else if (id == ClickEvent)
                events << QStringLiteral("Click:") + text(inner);
            else
                events << QStringLiteral("Event %1").arg(id);
        };
        return site;
    }

    // Places the control and makes it the one the helpers below work on.
    void create(const QStringList &items = {})
    {
        platform::ControlSite &site = place();
        sitePtr = &site;
        control = site.control();
        combo = control->get(QStringLiteral("ComboBox")).object();
        results = control->get(QStringLiteral("ListBox")).object();
        for (const QString &item : items)
            control->call(QStringLiteral("AddItem"), {platform::Variant(item)});
        events.clear();
    }

    // Shows the form and waits until it is active, for focus and key events.
    bool activate()
    {
        form.Show();
        QApplication::setActiveWindow(form.window());
        form.window()->activateWindow();
        return QTest::qWaitForWindowActive(form.window());
    }

    static QString text(const platform::DispatchPtr &list)
    {
        return platform::toText(list->get(QStringLiteral("Text")));
    }
    static QStringList entries(const platform::DispatchPtr &list)
    {
        QStringList all;
        const int16_t count = platform::toInteger(list->get(QStringLiteral("ListCount")));
        for (int16_t i = 0; i < count; ++i)
            all << platform::toText(list->get(QStringLiteral("List"), {platform::Variant(i)}));
        return all;
    }
    static int32_t itemData(const platform::DispatchPtr &list, int16_t index)
    {
        return platform::toLong(list->get(QStringLiteral("ItemData"), {platform::Variant(index)}));
    }
    static int32_t number(const platform::DispatchPtr &object, const QString &property)
    {
        return platform::toLong(object->get(property));
    }
    static double twips(const platform::DispatchPtr &object, const QString &property)
    {
        return platform::toDouble(object->get(property));
    }
    static bool visible(const platform::DispatchPtr &object)
    {
        return platform::toBoolean(object->get(QStringLiteral("Visible")));
    }

    QWidget *widget(const char *name) const
    {
        return sitePtr->widget()->findChild<QWidget *>(QString::fromLatin1(name));
    }
    // The edit field inside the combo, and the results list's viewport, which take the user's
    // keys and clicks.
    QWidget *comboEdit() const
    {
        for (QWidget *child : widget("cmbCombo")->findChildren<QWidget *>()) {
            if (child->inherits("QLineEdit"))
                return child;
        }
        return nullptr;
    }
    QWidget *searchEdit() const { return widget("txtBuscar"); }
    QWidget *resultsViewport() const
    {
        return widget("lstResultados")
            ->findChild<QWidget *>(QStringLiteral("qt_scrollarea_viewport"));
    }

    void clickSearchButton() { QTest::mouseClick(widget("cmdBuscar"), Qt::LeftButton); }
    double height() const { return sitePtr->userControl()->Height(); }

    platform::ControlSite *sitePtr = nullptr;
    platform::DispatchPtr control;
    platform::DispatchPtr combo;
    platform::DispatchPtr results;
    QStringList events;
};

} // namespace quillkit::test
