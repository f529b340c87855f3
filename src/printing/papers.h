#pragma once
// Paper sizes by their standard paper codes (1 = Letter, 9 = A4, ..., 256 = user-defined) and
// the entries of the print tab's paper list.
#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

namespace CbasPrinter {

constexpr int PaperUser = 256;

// Japanese display name of a paper code ("A4、210 x 297 mm"); "不明のサイズ" for unknown codes.
QString PaperSizeName(int code);

// The short names of the sizes the print tab lists (A3 to B5, codes 8-13): the part of each
// display name before "、" ("A3", "A4", "A4 Small", …), in code order.
QStringList ListedPaperNames();
// The code of a listed size by its short name, letter case ignored; 0 for any other name.
int ListedPaperCode(const QString& name);

// The page size of a standard paper code (an invalid QPageSize for codes Qt does not know).
QPageSize PageSizeOfCode(int code);
// The standard code of a page size; 0 when it has none.
int CodeOfPageSize(const QPageSize& size);

// One entry of the paper list: its text and its paper code (0 for the "その他" entry, which
// stands for the printer's current paper).
struct PaperEntry {
    QString text;
    int code = 0;
};

// The paper list of the print tab for a printer: the supported sizes A3 to B5 (codes 8-13) with
// the current paper first; when the current paper is none of them, an entry
// "その他 <width> x <height> mm" comes first. The first entry describes the current paper.
QList<PaperEntry> PaperList(int currentCode, const QList<int>& supportedCodes, int widthMm,
                            int heightMm);

}  // namespace CbasPrinter
