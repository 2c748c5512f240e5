#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/MemberTable.h"

namespace platform {

class HostForm;

/// A form as its controls see it through Parent: Caption, Width, Height, ScaleMode, ScaleX,
/// ScaleY, hWnd and SetFocus by name. Once the form is gone every member raises Object variable
/// not set.
class QUILL_PLATFORM_EXPORT FormDispatch : public DispatchFromTable<FormDispatch>
{
public:
    /// The late-bound view of `form`.
    explicit FormDispatch(HostForm *form) : m_form(form) { }
    /// Called when the form goes: every member raises from then on.
    void detach() { m_form = nullptr; }
    /// The form; Object variable not set once it is gone.
    HostForm &form() const;

    /// The members late-bound callers reach, with their ids and types.
    static const MemberTable<FormDispatch> &memberTable();

private:
    HostForm *m_form;
};

} // namespace platform
