#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace velmo {

void DrawEmblem(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = std::min(r.width(), r.height());
    const QPointF o(r.center().x() - s / 2, r.center().y() - s / 2);
    auto at = [&](qreal x, qreal y) { return QPointF(o.x() + x * s, o.y() + y * s); };

    // A rounded blue tile.
    QLinearGradient g(at(0, 0), at(0, 1));
    g.setColorAt(0, QColor(0x2d, 0x5f, 0x9a));
    g.setColorAt(1, QColor(0x14, 0x2f, 0x52));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(at(0.02, 0.02), at(0.98, 0.98)), s * 0.16, s * 0.16);

    // The mast: a slim lattice triangle.
    QPen mast(QColor(0xf2, 0xf5, 0xf9), std::max<qreal>(1.0, s * 0.045), Qt::SolidLine, Qt::RoundCap,
              Qt::RoundJoin);
    p.setPen(mast);
    p.drawLine(at(0.5, 0.30), at(0.34, 0.86));
    p.drawLine(at(0.5, 0.30), at(0.66, 0.86));
    p.drawLine(at(0.40, 0.64), at(0.60, 0.64));
    p.drawLine(at(0.37, 0.75), at(0.63, 0.75));
    p.setBrush(QColor(0xff, 0xb3, 0x2e));
    p.setPen(Qt::NoPen);
    p.drawEllipse(at(0.5, 0.27), s * 0.055, s * 0.055);

    // The waves on both sides.
    QPen wave(QColor(0xff, 0xb3, 0x2e), std::max<qreal>(1.0, s * 0.04), Qt::SolidLine, Qt::RoundCap);
    p.setPen(wave);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const qreal rad = s * (0.09 + 0.085 * i);
        const QRectF arc(at(0.5, 0.27) - QPointF(rad, rad), QSizeF(2 * rad, 2 * rad));
        p.drawArc(arc, -35 * 16, 70 * 16);
        p.drawArc(arc, 145 * 16, 70 * 16);
    }
    p.restore();
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        DrawEmblem(p, QRectF(0, 0, size, size));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QPixmap SplashPicture(const QSize& size, qreal dpr) {
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    // Sky with a horizon and coverage rings over it.
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x0f, 0x25, 0x45));
    sky.setColorAt(1, QColor(0x3a, 0x6e, 0xa8));
    p.fillRect(r, sky);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.2));
    for (int i = 1; i <= 6; ++i) {
        const qreal w = r.width() * 0.16 * i;
        p.drawEllipse(QPointF(r.center().x(), r.bottom() - r.height() * 0.18), w, w * 0.28);
    }
    QPainterPath hills;
    hills.moveTo(r.left(), r.bottom());
    hills.lineTo(r.left(), r.bottom() - r.height() * 0.18);
    hills.cubicTo(r.left() + r.width() * 0.3, r.bottom() - r.height() * 0.30,
                  r.left() + r.width() * 0.6, r.bottom() - r.height() * 0.10, r.right(),
                  r.bottom() - r.height() * 0.22);
    hills.lineTo(r.right(), r.bottom());
    p.fillPath(hills, QColor(0x10, 0x1c, 0x2b));
    const qreal e = r.height() * 0.62;
    DrawEmblem(p, QRectF(r.center().x() - e / 2, r.top() + r.height() * 0.06, e, e));
    p.end();
    return pm;
}

}  // namespace velmo
