#include "chart/pngencode.h"

#include <QBuffer>

#include <libdeflate.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace basChart {

namespace {

constexpr unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

void putBigEndian(char* out, quint32 value)
{
    out[0] = static_cast<char>(value >> 24);
    out[1] = static_cast<char>(value >> 16);
    out[2] = static_cast<char>(value >> 8);
    out[3] = static_cast<char>(value);
}

// Appends a chunk: length, type, data and the CRC-32 of type and data.
void appendChunk(QByteArray& png, const char (&type)[5], const char* data, quint32 size)
{
    const qsizetype start = png.size();
    png.resize(start + 12 + size);
    char* out = png.data() + start;
    putBigEndian(out, size);
    std::memcpy(out + 4, type, 4);
    if (size > 0) std::memcpy(out + 8, data, size);
    putBigEndian(out + 8 + size, libdeflate_crc32(0, out + 4, 4 + size));
}

QByteArray encodeWithQt(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return QByteArray();
    return bytes;
}

// The prediction of PNG's filter type (1 sub, 2 up, 3 average, 4 Paeth) from the bytes to the
// left (a), above (b) and above left (c).
template <int Type>
inline int predict(int a, int b, int c)
{
    if constexpr (Type == 1) return a;
    if constexpr (Type == 2) return b;
    if constexpr (Type == 3) return (a + b) / 2;
    if constexpr (Type == 4) {
        // The distances of a + b - c from a, b and c, written so that no branch is needed.
        const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
        const int ab = pa <= pb ? a : b;
        return std::min(pa, pb) <= pc ? ab : c;
    }
    return 0;
}

// Hands each byte of the filtered row to use(index, byte); prior is the unfiltered row above
// (zeros for the first).
template <int Type, typename Use>
inline void forEachFiltered(const unsigned char* row, const unsigned char* prior, size_t size,
                            size_t bpp, Use use)
{
    const size_t lead = std::min(bpp, size);
    for (size_t i = 0; i < lead; ++i)
        use(i, static_cast<unsigned char>(row[i] - predict<Type>(0, prior[i], 0)));
    for (size_t i = lead; i < size; ++i) {
        use(i, static_cast<unsigned char>(row[i] -
                                          predict<Type>(row[i - bpp], prior[i], prior[i - bpp])));
    }
}

// Filters the row into out, or, when out is null, only sums the magnitudes of the filtered
// bytes read as signed. Separate loops for the two, so that neither tests out per byte.
template <int Type>
size_t filterRow(const unsigned char* row, const unsigned char* prior, size_t size, size_t bpp,
                 unsigned char* out)
{
    if (out) {
        forEachFiltered<Type>(row, prior, size, bpp,
                              [out](size_t i, unsigned char v) { out[i] = v; });
        return 0;
    }
    quint32 sum = 0;  // at most 128 a byte: no overflow for any row PNG allows here
    forEachFiltered<Type>(row, prior, size, bpp,
                          [&sum](size_t, unsigned char v) { sum += v < 128 ? v : 256 - v; });
    return sum;
}

using RowFilter = size_t (*)(const unsigned char*, const unsigned char*, size_t, size_t,
                             unsigned char*);
constexpr RowFilter RowFilters[5] = {filterRow<0>, filterRow<1>, filterRow<2>, filterRow<3>,
                                     filterRow<4>};

// Rows first..last of the unfiltered rows (each led by its filter byte 0), each with the filter
// whose bytes, read as signed, have the smallest sum of magnitudes: the usual heuristic.
void filterAdaptively(const unsigned char* plain, size_t rowBytes, int bpp, int first, int last,
                      unsigned char* out)
{
    const size_t size = rowBytes - 1;
    const std::vector<unsigned char> zeros(size, 0);
    for (int y = first; y < last; ++y) {
        const unsigned char* row = plain + rowBytes * y + 1;
        const unsigned char* prior = y > 0 ? row - rowBytes : zeros.data();
        int best = 0;
        size_t bestSum = 0;
        for (int type = 0; type <= 4; ++type) {
            const size_t sum = RowFilters[type](row, prior, size, bpp, nullptr);
            if (type == 0 || sum < bestSum) {
                best = type;
                bestSum = sum;
            }
        }
        unsigned char* target = out + rowBytes * (y - first);
        target[0] = static_cast<unsigned char>(best);
        RowFilters[best](row, prior, size, bpp, target + 1);
    }
}

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// The rows as PNG stores them, into plain: each a filter byte (0, none) and the samples, three
// bytes (red, green, blue) a pixel of an RGB picture, one (the palette index) of a palette one.
void packRows(const QImage& image, bool indexed, size_t rowBytes, unsigned char* plain)
{
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        unsigned char* out = plain + rowBytes * y;
        *out++ = 0;
        if (indexed) {
            std::memcpy(out, image.constScanLine(y), width);
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = in[x];
            out[0] = static_cast<unsigned char>(c >> 16);
            out[1] = static_cast<unsigned char>(c >> 8);
            out[2] = static_cast<unsigned char>(c);
            out += 3;
        }
    }
}

