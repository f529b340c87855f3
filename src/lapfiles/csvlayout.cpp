#include "lapfiles/csvlayout.h"

#include "lapfiles/laptext.h"
#include "lapfiles/transpose.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <algorithm>

namespace basConvert {
namespace {

int writableLegs(const clsClassData& cls)
{
    return std::clamp(cls.LegCount(), 0, MaxLegs);
}

QString columnHeaderLine(const clsClassData& cls, bool classColumn)
{
    QString line = classColumn ? QStringLiteral("クラス,名前,所属") : QStringLiteral("名前,所属");
    for (int k = 1; k <= writableLegs(cls); ++k)
        line += QLatin1Char(',') + CbasGeneral::LegLabel(cls.ClassControlCount, true, k);
    line += QStringLiteral(",総タイム");
    if (HasStatusColumn(cls)) line += QLatin1Char(',') + StatusHeading();
    return line;
}

QString runnerLine(const clsClassData& cls, const clsClassDataSub& runner, bool classColumn)
{
    using CbasGeneral::CsvField;
    QStringList fields;
    if (classColumn) fields << CsvField(cls.ClassName);
    fields << CsvField(runner.Namae) << CsvField(runner.Shozoku);
    for (int k = 1; k <= writableLegs(cls); ++k) fields << LapText(runner.Lap(k));
    fields << TotalText(runner, writableLegs(cls));
    if (HasStatusColumn(cls)) fields << StatusFieldText(runner);
    return fields.join(QLatin1Char(','));
}

}  // namespace

void BuildHorizontalLines(const ClassCollection& classes, QStringList& lines)
{
    lines.clear();
    const bool classColumn = !(classes.count() == 1 && classes.at(1).ClassName.isEmpty());
    for (const auto& cls : classes) {
        lines << columnHeaderLine(*cls, classColumn);
        for (int i = 1; i <= cls->ClassRunnerCount(); ++i)
            lines << runnerLine(*cls, cls->Item(i), classColumn);
        lines << QString();
    }
}

void BuildVerticalLines(const ClassCollection& classes, QStringList& lines)
{
    BuildHorizontalLines(classes, lines);
    TransposeLines(lines);
}

}  // namespace basConvert
