// A control library for the hosting tests, built and loaded like any other.
#include "TestControl.h"
#include "TypedControl.h"

#include "../../Hosting/LibraryDescriptor.h"

using namespace platform;

namespace {

LibraryDescriptor &descriptor()
{
    static LibraryDescriptor library([] {
        LibraryInfo info;
        info.id = Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F01}");
        info.name = QStringLiteral("TestKit");
        info.helpString = QStringLiteral("Hosting test controls");
        info.majorVersion = 1;
        info.flags = LibFlagControl;
        ClassInfo control;
        control.id = Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F02}");
        control.name = QStringLiteral("TestControl");
        control.progId = QStringLiteral("TestKit.TestControl");
        control.defaultInterface = {Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F03}"),
            QStringLiteral("_TestControl"), {QStringLiteral("dual")}, false,
            TestControl::memberTable().infos()};
        control.eventInterface = {Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F04}"),
            QStringLiteral("__TestControl"), {}, true,
            {{QStringLiteral("Fired"), 1, InvokeKind::Method, QStringLiteral("void"), {}, {}}}};
        control.miscStatus = 0x00020191;
        control.toolboxBitmapId = 100;
        control.designWidth = 1200;
        control.designHeight = 600;
        control.create = [] { return std::make_unique<TestControl>(); };
        info.classes.push_back(control);

        ClassInfo typed;
        typed.id = Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F05}");
        typed.name = QStringLiteral("TypedControl");
        typed.progId = QStringLiteral("TestKit.TypedControl");
        typed.defaultInterface = {Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F06}"),
            QStringLiteral("_TypedControl"), {QStringLiteral("dual")}, false,
            TypedControl::memberTable().infos()};
        typed.eventInterface = {Guid::fromString("{5E1F3A10-0C4B-4D2E-9A61-3B7C0D8E1F07}"),
            QStringLiteral("__TypedControl"), {}, true, TypedControl::events()};
        typed.miscStatus = 0x00020191;
        typed.toolboxBitmapId = 101;
        typed.designWidth = 1500;
        typed.designHeight = 450;
        typed.create = [] { return std::make_unique<TypedControl>(); };
        info.classes.push_back(typed);
        info.enums.push_back(TypedControl::shapeEnum());
        return info;
    }());
    return library;
}

} // namespace

QUILL_LIBRARY_ENTRY_POINTS(descriptor())
