#include "GifWriter.h"

#include <QFile>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace qmv::art {

namespace {

int channel(QRgb colour, int which)
{
    return which == 0 ? qRed(colour) : which == 1 ? qGreen(colour) : qBlue(colour);
}

// A run of pixels in the shared vector, split along its widest colour channel.
struct ColourBox
{
    size_t begin;
    size_t end;

    int widestChannel(const std::vector<QRgb>& pixels, int* range) const
    {
        std::array<int, 3> low{255, 255, 255};
        std::array<int, 3> high{0, 0, 0};
        for (size_t i = begin; i < end; ++i)
            for (int c = 0; c < 3; ++c) {
                low[c] = std::min(low[c], channel(pixels[i], c));
                high[c] = std::max(high[c], channel(pixels[i], c));
            }
        int best = 0;
        for (int c = 1; c < 3; ++c)
            if (high[c] - low[c] > high[best] - low[best])
                best = c;
        *range = high[best] - low[best];
        return best;
    }

    QRgb average(const std::vector<QRgb>& pixels) const
    {
        std::array<quint64, 3> sum{0, 0, 0};
        for (size_t i = begin; i < end; ++i)
            for (int c = 0; c < 3; ++c)
                sum[c] += static_cast<quint64>(channel(pixels[i], c));
        const quint64 n = std::max<quint64>(1, end - begin);
        return qRgb(int(sum[0] / n), int(sum[1] / n), int(sum[2] / n));
    }
};

struct GifCloser
{
    void operator()(GifFileType* file) const
    {
        int error = 0;
        EGifCloseFile(file, &error);
    }
};

struct MapFreer
{
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

QString gifError(int code)
{
    const char* text = GifErrorString(code);
    return QString::fromUtf8(text ? text : "unknown GIF error");
}

} // namespace

QList<QRgb> commonPalette(const QList<QImage>& images, int size)
{
    std::vector<QRgb> pixels;
    for (const QImage& image : images) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            pixels.insert(pixels.end(), line, line + rgb.width());
        }
    }
    std::vector<ColourBox> boxes{{0, pixels.size()}};
    while (static_cast<int>(boxes.size()) < size) {
        // Split the box with the widest colour range; stop when every box is one colour.
        int bestRange = 0;
        int bestChannel = 0;
        size_t bestBox = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            int range = 0;
            const int c = boxes[b].widestChannel(pixels, &range);
            if (range > bestRange && boxes[b].end - boxes[b].begin > 1) {
                bestRange = range;
                bestChannel = c;
                bestBox = b;
            }
        }
        if (bestRange == 0)
            break;
        ColourBox box = boxes[bestBox];
        const auto first = pixels.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = pixels.begin() + static_cast<std::ptrdiff_t>(box.end);
        const auto middle = first + (last - first) / 2;
        std::nth_element(first, middle, last, [bestChannel](QRgb a, QRgb b) {
            return channel(a, bestChannel) < channel(b, bestChannel);
        });
        const size_t split = static_cast<size_t>(middle - pixels.begin());
        boxes[bestBox] = {box.begin, split};
        boxes.push_back({split, box.end});
    }
    QList<QRgb> palette;
    for (const ColourBox& box : boxes)
        palette.append(box.average(pixels));
    return palette;
}

QString writeAnimatedGif(const QString& path, const QList<QImage>& frames, int delayCentiseconds)
{
    if (frames.isEmpty())
        return QStringLiteral("no frames");
    QList<QRgb> palette = commonPalette(frames, 256);
    while (palette.size() < 256)
        palette.append(qRgb(0, 0, 0)); // a GIF colour table has a power-of-two size

    std::array<GifColorType, 256> colours{};
    for (int i = 0; i < 256; ++i)
        colours[static_cast<size_t>(i)] = {static_cast<GifByteType>(qRed(palette[i])),
                                           static_cast<GifByteType>(qGreen(palette[i])),
                                           static_cast<GifByteType>(qBlue(palette[i]))};
    const std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(256, colours.data()));
    if (!map)
        return QStringLiteral("out of memory");

    int error = 0;
    const QByteArray fileName = QFile::encodeName(path);
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpenFileName(fileName.constData(), false, &error));
    if (!gif)
        return gifError(error);
    EGifSetGifVersion(gif.get(), true);
    const int width = frames.first().width();
    const int height = frames.first().height();
    if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, map.get()) == GIF_ERROR)
        return gifError(gif->Error);

    // The application extension that makes browsers and players loop for ever.
    static const char loopName[] = "NETSCAPE2.0";
    const GifByteType loopForever[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), 11, loopName) == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), 3, loopForever) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif.get()) == GIF_ERROR)
        return gifError(gif->Error);

    for (const QImage& frame : frames) {
        if (frame.size() != QSize(width, height))
            return QStringLiteral("frames differ in size");
        const QImage indexed = frame.convertToFormat(QImage::Format_RGB32)
                                   .convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = delayCentiseconds;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_ERROR ||
            EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr) == GIF_ERROR)
            return gifError(gif->Error);
        for (int y = 0; y < height; ++y) {
            auto* line = const_cast<GifPixelType*>(indexed.constScanLine(y)); // giflib does not write to it
            if (EGifPutLine(gif.get(), line, width) == GIF_ERROR)
                return gifError(gif->Error);
        }
    }
    GifFileType* done = gif.release();
    if (EGifCloseFile(done, &error) == GIF_ERROR)
        return gifError(error);
    return {};
}

} // namespace qmv::art
