#include "StandardControls.h"

#include "../Controls/ComboBox.h"
#include "../Controls/CommandButton.h"
#include "../Controls/ListBox.h"
#include "../Controls/PictureBox.h"
#include "../Controls/TextBox.h"
#include "../Controls/Timer.h"

#include <functional>
#include <map>

namespace platform {

namespace {

using Factory = std::function<DispatchPtr(QWidget *, const QString &)>;

const std::map<QString, Factory> &factories()
{
    static const std::map<QString, Factory> table {
        {QStringLiteral("TextBox"),
            [](QWidget *p, const QString &n) { return std::make_shared<TextBox>(p, n); }},
        {QStringLiteral("ComboBox"),
            [](QWidget *p, const QString &n) { return std::make_shared<ComboBox>(p, n); }},
        {QStringLiteral("ListBox"),
            [](QWidget *p, const QString &n) { return std::make_shared<ListBox>(p, n); }},
        {QStringLiteral("CommandButton"),
            [](QWidget *p, const QString &n) { return std::make_shared<CommandButton>(p, n); }},
        {QStringLiteral("PictureBox"),
            [](QWidget *p, const QString &n) { return std::make_shared<PictureBox>(p, n); }},
        {QStringLiteral("Timer"),
            [](QWidget *p, const QString &n) { return std::make_shared<Timer>(p, n); }},
    };
    return table;
}

} // namespace

bool isStandardControlKind(const QString &kind)
{
    return factories().count(kind) > 0;
}

DispatchPtr createStandardControl(const QString &kind, QWidget *parent, const QString &name)
{
    const auto found = factories().find(kind);
    return found == factories().end() ? nullptr : found->second(parent, name);
}

} // namespace platform
