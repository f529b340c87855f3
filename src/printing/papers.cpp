#include "printing/papers.h"

namespace CbasPrinter {
namespace {

// Names of the standard paper codes 1-41, each a name, "、" and the dimensions.
const char* const kPaperNames[] = {
    "レター、8 1/2 x 11 インチ",
    "レター スモール、8 1/2 x 11 インチ",
    "タブロイド、11 x 17 インチ",
    "レジャー、17 x 11 インチ",
    "リーガル、8 1/2 x 14 インチ",
    "ステートメント、5 1/2 x 8 1/2 インチ",
    "エグゼクティブ、7 1/4 x 10 1/2 インチ",
    "A3、297 x 420 mm",
    "A4、210 x 297 mm",
    "A4 Small、210 x 297 mm",
    "A5、148 x 210 mm",
    "B4、257 x 364 mm",
    "B5、182 x 257 mm",
    "フォリオ、8 1/2 x 13 インチ",
    "クォート、215 x 275 mm",
    "10x14、10 x 14 インチ",
    "11x17、11 x 17 インチ",
    "ノート、8 1/2 x 11 インチ",
    "封筒 #9、3 7/8 x 8 7/8 インチ",
    "封筒 #10、4 1/8 x 9 1/2 インチ",
    "封筒 #11、4 1/2 x 10 3/8 インチ",
    "封筒 #12、4 3/4 x 11 インチ",
    "封筒 #14、5 x 11 1/2 インチ",
    "C サイズ シート",
    "D サイズ シート",
    "E サイズ シート",
    "封筒 DL、110 x 220 mm",
    "封筒 C5、162 x 229 mm",
    "封筒 C3、324 x 458 mm",
    "封筒 C4、229 x 324 mm",
    "封筒 C6、114 x 162 mm",
    "封筒 C65、114 x 229 mm",
    "封筒 B4、250 x 353 mm",
    "封筒 B5、176 x 250 mm",
    "封筒 B6、176 x 125 mm",
    "イタリア封筒、110 x 230 mm",
    "モナーク封筒、3 7/8 x 7 1/2 インチ",
    "6 3/4 封筒、3 5/8 x 6 1/2 インチ",
    "US 標準ファンフォールド、14 7/8 x 11 インチ",
    "ドイツ標準ファンフォールド、8 1/2 x 12 インチ",
    "ドイツ リーガル ファンフォールド、8 1/2 x 13 インチ",
};
constexpr int kNamedCodes = int(sizeof kPaperNames / sizeof kPaperNames[0]);

constexpr int kFirstListedCode = 8, kLastListedCode = 13;

bool isListedSize(int code)
{
    return code >= kFirstListedCode && code <= kLastListedCode;
}

QString shortName(int code)
{
    return PaperSizeName(code).section(QStringLiteral("、"), 0, 0);
}

}  // namespace

QString PaperSizeName(int code)
{
    if (code >= 1 && code <= kNamedCodes) return QString::fromUtf8(kPaperNames[code - 1]);
    if (code == PaperUser) return QStringLiteral("ユーザー定義のサイズ");
    return QStringLiteral("不明のサイズ");
}

QStringList ListedPaperNames()
{
    QStringList names;
    for (int code = kFirstListedCode; code <= kLastListedCode; ++code) names << shortName(code);
    return names;
}

int ListedPaperCode(const QString& name)
{
    for (int code = kFirstListedCode; code <= kLastListedCode; ++code)
        if (shortName(code).compare(name, Qt::CaseInsensitive) == 0) return code;
    return 0;
}

QPageSize PageSizeOfCode(int code)
{
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom) return QPageSize();
    return QPageSize(id);
}

int CodeOfPageSize(const QPageSize& size)
{
    return size.isValid() ? size.windowsId() : 0;
}

QList<PaperEntry> PaperList(int currentCode, const QList<int>& supportedCodes, int widthMm,
                            int heightMm)
{
    QList<PaperEntry> entries;
    for (int code : supportedCodes) {
        if (!isListedSize(code)) continue;
        PaperEntry entry{PaperSizeName(code).replace(QStringLiteral("、"), QStringLiteral(" ")),
                         code};
        if (code == currentCode)
            entries.prepend(entry);
        else
            entries.append(entry);
    }
    if (!isListedSize(currentCode))
        entries.prepend({QStringLiteral("その他 %1 x %2 mm").arg(widthMm).arg(heightMm), 0});
    return entries;
}

}  // namespace CbasPrinter
