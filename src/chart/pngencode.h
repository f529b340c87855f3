#pragma once
// A PNG encoder for the chart images: 8-bit RGB or palette pictures in one stream compressed by
// libdeflate, faster and smaller than the usual zlib writer. Dense charts (many lines) compress
// best with their rows unfiltered, which also saves the filtering; sparse ones with a filter
// chosen row by row. A band of rows compressed both ways decides for each picture.
#include <QByteArray>
#include <QImage>

#include <vector>

namespace basChart {

// How hard deflate works: 1 (fastest) to 12 (smallest).
constexpr int PngCompressionLevel = 6;

// Memory an encoder may keep from picture to picture (one per thread): pictures of one size
// follow each other, and fresh memory of this size costs a page fault every few kilobytes.
struct PngScratch {
    std::vector<unsigned char> plain, filtered, compressed;
};

// The image as PNG file bytes: Format_RGB32 as 8-bit RGB, Format_Indexed8 with its colour table
// as a palette, the resolution as pHYs. Other formats go through Qt's PNG writer. Empty when the
// image is null or could not be encoded. Works in reuse when given, else in memory of its own.
QByteArray EncodePng(const QImage& image, PngScratch* reuse = nullptr,
                     int level = PngCompressionLevel);

}  // namespace basChart
