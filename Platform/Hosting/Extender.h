#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/MemberTable.h"

namespace platform {

class ControlSite;

// Member ids of the extender properties every sited control has.
namespace ExtenderDispId {
constexpr DispId Name = static_cast<DispId>(0x80010000u);
constexpr DispId Left = static_cast<DispId>(0x80010003u);
constexpr DispId Top = static_cast<DispId>(0x80010004u);
constexpr DispId Width = static_cast<DispId>(0x80010005u);
constexpr DispId Height = static_cast<DispId>(0x80010006u);
constexpr DispId Visible = static_cast<DispId>(0x80010007u);
constexpr DispId Parent = static_cast<DispId>(0x80010008u);
} // namespace ExtenderDispId

// The host's properties of a sited control, in the form's units (twips). Once the site is
// gone every member raises Object variable not set.
class QUILL_PLATFORM_EXPORT Extender : public DispatchFromTable<Extender>
{
public:
    explicit Extender(ControlSite *site) : m_site(site) { }
    void detach() { m_site = nullptr; }
    ControlSite &site() const;

    static const MemberTable<Extender> &memberTable();

private:
    ControlSite *m_site;
};

} // namespace platform
