// QuillInputBox: composition, members, persistence, font and colours, layout. The editing
// behaviour (RefreshDisplay, the boxes' reports, Text) is in QuillInputBox_Editing.cpp.
#include "QuillInputBox.h"

#include "QuillkitIds.h"

#include <Quillkit/Controls/OleColor.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/RuntimeError.h>

using namespace platform;

namespace {

// Design values of the two boxes, in twips.
constexpr double BoxWidth = 2175;
constexpr double BoxHeight = 285;

// Load default of "BackColor": white.
constexpr int32_t DefaultBackColor = 16777215;

void design(TextBox &box, int16_t tabIndex, int16_t alignment)
{
    box.setTabIndex(tabIndex);
    box.setLeft(0);
    box.setTop(0);
    box.setWidth(BoxWidth);
    box.setHeight(BoxHeight);
    box.setAlignment(alignment);
    // Only RefreshDisplay shows a box.
    box.setVisible(false);
}

} // namespace

QuillInputBox::QuillInputBox()
{
    // txtLeft is made first: the toolkit does not reorder the focus chain of two lone siblings,
    // so their tab order is the order in which they are made.
    setSurfaceRole(QAccessible::EditableText);
    txtLeft = std::make_shared<TextBox>(surface(), QStringLiteral("txtLeft"));
    txtRight = std::make_shared<TextBox>(surface(), QStringLiteral("txtRight"));
    design(*txtRight, 1, TextBox::RightJustify);
    design(*txtLeft, 0, TextBox::LeftJustify);
    // m_SkipChange is raised for one write and cleared by the next report: every write must
    // report, also one of the text a box already holds, or the user's next keystroke is lost.
    txtLeft->setReportsSameTextWrites(true);
    txtRight->setReportsSameTextWrites(true);

    txtLeft->onChange = [this] { txtLeft_Change(); };
    txtLeft->onGotFocus = [this] { txtLeft_GotFocus(); };
    txtLeft->onLostFocus = [this] { txtLeft_LostFocus(); };
    txtRight->onChange = [this] { txtRight_Change(); };
    txtRight->onGotFocus = [this] { txtRight_GotFocus(); };
    txtRight->onKeyPress = [this](int16_t &KeyAscii) { txtRight_KeyPress(KeyAscii); };
    txtRight->onLostFocus = [this] { txtRight_LostFocus(); };
}

QuillInputBox::~QuillInputBox()
{
    // No code of the control runs while it goes: a host may still hold the font, and deleting
    // one box's widget may pass the focus to the other.
    if (m_stdFont)
        m_stdFont->disconnect(m_stdFontListener);
    for (TextBox *box : {txtLeft.get(), txtRight.get()}) {
        box->onChange = nullptr;
        box->onGotFocus = nullptr;
        box->onLostFocus = nullptr;
        box->onKeyPress = nullptr;
    }
}

