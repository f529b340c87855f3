#include "chart/chartimage.h"

#include "chart/pngencode.h"
#include "race/pathutil.h"
#include "race/racetime.h"
#include "race/sidebyside.h"
#include "race/textutil.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace basChart {

using basAnalyze::AnalysisWorkspace;

namespace {

// The name of the rightmost finisher ends about this far right of E; the cut leaves room.
constexpr int CutMargin = 20;
constexpr int ImageMargin = 30;
constexpr int BottomMargin = 48;

int PlotTopOf(ChartMode mode)
{
    return mode == ChartMode::RaceTime ? 16 : 52;
}

}  // namespace

std::optional<int> ClockExportScroll(const AnalysisWorkspace& ws)
{
    const int p = ClockScrollFor(FirstStartTime(ws));
    if (p < 1 || p > ScrollMaximum - 1) return std::nullopt;
    return p;
}

int ExportRightEdge(const AnalysisWorkspace& ws, ChartMode mode, int scrollValue)
{
    int edge = 0;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        if (ws.TotalTime(r) <= 0 || ws.AnaLegCount < 1) continue;
        const double finish = CbasGeneral::TimeToSeconds(ws.SumTime(r, ws.AnaLegCount));
        double x = finish / SecondsPerPixel;
        if (mode == ChartMode::RaceTime) {
            x += 16;
        } else {
            x += 20 - ScrollStep * scrollValue +
                 SecondsFromClockOrigin(ws.RunnerStartTime(r)) /
                     static_cast<double>(SecondsPerPixel);
        }
        edge = std::max(edge, CbasGeneral::RoundHalfEven(x));
    }
    // Beyond the plot's own right edge there is nothing to keep; the closing line then falls on
    // the frame.
    const int plotRight = PlotLeft + (ExportWidth - 32);
    return std::min(edge, plotRight - CutMargin);
}

QImage RenderChartImage(const AnalysisWorkspace& ws, const ChartRequest& request)
{
    ChartRequest drawn = request;
    if (drawn.mode == ChartMode::RaceTime) drawn.scrollValue = 0;
    const int edge = ExportRightEdge(ws, drawn.mode, drawn.scrollValue);

    // Only the part of the 4000-pixel picture that is kept is laid out and painted: a picture
    // whose plot ends at the cut. Everything left of it lies where it lies on the whole picture,
    // and the runners' names are kept inside the plot that the image shows.
    QImage image(edge + ImageMargin, ExportHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    DrawChart(painter, QSize(edge + CutMargin + PlotRightMargin, ExportHeight), ws, drawn);
    painter.fillRect(QRect(edge + CutMargin, 0, ImageMargin - CutMargin, ExportHeight), Qt::white);
    // The cut removed the frame's right side: close it again.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(edge + CutMargin, PlotTopOf(drawn.mode), edge + CutMargin,
                     ExportHeight - BottomMargin);
    painter.end();
    return image;
}

QImage WithPalette(const QImage& image)
{
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        return image;
    QImage indexed(image.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    // The colours found so far in an open hash table four times the palette's size, so a
    // look-up rarely takes more than one step; key 0 marks a free slot (every colour is opaque).
    constexpr uint Slots = 1024;
    std::array<QRgb, Slots> keys{};
    std::array<uchar, Slots> values{};
    QRgb last = 0;
    uchar lastIndex = 0;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb c = in[x] | 0xff000000u;
            // Runs of one colour are the rule: the last look-up is kept.
            if (c != last) {
                uint slot = (c * 2654435761u) >> 22;
                while (keys[slot] != 0 && keys[slot] != c) slot = (slot + 1) % Slots;
                if (keys[slot] == 0) {
                    if (table.size() == 256) return image;
                    keys[slot] = c;
                    values[slot] = static_cast<uchar>(table.size());
                    table.append(c);
                }
                last = c;
                lastIndex = values[slot];
            }
            out[x] = lastIndex;
        }
    }
    indexed.setColorTable(table);
    return indexed;
}

QString PngFileName(const QString& fileName)
{
    const qsizetype separator =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot > separator) return fileName.left(dot + 1) + QStringLiteral("png");
    return fileName + QStringLiteral(".png");
}

bool WritePng(const QImage& image, const QString& fileName)
{
    // A picture of at most 256 colours is written with a palette: a quarter of the data and a
    // smaller file. Special files and links are handled by WriteFileBytes; the file is one the
    // user chose, so any link is followed.
    CbasGeneral::SetLastWriteError({});
    const QByteArray bytes = EncodePng(WithPalette(image));
    return !bytes.isEmpty() &&
           CbasGeneral::WriteFileBytes(fileName, bytes, CbasGeneral::LinkRule::FollowAny);
}

std::optional<ChartRequest> ExportRequest(const AnalysisWorkspace& ws, ChartRequest request)
{
    if (request.mode == ChartMode::RaceTime) {
        request.scrollValue = 0;
        return request;
    }
    const std::optional<int> p = ClockExportScroll(ws);
    if (!p) return std::nullopt;
    request.scrollValue = *p;
    return request;
}

void SaveChartPngs(const std::vector<ChartPngJob>& jobs,
                   const std::function<void(size_t index, bool ok)>& written)
{
    CbasGeneral::MakeSideBySide<QByteArray>(
        jobs.size(),
        [&jobs](size_t i) {
            const ChartPngJob& job = jobs[i];
            // The pool's threads end with it, and their memory with them.
            thread_local PngScratch scratch;
            return EncodePng(WithPalette(RenderChartImage(job.ws, job.request)), &scratch);
        },
        [&](size_t i, const QByteArray& bytes) {
            CbasGeneral::SetLastWriteError({});
            written(i, !bytes.isEmpty() && CbasGeneral::WriteFileBytes(jobs[i].fileName, bytes));
            return true;
        });
}

bool SaveChartPng(const QString& fileName, const AnalysisWorkspace& ws, ChartRequest request,
                  int* clockScroll)
{
    const std::optional<ChartRequest> drawn = ExportRequest(ws, request);
    if (!drawn) return false;
    if (clockScroll && drawn->mode == ChartMode::ClockTime) *clockScroll = drawn->scrollValue;
    return WritePng(RenderChartImage(ws, *drawn), PngFileName(fileName));
}

}  // namespace basChart
