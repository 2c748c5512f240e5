#pragma once

#include "../QuillPlatformExport.h"

#include "Guid.h"
#include "MemberTable.h"

#include <QIcon>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace platform {

class UserControl;

// Type library flag: the library holds controls.
constexpr uint32_t LibFlagControl = 0x02;

// Misc status bits hosts read before creating a control.
namespace MiscStatus {
constexpr uint32_t RecomposeOnResize = 0x1;
constexpr uint32_t CantLinkInside = 0x10;
constexpr uint32_t InsideOut = 0x80;
constexpr uint32_t ActivateWhenVisible = 0x100;
constexpr uint32_t InvisibleAtRunTime = 0x400;
constexpr uint32_t AlignableToEdges = 0x8000; // the container may dock it to an edge
constexpr uint32_t SimpleFrame = 0x10000; // it can hold other controls
constexpr uint32_t SetClientSiteFirst = 0x20000;
} // namespace MiscStatus

struct QUILL_PLATFORM_EXPORT InterfaceInfo
{
    Guid id;
    QString name;
    // "dual", "hidden", "nonextensible", "oleautomation", ...
    QStringList attributes;
    bool dispatchOnly = false;
    std::vector<MemberInfo> members;
};

struct QUILL_PLATFORM_EXPORT EnumInfo
{
    struct Constant
    {
        QString name;
        int32_t value;
        QString helpString;
    };
    QString name;
    std::vector<Constant> constants;
};

struct QUILL_PLATFORM_EXPORT ClassInfo
{
    Guid id;
    QString name;
    QString progId;
    InterfaceInfo defaultInterface;
    InterfaceInfo eventInterface;
    uint32_t miscStatus = 0;
    int toolboxBitmapId = 0;
    // Design size in twips.
    double designWidth = 0;
    double designHeight = 0;
    std::function<std::unique_ptr<UserControl>()> create;
};

// The version resource of a library file.
struct QUILL_PLATFORM_EXPORT VersionResource
{
    QString fileDescription;
    QString productName;
    QString internalName;
    QString originalFilename;
    QString fileVersion;
    QString productVersion;
    uint16_t language = 0x0409;
    uint16_t codePage = 0x04B0;
    bool selfRegister = true; // holds the "OLESelfRegister" entry
};

struct QUILL_PLATFORM_EXPORT LibraryInfo
{
    Guid id;
    QString name;
    QString helpString;
    uint16_t majorVersion = 1;
    uint16_t minorVersion = 0;
    uint32_t locale = 0x0409;
    uint32_t flags = 0;
    // Type libraries the library's types refer to.
    QStringList imports;
    VersionResource version;
    std::vector<EnumInfo> enums;
    std::vector<ClassInfo> classes;
    // Bitmap resources by id (toolbox images).
    std::map<int, QImage> bitmaps;
    // Renditions of some of those bitmaps for screens at twice the density (device pixel
    // ratio 2), by the same ids. The resources above stay what hosts read.
    std::map<int, QImage> bitmapsAt2x;

    const ClassInfo *findClass(const Guid &id) const;
    const ClassInfo *findClass(const QString &progIdOrName) const;
    // The bitmap as an icon, with its rendition at twice the density when there is one, so
    // that a tool's palette shows it sharp at any scale. A null icon for an unknown id.
    QIcon toolboxIcon(int bitmapId) const;
};

// Readable IDL-like text of a type library: attributes, enumerations, interfaces with their
// members, ids and attributes, and classes.
QUILL_PLATFORM_EXPORT QString typeLibraryText(const LibraryInfo &library);

} // namespace platform
