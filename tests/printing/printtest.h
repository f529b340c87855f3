#pragma once
// Shared pieces of the printing tests: a canvas that records what is drawn (in mm), a device
// that records while it writes a real PDF, small classes built through the race model, and the
// poppler tools that read the PDF back.
#include "analysis/workspace.h"
#include "common/testsupport.h"
#include "printing/pdfdevice.h"
#include "race/race.h"

#include <QImage>
#include <QProcess>
#include <QStringList>

#include <memory>
#include <vector>

namespace printtest {

struct Drawn {
    enum Kind { Text, Fill, Outline, Line } kind;
    QRectF box;  // text: its line box; line: from top-left to bottom-right
    QString text;
    PrintFont font;
    QColor color;
    int page = 1;
};

// Records every drawing and forwards it (and the measuring) to another canvas.
class RecordingCanvas : public SheetCanvas {
public:
    explicit RecordingCanvas(SheetCanvas* inner) : inner_(inner) {}
    double TextWidth(const QString& t, const PrintFont& f) override
    {
        return inner_->TextWidth(t, f);
    }
    double TextHeight(const QString& t, const PrintFont& f) override
    {
        return inner_->TextHeight(t, f);
    }
    void DrawText(double x, double y, const QString& t, const PrintFont& f,
                  const QColor& c) override
    {
        items.push_back(
            {Drawn::Text, QRectF(x, y, TextWidth(t, f), TextHeight(t, f)), t, f, c, page});
        inner_->DrawText(x, y, t, f, c);
    }
    void FillRect(const QRectF& r, const QColor& c) override
    {
        items.push_back({Drawn::Fill, r, {}, {}, c, page});
        inner_->FillRect(r, c);
    }
    void OutlineRect(const QRectF& r, const QColor& c) override
    {
        items.push_back({Drawn::Outline, r, {}, {}, c, page});
        inner_->OutlineRect(r, c);
    }
    void DrawLine(const QPointF& a, const QPointF& b, const QColor& c) override
    {
        items.push_back({Drawn::Line, QRectF(a, b), {}, {}, c, page});
        inner_->DrawLine(a, b, c);
    }

    // Every text drawn with exactly that content.
    std::vector<Drawn> texts(const QString& t) const
    {
        std::vector<Drawn> found;
        for (const Drawn& d : items)
            if (d.kind == Drawn::Text && d.text == t) found.push_back(d);
        return found;
    }
    std::vector<Drawn> of(Drawn::Kind kind) const
    {
        std::vector<Drawn> found;
        for (const Drawn& d : items)
            if (d.kind == kind) found.push_back(d);
        return found;
    }

    std::vector<Drawn> items;
    int page = 1;

private:
    SheetCanvas* inner_;
};

// The PDF printer with a recorder in front of its canvas.
class RecordingPdfDevice : public PrintDevice {
public:
    explicit RecordingPdfDevice(const QString& path) : pdf(path), recorder(&pdf.Canvas()) {}
    QString DeviceName() const override { return pdf.DeviceName(); }
    QList<int> PaperSizes() const override { return pdf.PaperSizes(); }
    int PaperSize() const override { return pdf.PaperSize(); }
    void SetPaperSize(int code) override { pdf.SetPaperSize(code); }
    PaperOrientation Orientation() const override { return pdf.Orientation(); }
    void SetOrientation(PaperOrientation o) override { pdf.SetOrientation(o); }
    QSizeF PaperSizeMmF() const override { return pdf.PaperSizeMmF(); }
    QRectF PrintableRectMm() const override { return pdf.PrintableRectMm(); }
    SheetCanvas& Canvas() override { return recorder; }
    bool NewPage() override
    {
        ++recorder.page;
        return pdf.NewPage();
    }
    bool EndDocument() override { return pdf.EndDocument(); }

    PdfPrintDevice pdf;
    RecordingCanvas recorder;
};

// A runner: name, club, leg times in seconds (0 = missing split, -1 merged into the next).
struct Runner {
    QString name;
    QString club;
    std::vector<double> legs;
};

// Adds a class whose last leg is the finish leg.
void addClass(const QString& name, const std::vector<Runner>& runners);

// pdftotext's text of the whole file (empty when the tool is missing).
QString pdfText(const QString& path);
// pdfinfo's "Pages" and "Page size" lines' values.
struct PdfInfo {
    int pages = 0;
    double widthPt = 0, heightPt = 0;
};
PdfInfo pdfInfo(const QString& path);
bool popplerAvailable();
// The first page of the PDF as a picture at 20 dots per inch (null when it cannot be made);
// the picture is written beside base.
QImage pdfPage(const QString& path, const QString& base);

}  // namespace printtest
