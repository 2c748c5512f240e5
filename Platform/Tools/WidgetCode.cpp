#include "WidgetCode.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <QSet>
#include <QWidget>
#include <cstring>
#include <map>
#include <optional>

namespace platform::typegen {

namespace {

// What a generated class inherits: QWidget's, QObject's and QPaintDevice's members (as their
// headers declare them, with the signals, slots and properties of QWidget's meta-object), and
// ControlWidget's.
QStringList inheritedNames()
{
    QStringList names {"GestureFlags", "PaintDeviceMetric", "RenderFlag", "RenderFlags",
        "WindowFlags", "acceptDrops", "accessibleDescription", "accessibleName", "actionEvent",
        "actions", "activateWindow", "addAction", "addActions", "adjustSize", "autoFillBackground",
        "backgroundRole", "backingStore", "baseSize", "bindableObjectName", "bindingStorage",
        "blockSignals", "changeEvent", "childAt", "childEvent", "children", "childrenRect",
        "childrenRegion", "clearFocus", "clearMask", "close", "closeEvent", "colorCount", "connect",
        "connectImpl", "connectNotify", "contentsMargins", "contentsRect", "contextMenuEvent",
        "contextMenuPolicy", "count", "create", "createWinId", "createWindowContainer", "cursor",
        "customContextMenuRequested", "customEvent", "d_func", "d_ptr", "data", "deleteLater",
        "depth", "destroy", "destroyed", "devType", "devicePixelRatio", "devicePixelRatioF",
        "devicePixelRatioFScale", "disconnect", "disconnectImpl", "disconnectNotify",
        "doSetObjectName", "dragEnterEvent", "dragLeaveEvent", "dragMoveEvent", "dropEvent",
        "dumpObjectInfo", "dumpObjectTree", "dynamicPropertyNames", "effectiveWinId",
        "ensurePolished", "enterEvent", "event", "eventFilter", "find", "findChild", "findChildren",
        "focusInEvent", "focusNextChild", "focusNextPrevChild", "focusOutEvent", "focusPolicy",
        "focusPreviousChild", "focusProxy", "focusWidget", "font", "fontInfo", "fontMetrics",
        "foregroundRole", "frameGeometry", "frameSize", "fromUtf8", "geometry", "grab",
        "grabGesture", "grabKeyboard", "grabMouse", "grabShortcut", "graphicsEffect",
        "graphicsProxyWidget", "hasEditFocus", "hasFocus", "hasHeightForWidth", "hasMouseTracking",
        "hasTabletTracking", "height", "heightForWidth", "heightMM", "hide", "hideEvent",
        "inherits", "initPainter", "inputMethodEvent", "inputMethodHints", "inputMethodQuery",
        "insertAction", "insertActions", "installEventFilter", "internalWinId", "isActiveWindow",
        "isAncestorOf", "isEnabled", "isEnabledTo", "isFullScreen", "isHidden", "isLeftToRight",
        "isMaximized", "isMinimized", "isModal", "isQuickItemType", "isRightToLeft",
        "isSignalConnected", "isTopLevel", "isVisible", "isVisibleTo", "isWidgetType", "isWindow",
        "isWindowModified", "isWindowType", "keyPressEvent", "keyReleaseEvent", "keyboardGrabber",
        "killTimer", "layout", "layoutDirection", "leaveEvent", "locale", "logicalDpiX",
        "logicalDpiY", "lower", "mapFrom", "mapFromGlobal", "mapFromParent", "mapTo", "mapToGlobal",
        "mapToParent", "mask", "maximumHeight", "maximumSize", "maximumWidth", "metaObject",
        "metric", "minimumHeight", "minimumSize", "minimumSizeHint", "minimumWidth",
        "mouseDoubleClickEvent", "mouseGrabber", "mouseMoveEvent", "mousePressEvent",
        "mouseReleaseEvent", "move", "moveEvent", "moveToThread", "nativeEvent",
        "nativeParentWidget", "nextInFocusChain", "normalGeometry", "objectName",
        "objectNameChanged", "overrideWindowFlags", "overrideWindowState", "paintEngine",
        "paintEvent", "painters", "paintingActive", "palette", "parent", "parentWidget",
        "physicalDpiX", "physicalDpiY", "pos", "previousInFocusChain", "property",
        "qt_mac_is_metal", "qt_metacall", "qt_metacast", "qt_paint_device_metric",
        "qt_qFindChild_helper", "qt_qFindChildren_helper", "qt_qwidget_data", "qt_static_metacall",
        "qt_widget_private", "raise", "receivers", "rect", "redirected", "releaseKeyboard",
        "releaseMouse", "releaseShortcut", "removeAction", "removeEventFilter", "render", "repaint",
        "resize", "resizeEvent", "restoreGeometry", "saveGeometry", "screen", "scroll", "sender",
        "senderSignalIndex", "setAcceptDrops", "setAccessibleDescription", "setAccessibleName",
        "setAttribute", "setAutoFillBackground", "setBackgroundRole", "setBackingStore",
        "setBaseSize", "setContentsMargins", "setContextMenuPolicy", "setCursor", "setDisabled",
        "setEditFocus", "setEnabled", "setFixedHeight", "setFixedSize", "setFixedWidth", "setFocus",
        "setFocusPolicy", "setFocusProxy", "setFont", "setForegroundRole", "setGeometry",
        "setGraphicsEffect", "setHidden", "setInputMethodHints", "setLayout", "setLayoutDirection",
        "setLocale", "setMask", "setMaximumHeight", "setMaximumSize", "setMaximumWidth",
        "setMinimumHeight", "setMinimumSize", "setMinimumWidth", "setMouseTracking",
        "setObjectName", "setPalette", "setParent", "setProperty", "setScreen",
        "setShortcutAutoRepeat", "setShortcutEnabled", "setSizeIncrement", "setSizePolicy",
        "setStatusTip", "setStyle", "setStyleSheet", "setTabOrder", "setTabletTracking",
        "setToolTip", "setToolTipDuration", "setUpdatesEnabled", "setVisible", "setWhatsThis",
        "setWindowFilePath", "setWindowFlag", "setWindowFlags", "setWindowIcon",
        "setWindowIconText", "setWindowModality", "setWindowModified", "setWindowOpacity",
        "setWindowRole", "setWindowState", "setWindowTitle", "setupUi", "sharedPainter", "show",
        "showEvent", "showFullScreen", "showMaximized", "showMinimized", "showNormal",
        "signalsBlocked", "size", "sizeHint", "sizeIncrement", "sizePolicy", "stackUnder",
        "startTimer", "staticMetaObject", "statusTip", "style", "styleSheet", "tabletEvent",
        "takeLayout", "testAttribute", "testAttribute_helper", "thread", "timerEvent", "toolTip",
        "toolTipDuration", "topLevelWidget", "tr", "trUtf8", "underMouse", "ungrabGesture",
        "unsetCursor", "unsetLayoutDirection", "unsetLocale", "update", "updateGeometry",
        "updateMicroFocus", "updatesEnabled", "visibleRegion", "whatsThis", "wheelEvent", "width",
        "widthMM", "winId", "window", "windowFilePath", "windowFlags", "windowHandle", "windowIcon",
        "windowIconChanged", "windowIconText", "windowIconTextChanged", "windowModality",
        "windowOpacity", "windowRole", "windowState", "windowTitle", "windowTitleChanged",
        "windowType", "x", "y",
        // ControlWidget
        "ContainerDispatch", "ControlContainer", "control", "userControl", "classEntry", "userMode",
        "setUserMode", "save", "onEvent", "controlEvent", "updateVisibility", "focusPastControl",
        "ambientUserMode", "ambientFont", "ambientForeColor", "propertyChanged", "raiseEvent",
        "extentChanged"};
    const QMetaObject &widget = QWidget::staticMetaObject;
    for (int i = 0; i < widget.methodCount(); ++i)
        names << QString::fromLatin1(widget.method(i).name());
    for (int i = 0; i < widget.propertyCount(); ++i)
        names << QString::fromLatin1(widget.property(i).name());
    return names;
}

// The generated class's own names.
const QStringList OwnNames {QStringLiteral("ClassId"), QStringLiteral("ProgId")};
// Names a generated function body uses besides its parameters.
const QStringList BodyNames {QStringLiteral("userControl"), QStringLiteral("palette"),
    QStringLiteral("widget"), QStringLiteral("args"), QStringLiteral("id")};

QString setterOf(const QString &identifier)
{
    return QStringLiteral("set") + identifier.left(1).toUpper() + identifier.mid(1);
}

// A Qt type with the conversions to and from the value the control takes; %1 stands for the
// value converted.
struct QtType
{
    QString type;
    QString fromVariant;
    QString toVariant;
    bool byReference = false; // passed as const &

