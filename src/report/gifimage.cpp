#include "report/gifimage.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include <QFile>

// The pictures are compiled into the static report library; a static library's resource
// initialiser is only linked in when something refers to it, so register them here.
static void RegisterReportImages() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(images);
        return true;
    }();
    (void)registered;
}

namespace velmo {

namespace {

struct MemoryReader {
    const QByteArray* Bytes;
    qsizetype Pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int size) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    if (size <= 0) return 0;
    const qsizetype left = reader->Bytes->size() - reader->Pos;
    const int n = static_cast<int>(std::min<qsizetype>(left, size));
    if (n > 0) {
        std::memcpy(buffer, reader->Bytes->constData() + reader->Pos, static_cast<size_t>(n));
        reader->Pos += n;
    }
    return n;
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

}  // namespace

QImage DecodeGif(const QByteArray& bytes) {
    MemoryReader reader{&bytes, 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadFromMemory, &error));
    if (!gif) return QImage();
    if (DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return QImage();

    const SavedImage& frame = gif->SavedImages[0];
    const GifImageDesc& desc = frame.ImageDesc;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount <= 0 || !frame.RasterBits) return QImage();

    // A screen smaller than its frame (seen in hand-made files) grows to hold it.
    const int width = std::max(gif->SWidth, desc.Left + desc.Width);
    const int height = std::max(gif->SHeight, desc.Top + desc.Height);
    if (width <= 0 || height <= 0 || width > 20000 || height > 20000) return QImage();

    int transparent = NO_TRANSPARENT_COLOR;
    GraphicsControlBlock gcb;
    if (DGifSavedExtensionToGCB(gif.get(), 0, &gcb) == GIF_OK) transparent = gcb.TransparentColor;

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) return QImage();
    image.fill(Qt::transparent);
    for (int y = 0; y < desc.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(desc.Top + y));
        const GifByteType* src = frame.RasterBits + static_cast<size_t>(y) * desc.Width;
        for (int x = 0; x < desc.Width; ++x) {
            const int index = src[x];
            if (index == transparent || index >= map->ColorCount) continue;
            const GifColorType& c = map->Colors[index];
            line[desc.Left + x] = qRgb(c.Red, c.Green, c.Blue);
        }
    }
    return image;
}

QString GifResourcePath(const std::string& name) {
    return QStringLiteral(":/images/") + QString::fromStdString(name) + QStringLiteral(".gif");
}

QImage LoadGifResource(const std::string& name) {
    static std::map<std::string, QImage> cache;
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    RegisterReportImages();
    QImage image;
    QFile file(GifResourcePath(name));
    if (file.open(QIODevice::ReadOnly)) image = DecodeGif(file.readAll());
    cache.emplace(name, image);
    return image;
}

}  // namespace velmo
