#include "lapfiles/resultrow.h"

#include "lapfiles/importedrace.h"

#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace basConvert {
namespace {

using C = ResultColumn;

QString field(const QStringList& fields, int position)
{
    if (position < 0 || position >= fields.size()) return QString();
    return fields[position].trimmed();
}

int wholeNumber(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    const double value = text.toDouble();
    return std::isfinite(value) && std::fabs(value) < 1e9 ? static_cast<int>(std::lround(value))
                                                          : 0;
}

// A length in kilometres ("6.2", "18,400") or, written as a larger number, in metres.
int metres(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    const double value = text.toDouble();
    if (!std::isfinite(value) || value <= 0 || value > 1e6) return 0;
    return static_cast<int>(std::lround(value < 100 ? value * 1000 : value));
}

// The OE classifier: 0 OK, 1 did not start, 2 did not finish, 3 mispunched, 4 disqualified,
// 5 over time; other programs write a word. A number of no known meaning is no valid run.
RunStatus statusOfClassifier(const QString& text)
{
    if (text.isEmpty() || text.compare(QLatin1String("ok"), Qt::CaseInsensitive) == 0)
        return RunStatus::Ok;
    bool number = false;
    const int code = text.toInt(&number);
    if (number) {
        static const RunStatus byCode[] = {RunStatus::Ok,           RunStatus::DidNotStart,
                                           RunStatus::DidNotFinish, RunStatus::MissingPunch,
                                           RunStatus::Disqualified, RunStatus::OverTime};
        return code >= 0 && code < 6 ? byCode[code] : RunStatus::MissingPunch;
    }
    return StatusOfMark(text).value_or(RunStatus::Ok);
}

// A time field that may hold a mark instead of, or in front of, the time: "aufgeg.",
// "P.fehl.", "ak-132:04". The time is read when there is one; the mark gives the status.
std::optional<double> readTimeField(const QString& text, RunStatus& status)
{
    if (text.isEmpty()) return std::nullopt;
    if (auto seconds = ParseSeconds(text)) return seconds;
    static const QRegularExpression trailingTime(
        QStringLiteral("([0-9]+(:[0-9]+){1,2}([.,][0-9]+)?)$"));
    const QRegularExpressionMatch match = trailingTime.match(text);
    QString mark = match.hasMatch() ? text.left(match.capturedStart(0)) : text;
    while (mark.endsWith(QLatin1Char('-')) || mark.endsWith(QLatin1Char(' '))) mark.chop(1);
    status = WorseStatus(status, StatusOfMark(mark).value_or(RunStatus::MissingPunch));
    return match.hasMatch() ? ParseSeconds(match.captured(1)) : std::nullopt;
}

QString classNameOf(const QStringList& fields, const ResultHeader& h)
{
    QString name;
    for (C column : {C::ClassName, C::ClassShort, C::ClassLong, C::Course}) {
        name = field(fields, h[column]);
        if (!name.isEmpty()) break;
    }
    // A relay export: one class per class and leg.
    const QString leg = field(fields, h[C::Leg]);
    bool number = false;
    const int legNo = leg.toInt(&number);
    if (number && legNo > 0) name += QLatin1Char('-') + QString::number(legNo);
    return name;
}

QString clubOf(const QStringList& fields, const ResultHeader& h)
{
    const QString team = h[C::Leg] >= 0 ? field(fields, h[C::Team]) : QString();
    if (!team.isEmpty()) return team;
    QString club = field(fields, h[C::Club]);
    const int city = h[C::City] >= 0         ? h[C::City]
                     : h[C::ClubNumber] >= 0 ? h[C::ClubNumber] + 2
                                             : -1;
    if (club.isEmpty()) club = field(fields, city);
    // The club's short name, in front of its long one.
    if (club.isEmpty() && h[C::ClubNumber] >= 0) club = field(fields, h[C::ClubNumber] + 1);
    return club;
}

RunStatus statusOf(const QStringList& fields, const ResultHeader& h)
{
    RunStatus status = statusOfClassifier(field(fields, h[C::Status]));
    if (auto mark = StatusOfMark(field(fields, h[C::Place]))) status = WorseStatus(status, *mark);
    const QString nc = field(fields, h[C::NonCompetitive]).toLower();
    if (!nc.isEmpty() && nc != QLatin1String("0") && nc != QLatin1String("no") &&
        nc != QLatin1String("n") && nc != QLatin1String("nein") && nc != QLatin1String("false"))
        status = WorseStatus(status, RunStatus::NotCompeting);
    return status;
}

bool isFinishCode(const QString& code)
{
    static const QStringList finish{QStringLiteral("f"),    QStringLiteral("z"),
                                    QStringLiteral("ziel"), QStringLiteral("finish"),
                                    QStringLiteral("mål"),  QStringLiteral("maali"),
                                    QStringLiteral("◎"),    QStringLiteral("arrivée")};
    return finish.contains(code.toLower());
}

// The punches of the groups; "-----", "-", an empty time and "0:00" mark a missing punch.
std::vector<ResultPunch> punchesOf(const QStringList& fields, const PunchGroups& groups)
{
    std::vector<ResultPunch> punches;
    if (groups.first < 0) return punches;
    int last = static_cast<int>(fields.size()) - 1;
    while (last >= groups.first && fields[last].trimmed().isEmpty()) --last;
    for (int p = groups.first; p <= last; p += groups.width) {
        ResultPunch punch;
        punch.code = field(fields, p + groups.code);
        // Some exports end the pairs with the finish itself: it is the run's time, no control.
        if (isFinishCode(punch.code)) break;
        punch.time = ParseSeconds(field(fields, p + groups.time));
        if (punch.time && *punch.time <= 0) punch.time.reset();
        if (groups.number >= 0) {
            bool ok = false;
            punch.number = field(fields, p + groups.number).toInt(&ok);
            if (!ok || punch.number < 0) punch.number = 0;
        }
        punches.push_back(punch);
    }
    return punches;
}

}  // namespace

