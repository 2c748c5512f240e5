#include "FormFile.h"

#include "../Objects/Dispatch.h"

#include "../Objects/StdFont.h"
#include "../Value/Conversions.h"
#include "../Value/RuntimeError.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>

namespace platform {

namespace {

// Font attributes in the order they are written; each is read back by name.
const char *const FontAttributes[]
    = {"Name", "Size", "Weight", "Italic", "Underline", "Strikethrough", "Charset"};

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"')
            out += QStringLiteral("\\\"");
        else if (u == u'\\')
            out += QStringLiteral("\\\\");
        else if (u == u'\n')
            out += QStringLiteral("\\n");
        else if (u == u'\r')
            out += QStringLiteral("\\r");
        else if (u == u'\t')
            out += QStringLiteral("\\t");
        else if (u < 0x20 || u == 0x7F || c.isSurrogate())
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QChar(u'0'));
        else
            out += c;
    }
    return out + u'"';
}

// Enough digits to read back the same value. Qt writes a negative zero as "0"; its sign is kept
// here so that it reads back negative too.
QString number(double value, int digits = 17)
{
    if (value == 0 && std::signbit(value))
        return QStringLiteral("-0");
    return QString::number(value, 'g', digits);
}

QString valueText(const Variant &value, const QString &key, int depth = 0)
{
    switch (value.kind()) {
    case VariantKind::Empty:
        return QStringLiteral("Empty");
    case VariantKind::Null:
        return QStringLiteral("Null");
    case VariantKind::Integer:
        return QStringLiteral("Integer %1").arg(value.integerValue());
    case VariantKind::Long:
        return QStringLiteral("Long %1").arg(value.longValue());
    case VariantKind::Byte:
        return QStringLiteral("Byte %1").arg(value.byteValue());
    case VariantKind::Single:
        return QStringLiteral("Single ") + number(double(value.singleValue()), 9);
    case VariantKind::Double:
        return QStringLiteral("Double ") + number(value.doubleValue());
    case VariantKind::Date:
        return QStringLiteral("Date ") + number(value.doubleValue());
    case VariantKind::Currency:
        return QStringLiteral("Currency ") + value.currencyValue().toText(QLocale::c());
    case VariantKind::Boolean:
        return value.booleanValue() ? QStringLiteral("Boolean True")
                                    : QStringLiteral("Boolean False");
    case VariantKind::Error:
        return QStringLiteral("Error %1").arg(value.longValue());
    case VariantKind::String:
        return QStringLiteral("String ") + quoted(value.stringValue());
    case VariantKind::Array: {
        if (depth >= MaxArrayDepth) {
            throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                QStringLiteral("arrays under \"%1\" nest deeper than %2")
                    .arg(key)
                    .arg(MaxArrayDepth));
        }
        QStringList parts;
        for (const Variant &element : value.elements())
            parts << valueText(element, key, depth + 1);
        return QStringLiteral("Array(") + parts.join(QStringLiteral(", ")) + u')';
    }
    case VariantKind::Object: {
        if (!value.object())
            return QStringLiteral("Nothing");
        auto font = std::dynamic_pointer_cast<StdFont>(value.object());
        if (!font) {
            throw RuntimeError(ErrorNumber::TypeMismatch,
                QStringLiteral("an object under \"%1\" cannot be saved").arg(key));
        }
        QStringList parts;
        for (const char *attribute : FontAttributes) {
            const Variant v = font->get(QString::fromLatin1(attribute));
            QString literal;
            if (v.kind() == VariantKind::String)
                literal = quoted(v.stringValue());
            else if (v.kind() == VariantKind::Boolean)
                literal = v.booleanValue() ? QStringLiteral("True") : QStringLiteral("False");
            else if (v.kind() == VariantKind::Currency)
                literal = v.currencyValue().toText(QLocale::c());
            else
                literal = number(toDouble(v));
            parts << QStringLiteral("%1 = %2").arg(QString::fromLatin1(attribute), literal);
        }
        return QStringLiteral("Font(") + parts.join(QStringLiteral(", ")) + u')';
    }
    }
    return {};
}

