#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/PropertyBag.h"
#include "ComponentHost.h"
#include "ControlContainer.h"
#include "Registry.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace platform {

class ContainerDispatch;

/// One control, created by class id or ProgID, as a widget: the widget is the control's site,
/// so the control lays out, shows, enables and takes focus like any other widget, with no form
/// around it. Its ambient values come from the widget (font, text colour, run or design mode),
/// its container's members (Parent) from the widget's window and Qt's focus chain, and its
/// events reach onEvent and controlEvent.
class QUILL_PLATFORM_EXPORT ControlWidget : public QWidget, private ControlContainer
{
    Q_OBJECT

public:
    /// Creates the control and runs UserControl_Initialize, then UserControl_ReadProperties
    /// when saved state is given, as a form does: a newly placed control keeps what Initialize
    /// left until its properties are set, and an empty bag gives every property its default.
    /// Raises what ComponentHost::create raises, and what the control raises.
    ControlWidget(ComponentHost &host, const QString &classIdOrProgId, QWidget *parent = nullptr,
        const PropertyBag *saved = nullptr);
    /// The same through the process's default host.
    explicit ControlWidget(const QString &classIdOrProgId, QWidget *parent = nullptr,
        const PropertyBag *saved = nullptr);
    ~ControlWidget() override;

    /// The control's own interface.
    DispatchPtr control() const;
    const std::shared_ptr<UserControl> &userControl() const { return m_control; }
    const Registry::ClassEntry &classEntry() const { return m_entry; }

    ///@{
    /// Run mode (true, the default) or design mode: what the control's Ambient.UserMode says.
    /// A control invisible at run time shows only in design mode.
    bool userMode() const { return m_userMode; }
    void setUserMode(bool userMode);
    ///@}
    /// The mode widgets made from now on start in, run mode unless set. A form designer sets
    /// design mode before it makes the widgets it draws, so that no control acts as at run time
    /// (shapes the designer's window, hides itself) even while it initializes.
    static bool defaultUserMode();
    static void setDefaultUserMode(bool userMode);

    /// The control's saved state, as a form saves it: "_extentx" and "_extenty" (HIMETRIC),
    /// then every key the control writes, in lower case.
    PropertyBag save();

    /// The control's design extent, in pixels.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// Events the control raises, with their id and arguments. The handler may destroy the
    /// widget: the control goes when the code that raised the event is done with it.
    std::function<void(DispId, const Args &)> onEvent;

signals:
    void controlEvent(int id, const platform::Args &args);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    friend class ContainerDispatch;

    bool ambientUserMode() const override;
    std::shared_ptr<StdFont> ambientFont() const override;
    uint32_t ambientForeColor() const override;
    DispatchPtr parent() const override;
    void propertyChanged(const QString &name) override;
    void raiseEvent(DispId id, const Args &args) override;
    void extentChanged(double width, double height) override;

    void updateVisibility();
    // Moves focus to what follows the control in the focus chain: the container's SetFocus.
    void focusPastControl();

    Registry::ClassEntry m_entry;
    std::shared_ptr<UserControl> m_control;
    std::shared_ptr<ContainerDispatch> m_container;
    QSize m_designSize;
    bool m_userMode;
};

} // namespace platform
