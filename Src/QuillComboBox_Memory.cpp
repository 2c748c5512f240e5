// The remembered selections: how often each text was picked, kept in the user's settings store
// under one value that every instance shares, as pairs text "|" count "|".
#include "QuillComboBox.h"

#include "mod_misc.h"

#include <Quillkit/Controls/NotificationScope.h>
#include <Quillkit/System/SettingsStore.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/Locale.h>
#include <Quillkit/Value/RuntimeError.h>
#include <Quillkit/Value/TextServices.h>

#include <cmath>
#include <limits>
#include <optional>

using namespace platform;

namespace {

const QString App = QStringLiteral("QuillComboBox");
const QString Section = QStringLiteral("Parametros");
const QString Key = QStringLiteral("Selecciones");
const QString Delimiter = QStringLiteral("|");
const QString SeparatorLine = QStringLiteral("---------------");

// A count as a number, or nothing when the text reads as none. Stored counts are plain digits,
// read here without the locale's parser; anything else goes through the runtime's numeric test.
std::optional<double> countValue(const QString &count)
{
    if (!count.isEmpty() && count.size() <= 15) {
        int64_t value = 0;
        bool digits = true;
        for (const QChar c : count) {
            if (c < u'0' || c > u'9') {
                digits = false;
                break;
            }
            value = value * 10 + (c.unicode() - u'0');
        }
        if (digits)
            return double(value);
    }
    const Variant text(count);
    if (!isNumeric(text))
        return std::nullopt;
    return toDouble(text);
}

QString countText(double value)
{
    // Whole numbers print as plain digits either way; the integer form is the quick one.
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(int64_t(value));
    return toText(Variant(value));
}

} // namespace

void QuillComboBox::LoadRemembered()
{
    m_Selections.clear();
    m_selectionsUpper.clear();
    m_TopNames.fill(QString());
    m_TopCounts.fill(0);

    // A store that is there but does not read must not stop the form from creating the control:
    // it starts without remembered entries, as with an empty value, and the failure is reported.
    QString value;
    m_storedValueUnread = false;
    try {
        value = GetSetting(App, Section, Key, QString());
    } catch (const RuntimeError &error) {
        m_storedValueUnread = true;
        reportUnhandledError(error);
    }
    if (!value.isEmpty()) {
        QStringList parts;
        STRING_Split(value, parts, Delimiter, -1, vbBinaryCompare);
        m_Selections.reserve(size_t(parts.size() / 2));
        for (qsizetype i = 0; i < parts.size(); i += 2) {
            const QString &text = parts[i];
            // A pair that does not read back (no text, no count, a count that is no number) is
            // skipped; the others stay.
            if (text.isEmpty() || i + 1 >= parts.size())
                continue;
            const QString &count = parts[i + 1];
            const std::optional<double> number = countValue(count);
            if (!number)
                continue;
            m_Selections.push_back({text, count});
            rankSelection(text, *number);
        }
    }
    RebuildList();
}

void QuillComboBox::rankSelection(const QString &text, double value)
{
    const double rounded = roundHalfEven(value);
    // A count beyond 32 bits cannot take a slot; it stays in the table all the same.
    if (rounded < double(std::numeric_limits<int32_t>::min())
        || rounded > double(std::numeric_limits<int32_t>::max()))
        return;
    // Only a strictly greater count takes a slot: equal counts keep their stored order, and a
    // count of 0 or less never shows.
    for (int k = 0; k < TopSlots; ++k) {
        if (value > m_TopCounts[size_t(k)]) {
            for (int m = TopSlots - 1; m > k; --m) {
                m_TopNames[size_t(m)] = m_TopNames[size_t(m - 1)];
                m_TopCounts[size_t(m)] = m_TopCounts[size_t(m - 1)];
            }
            m_TopNames[size_t(k)] = text;
            m_TopCounts[size_t(k)] = int32_t(rounded);
            return;
        }
    }
}

void QuillComboBox::RebuildList()
{
    m_RememberedCount = 0;
    cmbCombo->Clear();
    for (const QString &name : m_TopNames) {
        if (!name.isEmpty()) {
            ++m_RememberedCount;
            cmbCombo->AddItem(upperCase(name) + QStringLiteral(" "));
        }
    }
    if (cmbCombo->ListCount() > 0)
        cmbCombo->AddItem(SeparatorLine);
}

const QString &QuillComboBox::upperSelection(size_t index)
{
    if (m_selectionsLocale != userLocale()) {
        m_selectionsLocale = userLocale();
        m_selectionsUpper.clear();
    }
    // Texts are only ever appended, so the upper-cased ones stay in step by position.
    while (m_selectionsUpper.size() <= index)
        m_selectionsUpper.push_back(upperCase(m_Selections[m_selectionsUpper.size()].text));
    return m_selectionsUpper[index];
}

void QuillComboBox::RememberSelection(const QString &text)
{
    const QString u = upperCase(text);
    bool found = false;
    for (size_t i = 0; i < m_Selections.size(); ++i) {
        if (upperSelection(i) == u) {
            Selection &entry = m_Selections[i];
            entry.count = countText(countValue(entry.count).value_or(0) + 1);
            found = true;
            break;
        }
    }
    // A new text keeps the letter case it was first picked in.
    if (!found)
        m_Selections.push_back({text, QStringLiteral("1")});
    if (m_storedValueUnread)
        return;
    // The pick is the user's and goes through even when the store cannot be written: the
    // counts stay in m_Selections, and the next save that succeeds writes them all. The failure
    // is reported once, not at every pick while the store stays unwritable.
    try {
        SaveSetting(App, Section, Key, storedValue());
        m_rememberFailed = false;
    } catch (const RuntimeError &error) {
        if (!m_rememberFailed)
            reportUnhandledError(error);
        m_rememberFailed = true;
    }
}

QString QuillComboBox::storedValue() const
{
    qsizetype length = 0;
    for (const Selection &entry : m_Selections)
        length += entry.text.size() + entry.count.size() + 2;
    QString value;
    value.reserve(length);
    for (const Selection &entry : m_Selections) {
        // A text holding the delimiter would shift every pair after it and garble all their
        // counts: it is counted here but never stored.
        if (entry.text.contains(Delimiter))
            continue;
        value += entry.text;
        value += Delimiter;
        value += entry.count;
        value += Delimiter;
    }
    return value;
}

void QuillComboBox::ResetMemory()
{
    SaveSetting(App, Section, Key, QString());
    // The value this instance could not read is gone now, so its own picks may be written.
    m_storedValueUnread = false;
}
