#pragma once

#include "../QuillPlatformExport.h"

#include "../Objects/MemberTable.h"

namespace platform {

class ControlSite;

/// Member ids of the extender properties every sited control has.
namespace ExtenderDispId {
///@{
/// The ids of the properties of the same names.
constexpr DispId Name = static_cast<DispId>(0x80010000u);
constexpr DispId Left = static_cast<DispId>(0x80010003u);
constexpr DispId Top = static_cast<DispId>(0x80010004u);
constexpr DispId Width = static_cast<DispId>(0x80010005u);
constexpr DispId Height = static_cast<DispId>(0x80010006u);
constexpr DispId Visible = static_cast<DispId>(0x80010007u);
constexpr DispId Parent = static_cast<DispId>(0x80010008u);
///@}
} // namespace ExtenderDispId

/// The host's properties of a sited control, in the form's units (twips). Once the site is
/// gone every member raises Object variable not set.
class QUILL_PLATFORM_EXPORT Extender : public DispatchFromTable<Extender>
{
public:
    /// The extender of `site`.
    explicit Extender(ControlSite *site) : m_site(site) { }
    /// Called when the site goes: every member raises from then on.
    void detach() { m_site = nullptr; }
    /// The site; Object variable not set once it is gone.
    ControlSite &site() const;

    /// The members late-bound callers reach, with their ids and types.
    static const MemberTable<Extender> &memberTable();

private:
    ControlSite *m_site;
};

} // namespace platform
