#include "DemoDiagnostics.h"

#include "TestForm.h"

#include <Quillkit/Value/Conversions.h>

#include <QLineEdit>
#include <QPainter>

namespace demo {

QImage renderWindow(QWidget *window)
{
    QImage shot = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (!window->mask().isEmpty()) {
        // The mask is in the window's own units; the picture has the screen's pixel ratio, and so
        // must the image it is clipped into, or the form lands in a corner of it.
        QImage clipped(shot.size(), QImage::Format_ARGB32);
        clipped.setDevicePixelRatio(shot.devicePixelRatio());
        clipped.fill(Qt::transparent);
        QPainter painter(&clipped);
        painter.setClipRegion(window->mask());
        painter.drawImage(0, 0, shot);
        painter.end();
        shot = clipped;
    }
    return shot;
}

QString stateReport(TestForm &testForm)
{
    using namespace platform;
    HostForm &form = testForm.form();
    QString report;
    auto line = [&](const QString &key, const QString &value) {
        report += key + QStringLiteral(": ") + value + u'\n';
    };

    const DispatchPtr combo = form.site(QStringLiteral("QuillComboBox1"))
                                  ->control()
                                  ->get(QStringLiteral("ComboBox"))
                                  .object();
    const int count = toLong(combo->get(QStringLiteral("ListCount")));
    line(QStringLiteral("combo.count"), QString::number(count));
    for (int i = 0; i < count; ++i)
        line(QStringLiteral("combo.item"),
            toText(combo->get(QStringLiteral("List"), {Variant(int16_t(i))})));

    ControlSite *picture = form.site(QStringLiteral("QuillPictureBox1"));
    line(QStringLiteral("picture.rect"),
        QStringLiteral("%1 %2 %3 %4")
            .arg(picture->Left())
            .arg(picture->Top())
            .arg(picture->Width())
            .arg(picture->Height()));

    QWidget *input = form.site(QStringLiteral("QuillInputBox1"))->widget();
    for (const char *name : {"txtLeft", "txtRight"}) {
        auto *box = input->findChild<QLineEdit *>(QString::fromLatin1(name));
        if (!box)
            continue;
        const QString key = QStringLiteral("input.") + QString::fromLatin1(name);
        line(key + QStringLiteral(".visible"),
            box->isVisibleTo(input) ? QStringLiteral("true") : QStringLiteral("false"));
        line(key + QStringLiteral(".text"), box->text());
        line(key + QStringLiteral(".base"), box->palette().color(QPalette::Base).name());
        line(key + QStringLiteral(".textcolor"), box->palette().color(QPalette::Text).name());
        line(key + QStringLiteral(".bold"),
            box->font().bold() ? QStringLiteral("true") : QStringLiteral("false"));
    }
    const QRegion mask = form.window()->mask();
    line(QStringLiteral("form.mask"),
        mask.isEmpty() ? QStringLiteral("none")
                       : QStringLiteral("%1 %2 %3 %4")
                             .arg(mask.boundingRect().x())
                             .arg(mask.boundingRect().y())
                             .arg(mask.boundingRect().width())
                             .arg(mask.boundingRect().height()));
    line(QStringLiteral("form.mask.corner"),
        mask.contains(QPoint(0, 0)) ? QStringLiteral("inside") : QStringLiteral("outside"));
    return report;
}

} // namespace demo
