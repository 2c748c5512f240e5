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

/// Type library flag: the library holds controls.
constexpr uint32_t LibFlagControl = 0x02;

/// Misc status bits hosts read before creating a control.
namespace MiscStatus {
constexpr uint32_t RecomposeOnResize = 0x1;
constexpr uint32_t CantLinkInside = 0x10;
constexpr uint32_t InsideOut = 0x80;
constexpr uint32_t ActivateWhenVisible = 0x100;
constexpr uint32_t InvisibleAtRunTime = 0x400;
constexpr uint32_t AlignableToEdges = 0x8000; ///< the container may dock it to an edge
constexpr uint32_t SimpleFrame = 0x10000; ///< it can hold other controls
constexpr uint32_t SetClientSiteFirst = 0x20000;
} // namespace MiscStatus

/// An interface of a class as its type library describes it: the members its dispatch answers
/// (the default interface) or the events it raises (the event interface).
struct QUILL_PLATFORM_EXPORT InterfaceInfo
{
    Guid id; ///< the interface id
    QString name; ///< the interface name
    /// "dual", "hidden", "nonextensible", "oleautomation", ...
    QStringList attributes;
    bool dispatchOnly = false; ///< reached by member id only, with no vtable of its own
    std::vector<MemberInfo> members; ///< in the order of their slots
};

/// An enumeration of a type library: the named values its members take.
struct QUILL_PLATFORM_EXPORT EnumInfo
{
    /// One named value, with the help string a property browser shows beside it.
    struct Constant
    {
        QString name; ///< as the type library names it
        int32_t value; ///< its value
        QString helpString; ///< the text a property browser shows
    };
    QString name; ///< as the type library names it
    std::vector<Constant> constants; ///< in declaration order
};

/// A creatable class of a library: its class id and ProgID, its two interfaces, what hosts read
/// before creating it, and the factory of its instances.
struct QUILL_PLATFORM_EXPORT ClassInfo
{
    Guid id; ///< the class id
    QString name; ///< the class name in the type library
    QString progId; ///< "Library.Class"
    InterfaceInfo defaultInterface; ///< the properties and methods
    InterfaceInfo eventInterface; ///< the events
    uint32_t miscStatus = 0; ///< MiscStatus bits
    int toolboxBitmapId = 0; ///< the id of its toolbox image in LibraryInfo::bitmaps
    ///@{
    /// Design size in twips.
    double designWidth = 0;
    double designHeight = 0;
    ///@}
    std::function<std::unique_ptr<UserControl>()> create; ///< makes a new instance
};

/// The version resource of a library file.
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
    bool selfRegister = true; ///< holds the "OLESelfRegister" entry
};

/// The type library of a control library: its identity and version, its enumerations and
/// classes, and the resources that go with them.
struct QUILL_PLATFORM_EXPORT LibraryInfo
{
    Guid id; ///< the type library id
    QString name; ///< the library name hosts see
    QString helpString; ///< its description
    uint16_t majorVersion = 1; ///< the version, major
    uint16_t minorVersion = 0; ///< and minor
    uint32_t locale = 0x0409; ///< the locale id
    uint32_t flags = 0; ///< LibFlagControl and others
    /// Type libraries the library's types refer to.
    QStringList imports;
    VersionResource version; ///< the file's version resource
    std::vector<EnumInfo> enums; ///< its enumerations
    std::vector<ClassInfo> classes; ///< its creatable classes
    /// Bitmap resources by id (toolbox images).
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

/// Readable IDL-like text of a type library: attributes, enumerations, interfaces with their
/// members, ids and attributes, and classes.
QUILL_PLATFORM_EXPORT QString typeLibraryText(const LibraryInfo &library);

} // namespace platform