    QString param(const QString &name) const
    {
        return (byReference ? QStringLiteral("const %1 &%2") : QStringLiteral("%1 %2"))
            .arg(type, name);
    }
};

// The base types by the names type libraries give them.
std::optional<QtType> baseType(const QString &name)
{
    static const std::map<QString, QtType> types {
        {"BSTR", {"QString", "::platform::toText(%1)", "::platform::Variant(%1)", true}},
        {"long",
            {"int", "int(::platform::toLong(%1))",
                "::platform::Variant(static_cast<::std::int32_t>(%1))"}},
        {"short", {"int", "int(::platform::toInteger(%1))", "::platform::typed::shortValue(%1)"}},
        {"byte",
            {"int", "int(::platform::toByte(%1))",
                "::platform::Variant(::platform::toByte(::platform::Variant(static_cast<::std::"
                "int32_t>(%1))))"}},
        {"single",
            {"double", "double(::platform::toSingle(%1))", "::platform::typed::singleValue(%1)"}},
        {"double", {"double", "::platform::toDouble(%1)", "::platform::Variant(double(%1))"}},
        {"VARIANT_BOOL", {"bool", "::platform::toBoolean(%1)", "::platform::Variant(bool(%1))"}},
        {"CY",
            {"QString", "::platform::typed::currencyText(%1)",
                "::platform::typed::currencyValue(%1)", true}},
        {"OLE_COLOR",
            {"QColor", "::platform::typed::colorOf(%1, palette())",
                "::platform::typed::colorValue(%1)", true}},
        {"IFontDisp*",
            {"QFont", "::platform::typed::fontOf(%1)", "::platform::typed::fontValue(%1)", true}},
        {"IPictureDisp*",
            {"QPixmap", "::platform::typed::pixmapOf(%1)", "::platform::typed::pictureValue(%1)",
                true}},
        {"VARIANT",
            {"QVariant", "::platform::typed::toQVariant(%1)", "::platform::typed::fromQVariant(%1)",
                true}},
    };
    // Other spellings of the same types.
    static const std::map<QString, QString> aliases {{"String", "BSTR"}, {"Long", "long"},
        {"int", "long"}, {"Integer", "short"}, {"Byte", "byte"}, {"unsigned char", "byte"},
        {"Single", "single"}, {"float", "single"}, {"Double", "double"},
        {"boolean", "VARIANT_BOOL"}, {"Boolean", "VARIANT_BOOL"}, {"bool", "VARIANT_BOOL"},
        {"currency", "CY"}, {"Currency", "CY"}, {"IFontDisp", "IFontDisp*"},
        {"StdFont", "IFontDisp*"}, {"IPictureDisp", "IPictureDisp*"},
        {"StdPicture", "IPictureDisp*"}, {"Variant", "VARIANT"}};
    const auto alias = aliases.find(name);
    const auto found = types.find(alias == aliases.end() ? name : alias->second);
    if (found == types.end())
        return std::nullopt;
    return found->second;
}

const EnumInfo *enumNamed(const LibraryInfo &library, const QString &name)
{
    for (const EnumInfo &info : library.enums) {
        if (info.name == name)
            return &info;
    }
    return nullptr;
}

// Why a type has no Qt form; empty when it has one.
QString whyNoQtForm(const LibraryInfo &library, const QString &type)
{
    if (baseType(type) || enumNamed(library, type))
        return {};
    if (type.endsWith(u'*') || type.compare(u"IDispatch", Qt::CaseInsensitive) == 0
        || type.compare(u"Object", Qt::CaseInsensitive) == 0)
        return QStringLiteral("the object type %1 has no Qt form").arg(type);
    return QStringLiteral("the type %1 is not declared in this type library").arg(type);
}

QString idLiteral(DispId id)
{
    return id >= 0 ? QStringLiteral("0x%1").arg(static_cast<uint32_t>(id), 8, 16, QChar(u'0'))
                   : cppIntLiteral(id);
}

struct Param
{
    QString identifier;
    QString type; // as the type library gives it
    bool optional = false;
};

struct PropertyPlan
{
    const ModelMember *member = nullptr;
    QString type;
    QString getter; // empty for a property that cannot be read
    QString setter; // empty for one that cannot be written
    InvokeKind put = InvokeKind::PropertyLet;
};

struct FunctionPlan // a method, or an event
{
    QString name;
    QString identifier;
    DispId id = 0;
    QString returnType;
    std::vector<Param> params;
};

struct Skipped
{
    QString name;
    const char *kind;
    QString reason;
};

struct EnumPlan
{
    const EnumInfo *info = nullptr;
    QString identifier;
    std::vector<QString> constants;
};

struct ClassPlan
{
    const ModelClass *model = nullptr;
    QString className;
    std::vector<PropertyPlan> properties;
    std::vector<FunctionPlan> methods;
    std::vector<FunctionPlan> events;
    std::vector<EnumPlan> enums;
    std::vector<Skipped> skipped;