// A cursor over one line's value text.
class ValueReader
{
public:
    ValueReader(QStringView text, const std::function<void(const QString &)> &fail)
        : m_text(text), m_fail(fail)
    { }

    Variant readValue()
    {
        skipBlanks();
        const QString word = readWord();
        if (word == u"Empty")
            return Variant();
        if (word == u"Null")
            return Variant::null();
        if (word == u"Nothing")
            return Variant::nothing();
        if (word == u"Integer")
            return Variant(static_cast<int16_t>(readInteger(INT16_MIN, INT16_MAX)));
        if (word == u"Long")
            return Variant(static_cast<int32_t>(readInteger(INT32_MIN, INT32_MAX)));
        if (word == u"Byte")
            return Variant(static_cast<uint8_t>(readInteger(0, 255)));
        if (word == u"Error")
            return Variant::error(static_cast<int32_t>(readInteger(INT32_MIN, INT32_MAX)));
        if (word == u"Single")
            return Variant(static_cast<float>(readNumber()));
        if (word == u"Double")
            return Variant(readNumber());
        if (word == u"Date")
            return Variant::date(readNumber());
        if (word == u"Currency") {
            try {
                return Variant(Currency::fromText(readToken(), QLocale::c()));
            } catch (const RuntimeError &) {
                m_fail(QStringLiteral("a Currency amount is malformed"));
            }
        }
        if (word == u"Boolean")
            return Variant(readBoolean());
        if (word == u"String")
            return Variant(readString());
        if (word == u"Array")
            return readArray();
        if (word == u"Font")
            return readFont();
        m_fail(word.isEmpty() ? QStringLiteral("a value is missing")
                              : QStringLiteral("unknown value kind \"%1\"").arg(word));
        return {};
    }

    void expectEnd()
    {
        skipBlanks();
        if (m_pos < m_text.size())
            m_fail(QStringLiteral("unexpected text after the value"));
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    bool take(QChar c)
    {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    void expect(QChar c)
    {
        if (!take(c))
            m_fail(QStringLiteral("\"%1\" expected").arg(c));
    }

    QString readWord()
    {
        skipBlanks();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == u'_'))
            ++m_pos;
        return m_text.mid(start, m_pos - start).toString();
    }

