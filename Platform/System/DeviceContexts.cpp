#include "DeviceContexts.h"

#include <unordered_map>

namespace platform {

namespace {

struct Table
{
    std::unordered_map<HDC, DeviceContext> contexts;
    HDC next = 0x0100;
};

Table &table()
{
    static Table t;
    return t;
}

} // namespace

HDC DeviceContexts::create(PersistentImage *image, std::function<void()> changed)
{
    Table &t = table();
    const HDC handle = t.next;
    t.next += 4;
    DeviceContext &context = t.contexts[handle];
    context.image = image;
    context.changed = std::move(changed);
    return handle;
}

void DeviceContexts::release(HDC handle)
{
    table().contexts.erase(handle);
}

DeviceContext *DeviceContexts::find(HDC handle)
{
    auto &contexts = table().contexts;
    const auto found = contexts.find(handle);
    return found == contexts.end() ? nullptr : &found->second;
}

} // namespace platform
