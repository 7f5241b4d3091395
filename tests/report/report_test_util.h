#pragma once
// Small helpers shared by the report tests.
#include <cstdio>
#include <string>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "report/reporter.h"

namespace velmo::test {

// Plays one recorded page onto a white image at the given pixels per inch.
inline QImage RenderPage(TReporter& reporter, int page, double ppi = 100) {
    QImage image(static_cast<int>(8.5 * ppi), static_cast<int>(11 * ppi), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    reporter.PlayPage(page, &painter, ppi, ppi);
    return image;
}

inline bool IsBlue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80; }
inline bool IsDark(QRgb c) { return qGray(c) < 128; }

// Output of a shell command.
inline std::string RunTool(const std::string& command) {
    std::string out;
    if (FILE* f = popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
        pclose(f);
    }
    return out;
}

}  // namespace velmo::test
