#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/MemberTable.h"

namespace platform {

class HostForm;

// A form as its controls see it through Parent: Caption, Width, Height, ScaleMode, ScaleX,
// ScaleY, hWnd and SetFocus by name. Once the form is gone every member raises Object variable
// not set.
class QUILL_PLATFORM_EXPORT FormDispatch : public DispatchFromTable<FormDispatch>
{
public:
    explicit FormDispatch(HostForm *form) : m_form(form) { }
    void detach() { m_form = nullptr; }
    HostForm &form() const;

    static const MemberTable<FormDispatch> &memberTable();

private:
    HostForm *m_form;
};

} // namespace platform
