#include "lapfiles/laptext.h"

#include "race/basicformat.h"
#include "race/classdata.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <QRegularExpression>

namespace basConvert {

QString ClockText(double time)
{
    return CbasGeneral::FormatTime(time, QStringLiteral("hh:nn:ss"));
}

QString LapText(double lap)
{
    if (lap > 0) return ClockText(lap);
    if (lap == LapMissing) return QStringLiteral("n/a");
    if (IsLapMerged(lap)) return QStringLiteral("→");
    return QString();
}

namespace {

using CbasGeneral::SecondsPerDay;

bool readsBackAsTime(double time)
{
    return time > 0 && CbasGeneral::RoundToSeconds(time) % SecondsPerDay != 0;
}

// The total the class computes when the file gives "0": the legs as written (whole seconds)
// and one day for every missing split.
long long recomputedSeconds(const clsClassDataSub& runner, int legCount)
{
    long long seconds = 0;
    for (int k = 1; k <= legCount; ++k) {
        const double lap = runner.Lap(k);
        if (lap == LapMissing)
            seconds += SecondsPerDay;
        else if (lap > 0)
            seconds += CbasGeneral::RoundToSeconds(lap);
    }
    return seconds;
}

// "hh:nn:ss" with the hours running on past a day: "24:35:07" is one day and 35:07.
QString longTotalText(long long seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString TotalText(const clsClassDataSub& runner, int legCount)
{
    if (runner.Total <= 1) return ClockText(runner.Total);
    const long long seconds = CbasGeneral::RoundToSeconds(runner.Total);
    return seconds == recomputedSeconds(runner, legCount) ? QStringLiteral("0")
                                                          : longTotalText(seconds);
}

std::optional<double> ReadLongTotal(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{2,9}):([0-5]\\d):([0-5]\\d)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const long long hours = match.captured(1).toLongLong();
    if (hours < 24) return std::nullopt;
    const long long seconds =
        hours * 3600 + match.captured(2).toLongLong() * 60 + match.captured(3).toLongLong();
    return static_cast<double>(seconds) / SecondsPerDay;
}

QString StatusHeading()
{
    return QStringLiteral("状態");
}

bool HasStatusColumn(const clsClassData& cls)
{
    for (const clsClassDataSub& runner : cls.RunnersAsAdded())
        if (runner.Status != RunStatus::Ok) return true;
    return false;
}

QString StatusFieldText(const clsClassDataSub& runner)
{
    return runner.Status == RunStatus::Ok ? QString() : RunStatusCode(runner.Status);
}

bool LapFileKeepsRunner(const clsClassDataSub& runner, int legCount)
{
    if (CbasGeneral::Trim(runner.Namae).isEmpty()) return false;
    if (runner.Total <= 1 ? readsBackAsTime(runner.Total)
                          : TotalText(runner, legCount) != QLatin1String("0"))
        return true;
    for (int k = 1; k <= legCount; ++k)
        if (readsBackAsTime(runner.Lap(k))) return true;
    return false;
}

}  // namespace basConvert