const MemberTable<QuillInputBox> &QuillInputBox::memberTable()
{
    using M = Members<QuillInputBox>;
    static const MemberTable<QuillInputBox> table = [] {
        const QString color = QStringLiteral("OLE_COLOR");
        const QString font = QStringLiteral("IFontDisp*");
        // The platform's text alignment enumeration (0 left, 1 right, 2 centre).
        const QString alignment = QStringLiteral("AlignmentValue");
        const QStringList fontAttributes {QStringLiteral("category(\"Apariencia\")")};
        return MemberTable<QuillInputBox>(QStringLiteral("QuillInputBox"),
            {
                M::get(QStringLiteral("style"), 0x68030004, QStringLiteral("style"),
                    [](QuillInputBox &c) { return Variant(c.style()); }),
                M::let(QStringLiteral("style"), 0x68030004, QStringLiteral("style"),
                    [](QuillInputBox &c, const Variant &v) { c.setStyle(toLong(v)); }),
                M::get(QStringLiteral("Text"), 0x68030003, QStringLiteral("BSTR"),
                    [](QuillInputBox &c) { return Variant(c.Text()); }),
                M::let(QStringLiteral("Text"), 0x68030003, QStringLiteral("BSTR"),
                    [](QuillInputBox &c, const Variant &v) { c.setText(toText(v)); }),
                M::get(QStringLiteral("Alignment"), 0x68030002, alignment,
                    [](QuillInputBox &c) { return Variant(c.Alignment()); }),
                M::let(QStringLiteral("Alignment"), 0x68030002, alignment,
                    [](QuillInputBox &c, const Variant &v) { c.setAlignment(toLong(v)); }),
                M::withAttributes(
                    M::get(QStringLiteral("Font"), StandardDispId::Font, font,
                        [](QuillInputBox &c) { return Variant(DispatchPtr(c.Font())); }),
                    fontAttributes),
                M::withAttributes(M::setRef(QStringLiteral("Font"), StandardDispId::Font, font,
                                      [](QuillInputBox &c, const Variant &v) { c.setFont(v); }),
                    fontAttributes),
                M::get(QStringLiteral("BackColor"), 0x68030001, color,
                    [](QuillInputBox &c) { return OleColor::toVariant(c.BackColor()); }),
                M::let(QStringLiteral("BackColor"), 0x68030001, color,
                    [](QuillInputBox &c, const Variant &v) {
                        c.setBackColor(OleColor::fromVariant(v));
                    }),
                M::get(QStringLiteral("ForeColor"), 0x68030000, color,
                    [](QuillInputBox &c) { return OleColor::toVariant(c.ForeColor()); }),
                M::let(QStringLiteral("ForeColor"), 0x68030000, color,
                    [](QuillInputBox &c, const Variant &v) {
                        c.setForeColor(OleColor::fromVariant(v));
                    }),
            });
    }();
    return table;
}

ClassInfo QuillInputBox::classInfo()
{
    ClassInfo info;
    info.id = quillkit::ids::QuillInputBox;
    info.name = QStringLiteral("QuillInputBox");
    info.progId = QStringLiteral("Quillkit.QuillInputBox");
    info.defaultInterface
        = {quillkit::ids::QuillInputBoxInterface, QStringLiteral("_QuillInputBox"),
            {QStringLiteral("dual"), QStringLiteral("hidden"), QStringLiteral("nonextensible"),
                QStringLiteral("oleautomation")},
            false, memberTable().infos()};
    info.eventInterface = {quillkit::ids::QuillInputBoxEvents, QStringLiteral("__QuillInputBox"),
        {QStringLiteral("hidden"), QStringLiteral("nonextensible")}, true,
        {{QStringLiteral("Change"), ChangeEventId, InvokeKind::Method, QStringLiteral("void"), {},
            {}}}};
    info.miscStatus = MiscStatus::RecomposeOnResize | MiscStatus::CantLinkInside
        | MiscStatus::InsideOut | MiscStatus::ActivateWhenVisible | MiscStatus::SetClientSiteFirst;
    info.toolboxBitmapId = 30001;
    info.designWidth = 4800;
    info.designHeight = 3600;
    info.create = [] { return std::make_unique<QuillInputBox>(); };
    return info;
}

void QuillInputBox::setStyle(int32_t value)
{
    m_Style = value;
    RefreshDisplay();
    PropertyChanged(QStringLiteral("Style"));
}

void QuillInputBox::setText(const QString &value)
{
    m_Text = value;
    RefreshDisplay();
    PropertyChanged(QStringLiteral("Text"));
}

void QuillInputBox::setAlignment(int32_t align)
{
    m_Alignment = align;
    RefreshDisplay();
    PropertyChanged(QStringLiteral("Alignment"));
}

StdFont &QuillInputBox::requireFont() const
{
    // Only an instance whose host never ran Initialize lacks it.
    if (!m_stdFont)
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet, QStringLiteral("Font"));
    return *m_stdFont;
}

