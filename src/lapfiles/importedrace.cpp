#include "lapfiles/importedrace.h"

#include "lapfiles/laptext.h"
#include "race/textutil.h"

#include "race/racetime.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace basConvert {
namespace {

using CbasGeneral::SecondsPerDay;
using CbasGeneral::SecondsToTime;

constexpr double MaxSeconds = 366 * SecondsPerDay;

// No time of a race comes near a year: a longer one (digits run together) is none, so whole
// seconds are never taken beyond what a number holds.
std::optional<long long> wholeSeconds(const std::optional<double>& seconds)
{
    if (!seconds || !(std::fabs(*seconds) <= MaxSeconds)) return std::nullopt;
    return std::llround(*seconds);
}

// A leg of so many seconds; none (LapMissing) when it is not positive, or a day or more, which
// a lap file cannot hold (its times run within one day) and no leg of a race takes.
double legTime(long long seconds)
{
    return seconds > 0 && seconds < SecondsPerDay ? SecondsToTime(static_cast<double>(seconds))
                                                  : LapMissing;
}

// Line breaks, tabs and other control characters within a text read as spaces: a lap or CSV
// file holds a text on one line between commas, and would otherwise take a line break in a
// name for the start of another runner. Those at either end go, as the spaces there do when a
// file is read, so the text reads back the same from our own files.
QString withoutControls(const QString& text)
{
    QString clean = text;
    for (QChar& c : clean)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return clean.trimmed();
}

// Leg values from the elapsed times at the controls and the total. A control without a time
// before the last known time makes its leg LapMerged (the next known time covers both); the
// legs after the last known time are unknown. A control punched in the same second as the one
// before it (controls side by side) gives a leg of no time, which is no missing punch: that leg
// is merged into the next known one, or, at the last known time, the last timed leg is merged
// into it, so every elapsed time after it keeps its value.
std::vector<double> legsFromElapsed(const ImportedRunner& runner, int controls)
{
    std::vector<std::optional<long long>> points;
    for (int i = 0; i < controls; ++i)
        points.push_back(i < static_cast<int>(runner.elapsed.size())
                             ? wholeSeconds(runner.elapsed[static_cast<size_t>(i)])
                             : std::nullopt);
    points.push_back(wholeSeconds(runner.totalSeconds));

    int lastKnown = -1;
    for (int i = 0; i < static_cast<int>(points.size()); ++i)
        if (points[static_cast<size_t>(i)]) lastKnown = i;
    // A valid run with no time at any control (a list of results without splits): its legs are
    // unknown, not one finish leg as long as the run.
    if (lastKnown == controls && controls > 0 && runner.status == RunStatus::Ok &&
        std::none_of(points.begin(), points.end() - 1, [](const auto& p) { return p; }))
        return std::vector<double>(static_cast<size_t>(controls) + 1, LapMissing);

    std::vector<double> legs;
    long long previous = 0;
    int lastTimed = -1;  // the last leg with a time of its own
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const auto& point = points[static_cast<size_t>(i)];
        if (!point) {
            legs.push_back(i < lastKnown ? LapMerged : LapMissing);
            continue;
        }
        const long long leg = *point - previous;
        previous = *point;
        if (leg == 0 && i < lastKnown) {
            legs.push_back(LapMerged);
        } else if (leg == 0 && lastTimed >= 0) {
            legs.push_back(legs[static_cast<size_t>(lastTimed)]);
            legs[static_cast<size_t>(lastTimed)] = LapMerged;
            lastTimed = i;
        } else {
            legs.push_back(legTime(leg));
            // Past a leg of no readable time the elapsed times run on from another point.
            lastTimed = legs.back() > 0 ? i : -1;
        }
    }
    // A leg merged into a next leg of unknown time is unknown itself.
    for (size_t i = legs.size(); i-- > 1;)
        if (legs[i] == LapMissing && IsLapMerged(legs[i - 1])) legs[i - 1] = LapMissing;
    return legs;
}

std::vector<double> givenLegs(const ImportedRunner& runner, int legCount)
{
    std::vector<double> legs;
    for (int i = 0; i < legCount; ++i) {
        std::optional<long long> leg = i < static_cast<int>(runner.legs.size())
                                           ? wholeSeconds(runner.legs[static_cast<size_t>(i)])
                                           : std::nullopt;
        if (leg && *leg < 0)
            legs.push_back(*leg == -1 ? LapMerged : LapAbsent);
        else
            legs.push_back(leg ? legTime(*leg) : LapMissing);
    }
    return legs;
}

bool hasAnyTime(const ImportedRunner& runner)
{
    if (runner.totalSeconds && *runner.totalSeconds > 0) return true;
    for (const auto& t : runner.legsGiven ? runner.legs : runner.elapsed)
        if (t && *t > 0) return true;
    return false;
}

