#include "app/schematicwidget.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace velmo {

TSchematicWidget::TSchematicWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("imgSchematic");
    setAccessibleName("Transmitter, transmission line and antenna");
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TSchematicWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 180 x 212 board, scaled to fit and centred; the picture sits 12 units
    // below the board's top, which leaves room for the antenna's caption.
    const double scale = std::min(width() / 180.0, height() / 212.0);
    const QPointF origin((width() - 180 * scale) / 2, (height() - 212 * scale) / 2 + 12 * scale);
    p.translate(origin);
    p.scale(scale, scale);

    const QColor ink = palette().color(QPalette::WindowText);
    const QColor steel(110, 120, 135);
    const QColor cabinet(70, 96, 140);
    const QColor line(196, 120, 32);
    const QColor wave(40, 130, 200);

    // Ground.
    p.setPen(QPen(ink, 1.2));
    p.drawLine(QPointF(4, 188), QPointF(176, 188));

    // Tower: a tapering lattice from the ground to the antenna mast.
    const double baseL = 112, baseR = 152, topL = 126, topR = 138, topY = 58;
    p.setPen(QPen(steel, 1.6));
    p.drawLine(QPointF(baseL, 188), QPointF(topL, topY));
    p.drawLine(QPointF(baseR, 188), QPointF(topR, topY));
    p.setPen(QPen(steel, 0.9));
    const int bays = 6;
    for (int i = 0; i < bays; ++i) {
        const double y0 = 188 - (188 - topY) * i / bays;
        const double y1 = 188 - (188 - topY) * (i + 1) / bays;
        const double l0 = baseL + (topL - baseL) * i / bays, r0 = baseR - (baseR - topR) * i / bays;
        const double l1 = baseL + (topL - baseL) * (i + 1) / bays,
                     r1 = baseR - (baseR - topR) * (i + 1) / bays;
        p.drawLine(QPointF(l0, y0), QPointF(r1, y1));
        p.drawLine(QPointF(r0, y0), QPointF(l1, y1));
        p.drawLine(QPointF(l1, y1), QPointF(r1, y1));
    }

    // Antenna: a mast with stacked panels above the tower.
    p.setPen(QPen(steel, 2.2));
    p.drawLine(QPointF(132, topY), QPointF(132, 14));
    p.setPen(QPen(ink, 0.8));
    p.setBrush(QColor(220, 224, 232));
    for (int i = 0; i < 4; ++i) p.drawRoundedRect(QRectF(126, 18 + i * 9.5, 12, 7.5), 1.5, 1.5);

    // Radiated waves on both sides.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(wave, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 3; ++i) {
        const double r = 8.0 * i;
        const QRectF box(132 - 6 - r, 36 - r, 2 * (6 + r), 2 * r);
        p.drawArc(box, -40 * 16, 80 * 16);
        p.drawArc(box, 140 * 16, 80 * 16);
    }

    // Transmitter cabinet with its meters and vents.
    p.setPen(QPen(ink, 1.0));
    p.setBrush(cabinet);
    p.drawRoundedRect(QRectF(14, 128, 44, 60), 2.5, 2.5);
    p.setBrush(QColor(235, 238, 242));
    p.drawEllipse(QRectF(20, 134, 12, 12));
    p.drawEllipse(QRectF(40, 134, 12, 12));
    p.setPen(QPen(ink, 0.9));
    p.drawLine(QPointF(26, 140), QPointF(29, 136));
    p.drawLine(QPointF(46, 140), QPointF(43, 136.5));
    p.setPen(QPen(QColor(180, 190, 210), 1.2));
    for (int i = 0; i < 5; ++i) p.drawLine(QPointF(20, 156 + i * 5), QPointF(52, 156 + i * 5));

    // The transmission line: out of the cabinet, along the ground and up the tower.
    QPainterPath run;
    run.moveTo(58, 140);
    run.lineTo(88, 140);
    run.quadTo(100, 140, 100, 152);
    run.lineTo(100, 176);
    run.quadTo(100, 182, 110, 180);
    run.lineTo(132, 176);
    run.lineTo(132, topY);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(run);

    // Captions, never smaller than a readable size.
    p.resetTransform();
    auto box = [&](double x, double y, double w, double h) {
        return QRectF(origin + QPointF(x, y) * scale, QSizeF(w, h) * scale);
    };
    QFont f = font();
    f.setPixelSize(std::clamp(static_cast<int>(9 * scale), 10, 18));
    p.setFont(f);
    p.setPen(ink);
    const int flags = Qt::AlignHCenter | Qt::AlignBottom | Qt::TextDontClip;
    p.drawText(box(4, 104, 64, 22), flags, "Transmitter");
    p.drawText(box(86, -8, 92, 22), flags, "Antenna");
}

}  // namespace velmo
