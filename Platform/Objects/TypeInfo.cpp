#include "TypeInfo.h"

#include <QPixmap>

namespace platform {

const ClassInfo *LibraryInfo::findClass(const Guid &id) const
{
    for (const ClassInfo &info : classes) {
        if (info.id == id)
            return &info;
    }
    return nullptr;
}

const ClassInfo *LibraryInfo::findClass(const QString &progIdOrName) const
{
    for (const ClassInfo &info : classes) {
        if (info.progId.compare(progIdOrName, Qt::CaseInsensitive) == 0
            || info.name.compare(progIdOrName, Qt::CaseInsensitive) == 0)
            return &info;
    }
    return nullptr;
}

QIcon LibraryInfo::toolboxIcon(int bitmapId) const
{
    const auto bitmap = bitmaps.find(bitmapId);
    if (bitmap == bitmaps.end())
        return {};
    QIcon icon(QPixmap::fromImage(bitmap->second));
    if (const auto sharp = bitmapsAt2x.find(bitmapId); sharp != bitmapsAt2x.end()) {
        QPixmap pixmap = QPixmap::fromImage(sharp->second);
        pixmap.setDevicePixelRatio(2);
        icon.addPixmap(pixmap);
    }
    return icon;
}

namespace {

QString hex(uint32_t value, int width = 8)
{
    return QStringLiteral("0x%1").arg(value, width, 16, QChar(u'0'));
}

QString memberLine(const MemberInfo &member)
{
    QStringList attributes {QStringLiteral("id(%1)").arg(hex(static_cast<uint32_t>(member.id)))};
    switch (member.kind) {
    case InvokeKind::PropertyGet:
        attributes << QStringLiteral("propget");
        break;
    case InvokeKind::PropertyLet:
        attributes << QStringLiteral("propput");
        break;
    case InvokeKind::PropertySetRef:
        attributes << QStringLiteral("propputref");
        break;
    case InvokeKind::Method:
        break;
    }
    attributes << member.attributes;

    QStringList params;
    for (const ParamInfo &param : member.params) {
        QString text = param.optional ? QStringLiteral("[in, optional] ") : QStringLiteral("[in] ");
        text += param.type + (param.byValue ? QString() : QStringLiteral("*")) + u' ' + param.name;
        params << text;
    }
    switch (member.kind) {
    case InvokeKind::PropertyGet:
        params << QStringLiteral("[out, retval] %1* %2").arg(member.type, QStringLiteral("value"));
        break;
    case InvokeKind::PropertyLet:
    case InvokeKind::PropertySetRef:
        params << QStringLiteral("[in] %1* %2").arg(member.type, QStringLiteral("value"));
        break;
    case InvokeKind::Method:
        if (member.type != u"void")
            params << QStringLiteral("[out, retval] %1* %2")
                          .arg(member.type, QStringLiteral("result"));
        break;
    }
    return QStringLiteral("        [%1]\n        HRESULT %2(%3);\n")
        .arg(attributes.join(QStringLiteral(", ")), member.name, params.join(QStringLiteral(", ")));
}

QString interfaceText(const InterfaceInfo &info)
{
    QStringList attributes {QStringLiteral("uuid(%1)").arg(info.id.toString().mid(1, 36)),
        QStringLiteral("version(1.0)")};
    attributes << info.attributes;
    QString text = QStringLiteral("    [\n      %1\n    ]\n")
                       .arg(attributes.join(QStringLiteral(",\n      ")));
    if (info.dispatchOnly) {
        text += QStringLiteral("    dispinterface %1 {\n        properties:\n        methods:\n")
                    .arg(info.name);
        for (const MemberInfo &member : info.members) {
            text += QStringLiteral("        [id(%1)]\n        void %2();\n")
                        .arg(hex(static_cast<uint32_t>(member.id)), member.name);
        }
    } else {
        text += QStringLiteral("    interface %1 : IDispatch {\n").arg(info.name);
        for (const MemberInfo &member : info.members)
            text += memberLine(member);
    }
    return text + QStringLiteral("    };\n\n");
}

} // namespace

QString typeLibraryText(const LibraryInfo &library)
{
    QStringList attributes {QStringLiteral("uuid(%1)").arg(library.id.toString().mid(1, 36)),
        QStringLiteral("version(%1.%2)").arg(library.majorVersion).arg(library.minorVersion),
        QStringLiteral("lcid(%1)").arg(hex(library.locale, 4)),
        QStringLiteral("helpstring(\"%1\")").arg(library.helpString)};
    if (library.flags & LibFlagControl)
        attributes << QStringLiteral("control");
    QString text = QStringLiteral("[\n  %1\n]\nlibrary %2\n{\n")
                       .arg(attributes.join(QStringLiteral(",\n  ")), library.name);
    for (const QString &import : library.imports)
        text += QStringLiteral("    importlib(\"%1\");\n").arg(import);
    if (!library.imports.isEmpty())
        text += u'\n';

    const VersionResource &v = library.version;
    text += QStringLiteral("    // version resource: FileDescription \"%1\", ProductName \"%2\", "
                           "InternalName \"%3\", OriginalFilename \"%4\", FileVersion \"%5\", "
                           "ProductVersion \"%6\", language %7, code page %8%9\n\n")
                .arg(v.fileDescription, v.productName, v.internalName, v.originalFilename,
                    v.fileVersion, v.productVersion, hex(v.language, 4), hex(v.codePage, 4),
                    v.selfRegister ? QStringLiteral(", OLESelfRegister") : QString());

    for (const EnumInfo &info : library.enums) {
        text += QStringLiteral("    typedef enum {\n");
        for (size_t i = 0; i < info.constants.size(); ++i) {
            const auto &constant = info.constants[i];
            text += QStringLiteral("        [helpstring(\"%1\")] %2 = %3%4\n")
                        .arg(constant.helpString, constant.name)
                        .arg(constant.value)
                        .arg(i + 1 < info.constants.size() ? QStringLiteral(",") : QString());
        }
        text += QStringLiteral("    } %1;\n\n").arg(info.name);
    }
    for (const ClassInfo &info : library.classes) {
        text += interfaceText(info.defaultInterface);
        text += interfaceText(info.eventInterface);
    }
    for (const ClassInfo &info : library.classes) {
        text += QStringLiteral("    [\n      uuid(%1),\n      version(1.0),\n      control\n    ]\n"
                               "    // ProgID %2, misc status %3, toolbox bitmap %4, design size "
                               "%5 x %6 twips\n"
                               "    coclass %7 {\n        [default] interface %8;\n"
                               "        [default, source] dispinterface %9;\n    };\n\n")
                    .arg(info.id.toString().mid(1, 36), info.progId, hex(info.miscStatus))
                    .arg(info.toolboxBitmapId)
                    .arg(info.designWidth)
                    .arg(info.designHeight)
                    .arg(info.name, info.defaultInterface.name, info.eventInterface.name);
    }
    return text + QStringLiteral("};\n");
}

} // namespace platform
