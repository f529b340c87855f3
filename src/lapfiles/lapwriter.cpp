#include "lapfiles/lapformat.h"
#include "lapfiles/laptext.h"
#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <algorithm>

namespace basConvert {
namespace {

// Never more legs than a runner holds, whatever an editor left in the control count.
int writableLegs(const clsClassData& cls)
{
    return std::clamp(cls.LegCount(), 0, MaxLegs);
}

void appendClassKeys(const clsClassData& cls, QStringList& lines)
{
    const QString name = CbasGeneral::CsvField(cls.ClassName) + QLatin1Char('=');
    lines << QStringLiteral("$距離:") + name + QString::number(cls.ClassLength)
          << QStringLiteral("$登距離:") + name + QString::number(cls.ClassUpHeight)
          << QStringLiteral("$コントロール数:") + name + QString::number(cls.ClassControlCount);
}

QString columnHeaderLine(const clsClassData& cls)
{
    QString line = QStringLiteral("クラス,名前,所属,スタート時刻,総タイム");
    for (int k = 1; k <= writableLegs(cls); ++k)
        line += QLatin1Char(',') + CbasGeneral::LegLabel(cls.ClassControlCount, true, k);
    if (HasStatusColumn(cls)) line += QLatin1Char(',') + StatusHeading();
    return line;
}

QString runnerLine(const clsClassData& cls, const clsClassDataSub& runner, bool statusColumn)
{
    using CbasGeneral::CsvField;
    QStringList fields{CsvField(cls.ClassName), CsvField(runner.Namae), CsvField(runner.Shozoku),
                       ClockText(runner.StartTime), TotalText(runner, writableLegs(cls))};
    for (int k = 1; k <= writableLegs(cls); ++k) fields << LapText(runner.Lap(k));
    if (statusColumn) fields << StatusFieldText(runner);
    return fields.join(QLatin1Char(','));
}

QString dateText(const RaceHeader& header)
{
    return header.hasDate() ? CbasGeneral::FormatShortDate(header.RaceDate) : QString();
}

}  // namespace

QStringList BuildLapLines(const RaceHeader& header, const ClassCollection& classes)
{
    QStringList lines{QStringLiteral("$LAPFILE Ver=2"),
                      QStringLiteral("$LAPFILE Rev=2"),
                      QStringLiteral("$名称=") + header.RaceName,
                      QStringLiteral("$日時=") + dateText(header),
                      QStringLiteral("$場所=") + header.RacePlace,
                      QStringLiteral("$備考=") + header.RaceRemarks};
    for (const auto& cls : classes) appendClassKeys(*cls, lines);
    for (const auto& cls : classes) {
        lines << QString() << columnHeaderLine(*cls);
        const bool statusColumn = HasStatusColumn(*cls);
        for (int i = 1; i <= cls->ClassRunnerCount(); ++i)
            lines << runnerLine(*cls, cls->Item(i), statusColumn);
    }
    return lines;
}

}  // namespace basConvert
