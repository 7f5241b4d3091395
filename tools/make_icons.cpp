// Writes the application icon as PNG files of the usual sizes (hicolor layout:
// <out>/<n>x<n>/apps/velmo.png), drawn by the program's own emblem code.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "app/artwork.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_FOLDER\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QString("%1/%2x%2/apps").arg(argv[1]).arg(size);
        QDir().mkpath(folder);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        velmo::DrawEmblem(painter, QRectF(0, 0, size, size));
        painter.end();
        if (!image.save(folder + "/velmo.png")) {
            std::fprintf(stderr, "cannot write %s/velmo.png\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
