#pragma once
// The lap chart as a PNG image: drawn on a 4000 x 600 picture so that the whole race fits, cut
// just right of the last finisher's name and closed with a frame line.
#include "analysis/workspace.h"
#include "chart/drawchart.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace basChart {

constexpr int ExportWidth = 4000;
constexpr int ExportHeight = 600;

// The scroll value of a clock-time image: as the window's clock-time start, but none when the
// first start is about 8:15 or earlier or after about 16:10 (1..47 only); no image is made then.
std::optional<int> ClockExportScroll(const basAnalyze::AnalysisWorkspace& ws);

// E: x of the rightmost name under the finish on the export picture (0 when nobody has a valid
// total), at most as far right as the frame of the 4000-pixel picture allows.
int ExportRightEdge(const basAnalyze::AnalysisWorkspace& ws, ChartMode mode, int scrollValue);

// The export picture, E + 30 by 600 pixels, for the request's mode. Race time is drawn from
// 0:00 (the request's scroll value is not used); clock time at the request's scroll value.
QImage RenderChartImage(const basAnalyze::AnalysisWorkspace& ws, const ChartRequest& request);

// The name the image is written under: the extension of the file name replaced by "png", or
// ".png" appended when the file name has none (a dot in a folder name does not count).
QString PngFileName(const QString& fileName);

// The same pixels as an 8-bit palette image when the picture has at most 256 colours; otherwise
// the image unchanged.
QImage WithPalette(const QImage& image);

// Writes the image as PNG (with a palette when its colours fit), replacing an existing file only
// once the new one is complete.
bool WritePng(const QImage& image, const QString& fileName);

// The request as its image is drawn: race time from 0:00, clock time at ClockExportScroll.
// None when there is no clock-time image for the class.
std::optional<ChartRequest> ExportRequest(const basAnalyze::AnalysisWorkspace& ws,
                                          ChartRequest request);

// One image of a batch: its own copy of the class's analysis, the request as ExportRequest gave
// it, the name it is written under and its key.
struct ChartPngJob {
    basAnalyze::AnalysisWorkspace ws;
    ChartRequest request;
    QString fileName;
    QByteArray key;  // what the image is made from (chartkeys.h), when the batch keeps keys
};

// Renders and encodes the images on a pool of threads (one per core), each from its job's
// analysis with its own picture and painter, and writes them through WriteFileBytes one after
// another in the order of the jobs, each as soon as it and those before it are ready. After each
// file, written(index, ok) is called on the calling thread, in the order of the jobs; when ok is
// false, CbasGeneral::LastWriteError() tells why (when a write was tried).
void SaveChartPngs(const std::vector<ChartPngJob>& jobs,
                   const std::function<void(size_t index, bool ok)>& written);

// Renders and writes the chart of the request's mode under PngFileName(fileName). In clock time
// the scroll value is chosen by ClockExportScroll and reported through clockScroll. Returns
// false when no file was written (clock time out of range, or the file could not be written).
bool SaveChartPng(const QString& fileName, const basAnalyze::AnalysisWorkspace& ws,
                  ChartRequest request, int* clockScroll = nullptr);

}  // namespace basChart
