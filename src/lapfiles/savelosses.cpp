#include "lapfiles/savelosses.h"

namespace basConvert {

namespace {

QString TypeName(SaveType type)
{
    switch (type) {
        case SaveType::CsvRows:
            return QStringLiteral("CSV形式[横型]");
        case SaveType::CsvColumns:
            return QStringLiteral("CSV形式[縦型]");
        case SaveType::IofXml:
            return QStringLiteral("IOF XML");
        case SaveType::Lap:
            return QString();
    }
    return QString();
}

// The header fields that hold something, by the names the class editor gives them.
QStringList HeaderFields(const RaceHeader& header, bool withNameAndDate)
{
    QStringList fields;
    if (withNameAndDate && !header.RaceName.isEmpty()) fields << QStringLiteral("名称");
    if (withNameAndDate && header.hasDate()) fields << QStringLiteral("日程");
    if (!header.RacePlace.isEmpty()) fields << QStringLiteral("テライン");
    if (!header.RaceRemarks.isEmpty()) fields << QStringLiteral("備考");
    return fields;
}

bool AnyStartTime(const ClassCollection& classes)
{
    for (const auto& c : classes)
        for (const clsClassDataSub& runner : c->RunnersAsAdded())
            if (runner.StartTime != 0) return true;
    return false;
}

QStringList CsvLosses(const RaceHeader& header, const ClassCollection& classes)
{
    QStringList losses;
    const QStringList fields = HeaderFields(header, true);
    if (!fields.isEmpty()) losses << QStringLiteral("大会の") + fields.join(QStringLiteral("・"));
    bool length = false, climb = false;
    QStringList empty;
    for (const auto& c : classes) {
        length = length || c->ClassLength != 0;
        climb = climb || c->ClassUpHeight != 0;
        if (c->ClassRunnerCount() == 0) empty << basDefinition::DisplayClassName(c->ClassName);
    }
    if (length) losses << QStringLiteral("クラスの距離");
    if (climb) losses << QStringLiteral("クラスの登距離");
    if (AnyStartTime(classes)) losses << QStringLiteral("スタート時刻");
    if (!empty.isEmpty())
        losses << QStringLiteral("走者のいないクラス (") + empty.join(QStringLiteral("、")) +
                      QLatin1Char(')');
    return losses;
}

QStringList IofXmlLosses(const RaceHeader& header, const ClassCollection& classes)
{
    QStringList losses;
    const QStringList fields = HeaderFields(header, false);
    if (!fields.isEmpty()) losses << QStringLiteral("大会の") + fields.join(QStringLiteral("・"));
    // A start is written as a date and time: without the race date it cannot be.
    if (!header.hasDate() && AnyStartTime(classes))
        losses << QStringLiteral("スタート時刻 (日程がないため)");
    return losses;
}

}  // namespace

QStringList SaveLosses(SaveType type, const RaceHeader& header, const ClassCollection& classes)
{
    switch (type) {
        case SaveType::CsvRows:
        case SaveType::CsvColumns:
            return CsvLosses(header, classes);
        case SaveType::IofXml:
            return IofXmlLosses(header, classes);
        case SaveType::Lap:
            return {};
    }
    return {};
}

QString SaveLossQuestion(SaveType type, const RaceHeader& header, const ClassCollection& classes)
{
    const QStringList losses = SaveLosses(type, header, classes);
    if (losses.isEmpty()) return QString();
    return TypeName(type) + QStringLiteral("では次のデータを保存できません。\n・") +
           losses.join(QStringLiteral("\n・")) +
           QStringLiteral("\n\nすべてを残すには LAP形式で保存してください。このまま保存しますか？");
}

}  // namespace basConvert
