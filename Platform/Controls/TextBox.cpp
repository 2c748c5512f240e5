#include "TextBox.h"

#include "EditSelection.h"

#include "../Value/RuntimeError.h"

#include <QLineEdit>
#include <limits>

namespace platform {

namespace {

constexpr int NoLimit = std::numeric_limits<int>::max();

} // namespace

TextBox::TextBox(QWidget *parent, const QString &name)
{
    auto *edit = new QLineEdit(parent);
    m_edit = edit;
    // The toolkit's default limit of 32767 code units would cut long texts.
    edit->setMaxLength(NoLimit);
    attach(edit, name, OleColor::WindowBackground, OleColor::WindowText);

    QObject::connect(edit, &QLineEdit::textChanged, events(), [this] { raise(onChange); });
    ControlEventFilter *filter = events();
    filter->textTarget = edit;
    filter->keyPress = [this](int16_t &keyAscii) { raise(onKeyPress, keyAscii); };
    filter->keyDown = [this](int16_t &keyCode, int16_t shift) { raise(onKeyDown, keyCode, shift); };
    filter->gotFocus = [this] { raise(onGotFocus); };
    filter->lostFocus = [this] { raise(onLostFocus); };
    filter->watch(edit);
}

const MemberTable<TextBox> &TextBox::memberTable()
{
    using M = Members<TextBox>;
    namespace Id = ControlDispId;
    static const MemberTable<TextBox> table = [] {
        auto members = standardMembers<TextBox>();
        const QString text = QStringLiteral("BSTR");
        const QString number = QStringLiteral("long");
        const QString boolean = QStringLiteral("VARIANT_BOOL");
        std::vector<Member<TextBox>> own {
            M::get(QStringLiteral("Text"), Id::Text, text,
                [](TextBox &c) { return Variant(c.Text()); }),
            M::let(QStringLiteral("Text"), Id::Text, text,
                [](TextBox &c, const Variant &v) { c.setText(toText(v)); }),
            M::get(QStringLiteral("SelStart"), Id::SelStart, number,
                [](TextBox &c) { return Variant(c.SelStart()); }),
            M::let(QStringLiteral("SelStart"), Id::SelStart, number,
                [](TextBox &c, const Variant &v) { c.setSelStart(toLong(v)); }),
            M::get(QStringLiteral("SelLength"), Id::SelLength, number,
                [](TextBox &c) { return Variant(c.SelLength()); }),
            M::let(QStringLiteral("SelLength"), Id::SelLength, number,
                [](TextBox &c, const Variant &v) { c.setSelLength(toLong(v)); }),
            M::get(QStringLiteral("SelText"), Id::SelText, text,
                [](TextBox &c) { return Variant(c.SelText()); }),
            M::let(QStringLiteral("SelText"), Id::SelText, text,
                [](TextBox &c, const Variant &v) { c.setSelText(toText(v)); }),
            M::get(QStringLiteral("Alignment"), Id::Alignment, QStringLiteral("short"),
                [](TextBox &c) { return Variant(c.Alignment()); }),
            M::let(QStringLiteral("Alignment"), Id::Alignment, QStringLiteral("short"),
                [](TextBox &c, const Variant &v) { c.setAlignment(toInteger(v)); }),
            M::get(QStringLiteral("Locked"), Id::Locked, boolean,
                [](TextBox &c) { return Variant(c.Locked()); }),
            M::let(QStringLiteral("Locked"), Id::Locked, boolean,
                [](TextBox &c, const Variant &v) { c.setLocked(toBoolean(v)); }),
            M::get(QStringLiteral("MaxLength"), Id::MaxLength, number,
                [](TextBox &c) { return Variant(c.MaxLength()); }),
            M::let(QStringLiteral("MaxLength"), Id::MaxLength, number,
                [](TextBox &c, const Variant &v) { c.setMaxLength(toLong(v)); }),
        };
        members.insert(members.end(), own.begin(), own.end());
        return MemberTable<TextBox>(QStringLiteral("TextBox"), std::move(members));
    }();
    return table;
}

QLineEdit *TextBox::lineEdit() const
{
    return m_edit;
}

QString TextBox::Text() const
{
    return live(m_edit)->text();
}

void TextBox::setText(const QString &text)
{
    QLineEdit *edit = live(m_edit);
    NotificationScope scope;
    // The same text again is no change, and must not move the caret either.
    if (edit->text() != text)
        edit->setText(text);
    else if (m_reportsSameTextWrites)
        raise(onChange);
    scope.finish();
}

int32_t TextBox::SelStart() const
{
    return EditSelection::start(*live(m_edit));
}

void TextBox::setSelStart(int32_t start)
{
    EditSelection::setStart(*live(m_edit), start);
}

int32_t TextBox::SelLength() const
{
    return EditSelection::length(*live(m_edit));
}

void TextBox::setSelLength(int32_t length)
{
    EditSelection::setLength(*live(m_edit), length);
}

QString TextBox::SelText() const
{
    return live(m_edit)->selectedText();
}

void TextBox::setSelText(const QString &text)
{
    NotificationScope scope;
    live(m_edit)->insert(text);
    scope.finish();
}

void TextBox::setAlignment(int16_t alignment)
{
    Qt::Alignment horizontal;
    switch (alignment) {
    case LeftJustify:
        horizontal = Qt::AlignLeft;
        break;
    case RightJustify:
        horizontal = Qt::AlignRight;
        break;
    case Center:
        horizontal = Qt::AlignHCenter;
        break;
    default:
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Alignment"));
    }
    live(m_edit)->setAlignment(horizontal | Qt::AlignVCenter);
    m_alignment = alignment;
}

bool TextBox::Locked() const
{
    return live(m_edit)->isReadOnly();
}

void TextBox::setLocked(bool locked)
{
    live(m_edit)->setReadOnly(locked);
}

void TextBox::setMaxLength(int32_t length)
{
    if (length < 0)
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("MaxLength"));
    live(m_edit)->setMaxLength(length == 0 ? NoLimit : length);
    m_maxLength = length;
}

} // namespace platform
