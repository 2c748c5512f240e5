#include "AccessibleRole.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace platform {

namespace {

constexpr char RoleProperty[] = "quillAccessibleRole";

// Consulted before the toolkit's own interfaces: answers only for widgets given a role.
QAccessibleInterface *interfaceWithRole(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    const QVariant role = object->property(RoleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(
        static_cast<QWidget *>(object), static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void setAccessibleRole(QWidget *widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceWithRole);
        return true;
    }();
    (void)installed;
    widget->setProperty(RoleProperty, int(role));
}

} // namespace platform
