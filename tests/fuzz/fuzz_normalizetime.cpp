// NormalizeTimeText in both modes on any text (the first byte picks the mode and the
// picture): it never fails, a time it produces is a time again when normalised once more, and
// five or six bare digits give a time only with those very digits (86400 is no 9:04:00).
#include "race/racetime.h"

#include <QRegularExpression>
#include <QString>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const bool durationMode = (data[0] & 1) != 0;
    const QString picture = (data[0] & 2) ? QStringLiteral("h:nn:ss") : QStringLiteral("hh:nn:ss");
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    const QString once = CbasGeneral::NormalizeTimeText(text, durationMode, picture);
    if (!CbasGeneral::ParseTime(once)) return 0;
    static const QRegularExpression digits(QStringLiteral("^[0-9]{5,6}$"));
    if (digits.match(text).hasMatch() && picture == QLatin1String("hh:nn:ss") &&
        QString(once).remove(QLatin1Char(':')) != text.rightJustified(6, QLatin1Char('0'))) {
        std::fprintf(stderr, "property broken: bare digits are read as they stand\n");
        std::abort();
    }
    const QString twice = CbasGeneral::NormalizeTimeText(once, durationMode, picture);
    if (!CbasGeneral::ParseTime(twice) ||
        CbasGeneral::RoundToSeconds(*CbasGeneral::ParseTime(twice)) !=
            CbasGeneral::RoundToSeconds(*CbasGeneral::ParseTime(once))) {
        std::fprintf(stderr, "property broken: a normalised time normalises to the same time\n");
        std::abort();
    }
    return 0;
}
