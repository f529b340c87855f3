#include "printing/textinbox.h"

namespace CbasPrinter {
namespace {

double aligned(Align align, double start, double extent, double size)
{
    switch (align) {
        case Align::Start:
            break;
        case Align::Centre:
            return start + (extent - size) / 2;
        case Align::End:
            return start + extent - size;
    }
    return start;
}

void horizontal(SheetCanvas& canvas, QString text, const PrintFont& font, double left, double top,
                double width, double height, Align hAlign, Align vAlign, const QColor& color,
                bool fit)
{
    if (fit)
        while (!text.isEmpty() && canvas.TextWidth(text, font) >= width) text.chop(1);
    const double x = aligned(hAlign, left, width, canvas.TextWidth(text, font));
    const double y = aligned(vAlign, top, height, canvas.TextHeight(text, font));
    canvas.DrawText(x, y, text, font, color);
}

void vertical(SheetCanvas& canvas, QString text, const PrintFont& font, double left, double top,
              double width, double height, Align hAlign, Align vAlign, double pitch,
              const QColor& color, bool fit)
{
    const double lineH = canvas.TextHeight(text, font);
    auto columnHeight = [&] { return lineH * pitch * (text.size() - 1) + lineH; };
    if (fit) {
        while (!text.isEmpty() && columnHeight() > height) {
            if (pitch > 1)
                pitch = 1;
            else
                text.chop(1);
        }
    } else if (columnHeight() > height) {
        pitch = 1;
    }
    const double step = lineH * pitch;
    const double total = columnHeight();
    const bool reverse = font.name.trimmed().startsWith(QLatin1Char('@'));
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const QString ch = text.mid(reverse ? n - 1 - i : i, 1);
        const double x = aligned(hAlign, left, width, canvas.TextWidth(ch, font));
        double y = top + i * step;
        if (vAlign == Align::Centre)
            y += (height - total) / 2;
        else if (vAlign == Align::End)
            y += height - total;
        canvas.DrawText(x, y, ch, font, color);
    }
}

}  // namespace

void PrintTextInBox(SheetCanvas& canvas, const QString& text, const PrintFont& font, double left,
                    double top, double width, double height, Align hAlign, Align vAlign,
                    bool verticalWriting, double pitch, const QColor& color, bool fit)
{
    if (verticalWriting)
        vertical(canvas, text, font, left, top, width, height, hAlign, vAlign, pitch, color, fit);
    else
        horizontal(canvas, text, font, left, top, width, height, hAlign, vAlign, color, fit);
}

}  // namespace CbasPrinter
