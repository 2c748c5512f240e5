#include "EditSelection.h"

#include "../Value/RuntimeError.h"

#include <QLineEdit>
#include <algorithm>

namespace platform::EditSelection {

namespace {

void requireNonNegative(int32_t value, const char *property)
{
    if (value < 0)
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, QString::fromLatin1(property));
}

} // namespace

int32_t start(const QLineEdit &edit)
{
    return edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
}

void setStart(QLineEdit &edit, int32_t start)
{
    requireNonNegative(start, "SelStart");
    edit.setCursorPosition(std::min<int32_t>(start, int32_t(edit.text().size())));
}

int32_t length(const QLineEdit &edit)
{
    return edit.selectionLength();
}

void setLength(QLineEdit &edit, int32_t length)
{
    requireNonNegative(length, "SelLength");
    const int32_t from = start(edit);
    const int32_t selected = std::min(length, int32_t(edit.text().size()) - from);
    if (selected > 0)
        edit.setSelection(from, selected);
    else
        edit.setCursorPosition(from);
}

} // namespace platform::EditSelection
