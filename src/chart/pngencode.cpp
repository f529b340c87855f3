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

// The row filtered as PNG's filter type says (1 sub, 2 up, 3 average, 4 Paeth); bpp bytes per
// pixel, prior the unfiltered row above (zeros for the first).
void filterRow(int type, const unsigned char* row, const unsigned char* prior, size_t size, int bpp,
               unsigned char* out)
{
    for (size_t i = 0; i < size; ++i) {
        const int a = i >= static_cast<size_t>(bpp) ? row[i - bpp] : 0;
        const int b = prior[i];
        int predicted = 0;
        switch (type) {
            case 1:
                predicted = a;
                break;
            case 2:
                predicted = b;
                break;
            case 3:
                predicted = (a + b) / 2;
                break;
            case 4: {
                const int c = i >= static_cast<size_t>(bpp) ? prior[i - bpp] : 0;
                const int p = a + b - c;
                const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                predicted = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
                break;
            }
            default:
                break;
        }
        out[i] = static_cast<unsigned char>(row[i] - predicted);
    }
}

// Rows first..last of the unfiltered rows (each led by its filter byte 0), each with the filter
// whose bytes, read as signed, have the smallest sum of magnitudes: the usual heuristic.
void filterAdaptively(const unsigned char* plain, size_t rowBytes, int bpp, int first, int last,
                      unsigned char* out)
{
    const size_t size = rowBytes - 1;
    std::vector<unsigned char> zeros(size, 0), trial(size);
    for (int y = first; y < last; ++y) {
        const unsigned char* row = plain + rowBytes * y + 1;
        const unsigned char* prior = y > 0 ? row - rowBytes : zeros.data();
        unsigned char* target = out + rowBytes * (y - first);
        size_t best = 0;
        for (int type = 0; type <= 4; ++type) {
            filterRow(type, row, prior, size, bpp, trial.data());
            size_t sum = 0;
            for (const unsigned char v : trial) sum += v < 128 ? v : 256 - v;
            if (type == 0 || sum < best) {
                best = sum;
                target[0] = static_cast<unsigned char>(type);
                std::memcpy(target + 1, trial.data(), size);
            }
        }
    }
}

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

}  // namespace

QByteArray EncodePng(const QImage& image, int level)
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

    const int width = image.width();
    const int height = image.height();
    const int bytesPerPixel = indexed ? 1 : 3;
    const size_t rowBytes = 1 + static_cast<size_t>(width) * bytesPerPixel;

    // The rows as PNG stores them: a filter byte (0, none) and the samples.
    std::unique_ptr<unsigned char[]> raw(new unsigned char[rowBytes * height]);
    for (int y = 0; y < height; ++y) {
        unsigned char* out = raw.get() + rowBytes * y;
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

    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(level));
    if (!compressor) return QByteArray();
    const auto compressedSize = [&](const unsigned char* data, size_t size) {
        std::vector<char> out(libdeflate_zlib_compress_bound(compressor.get(), size));
        return libdeflate_zlib_compress(compressor.get(), data, size, out.data(), out.size());
    };

    // Dense charts compress best unfiltered, sparse ones with filters chosen row by row. A band
    // from the middle of the picture, compressed both ways, decides for the whole.
    const size_t rawSize = rowBytes * height;
    const int bandFirst = std::max(0, height / 2 - 24);
    const int bandLast = std::min(height, bandFirst + 48);
    std::unique_ptr<unsigned char[]> band(new unsigned char[rowBytes * (bandLast - bandFirst)]);
    filterAdaptively(raw.get(), rowBytes, bytesPerPixel, bandFirst, bandLast, band.get());
    const size_t bandSize = rowBytes * (bandLast - bandFirst);
    if (compressedSize(band.get(), bandSize) <
        compressedSize(raw.get() + rowBytes * bandFirst, bandSize)) {
        std::unique_ptr<unsigned char[]> filtered(new unsigned char[rawSize]);
        filterAdaptively(raw.get(), rowBytes, bytesPerPixel, 0, height, filtered.get());
        raw = std::move(filtered);
    }
    band.reset();

    QByteArray idat(
        static_cast<qsizetype>(libdeflate_zlib_compress_bound(compressor.get(), rawSize)),
        Qt::Uninitialized);
    const size_t compressed =
        libdeflate_zlib_compress(compressor.get(), raw.get(), rawSize, idat.data(), idat.size());
    raw.reset();
    if (compressed == 0) return QByteArray();

    QByteArray png;
    png.reserve(static_cast<qsizetype>(compressed) + 1024 + 3 * 256);
    png.append(reinterpret_cast<const char*>(Signature), sizeof Signature);

    char header[13];
    putBigEndian(header, static_cast<quint32>(width));
    putBigEndian(header + 4, static_cast<quint32>(height));
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
    appendChunk(png, "IDAT", idat.constData(), static_cast<quint32>(compressed));
    appendChunk(png, "IEND", nullptr, 0);
    return png;
}

}  // namespace basChart
