#pragma once
// The program's own artwork, drawn with QPainter: the application icon (a mast with
// radiating waves) and the splash picture.
#include <QIcon>
#include <QPixmap>

class QPainter;
class QRectF;

namespace velmo {

// Draws the emblem (mast and waves) into `r`.
void DrawEmblem(QPainter& painter, const QRectF& r);
QIcon AppIcon();
// The splash picture at `size` logical pixels, for the given device pixel ratio.
QPixmap SplashPicture(const QSize& size, qreal devicePixelRatio);

}  // namespace velmo
