#include "QuillkitDesignerPlugin.h"

#include "DesignerWidget.h"

#include <Quillkit/Widgets/QuillkitWidgets.h>

using quillkit::designer::describe;
using quillkit::designer::DesignerWidget;

QuillkitDesignerPlugin::QuillkitDesignerPlugin(QObject *parent) : QObject(parent)
{
    const QString group = QStringLiteral("Quillkit");
    const QString headers = QStringLiteral("Quillkit/Widgets");
    for (DesignerWidget::Description description : {describe<QuillComboBoxWidget>(group, headers),
             describe<QuillInputBoxWidget>(group, headers),
             describe<QuillFormWidget>(group, headers),
             describe<QuillPictureBoxWidget>(group, headers)})
        m_widgets.append(new DesignerWidget(std::move(description), this));
}

QList<QDesignerCustomWidgetInterface *> QuillkitDesignerPlugin::customWidgets() const
{
    return m_widgets;
}