    const EnumPlan *enumNamed(const QString &name) const
    {
        for (const EnumPlan &plan : enums) {
            if (plan.info->name == name)
                return &plan;
        }
        return nullptr;
    }
    QtType qtType(const QString &type) const
    {
        if (const auto base = baseType(type))
            return *base;
        const QString identifier = enumNamed(type)->identifier;
        return {identifier,
            QStringLiteral("static_cast<%1::%2>(::platform::toLong(%3))")
                .arg(className, identifier, QStringLiteral("%1")),
            QStringLiteral("::platform::Variant(static_cast<::std::int32_t>(%1))")};
    }
    // The type as written outside the class, where its enumerations need the class's name.
    QString qualifiedType(const QString &type) const
    {
        const QString written = qtType(type).type;
        return enumNamed(type) ? className + QStringLiteral("::") + written : written;
    }
    QtType paramType(const Param &param) const
    {
        // An argument that may be left out needs a value that says so: an invalid QVariant.
        if (!param.optional)
            return qtType(param.type);
        return {QStringLiteral("QVariant"), QStringLiteral("::platform::typed::toQVariant(%1)"),
            QStringLiteral("::platform::typed::fromQVariant(%1, true)"), true};
    }
};

// Why a method's or event's signature has no Qt form; empty when it has one.
QString whyNoQtForm(const LibraryInfo &library, const MemberInfo &info, bool isEvent)
{
    if (!isEvent && info.type != u"void") {
        const QString why = whyNoQtForm(library, info.type);
        if (!why.isEmpty())
            return QStringLiteral("returns %1: %2").arg(info.type, why);
    }
    for (const ParamInfo &param : info.params) {
        if (param.optional && !isEvent)
            continue; // taken as a QVariant
        const QString why = whyNoQtForm(library, param.type);
        if (!why.isEmpty())
            return QStringLiteral("argument %1: %2").arg(param.name, why);
    }
    return {};
}

FunctionPlan functionPlan(const QString &name, const QString &identifier, const MemberInfo &info,
    const QStringList &classNames)
{
    FunctionPlan plan {name, identifier, info.id, info.type, {}};
    IdentifierScope scope(BodyNames + classNames);
    for (const ParamInfo &param : info.params)
        plan.params.push_back({scope.claim(param.name), param.type, param.optional});
    return plan;
}

ClassPlan planOf(const LibraryInfo &library, const ModelClass &model)
{
    ClassPlan plan;
    plan.model = &model;
    plan.className = model.identifier + QStringLiteral("Widget");
    IdentifierScope scope(inheritedNames() + OwnNames + QStringList {plan.className});
    QStringList usedTypes;

    for (const ModelMember &member : model.members) {
        if (member.kind != MemberKind::Property)
            continue;
        const MemberInfo &first = *member.entries.front();
        const bool indexed = std::any_of(member.entries.begin(), member.entries.end(),
            [](const MemberInfo *entry) { return !entry->params.empty(); });
        if (indexed) {
            plan.skipped.push_back({member.name, "property",
                QStringLiteral("an indexed property: a Q_PROPERTY takes no index")});
            continue;
        }
        if (const QString why = whyNoQtForm(library, first.type); !why.isEmpty()) {
            plan.skipped.push_back({member.name, "property", why});
            continue;
        }
        PropertyPlan property {&member, first.type, {}, {}, InvokeKind::PropertyLet};
        bool readable = false;
        bool writable = false;
        for (const MemberInfo *entry : member.entries) {
            readable = readable || entry->kind == InvokeKind::PropertyGet;
            if (entry->kind == InvokeKind::PropertyLet
                || (entry->kind == InvokeKind::PropertySetRef && !writable)) {
                property.put = entry->kind;
                writable = true;
            }
        }
        const QString identifier = scope.claim(member.name, [&](const QString &candidate) {
            return writable ? QStringList {setterOf(candidate)} : QStringList {};
        });
        // A property its setter alone reaches is no Q_PROPERTY, which needs a getter: the
        // setter stays, a slot of its own.
        if (readable)
            property.getter = identifier;
        if (writable)
            property.setter = setterOf(identifier);
        usedTypes << first.type;
        plan.properties.push_back(property);
    }

    std::vector<std::pair<const ModelMember *, QString>> methods;
    for (const ModelMember &member : model.members) {
        if (member.kind != MemberKind::Method)
            continue;
        const MemberInfo &info = *member.entries.front();
        if (const QString why = whyNoQtForm(library, info, false); !why.isEmpty()) {
            plan.skipped.push_back({member.name, "method", why});
            continue;
        }
        methods.push_back({&member, scope.claim(member.name)});
        usedTypes << info.type;
        for (const ParamInfo &param : info.params)
            usedTypes << param.type;
    }
    std::vector<std::pair<const ModelEvent *, QString>> events;
    for (const ModelEvent &event : model.events) {
        if (const QString why = whyNoQtForm(library, *event.info, true); !why.isEmpty()) {
            plan.skipped.push_back({event.name, "event", why});
            continue;
        }
        events.push_back({&event, scope.claim(event.name)});
        for (const ParamInfo &param : event.info->params)
            usedTypes << param.type;
    }

    for (const EnumInfo &info : library.enums) {
        if (!usedTypes.contains(info.name))
            continue;
        EnumPlan entry {&info, scope.claim(info.name), {}};
        for (const EnumInfo::Constant &constant : info.constants)
            entry.constants.push_back(scope.claim(constant.name));
        plan.enums.push_back(std::move(entry));
    }

    // Parameters come last: they must not hide the class's names their bodies use.
    QStringList classNames;
    for (const EnumPlan &entry : plan.enums)
        classNames << entry.identifier;
    for (const auto &[member, identifier] : methods) {
        plan.methods.push_back(
            functionPlan(member->name, identifier, *member->entries.front(), classNames));
    }
    for (const auto &[event, identifier] : events)
        plan.events.push_back(functionPlan(event->name, identifier, *event->info, classNames));
    return plan;
}

QString propertyDeclaration(const ClassPlan &plan, const PropertyPlan &property)
{
    QString text = QStringLiteral("Q_PROPERTY(%1 %2 READ %2")
                       .arg(plan.qtType(property.type).type, property.getter);
    if (!property.setter.isEmpty())
        text += QStringLiteral(" WRITE %1").arg(property.setter);
    return text + u')';
}

QString setterDeclaration(const ClassPlan &plan, const PropertyPlan &property)
{
    return QStringLiteral("void %1(%2)")
        .arg(property.setter, plan.qtType(property.type).param(QStringLiteral("value")));
}

QString methodDeclaration(const ClassPlan &plan, const FunctionPlan &method)
{
    const QString returns = method.returnType == u"void" ? QStringLiteral("void")
                                                         : plan.qtType(method.returnType).type;
    QStringList params;
    for (const Param &param : method.params) {
        params << plan.paramType(param).param(param.identifier)
                + (param.optional ? QStringLiteral(" = QVariant()") : QString());
    }
    return QStringLiteral("%1 %2(%3)").arg(returns, method.identifier, params.join(u", "));
}

QString eventDeclaration(const ClassPlan &plan, const FunctionPlan &event)
{
    QStringList params;
    for (const Param &param : event.params)
        params << plan.qtType(param.type).param(param.identifier);
    return QStringLiteral("void %1(%2)").arg(event.identifier, params.join(u", "));
}

const QString HeaderIntro = QStringLiteral(
    "// %1: the control class %2 of the type library %3 %4.%5 as a typed\n"
    "// widget, written by quill-typegen from the library itself. Do not edit: the build writes\n"
    "// it again.\n"
    "//\n"
    "// Names are the type library's own. A name C++ cannot take as it stands is spelled thus:\n"
    "// other characters become _ (runs of _ one), leading underscores move to the end, a name\n"
    "// left empty or starting with a digit gets a leading n, a keyword a trailing _, and a name\n"
    "// already taken further trailing underscores. Names are taken after QWidget's and\n"
    "// ControlWidget's own: properties first (the getter's name, with set<Name> for the "
    "setter;\n"
    "// the Q_PROPERTY is named as the getter), then methods, events and enumerations.\n"
    "//\n"
    "// Types: BSTR is QString; long, short and byte int; single and double double; "
    "VARIANT_BOOL\n"
    "// bool; currency QString in exact fixed-point (\"12.5\"); OLE_COLOR QColor (a system colour\n"
    "// reads as the widget's palette gives it, a colour written is plain RGB); fonts QFont;\n"
    "// pictures QPixmap; VARIANT QVariant; enumerations their Q_ENUM. An optional argument is a\n"
    "// QVariant, left out when invalid. Every member raises what the control raises\n"
    "// (platform::RuntimeError).\n");

QString headerText(const LibraryInfo &library, const ClassPlan &plan)
{
    const ClassInfo &info = *plan.model->info;
    QString text = HeaderIntro.arg(plan.className, info.name, library.name)
                       .arg(library.majorVersion)
                       .arg(library.minorVersion);
    if (!plan.skipped.empty()) {
        text
            += QStringLiteral("//\n// Members with no Qt form, reached by id through control():\n");
        for (const Skipped &skipped : plan.skipped) {
            text += QStringLiteral("//   %1 (%2): %3\n")
                        .arg(skipped.name, QLatin1String(skipped.kind), skipped.reason);
        }
    }
    text += QStringLiteral("#pragma once\n\n#include <Quillkit/Hosting/ControlWidget.h>\n\n"
                           "#include <QColor>\n#include <QFont>\n#include <QPixmap>\n"
                           "#include <QString>\n#include <QVariant>\n\n");
    text += QStringLiteral("class %1 : public ::platform::ControlWidget\n{\n    Q_OBJECT\n")
                .arg(plan.className);
    for (const PropertyPlan &property : plan.properties) {
        if (property.getter.isEmpty())
            continue;
        text += QStringLiteral("    %1\n").arg(propertyDeclaration(plan, property));
    }
    text += QStringLiteral("\npublic:\n");
    for (const EnumPlan &entry : plan.enums) {
        text += QStringLiteral("    // enum %1\n    enum %2 {\n")
                    .arg(entry.info->name, entry.identifier);
        for (size_t i = 0; i < entry.constants.size(); ++i) {
            text += QStringLiteral("        %1 = %2,\n")
                        .arg(entry.constants[i], cppIntLiteral(entry.info->constants[i].value));
        }
        text += QStringLiteral("    };\n    Q_ENUM(%1)\n\n").arg(entry.identifier);
    }
    text += QStringLiteral("    static constexpr const char ClassId[] = %1;\n"
                           "    static constexpr const char ProgId[] = %2;\n\n")
                .arg(cppStringLiteral(info.id.toString()), cppStringLiteral(info.progId));
    text += QStringLiteral(
        "    // The control, created by its class id through the process's default host or the\n"
        "    // host given, and given its defaults as a form gives a control saved with every\n"
        "    // property at its default.\n"
        "    explicit %1(QWidget *parent = nullptr);\n"
        "    explicit %1(::platform::ComponentHost &host, QWidget *parent = nullptr);\n")
                .arg(plan.className);
    for (const PropertyPlan &property : plan.properties) {
        if (property.getter.isEmpty())
            continue;
        text += QStringLiteral("\n    // property %1 (%2)\n    %3 %4() const;\n")
                    .arg(property.member->name, property.type, plan.qtType(property.type).type,
                        property.getter);
    }
    text += QStringLiteral("\npublic slots:\n");
    for (const PropertyPlan &property : plan.properties) {
        if (!property.setter.isEmpty())
            text += QStringLiteral("    %1;\n").arg(setterDeclaration(plan, property));
    }
    for (const FunctionPlan &method : plan.methods) {
        text += QStringLiteral("    // method %1\n    %2;\n")
                    .arg(method.name, methodDeclaration(plan, method));
    }
    text += QStringLiteral("\nsignals:\n");
    for (const FunctionPlan &event : plan.events) {
        text += QStringLiteral("    // event %1\n    %2;\n")
                    .arg(event.name, eventDeclaration(plan, event));
    }
    text += QStringLiteral("};\n");
    return text;
}

QString invokeText(DispId id, const char *kind, const QStringList &args)
{
    return QStringLiteral("userControl()->invoke(%1, ::platform::InvokeKind::%2, {%3})")
        .arg(idLiteral(id), QLatin1String(kind), args.join(QStringLiteral(", ")));
}

QString sourceText(const LibraryInfo &library, const ClassPlan &plan)
{
    const QString &name = plan.className;
    QString text = QStringLiteral("// %1: written by quill-typegen from the type library %2. Do "
                                  "not edit.\n#include \"%1.h\"\n\n"
                                  "#include <Quillkit/Hosting/TypedValues.h>\n"
                                  "#include <Quillkit/Value/Conversions.h>\n\n")
                       .arg(name, library.name);
    QString relay;
    if (!plan.events.empty()) {
        QString cases;
        bool takesArgs = false;
        for (const FunctionPlan &event : plan.events) {
            QStringList args;
            for (size_t i = 0; i < event.params.size(); ++i) {
                args << plan.qtType(event.params[i].type)
                            .fromVariant.arg(QStringLiteral("arg(%1)").arg(i))
                            .replace(
                                QStringLiteral("palette()"), QStringLiteral("widget->palette()"));
                takesArgs = true;
            }
            cases
                += QStringLiteral("            case %1:\n                emit widget->%2(%3);\n"
                                  "                break;\n")
                       .arg(idLiteral(event.id), event.identifier, args.join(QStringLiteral(", ")));
        }
        text += QStringLiteral(
            "namespace {\n\n"
            "// The control's events, as the widget's signals.\n"
            "void relayEvents(%1 *widget)\n{\n"
            "    QObject::connect(widget, &::platform::ControlWidget::controlEvent, "
            "widget,\n"
            "        [widget](int id, const ::platform::Args &%2) {\n")
                    .arg(name, takesArgs ? QStringLiteral("args") : QString());
        if (takesArgs) {
            text += QStringLiteral(
                "            // An argument the control left out reads as Empty.\n"
                "            const auto arg = [&args](::std::size_t i) {\n"
                "                return i < args.size() ? args[i] : ::platform::Variant();\n"
                "            };\n");
        }
        text += QStringLiteral("            switch (id) {\n") + cases
            + QStringLiteral("            }\n        });\n}\n\n} // namespace\n\n");
        relay = QStringLiteral("    relayEvents(this);\n");
    }
    text += QStringLiteral(
        "namespace {\n\n"
        "// What the control starts from: a saved state with every property at its default.\n"
        "const ::platform::PropertyBag &defaultState()\n{\n"
        "    static const ::platform::PropertyBag bag;\n    return bag;\n}\n\n"
        "} // namespace\n\n"
        "%1::%1(QWidget *parent)\n"
        "    : ::platform::ControlWidget(QString::fromLatin1(ClassId), parent, &defaultState())\n"
        "{\n%2}\n\n"
        "%1::%1(::platform::ComponentHost &host, QWidget *parent)\n"
        "    : ::platform::ControlWidget(host, QString::fromLatin1(ClassId), parent, "
        "&defaultState())\n"
        "{\n%2}\n")
                .arg(name, relay);

    for (const PropertyPlan &property : plan.properties) {
        const QtType type = plan.qtType(property.type);
        if (!property.getter.isEmpty()) {
            text += QStringLiteral("\n%1 %2::%3() const\n{\n    return %4;\n}\n")
                        .arg(plan.qualifiedType(property.type), name, property.getter,
                            type.fromVariant.arg(
                                invokeText(property.member->id, "PropertyGet", {})));
        }
        if (!property.setter.isEmpty()) {
            const char *kind
                = property.put == InvokeKind::PropertySetRef ? "PropertySetRef" : "PropertyLet";
            text += QStringLiteral("\nvoid %1::%2(%3)\n{\n    %4;\n}\n")
                        .arg(name, property.setter, type.param(QStringLiteral("value")),
                            invokeText(property.member->id, kind,
                                {type.toVariant.arg(QStringLiteral("value"))}));
        }
    }
    for (const FunctionPlan &method : plan.methods) {
        QStringList params;
        QStringList args;
        for (const Param &param : method.params) {
            const QtType type = plan.paramType(param);
            params << type.param(param.identifier);
            args << type.toVariant.arg(param.identifier);
        }
        const QString call = invokeText(method.id, "Method", args);
        const bool isVoid = method.returnType == u"void";
        const QtType result = isVoid ? QtType {} : plan.qtType(method.returnType);
        text += QStringLiteral("\n%1 %2::%3(%4)\n{\n    %5;\n}\n")
                    .arg(isVoid ? QStringLiteral("void") : plan.qualifiedType(method.returnType),
                        name, method.identifier, params.join(QStringLiteral(", ")),
                        isVoid ? call : QStringLiteral("return ") + result.fromVariant.arg(call));
    }
    return text;
}

} // namespace

std::vector<GeneratedText> widgetFiles(const LibraryInfo &library)
{
    const LibraryModel libraryModel = modelOf(library);
    std::vector<GeneratedText> files;
    QString umbrella = QStringLiteral("// The typed widgets of the type library %1 %2.%3, written "
                                      "by quill-typegen.\n// Do not edit: the build writes it "
                                      "again.\n#pragma once\n\n")
                           .arg(library.name)
                           .arg(library.majorVersion)
                           .arg(library.minorVersion);
    for (const ModelClass &model : libraryModel.classes) {
        const ClassPlan plan = planOf(library, model);
        files.push_back(
            {plan.className + QStringLiteral(".h"), headerText(library, plan).toUtf8()});
        files.push_back(
            {plan.className + QStringLiteral(".cpp"), sourceText(library, plan).toUtf8()});
        umbrella += QStringLiteral("#include \"%1.h\"\n").arg(plan.className);
    }
    files.push_back({libraryModel.identifier + QStringLiteral("Widgets.h"), umbrella.toUtf8()});
    return files;
}

std::vector<WidgetForms> widgetForms(const LibraryInfo &library)
{
    const LibraryModel libraryModel = modelOf(library);
    std::vector<WidgetForms> all;
    for (const ModelClass &model : libraryModel.classes) {
        const ClassPlan plan = planOf(library, model);
        WidgetForms forms {model.info, plan.className, {}, {}};
        for (const PropertyPlan &property : plan.properties) {
            QStringList parts;
            if (!property.getter.isEmpty())
                parts << propertyDeclaration(plan, property);
            if (!property.setter.isEmpty())
                parts << QStringLiteral("slot ") + setterDeclaration(plan, property);
            forms.members[property.member->name] = parts.join(QStringLiteral("; "));
        }
        for (const FunctionPlan &method : plan.methods)
            forms.members[method.name] = QStringLiteral("slot ") + methodDeclaration(plan, method);
        for (const FunctionPlan &event : plan.events)
            forms.events[event.name] = QStringLiteral("signal ") + eventDeclaration(plan, event);
        for (const Skipped &skipped : plan.skipped) {
            auto &into = std::strcmp(skipped.kind, "event") == 0 ? forms.events : forms.members;
            into[skipped.name] = QStringLiteral("no Qt form: ") + skipped.reason;
        }
        all.push_back(std::move(forms));
    }
    return all;
}

} // namespace platform::typegen