// What the class adds up for a runner whose total is not valid, kept above one day so the run
// counts as incomplete even when every leg is known.
double incompleteTotal(const std::vector<double>& legs)
{
    double total = 0;
    for (double lap : legs) {
        if (lap == LapMissing)
            total += 1.0;
        else if (lap > 0)
            total += lap;
    }
    return total > 1.0 ? total : total + 1.0;
}

clsClassDataSub buildRunner(const ImportedRunner& imported, int controls)
{
    clsClassDataSub runner;
    runner.Namae = withoutControls(JoinName(imported.given, imported.family));
    runner.Shozoku = withoutControls(imported.club);
    if (const auto whole = wholeSeconds(imported.startSeconds)) {
        long long start = *whole % SecondsPerDay;
        if (start < 0) start += SecondsPerDay;
        runner.StartTime = SecondsToTime(static_cast<double>(start));
    }
    std::vector<double> legs = imported.legsGiven ? givenLegs(imported, controls + 1)
                                                  : legsFromElapsed(imported, controls);
    for (int k = 1; k <= static_cast<int>(legs.size()); ++k)
        runner.setLap(k, legs[static_cast<size_t>(k - 1)]);

    // A run that is not OK keeps its legs and is listed after the ranked runs.
    runner.Status = imported.status;
    if (imported.status == RunStatus::Ok) {
        auto total = wholeSeconds(imported.totalSeconds);
        if (total && *total > 0) runner.Total = SecondsToTime(static_cast<double>(*total));
    } else {
        runner.Total = incompleteTotal(legs);
    }
    return runner;
}

bool isJapaneseChar(char32_t c)
{
    return (c >= 0x3040 && c <= 0x30FF) ||  // hiragana, katakana
           (c >= 0x3400 && c <= 0x4DBF) ||  // CJK extension A
           (c >= 0x4E00 && c <= 0x9FFF) ||  // CJK unified ideographs
           (c >= 0xF900 && c <= 0xFAFF) ||  // compatibility ideographs
           (c >= 0xFF66 && c <= 0xFF9F) ||  // half-width katakana
           c == 0x3005;                     // 々
}

QString markForm(const QString& text)
{
    QString mark = text.trimmed().toLower();
    if (mark.size() > 2 && mark.startsWith(QLatin1Char('(')) && mark.endsWith(QLatin1Char(')')))
        mark = mark.mid(1, mark.size() - 2).trimmed();
    return mark;
}

}  // namespace

std::optional<RunStatus> StatusOfMark(const QString& text)
{
    struct Marks {
        RunStatus status;
        QStringList marks;
    };
    static const Marks kMarks[] = {
        {RunStatus::NotCompeting,
         {QStringLiteral("n/c"), QStringLiteral("ak"), QStringLiteral("a.k."), QStringLiteral("ut"),
          QStringLiteral("hc"), QStringLiteral("参"), QStringLiteral("オープン"),
          QStringLiteral("op")}},
        {RunStatus::MissingPunch,
         {QStringLiteral("pm"), QStringLiteral("mispunch"), QStringLiteral("felst"),
          QStringLiteral("felst."), QStringLiteral("p.fehl."), QStringLiteral("po.fal."),
          QStringLiteral("fehlst."), QStringLiteral("fehlst")}},
        {RunStatus::DidNotFinish,
         {QStringLiteral("utg"), QStringLiteral("utg."), QStringLiteral("aufgeg."),
          QStringLiteral("aufg."), QStringLiteral("aufg"), QStringLiteral("棄権")}},
        {RunStatus::Disqualified,
         {QStringLiteral("dq"), QStringLiteral("disq"), QStringLiteral("disq."),
          QStringLiteral("disk"), QStringLiteral("disk."), QStringLiteral("ko")}},
        {RunStatus::OverTime, {QStringLiteral("övertid"), QStringLiteral("タイムオーバー")}},
        {RunStatus::DidNotStart,
         {QStringLiteral("n.a."), QStringLiteral("n.ang."), QStringLiteral("ej start"),
          QStringLiteral("未出走")}},
    };
    const QString mark = markForm(text);
    if (mark.isEmpty()) return std::nullopt;
    for (const Marks& m : kMarks)
        if (m.marks.contains(mark)) return m.status;
    // "mp", "dnf", "dsq", "dns", "ot", "nc" and "ミスパンチ", "失格", "欠場", "参考"...; "ok" is
    // no mark.
    const std::optional<RunStatus> status = RunStatusOfText(mark);
    if (status == RunStatus::Ok) return std::nullopt;
    return status;
}

