#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/Dispatch.h"

#include <memory>

namespace platform {

class StdFont;

/// What a control's host gives the control: ambient values, the parent form, and the channels
/// for property-change notices and events. A control site implements it.
class QUILL_PLATFORM_EXPORT ControlContainer
{
public:
    virtual ~ControlContainer() = default;

    ///@{
    /// The ambient values: run mode or design mode, the font and the text colour.
    virtual bool ambientUserMode() const = 0;
    virtual std::shared_ptr<StdFont> ambientFont() const = 0;
    virtual uint32_t ambientForeColor() const = 0;
    ///@}
    /// The form that holds the control, late-bound.
    virtual DispatchPtr parent() const = 0;
    /// The control reports a change of one of its properties (its PropertyChanged).
    virtual void propertyChanged(const QString &name) = 0;
    /// The control raises an event to the host.
    virtual void raiseEvent(DispId id, const Args &args) = 0;
    /// The control changed its own extent (twips); the host's view of its size follows.
    virtual void extentChanged(double width, double height) = 0;
};

} // namespace platform
