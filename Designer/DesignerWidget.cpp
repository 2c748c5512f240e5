#include "DesignerWidget.h"

#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/ControlWidget.h>
#include <Quillkit/Value/RuntimeError.h>

#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

using platform::ControlWidget;

namespace quillkit::designer {

namespace {

// The library's own toolbox bitmap for the class, at each density the library draws it, read
// from its type library as any host finds it; nothing links the library.
QIcon toolboxIcon(const QString &classId)
{
    platform::ComponentHost &host = platform::defaultComponentHost();
    const platform::Registry::ClassEntry entry = host.classEntry(classId);
    const platform::LibraryInfo &library = host.libraryDescriptor(entry.library).info();
    const platform::ClassInfo *info = library.findClass(entry.id);
    return info ? library.toolboxIcon(info->toolboxBitmapId) : QIcon();
}

class UserModeScope
{
public:
    explicit UserModeScope(bool userMode) : m_before(ControlWidget::defaultUserMode())
    {
        ControlWidget::setDefaultUserMode(userMode);
    }
    ~UserModeScope() { ControlWidget::setDefaultUserMode(m_before); }
    UserModeScope(const UserModeScope &) = delete;
    UserModeScope &operator=(const UserModeScope &) = delete;

private:
    bool m_before;
};

} // namespace

DesignerWidget::DesignerWidget(Description description, QObject *parent)
    : QObject(parent), m_description(std::move(description))
{ }

QString DesignerWidget::name() const
{
    return m_description.className;
}

QString DesignerWidget::group() const
{
    return m_description.group;
}

QString DesignerWidget::toolTip() const
{
    return m_description.progId;
}

QString DesignerWidget::whatsThis() const
{
    return QStringLiteral("%1 %2, made by class id through the registry")
        .arg(m_description.progId, m_description.classId);
}

QString DesignerWidget::includeFile() const
{
    return m_description.includeFile;
}

QIcon DesignerWidget::icon() const
{
    // A class that is not registered still shows in the widget box, with no icon; making it
    // tells why.
    try {
        return toolboxIcon(m_description.classId);
    } catch (const platform::RuntimeError &) {
        return {};
    }
}

bool DesignerWidget::isContainer() const
{
    return false;
}

QString DesignerWidget::domXml() const
{
    // The object name Designer gives a new instance: the class name, less "Widget", in
    // lower camel case.
    QString objectName = m_description.className;
    if (objectName.endsWith(QStringLiteral("Widget")))
        objectName.chop(6);
    objectName[0] = objectName[0].toLower();
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\"/>\n"
                          " <customwidgets>\n"
                          "  <customwidget>\n"
                          "   <class>%1</class>\n"
                          "   <extends>QWidget</extends>\n"
                          "   <header location=\"global\">%3</header>\n"
                          "  </customwidget>\n"
                          " </customwidgets>\n"
                          "</ui>\n")
        .arg(m_description.className, objectName, m_description.includeFile);
}

QWidget *DesignerWidget::createWidget(QWidget *parent)
{
    const UserModeScope mode(m_inDesigner ? false : ControlWidget::defaultUserMode());
    try {
        return m_description.create(parent);
    } catch (const platform::RuntimeError &error) {
        qWarning("%s: %s", qPrintable(m_description.className), error.what());
        return placeholder(QString::fromUtf8(error.what()), parent);
    }
}

bool DesignerWidget::isInitialized() const
{
    return m_inDesigner;
}

void DesignerWidget::initialize(QDesignerFormEditorInterface *)
{
    m_inDesigner = true;
}

QWidget *DesignerWidget::placeholder(const QString &why, QWidget *parent)
{
    auto *widget = new QWidget(parent);
    auto *layout = new QVBoxLayout(widget);
    auto *label = new QLabel(why, widget);
    label->setWordWrap(true);
    layout->addWidget(label);
    return widget;
}

} // namespace quillkit::designer
