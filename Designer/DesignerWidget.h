#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QObject>
#include <functional>

namespace quillkit::designer {

// One typed control widget as Qt Designer offers it: in the widget box under its library's
// group, with the class's toolbox bitmap as its icon, made in design mode inside Designer.
class DesignerWidget : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using Factory = std::function<QWidget *(QWidget *parent)>;

    struct Description
    {
        QString className; // the widget's C++ class
        QString classId; // the control's class id, for its registration and type library
        QString progId;
        QString group;
        QString includeFile; // as uic writes it in <>
        Factory create;
    };

    explicit DesignerWidget(Description description, QObject *parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QString domXml() const override;
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface *core) override;

    // What Designer shows in place of a control that cannot be made, naming why.
    static QWidget *placeholder(const QString &why, QWidget *parent);

private:
    Description m_description;
    // Set once Designer itself takes the widget up; a form loader at run time never does, so
    // its widgets run in run mode.
    bool m_inDesigner = false;
};

// A typed widget class, its header in includeDir, made with its parent.
template<typename Widget>
DesignerWidget::Description describe(const QString &group, const QString &includeDir)
{
    const QString className = QString::fromLatin1(Widget::staticMetaObject.className());
    return {className, QString::fromLatin1(Widget::ClassId), QString::fromLatin1(Widget::ProgId),
        group, includeDir + QLatin1Char('/') + className + QStringLiteral(".h"),
        [](QWidget *parent) { return new Widget(parent); }};
}

} // namespace quillkit::designer
