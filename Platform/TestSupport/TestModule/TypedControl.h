#pragma once

#include "../../Hosting/UserControl.h"
#include "../../Objects/MemberTable.h"
#include "../../Objects/StdPicture.h"
#include "../../Objects/TypeInfo.h"

// A control with one member of every kind a type library declares: properties of each base
// type, an enumeration, font and picture objects, a write-only, an indexed and an object
// property, methods with typed and optional arguments and results, and events with typed
// arguments. It keeps what it is given and raises its events on request, so that code written
// from its type library can be driven through every member.
class TypedControl : public platform::DispatchFromTable<TypedControl, platform::UserControl>
{
public:
    static const platform::MemberTable<TypedControl> &memberTable();

    // Its enumeration, as the type library declares it.
    static platform::EnumInfo shapeEnum();
    static std::vector<platform::MemberInfo> events();

    TypedControl();

private:
    QString m_caption;
    int32_t m_count = 0;
    int16_t m_small = 0;
    float m_ratio = 0;
    double m_precise = 0;
    bool m_flag = false;
    platform::Currency m_amount;
    uint32_t m_tint;
    platform::StdPicturePtr m_picture;
    int32_t m_shape = 0;
    platform::Variant m_value;
    QString m_secret;
    int32_t m_update = 0;
    std::map<int32_t, int32_t> m_items;
};
