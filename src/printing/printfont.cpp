#include "printing/printfont.h"

#include "race/fontnames.h"
#include "race/textutil.h"

#include <QStringList>

QString PrintFontFamily(const QString& name)
{
    QString bare = name.trimmed();
    if (bare.startsWith(QLatin1Char('@'))) bare.remove(0, 1);
    return FontNames::InstalledFamily(bare);
}

PrintFont PrintFont::Parse(const QString& text, const PrintFont& fallback, double scale)
{
    PrintFont font = fallback;
    const QStringList fields = text.split(QLatin1Char(','));
    if (!fields.value(0).trimmed().isEmpty()) font.name = fields.value(0).trimmed();
    if (fields.size() > 1 && CbasGeneral::IsNumeric(fields[1]))
        font.size = CbasGeneral::Val(fields[1]);
    if (fields.size() > 2) font.bold = fields[2].trimmed() == QLatin1String("True");
    if (fields.size() > 3) font.italic = fields[3].trimmed() == QLatin1String("True");
    font.size *= scale;
    return font;
}

QString PrintFont::ToText() const
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(name, QString::number(size), bold ? QStringLiteral("True") : QStringLiteral("False"),
             italic ? QStringLiteral("True") : QStringLiteral("False"));
}

QFont PrintFont::ToQFont() const
{
    QFont font(PrintFontFamily(name));
    // A size of 0 or less would make Qt fall back to its default size; the smallest size
    // keeps a shrunk layout shrunk.
    font.setPointSizeF(size > 0.1 ? size : 0.1);
    font.setBold(bold);
    font.setItalic(italic);
    font.setKerning(false);
    return font;
}