RunStatus WorseStatus(RunStatus a, RunStatus b)
{
    auto weight = [](RunStatus s) {
        switch (s) {
            case RunStatus::DidNotStart:
                return 6;
            case RunStatus::Disqualified:
                return 5;
            case RunStatus::DidNotFinish:
                return 4;
            case RunStatus::MissingPunch:
                return 3;
            case RunStatus::OverTime:
                return 2;
            case RunStatus::NotCompeting:
                return 1;
            case RunStatus::Ok:
                break;
        }
        return 0;
    };
    return weight(a) >= weight(b) ? a : b;
}

QString WithoutResultMark(const QString& name, const QString& mark)
{
    QString result = name.trimmed();
    for (const QString& m : {mark.trimmed(), QStringLiteral("n/c")}) {
        if (m.isEmpty() || !StatusOfMark(m)) continue;
        const QString suffix = QLatin1Char(' ') + m;
        if (result.size() > suffix.size() && result.endsWith(suffix, Qt::CaseInsensitive))
            result = result.left(result.size() - suffix.size()).trimmed();
    }
    return result;
}

ImportedClass& ImportedRace::classNamed(const QString& name)
{
    for (ImportedClass& c : classes)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) return c;
    classes.push_back(ImportedClass());
    classes.back().name = name;
    return classes.back();
}

bool HasJapanese(const QString& text)
{
    for (char32_t c : text.toUcs4())
        if (isJapaneseChar(c)) return true;
    return false;
}

QString JoinName(const QString& given, const QString& family)
{
    const QString g = given.trimmed();
    const QString f = family.trimmed();
    if (g.isEmpty()) return f;
    if (f.isEmpty()) return g;
    return HasJapanese(f) ? f + QLatin1Char(' ') + g : g + QLatin1Char(' ') + f;
}

int MostCommonControlCount(const std::map<int, int>& runnersByCount)
{
    int best = -1;
    int bestCount = 0;
    for (const auto& [controls, count] : runnersByCount)
        if (count >= bestCount) {
            best = controls;
            bestCount = count;
        }
    return best;
}

std::optional<double> ParseSeconds(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty()) return std::nullopt;
    const QStringList parts = t.split(QLatin1Char(':'));
    if (parts.size() > 3) return std::nullopt;
    double seconds = 0;
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        bool ok = false;
        double value = 0;
        if (i + 1 < parts.size()) {
            // Hours and minutes are whole numbers; only the last part may carry a fraction.
            for (QChar c : part)
                if (!c.isDigit()) return std::nullopt;
            value = part.toInt(&ok);
        } else {
            value = part.toDouble(&ok);
            if (ok && (value < 0 || !std::isfinite(value))) ok = false;
            if (ok && parts.size() > 1 && value >= 60) ok = false;
        }
        if (!ok) return std::nullopt;
        if (i > 0 && i + 1 < parts.size() && value >= 60) return std::nullopt;
        seconds = seconds * 60 + value;
    }
    return seconds;
}

bool BuildImportedRace(const ImportedRace& race, RaceHeader& header, ClassCollection& classes,
                       QStringList* warnings)
{
    header.clear();
    header.RaceName = withoutControls(race.eventName);
    header.RaceDate = race.eventDate;
    for (const ImportedClass& imported : race.classes) {
        const int controls = std::max(imported.controlCount, 0);
        if (controls > MaxLegs - 1) {  // written so that no count can overflow
            if (warnings)
                *warnings << QStringLiteral(
                                 "クラス「%1」は区間が%2を超えるため読み込みませんでした。")
                                 .arg(basDefinition::DisplayClassName(imported.name))
                                 .arg(MaxLegs);
            continue;
        }
        const QString name = withoutControls(imported.name);
        // Two names that differ only in their control characters are one class.
        clsClassData* existing = classes.find(name);
        clsClassData& target = existing ? *existing : classes.add(name);
        if (!existing) {
            target.ClassLength = imported.length;
            target.ClassUpHeight = imported.climb;
            target.ClassControlCount = controls;
            target.ClassLastGoalExist = true;
        }
        for (const ImportedRunner& runner : imported.runners) {
            if (runner.withdrawn || !hasAnyTime(runner)) continue;
            // A runner without a name is left out, as a table line without one is: the lap
            // file could not keep it.
            if (CbasGeneral::StripSpaces(runner.given + runner.family).isEmpty()) continue;
            // Nor is a runner whose only time a lap file cannot hold (a total of a day or more).
            clsClassDataSub built = buildRunner(runner, target.ClassControlCount);
            if (LapFileKeepsRunner(built, target.LegCount())) target.Add(built);
        }
    }
    return !classes.isEmpty();
}

}  // namespace basConvert