// The rows to compress: scratch.plain as packRows left it, or all rows filtered into
// scratch.filtered. Dense charts compress best unfiltered, sparse ones with filters chosen row
// by row; a band from the middle of the picture, compressed both ways by compress(data, size)
// (0 when it failed), decides for the whole.
template <typename Compress>
const unsigned char* chooseFilters(PngScratch& scratch, size_t rowBytes, int bytesPerPixel,
                                   int height, const Compress& compress)
{
    const int bandFirst = std::max(0, height / 2 - 8);
    const int bandLast = std::min(height, bandFirst + 16);
    const size_t bandSize = rowBytes * (bandLast - bandFirst);
    scratch.filtered.resize(std::max(bandSize, scratch.filtered.size()));
    filterAdaptively(scratch.plain.data(), rowBytes, bytesPerPixel, bandFirst, bandLast,
                     scratch.filtered.data());
    if (compress(scratch.filtered.data(), bandSize) >=
        compress(scratch.plain.data() + rowBytes * bandFirst, bandSize)) {
        return scratch.plain.data();
    }
    const size_t rawSize = rowBytes * height;
    scratch.filtered.resize(std::max(rawSize, scratch.filtered.size()));
    filterAdaptively(scratch.plain.data(), rowBytes, bytesPerPixel, 0, height,
                     scratch.filtered.data());
    return scratch.filtered.data();
}

// The PNG file of the image around its compressed rows: the signature, IHDR, pHYs when the
// image has a resolution, PLTE for a palette picture, IDAT with the rows and IEND.
QByteArray writeChunks(const QImage& image, bool indexed, const unsigned char* rows, size_t size)
{
    QByteArray png;
    png.reserve(static_cast<qsizetype>(size) + 1024);
    png.append(reinterpret_cast<const char*>(Signature), sizeof Signature);

    char header[13];
    putBigEndian(header, static_cast<quint32>(image.width()));
    putBigEndian(header + 4, static_cast<quint32>(image.height()));
    header[8] = 8;                // bits per sample
    header[9] = indexed ? 3 : 2;  // palette or RGB
    header[10] = header[11] = 0;  // deflate, adaptive filters
    header[12] = 0;               // not interlaced
    appendChunk(png, "IHDR", header, sizeof header);

    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        char physical[9];
        putBigEndian(physical, static_cast<quint32>(image.dotsPerMeterX()));
        putBigEndian(physical + 4, static_cast<quint32>(image.dotsPerMeterY()));
        physical[8] = 1;  // per metre
        appendChunk(png, "pHYs", physical, sizeof physical);
    }
    if (indexed) {
        const QList<QRgb> table = image.colorTable();
        QByteArray palette;
        for (const QRgb c : table) {
            palette.append(static_cast<char>(qRed(c)));
            palette.append(static_cast<char>(qGreen(c)));
            palette.append(static_cast<char>(qBlue(c)));
        }
        appendChunk(png, "PLTE", palette.constData(), static_cast<quint32>(palette.size()));
    }
    appendChunk(png, "IDAT", reinterpret_cast<const char*>(rows), static_cast<quint32>(size));
    appendChunk(png, "IEND", nullptr, 0);
    return png;
}

}  // namespace

QByteArray EncodePng(const QImage& image, PngScratch* reuse, int level)
{
    if (image.isNull()) return QByteArray();
    const bool indexed = image.format() == QImage::Format_Indexed8;
    if (!indexed && image.format() != QImage::Format_RGB32) return encodeWithQt(image);
    // A palette with transparent colours would need a tRNS chunk: left to Qt.
    if (indexed && (image.colorCount() < 1 || image.colorCount() > 256 ||
                    std::any_of(image.colorTable().cbegin(), image.colorTable().cend(),
                                [](QRgb c) { return qAlpha(c) != 255; }))) {
        return encodeWithQt(image);
    }

    const int height = image.height();
    const int bytesPerPixel = indexed ? 1 : 3;
    const size_t rowBytes = 1 + static_cast<size_t>(image.width()) * bytesPerPixel;

    PngScratch own;
    PngScratch& scratch = reuse ? *reuse : own;
    const size_t rawSize = rowBytes * height;
    scratch.plain.resize(std::max(rawSize, scratch.plain.size()));
    packRows(image, indexed, rowBytes, scratch.plain.data());

    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(level));
    if (!compressor) return QByteArray();
    scratch.compressed.resize(std::max(libdeflate_zlib_compress_bound(compressor.get(), rawSize),
                                       scratch.compressed.size()));
    const auto compress = [&](const unsigned char* data, size_t size) {
        return libdeflate_zlib_compress(compressor.get(), data, size, scratch.compressed.data(),
                                        scratch.compressed.size());
    };

    const unsigned char* rows = chooseFilters(scratch, rowBytes, bytesPerPixel, height, compress);
    const size_t compressed = compress(rows, rawSize);
    if (compressed == 0) return QByteArray();
    return writeChunks(image, indexed, scratch.compressed.data(), compressed);
}

}  // namespace basChart
