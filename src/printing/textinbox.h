#pragma once
// Text placed inside a box of the page: horizontal or vertical writing, aligned, optionally cut
// to fit.
#include "printing/sheetcanvas.h"

namespace CbasPrinter {

// Where text sits in its box: left or top, in the centre, right or bottom.
enum class Align { Start, Centre, End };

// Draws text in the box (left, top, width, height) in mm.
// Horizontal writing: with fit, characters are dropped from the end while the text is not
// narrower than the box.
// Vertical writing: one character under the other, pitch times the line height apart. With fit
// the extra spacing goes first (pitch down to 1), then characters from the end, until the
// column fits the box height; without fit a column too tall keeps its characters at pitch 1.
// A font name beginning with "@" writes the characters in reverse order.
void PrintTextInBox(SheetCanvas& canvas, const QString& text, const PrintFont& font, double left,
                    double top, double width, double height, Align hAlign, Align vAlign,
                    bool vertical, double pitch, const QColor& color, bool fit);

}  // namespace CbasPrinter
