// Draws the demonstration form's picture: an 800 x 600 bar chart with axes, grid, labels and a
// trend line, saved as JPEG. Run by the build, so that no binary picture is kept in the sources.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_chart_sample OUTPUT.jpg\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const int width = 800, height = 600;
    const QRect plot(90, 70, 660, 440);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(250, 250, 246));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QFont title(QStringLiteral("DejaVu Sans"), 20, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(40, 40, 60));
    p.drawText(
        QRect(0, 15, width, 40), Qt::AlignCenter, QStringLiteral("Quarterly sales by region"));

    // Grid and the value axis.
    QFont label(QStringLiteral("DejaVu Sans"), 11);
    p.setFont(label);
    const int maxValue = 500;
    for (int v = 0; v <= maxValue; v += 100) {
        const int y = plot.bottom() - v * plot.height() / maxValue;
        p.setPen(QPen(QColor(210, 210, 215), 1, v == 0 ? Qt::SolidLine : Qt::DashLine));
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(QColor(60, 60, 70));
        p.drawText(QRect(plot.left() - 60, y - 10, 50, 20), Qt::AlignRight | Qt::AlignVCenter,
            QString::number(v));
    }
    p.setPen(QPen(QColor(40, 40, 50), 2));
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());

    // Bars: four quarters, three regions each.
    const int values[4][3] = {{220, 310, 180}, {260, 340, 210}, {300, 290, 260}, {380, 410, 300}};
    const QColor colours[3] = {QColor(52, 101, 164), QColor(204, 0, 0), QColor(78, 154, 6)};
    const QString quarters[4] = {"Q1", "Q2", "Q3", "Q4"};
    const int groupWidth = plot.width() / 4, barWidth = 40;
    QPainterPath trend;
    for (int q = 0; q < 4; ++q) {
        const int groupLeft = plot.left() + q * groupWidth + (groupWidth - 3 * barWidth) / 2;
        int total = 0;
        for (int r = 0; r < 3; ++r) {
            const int h = values[q][r] * plot.height() / maxValue;
            const QRect bar(groupLeft + r * barWidth, plot.bottom() - h, barWidth - 4, h);
            p.fillRect(bar, colours[r]);
            p.setPen(QColor(30, 30, 30));
            p.drawRect(bar);
            total += values[q][r];
        }
        p.drawText(
            QRect(groupLeft, plot.bottom() + 8, 3 * barWidth, 20), Qt::AlignCenter, quarters[q]);
        const QPointF point(
            groupLeft + 1.5 * barWidth, plot.bottom() - (total / 3) * plot.height() / maxValue);
        if (q == 0)
            trend.moveTo(point);
        else
            trend.lineTo(point);
    }
    p.setPen(QPen(QColor(245, 121, 0), 3));
    p.drawPath(trend);

    // Legend and axis titles.
    const QString regions[3] = {"North", "South", "West"};
    for (int r = 0; r < 3; ++r) {
        const QRect swatch(plot.left() + 20 + r * 150, height - 45, 18, 18);
        p.fillRect(swatch, colours[r]);
        p.setPen(QColor(40, 40, 50));
        p.drawText(swatch.right() + 8, swatch.bottom() - 3, regions[r]);
    }
    p.drawText(QRect(plot.right() - 150, height - 48, 160, 24), Qt::AlignRight,
        QStringLiteral("— average"));
    p.save();
    p.translate(25, plot.center().y());
    p.rotate(-90);
    p.drawText(QRect(-100, -12, 200, 24), Qt::AlignCenter, QStringLiteral("Units sold"));
    p.restore();
    p.end();
    return image.save(QString::fromLocal8Bit(argv[1]), "JPEG", 90) ? 0 : 1;
}