    QString readToken()
    {
        skipBlanks();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !m_text[m_pos].isSpace() && m_text[m_pos] != u','
            && m_text[m_pos] != u')')
            ++m_pos;
        return m_text.mid(start, m_pos - start).toString();
    }

    double readNumber()
    {
        bool ok = false;
        const QString token = readToken();
        const double value = token.toDouble(&ok);
        if (!ok)
            m_fail(QStringLiteral("\"%1\" is not a number").arg(token));
        return value;
    }

    long long readInteger(long long low, long long high)
    {
        bool ok = false;
        const QString token = readToken();
        const long long value = token.toLongLong(&ok);
        if (!ok || value < low || value > high)
            m_fail(QStringLiteral("\"%1\" is not an integer in range").arg(token));
        return value;
    }

    bool readBoolean()
    {
        const QString word = readWord();
        if (word == u"True")
            return true;
        if (word != u"False")
            m_fail(QStringLiteral("True or False expected"));
        return false;
    }

    QString readString()
    {
        expect(u'"');
        QString out;
        while (m_pos < m_text.size() && m_text[m_pos] != u'"') {
            QChar c = m_text[m_pos++];
            if (c != u'\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                break;
            const QChar e = m_text[m_pos++];
            if (e == u'"' || e == u'\\') {
                out += e;
            } else if (e == u'n') {
                out += u'\n';
            } else if (e == u'r') {
                out += u'\r';
            } else if (e == u't') {
                out += u'\t';
            } else if (e == u'u' && m_pos + 4 <= m_text.size()) {
                bool ok = false;
                const uint code = m_text.mid(m_pos, 4).toUInt(&ok, 16);
                if (!ok)
                    m_fail(QStringLiteral("a \\u escape is malformed"));
                out += QChar(static_cast<char16_t>(code));
                m_pos += 4;
            } else {
                m_fail(QStringLiteral("unknown escape \\%1").arg(e));
            }
        }
        if (m_pos >= m_text.size())
            m_fail(QStringLiteral("a string is not closed"));
        ++m_pos;
        return out;
    }

    Variant readArray()
    {
        // Each level costs a frame of the reader and of every routine that walks the value.
        if (++m_depth > MaxArrayDepth)
            m_fail(QStringLiteral("arrays nest deeper than %1").arg(MaxArrayDepth));
        expect(u'(');
        std::vector<Variant> elements;
        if (!take(u')')) {
            do {
                elements.push_back(readValue());
            } while (take(u','));
            expect(u')');
        }
        --m_depth;
        return Variant(std::move(elements));
    }

    Variant readFont()
    {
        auto font = std::make_shared<StdFont>();
        expect(u'(');
        if (!take(u')')) {
            do {
                const QString attribute = readWord();
                expect(u'=');
                skipBlanks();
                Variant value;
                if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
                    value = Variant(readString());
                } else if (const QString token = readToken();
                           token == u"True" || token == u"False") {
                    value = Variant(token == u"True");
                } else {
                    try {
                        value = Variant(Currency::fromText(token, QLocale::c()));
                    } catch (const RuntimeError &) {
                        m_fail(QStringLiteral("\"%1\" is not a number").arg(token));
                    }
                }
                try {
                    font->let(attribute, value);
                } catch (const RuntimeError &e) {
                    m_fail(QStringLiteral("font attribute %1: %2").arg(attribute, e.text()));
                }
            } while (take(u','));
            expect(u')');
        }
        return Variant(std::static_pointer_cast<Dispatch>(font));
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_depth = 0;
    const std::function<void(const QString &)> &m_fail;
};

void writeBag(QString &out, const PropertyBag &bag, const QString &indent)
{
    for (const auto &entry : bag.entries())
        out += indent + entry.key + QStringLiteral(" = ") + valueText(entry.value, entry.key)
            + u'\n';
}

} // namespace

QString formText(const SavedForm &form)
{
    QString out = QStringLiteral("Form ") + form.name + u'\n';
    writeBag(out, form.properties, QStringLiteral("    "));
    for (const SavedControl &control : form.controls) {
        out += QStringLiteral("    Begin %1 %2 (%3, %4")
                   .arg(control.kind, control.name, number(control.left), number(control.top));
        if (control.width && control.height)
            out += QStringLiteral(", %1, %2").arg(number(*control.width), number(*control.height));
        out += u')';
        if (control.tabIndex)
            out += QStringLiteral(" TabIndex %1").arg(*control.tabIndex);
        out += u'\n';
        writeBag(out, control.bag, QStringLiteral("        "));
        out += QStringLiteral("    End\n");
    }
    out += QStringLiteral("End\n");
    return out;
}

