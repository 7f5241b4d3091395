#include "report/gifimage.h"

#include <gif_lib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

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
    // Only the screen outside the frame needs clearing first: the frame's own pixels are
    // all written, the transparent index (and any index beyond the colour map) as
    // transparent.
    const bool framed =
        desc.Left > 0 || desc.Top > 0 || desc.Width < width || desc.Height < height;
    if (framed) image.fill(Qt::transparent);
    QRgb colours[256];
    for (int i = 0; i < 256; ++i) {
        if (i == transparent || i >= map->ColorCount) {
            colours[i] = 0;  // Qt::transparent
        } else {
            const GifColorType& c = map->Colors[i];
            colours[i] = qRgb(c.Red, c.Green, c.Blue);
        }
    }
    QRgb alpha = 0xFF000000u;  // stays whole while every pixel written is opaque
    for (int y = 0; y < desc.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(desc.Top + y)) + desc.Left;
        const GifByteType* src = frame.RasterBits + static_cast<size_t>(y) * desc.Width;
        for (int x = 0; x < desc.Width; ++x) {
            const QRgb c = colours[src[x]];
            line[x] = c;
            alpha &= c;
        }
    }
    // A picture without a transparent pixel is marked opaque: the same bytes, but the
    // PDF writer and the painters then skip their work on the alpha channel.
    if (alpha == 0xFF000000u && !framed) image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

QString GifResourcePath(const std::string& name) {
    return QStringLiteral(":/images/") + QString::fromStdString(name) + QStringLiteral(".gif");
}

namespace {

struct TPictureJob {
    std::string Name;
    QByteArray Bytes;
    std::promise<QImage> Picture;
};

// The embedded pictures decoded so far, or being decoded, by name, and the threads that
// decode pictures ahead of their use: two, so that a small picture needed first is not
// kept waiting behind a large one. A picture asked for while still queued is taken out
// of the queue and decoded by the thread that asks.
struct TPictureCache {
    std::mutex Lock;
    std::map<std::string, std::shared_future<QImage>> Pictures;
    std::deque<TPictureJob> Queue;
    int Decoding = 0;  // threads working through Queue
    std::vector<std::future<void>> Decoders;

    ~TPictureCache() { WaitForDecoders(); }

    void WaitForDecoders() {
        std::vector<std::future<void>> running;
        {
            std::lock_guard<std::mutex> lock(Lock);
            running.swap(Decoders);
        }
        running.clear();  // each waits for its thread
    }
};

TPictureCache& Pictures() {
    static TPictureCache cache;
    return cache;
}

QByteArray ReadResource(const std::string& name) {
    RegisterReportImages();
    QFile file(GifResourcePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage DecodeOrNull(const QByteArray& bytes) {
    if (bytes.isEmpty()) return QImage();
    try {
        return DecodeGif(bytes);
    } catch (...) {  // out of memory: the page shows the frame of a missing picture
        return QImage();
    }
}

// Decodes the queued pictures until the queue is empty.
void DecodeQueued(TPictureCache& cache) {
    for (;;) {
        TPictureJob job;
        {
            std::lock_guard<std::mutex> lock(cache.Lock);
            if (cache.Queue.empty()) {
                --cache.Decoding;
                return;
            }
            job = std::move(cache.Queue.front());
            cache.Queue.pop_front();
        }
        job.Picture.set_value(DecodeOrNull(job.Bytes));
    }
}

}  // namespace

QImage LoadGifResource(const std::string& name) {
    TPictureCache& cache = Pictures();
    std::shared_future<QImage> picture;
    std::optional<TPictureJob> mine;
    {
        std::lock_guard<std::mutex> lock(cache.Lock);
        auto it = cache.Pictures.find(name);
        if (it == cache.Pictures.end()) {
            mine.emplace();
            mine->Bytes = ReadResource(name);
            picture = cache.Pictures.emplace(name, mine->Picture.get_future().share()).first->second;
        } else {
            picture = it->second;
            auto queued = std::find_if(cache.Queue.begin(), cache.Queue.end(),
                                       [&](const TPictureJob& j) { return j.Name == name; });
            if (queued != cache.Queue.end()) {
                mine = std::move(*queued);
                cache.Queue.erase(queued);
            }
        }
    }
    if (mine) mine->Picture.set_value(DecodeOrNull(mine->Bytes));
    return picture.get();  // waits while a decoding thread finishes it
}

void PreloadGifResources(const std::vector<std::string>& names) {
    constexpr int kDecoders = 2;
    TPictureCache& cache = Pictures();
    {
        std::lock_guard<std::mutex> lock(cache.Lock);
        for (const std::string& name : names) {
            if (cache.Pictures.count(name)) continue;
            TPictureJob job;
            job.Name = name;
            job.Bytes = ReadResource(name);
            cache.Pictures.emplace(name, job.Picture.get_future().share());
            cache.Queue.push_back(std::move(job));
        }
        auto& started = cache.Decoders;
        started.erase(std::remove_if(started.begin(), started.end(),
                                     [](const std::future<void>& d) {
                                         return d.wait_for(std::chrono::seconds(0)) ==
                                                std::future_status::ready;
                                     }),
                      started.end());
        // Without a thread to be had the pictures stay queued for LoadGifResource.
        while (cache.Decoding < kDecoders &&
               static_cast<size_t>(cache.Decoding) < cache.Queue.size()) {
            started.reserve(started.size() + 1);  // a failed push_back would wait for the thread
            try {
                started.push_back(std::async(std::launch::async, [&cache] { DecodeQueued(cache); }));
            } catch (const std::system_error&) {
                return;
            }
            ++cache.Decoding;
        }
    }
}

void ForgetGifResources() {
    TPictureCache& cache = Pictures();
    cache.WaitForDecoders();
    std::lock_guard<std::mutex> lock(cache.Lock);
    // Pictures left queued (no thread could be started) are still promised to whoever
    // waits for them.
    for (TPictureJob& job : cache.Queue) job.Picture.set_value(DecodeOrNull(job.Bytes));
    cache.Queue.clear();
    cache.Pictures.clear();
}

}  // namespace velmo
