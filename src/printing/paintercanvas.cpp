#include "printing/sheetcanvas.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// Lines and outlines are drawn this wide; thinner hairlines vanish on some printers.
constexpr double kPenWidthMm = 0.2;

}  // namespace

PainterCanvas::PainterCanvas(QPagedPaintDevice* device) : device_(device)
{
}

PainterCanvas::~PainterCanvas()
{
    Finish();
}

double PainterCanvas::unitsPerMm() const
{
    return device_->logicalDpiX() / 25.4;
}

QRectF PainterCanvas::toDevice(const QRectF& rect) const
{
    const double k = unitsPerMm();
    return QRectF(rect.x() * k, rect.y() * k, rect.width() * k, rect.height() * k);
}

QPainter* PainterCanvas::painter()
{
    if (painter_ || failed_) return painter_;
    auto* p = new QPainter;
    if (!p->begin(device_)) {
        delete p;
        failed_ = true;
        return nullptr;
    }
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setRenderHint(QPainter::TextAntialiasing, true);
    painter_ = p;
    return painter_;
}

const PainterCanvas::ResolvedFont& PainterCanvas::resolve(const PrintFont& font)
{
    const QString key = font.ToText();
    auto found = fonts_.constFind(key);
    if (found == fonts_.constEnd()) {
        const QFont qfont = font.ToQFont();
        found = fonts_.insert(key, ResolvedFont{qfont, QFontMetricsF(qfont, device_)});
    }
    return *found;
}

double PainterCanvas::TextWidth(const QString& text, const PrintFont& font)
{
    return resolve(font).metrics.horizontalAdvance(text) / unitsPerMm();
}

double PainterCanvas::TextHeight(const QString&, const PrintFont& font)
{
    return resolve(font).metrics.height() / unitsPerMm();
}

void PainterCanvas::DrawText(double x, double y, const QString& text, const PrintFont& font,
                             const QColor& color)
{
    QPainter* p = painter();
    if (!p || text.isEmpty()) return;
    const ResolvedFont& resolved = resolve(font);
    const double k = unitsPerMm();
    p->setFont(resolved.font);
    p->setPen(color);
    p->drawText(QPointF(x * k, y * k + resolved.metrics.ascent()), text);
}

void PainterCanvas::FillRect(const QRectF& rect, const QColor& color)
{
    if (QPainter* p = painter()) p->fillRect(toDevice(rect), color);
}

void PainterCanvas::OutlineRect(const QRectF& rect, const QColor& color)
{
    QPainter* p = painter();
    if (!p) return;
    p->setPen(QPen(color, kPenWidthMm * unitsPerMm()));
    p->setBrush(Qt::NoBrush);
    p->drawRect(toDevice(rect));
}

void PainterCanvas::DrawLine(const QPointF& from, const QPointF& to, const QColor& color)
{
    QPainter* p = painter();
    if (!p) return;
    const double k = unitsPerMm();
    p->setPen(QPen(color, kPenWidthMm * k));
    p->drawLine(from * k, to * k);
}

bool PainterCanvas::NewPage()
{
    return painter_ ? device_->newPage() : true;
}

bool PainterCanvas::Finish()
{
    if (!painter_) return !failed_;
    const bool ok = painter_->end();
    delete painter_;
    painter_ = nullptr;
    return ok;
}
