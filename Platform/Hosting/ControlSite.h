#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/PropertyBag.h"
#include "ControlContainer.h"
#include "Registry.h"
#include "UserControl.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

class HostForm;
class Extender;

/// The place of one control on a host form: it sites the control (ambient values, parent,
/// notices and events), gives the host the control's dispatch and its extender, and saves the
/// control's state.
class QUILL_PLATFORM_EXPORT ControlSite : public ControlContainer
{
public:
    /// Sites `control`, of the class `entry` registers, on `form` under `name`.
    ControlSite(HostForm &form, const QString &name, std::shared_ptr<UserControl> control,
        const Registry::ClassEntry &entry);
    ~ControlSite() override;
    ControlSite(const ControlSite &) = delete;
    ControlSite &operator=(const ControlSite &) = delete;

    /// The control's name on its form.
    const QString &name() const { return m_name; }
    /// The registration of the control's class.
    const Registry::ClassEntry &classEntry() const { return m_entry; }
    /// The control's own interface.
    DispatchPtr control() const { return m_control; }
    /// The control as the platform implements it.
    const std::shared_ptr<UserControl> &userControl() const { return m_control; }
    /// The host's properties of the control: Name, Left, Top, Width, Height, Visible, Parent.
    DispatchPtr extender() const;
    /// The control's surface widget.
    QWidget *widget() const { return m_control->surface(); }

    /// Events the control raises, with their id (and arguments, if any).
    std::function<void(DispId, const Args &)> onEvent;

    /// The control's saved state: "_extentx" and "_extenty" (HIMETRIC), then every key the
    /// control writes, in lower case.
    PropertyBag save();
    /// Names the control reported through PropertyChanged, in order, since the last save.
    const QStringList &changedProperties() const { return m_changed; }

    ///@{
    /// Extender properties, in twips.
    double Left() const { return m_left; }
    double Top() const { return m_top; }
    void setLeft(double twips);
    void setTop(double twips);
    double Width() const { return m_control->Width(); }
    double Height() const { return m_control->Height(); }
    ///@}
    ///@{
    /// Invalid property value for a negative size; otherwise resizes the control, which runs its
    /// Resize.
    void setWidth(double twips);
    void setHeight(double twips);
    ///@}
    ///@{
    /// Whether the control shows on its form.
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    ///@}
    ///@{
    /// The control's place in the form's tab order, once the host gave it one (a form file's
    /// TabIndex); until then it comes after the controls made before it. Overflow beyond 16
    /// bits, Invalid property value below 0.
    std::optional<int16_t> TabIndex() const { return m_tabIndex; }
    void setTabIndex(int32_t index);
    ///@}

    /// The form is being destroyed while the site may still be in use further up the stack:
    /// the control is unsited at once (it raises no more events and has no parent), and the
    /// site answers without its form until it goes.
    void formGone();

    /// ControlContainer
    bool ambientUserMode() const override;
    std::shared_ptr<StdFont> ambientFont() const override;
    uint32_t ambientForeColor() const override;
    DispatchPtr parent() const override;
    void propertyChanged(const QString &name) override;
    void raiseEvent(DispId id, const Args &args) override;
    void extentChanged(double width, double height) override;

private:
    void updateVisibility();

    HostForm *m_form;
    QString m_name;
    Registry::ClassEntry m_entry;
    std::shared_ptr<UserControl> m_control;
    std::shared_ptr<Extender> m_extender;
    QStringList m_changed;
    double m_left = 0;
    double m_top = 0;
    bool m_visible = true;
    std::optional<int16_t> m_tabIndex;
};

} // namespace platform
