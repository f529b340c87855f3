#pragma once
// The drawing surface of a printed page in millimetres from the top-left corner of the
// printable area. The split sheets draw only through it, so the PDF writer, the printers and
// the tests share one drawing path.
#include "printing/printfont.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;
class QPainter;

class SheetCanvas {
public:
    virtual ~SheetCanvas() = default;
    // Measures of a text in a font: the advance width and the line height, in mm.
    virtual double TextWidth(const QString& text, const PrintFont& font) = 0;
    virtual double TextHeight(const QString& text, const PrintFont& font) = 0;
    // Text whose line box has its top-left corner at (x, y).
    virtual void DrawText(double x, double y, const QString& text, const PrintFont& font,
                          const QColor& color) = 0;
    virtual void FillRect(const QRectF& rect, const QColor& color) = 0;
    virtual void OutlineRect(const QRectF& rect, const QColor& color) = 0;
    virtual void DrawLine(const QPointF& from, const QPointF& to, const QColor& color) = 0;
};

// The canvas over a QPainter on a paged device (QPdfWriter, QPrinter). The painter starts on
// the first drawing, so a run that draws nothing sends no document. The painter's origin is the
// top-left corner of the printable area, as Qt sets it for both devices.
class PainterCanvas : public SheetCanvas {
public:
    explicit PainterCanvas(QPagedPaintDevice* device);
    ~PainterCanvas() override;

    double TextWidth(const QString& text, const PrintFont& font) override;
    double TextHeight(const QString& text, const PrintFont& font) override;
    void DrawText(double x, double y, const QString& text, const PrintFont& font,
                  const QColor& color) override;
    void FillRect(const QRectF& rect, const QColor& color) override;
    void OutlineRect(const QRectF& rect, const QColor& color) override;
    void DrawLine(const QPointF& from, const QPointF& to, const QColor& color) override;

    // Whether anything was drawn (the document has begun).
    bool Started() const { return painter_ != nullptr; }
    // False when the device could not be opened at the first drawing (for example a PDF file
    // in a folder that cannot be written).
    bool Failed() const { return failed_; }
    // Starts the next page (only once the document has begun).
    bool NewPage();
    // Ends the document; true when it was written completely.
    bool Finish();

private:
    // A font and its metrics on the device, made once per description: resolving a font is the
    // slowest step of measuring a text.
    struct ResolvedFont {
        QFont font;
        QFontMetricsF metrics;
    };
    const ResolvedFont& resolve(const PrintFont& font);
    QPainter* painter();
    double unitsPerMm() const;
    QRectF toDevice(const QRectF& rect) const;

    QPagedPaintDevice* device_;
    QPainter* painter_ = nullptr;
    bool failed_ = false;
    QHash<QString, ResolvedFont> fonts_;
};
