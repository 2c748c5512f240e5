#include "Regions.h"

#include <unordered_map>

namespace platform {

namespace {

struct Table
{
    std::unordered_map<HRGN, QRegion> regions;
    HRGN next = 0x04040010;
};

Table &table()
{
    static Table t;
    return t;
}

} // namespace

HRGN Regions::create(const QRegion &region)
{
    Table &t = table();
    const HRGN handle = t.next;
    t.next += 4;
    t.regions.emplace(handle, region);
    return handle;
}

const QRegion *Regions::find(HRGN handle)
{
    const auto &regions = table().regions;
    const auto found = regions.find(handle);
    return found == regions.end() ? nullptr : &found->second;
}

std::optional<QRegion> Regions::take(HRGN handle)
{
    auto &regions = table().regions;
    const auto found = regions.find(handle);
    if (found == regions.end())
        return std::nullopt;
    QRegion region = std::move(found->second);
    regions.erase(found);
    return region;
}

bool Regions::release(HRGN handle)
{
    return table().regions.erase(handle) > 0;
}

int Regions::count()
{
    return static_cast<int>(table().regions.size());
}

} // namespace platform
