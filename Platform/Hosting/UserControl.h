#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/Dispatch.h"
#include "../Objects/PropertyBag.h"
#include "ControlContainer.h"

#include <QAccessible>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <memory>

namespace platform {

class StdFont;
class UserControl;

/// The ambient values of the control's container, read when asked.
class QUILL_PLATFORM_EXPORT AmbientProperties
{
public:
    /// The ambient values of the container of `control`.
    explicit AmbientProperties(const UserControl &control) : m_control(control) { }
    ///@{
    /// Run mode (true) or design mode; the container's font; its text colour, an OLE colour.
    bool UserMode() const;
    ///@{
    /// The control's font object.
    std::shared_ptr<StdFont> Font() const;
    uint32_t ForeColor() const;
    ///@}
    ///@}

private:
    const UserControl &m_control;
};

/// The surface a control derives from: it owns the widget its constituent controls live on and
/// offers the host services. A control overrides the lifecycle hooks it handles.
class QUILL_PLATFORM_EXPORT UserControl : public Dispatch
{
public:
    UserControl();
    ~UserControl() override;
    UserControl(const UserControl &) = delete;
    UserControl &operator=(const UserControl &) = delete;

    ///@{
    /// Lifecycle hooks, run by the host in this order: Initialize once; ReadProperties when the
    /// host has saved state; Resize at every sizing; WriteProperties whenever the host saves.
    virtual void UserControl_Initialize() { }
    virtual void UserControl_ReadProperties(PropertyBag &) { }
    virtual void UserControl_Resize() { }
    virtual void UserControl_WriteProperties(PropertyBag &) { }
    ///@}

    /// The widget the constituent controls are children of.
    QWidget *surface() const { return m_surface; }
    /// What the surface is to assistive technology (a combo box, an editable text, a graphic);
    /// Client until told. The host names the surface after the control.
    void setSurfaceRole(QAccessible::Role role);

    ///@{
    /// Extent in twips. Setting either runs UserControl_Resize when the value changes, also
    /// from inside a resize, as the runtime does.
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void setWidth(double twips);
    void setHeight(double twips);
    ///@}
    /// Both at once, with one Resize (the host's sizing). Resize runs even when the size is
    /// unchanged, so that the first sizing always lays the control out.
    void setExtent(double width, double height);

    std::shared_ptr<StdFont> Font() const { return m_font; }
    void setFont(std::shared_ptr<StdFont> font);
    /// Schedules a repaint of the control's surface.
    void Refresh();

    /// The ambient values of the control's container.
    AmbientProperties Ambient() const { return AmbientProperties(*this); }
    /// The form that holds the control; Object variable not set while the control is unsited.
    DispatchPtr Parent() const;
    /// Tells the host that a property has changed, so that it saves the form again; nothing
    /// while the control is unsited.
    void PropertyChanged(const QString &name);
    /// Raises the event `id` to the host with its arguments; nothing while the control is unsited.
    void RaiseEvent(DispId id, const Args &args = {});

    /// For the host.
    void setContainer(ControlContainer *container) { m_container = container; }
    /// The control's container; nullptr while it is unsited.
    ControlContainer *container() const { return m_container; }

    /// A value the control hands to its host (a member's result, an event's argument, saved
    /// state), with each object in it made to keep the control's library loaded until the host
    /// lets go of it: the code that runs when the object is released may live in the library.
    Variant handOut(const Variant &value) const;
    /// The state a host saves: "_extentx" and "_extenty" (HIMETRIC), then every key
    /// UserControl_WriteProperties writes, in lower case, objects handed out.
    PropertyBag savedState();
    /// For the class factory: the library's count of objects in hosts' hands.
    void setLibraryUses(std::atomic<int> *uses) { m_libraryUses = uses; }

private:
    void applyExtent(double width, double height);

    QPointer<QWidget> m_surface;
    std::atomic<int> *m_libraryUses = nullptr;
    ControlContainer *m_container = nullptr;
    std::shared_ptr<StdFont> m_font;
    double m_width = 0;
    double m_height = 0;
};

} // namespace platform