ResultRow ReadResultRow(const QStringList& fields, const ResultHeader& h)
{
    ResultRow row;
    row.className = classNameOf(fields, h);
    row.length = metres(field(fields, h[C::Length]));
    row.climb = wholeNumber(field(fields, h[C::Climb]));
    row.controls = wholeNumber(field(fields, h[C::Controls]));

    ImportedRunner& runner = row.runner;
    runner.status = statusOf(fields, h);
    const QString mark = !field(fields, h[C::Place]).isEmpty() ? field(fields, h[C::Place])
                                                               : field(fields, h[C::Status]);
    runner.family = WithoutResultMark(field(fields, h[C::Name]), mark);
    runner.given = WithoutResultMark(field(fields, h[C::GivenName]), mark);
    // Exports without names know a runner by the card or the start number only.
    if (runner.family.isEmpty() && runner.given.isEmpty()) {
        runner.family = field(fields, h[C::Chip]);
        if (runner.family.isEmpty()) runner.family = field(fields, h[C::StartNumber]);
    }
    runner.club = clubOf(fields, h);

    RunStatus timeStatus = RunStatus::Ok;
    runner.startSeconds = ParseSeconds(field(fields, h[C::Start]));
    if (!runner.startSeconds) runner.startSeconds = ParseSeconds(field(fields, h[C::StartPunch]));
    runner.totalSeconds = readTimeField(field(fields, h[C::Time]), timeStatus);
    runner.status = WorseStatus(runner.status, timeStatus);
    std::optional<double>& finish = row.finish;
    finish = ParseSeconds(field(fields, h[C::Finish]));
    if (!finish) finish = ParseSeconds(field(fields, h[C::FinishPunch]));
    if (!runner.totalSeconds && timeStatus == RunStatus::Ok && finish && runner.startSeconds &&
        *finish > *runner.startSeconds)
        runner.totalSeconds = *finish - *runner.startSeconds;
    row.overall = ParseSeconds(field(fields, h[C::OverallTime]));
    row.punches = punchesOf(fields, h.groups);
    return row;
}

bool IsResultLine(const QStringList& fields, const ResultHeader& h)
{
    if (h[C::Time] >= 0 && fields.size() <= h[C::Time]) return false;
    for (C column : {C::Name, C::GivenName, C::Chip, C::StartNumber})
        if (!field(fields, h[column]).isEmpty()) return true;
    return false;
}

}  // namespace basConvert