SavedForm parseFormText(const QString &text, const QString &sourceName)
{
    SavedForm form;
    int lineNumber = 0;
    const std::function<void(const QString &)> fail = [&](const QString &what) {
        throw RuntimeError(ErrorNumber::InvalidFileFormat,
            QStringLiteral("%1 line %2: %3").arg(sourceName).arg(lineNumber).arg(what));
    };
    enum class State { BeforeForm, InForm, InControl, AfterForm } state = State::BeforeForm;
    SavedControl *control = nullptr;

    const auto lines = QStringView(text).split(u'\n');
    for (QStringView raw : lines) {
        ++lineNumber;
        const QStringView line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const auto words = line.split(u' ', Qt::SkipEmptyParts);
        switch (state) {
        case State::BeforeForm:
            if (words.size() != 2 || words[0] != u"Form")
                fail(QStringLiteral("\"Form name\" expected"));
            form.name = words[1].toString();
            form.place.file = sourceName;
            form.place.line = lineNumber;
            state = State::InForm;
            continue;
        case State::AfterForm:
            fail(QStringLiteral("text after the end of the form"));
            break;
        case State::InForm:
            if (line == u"End") {
                state = State::AfterForm;
                continue;
            }
            if (words[0] == u"Begin") {
                // Begin kind name (left, top[, width, height]) [TabIndex n]
                const qsizetype open = line.indexOf(u'('), close = line.indexOf(u')');
                const auto head
                    = line.left(open < 0 ? line.size() : open).split(u' ', Qt::SkipEmptyParts);
                if (head.size() != 3 || open < 0 || close < open)
                    fail(QStringLiteral("\"Begin kind name (left, top, width, height)\" expected"));
                SavedControl saved;
                saved.place.file = sourceName;
                saved.place.line = lineNumber;
                saved.kind = head[1].toString();
                saved.name = head[2].toString();
                const auto numbers = line.mid(open + 1, close - open - 1).split(u',');
                if (numbers.size() != 2 && numbers.size() != 4)
                    fail(QStringLiteral(
                        "a position needs left and top, and maybe width and height"));
                double values[4] = {};
                for (qsizetype i = 0; i < numbers.size(); ++i) {
                    bool ok = false;
                    values[i] = numbers[i].trimmed().toDouble(&ok);
                    if (!ok)
                        fail(QStringLiteral("\"%1\" is not a number").arg(numbers[i].trimmed()));
                }
                saved.left = values[0];
                saved.top = values[1];
                if (numbers.size() == 4) {
                    saved.width = values[2];
                    saved.height = values[3];
                }
                const auto tail = line.mid(close + 1).split(u' ', Qt::SkipEmptyParts);
                if (tail.size() == 2 && tail[0] == u"TabIndex") {
                    bool ok = false;
                    saved.tabIndex = tail[1].toInt(&ok);
                    if (!ok)
                        fail(QStringLiteral("TabIndex needs a number"));
                } else if (!tail.isEmpty()) {
                    fail(QStringLiteral("unexpected text after the position"));
                }
                form.controls.push_back(std::move(saved));
                control = &form.controls.back();
                state = State::InControl;
                continue;
            }
            break;
        case State::InControl:
            if (line == u"End") {
                state = State::InForm;
                control = nullptr;
                continue;
            }
            break;
        }
        // key = value
        const qsizetype equals = line.indexOf(u'=');
        const QStringView key = equals < 0 ? QStringView() : line.left(equals).trimmed();
        if (key.isEmpty() || key.contains(u' '))
            fail(QStringLiteral("\"key = value\" expected"));
        ValueReader reader(line.mid(equals + 1), fail);
        const Variant value = reader.readValue();
        reader.expectEnd();
        PropertyBag &bag = control ? control->bag : form.properties;
        if (bag.contains(key.toString()))
            fail(QStringLiteral("\"%1\" appears twice").arg(key));
        bag.WriteProperty(key.toString(), value);
        (control ? control->place : form.place).keyLines[key.toString().toLower()] = lineNumber;
    }
    lineNumber = static_cast<int>(lines.size()); // what is missing belongs after the last line
    if (state == State::BeforeForm)
        fail(QStringLiteral("the file holds no form"));
    if (state != State::AfterForm)
        fail(QStringLiteral("\"End\" missing at the end of the file"));
    return form;
}

int SourcePlace::lineOf(const QString &key) const
{
    const auto found = keyLines.find(key.toLower());
    return found == keyLines.end() ? line : found->second;
}

void SourcePlace::at(int atLine, const std::function<void()> &step) const
{
    try {
        step();
    } catch (const RuntimeError &error) {
        if (file.isEmpty() || atLine <= 0)
            throw;
        throw RuntimeError(error.number(),
            QStringLiteral("%1 line %2: %3").arg(file).arg(atLine).arg(error.text()));
    }
}

SavedForm readFormFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw RuntimeError(ErrorNumber::FileNotFound, path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
    return parseFormText(QString::fromUtf8(file.readAll()), path);
}

void writeFormFile(const QString &path, const SavedForm &form)
{
    const QByteArray bytes = formText(form).toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
}

} // namespace platform