void QuillInputBox::setFont(const Variant &mnewFont)
{
    if (mnewFont.kind() != VariantKind::Object)
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("Font"));
    const DispatchPtr &source = mnewFont.object();
    if (!source)
        throw RuntimeError(ErrorNumber::ObjectVariableNotSet, QStringLiteral("Font"));
    StdFont &font = requireFont();
    // Read late-bound, so any font object will do; the others of its attributes stay ours.
    font.setBold(toBoolean(source->get(QStringLiteral("Bold"))));
    font.setItalic(toBoolean(source->get(QStringLiteral("Italic"))));
    font.setName(toText(source->get(QStringLiteral("Name"))));
    font.setSize(toCurrency(source->get(QStringLiteral("Size"))));
    PropertyChanged(QStringLiteral("Font"));
}

void QuillInputBox::setBackColor(uint32_t Color)
{
    m_BackColor = Color;
    txtLeft->setBackColor(Color);
    txtRight->setBackColor(Color);
    PropertyChanged(QStringLiteral("Color"));
}

void QuillInputBox::setForeColor(uint32_t Color)
{
    m_ForeColor = Color;
    txtLeft->setForeColor(Color);
    txtRight->setForeColor(Color);
    PropertyChanged(QStringLiteral("Color"));
}

void QuillInputBox::UserControl_Initialize()
{
    m_stdFont = std::make_shared<StdFont>();
    m_stdFontListener = m_stdFont->connect(
        [this](const QString &PropertyName) { m_stdFont_FontChanged(PropertyName); });
    UserControl::setFont(m_stdFont);
}

void QuillInputBox::UserControl_ReadProperties(PropertyBag &PropBag)
{
    m_Style = toLong(PropBag.ReadProperty(QStringLiteral("Style"), Variant(int32_t(0))));
    m_Text = toText(PropBag.ReadProperty(QStringLiteral("Text"), Variant(QString())));
    m_Alignment = toLong(PropBag.ReadProperty(QStringLiteral("Alignment"), Variant(int32_t(0))));
    setFont(PropBag.ReadProperty(QStringLiteral("Font"), Variant(DispatchPtr(Ambient().Font()))));
    setBackColor(OleColor::fromVariant(
        PropBag.ReadProperty(QStringLiteral("BackColor"), Variant(DefaultBackColor))));
    setForeColor(OleColor::fromVariant(PropBag.ReadProperty(
        QStringLiteral("ForeColor"), OleColor::toVariant(Ambient().ForeColor()))));
    RefreshDisplay();
}

void QuillInputBox::UserControl_WriteProperties(PropertyBag &PropBag)
{
    PropBag.WriteProperty(QStringLiteral("Style"), Variant(m_Style));
    PropBag.WriteProperty(QStringLiteral("Text"), Variant(m_Text));
    PropBag.WriteProperty(QStringLiteral("Alignment"), Variant(m_Alignment));
    // The bag keeps object references: a copy keeps the saved state from following later
    // changes of the control's font.
    PropBag.WriteProperty(QStringLiteral("Font"), Variant(DispatchPtr(requireFont().clone())));
    PropBag.WriteProperty(QStringLiteral("BackColor"), OleColor::toVariant(m_BackColor));
    PropBag.WriteProperty(QStringLiteral("ForeColor"), OleColor::toVariant(m_ForeColor));
}

void QuillInputBox::m_stdFont_FontChanged(const QString &)
{
    // The boxes take a font's attributes once, so they get it again after every change.
    txtLeft->setFont(m_stdFont);
    txtRight->setFont(m_stdFont);
    Refresh();
}

void QuillInputBox::UserControl_Resize()
{
    txtLeft->setWidth(Width());
    txtLeft->setHeight(Height());
    // Whatever size the left box took, the right one takes too.
    txtRight->setWidth(txtLeft->Width());
    txtRight->setHeight(txtLeft->Height());
}
