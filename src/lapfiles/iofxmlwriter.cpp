// Writing the race as an IOF XML 3.0 result list. Other programs' readers are strict about the
// order of elements, so every element below is written in the order the data standard fixes:
// ResultList: Event, ClassResult...; ClassResult: Class, Course, PersonResult...;
// PersonResult: Person, Organisation, Result; Result: StartTime, Time, Position, Status,
// SplitTime...; SplitTime: ControlCode, Time.
#include "lapfiles/importedrace.h"
#include "lapfiles/interchange.h"

#include "race/racetime.h"

#include <QDateTime>
#include <QStringList>
#include <QXmlStreamWriter>

#include <optional>
#include <vector>

namespace basConvert {
namespace {

const QString Namespace = QStringLiteral("http://www.orienteering.org/datastandard/3.0");

struct PersonName {
    QString given;
    QString family;
};

// The inverse of JoinName: a Japanese name's first word is the family name, another name's
// last word; a name without a blank is all family name.
PersonName splitName(const QString& name)
{
    QString simplified = name;
    simplified.replace(QChar(0x3000), QLatin1Char(' '));
    QStringList words = simplified.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    PersonName result;
    if (words.size() < 2) {
        result.family = words.value(0);
    } else if (HasJapanese(simplified)) {
        result.family = words.takeFirst();
        result.given = words.join(QLatin1Char(' '));
    } else {
        result.family = words.takeLast();
        result.given = words.join(QLatin1Char(' '));
    }
    return result;
}

QString seconds(double value)
{
    return QString::number(CbasGeneral::RoundToSeconds(value));
}

bool isValidResult(const clsClassDataSub& runner)
{
    return runner.Total > 0 && runner.Total <= 1.0;
}

// The run's own status; without one, an incomplete run that reached the finish has missed a
// control and one that did not is not finished.
QString statusOf(const clsClassDataSub& runner, int legCount)
{
    switch (runner.Status) {
        case RunStatus::Ok:
            break;
        case RunStatus::MissingPunch:
            return QStringLiteral("MissingPunch");
        case RunStatus::DidNotFinish:
            return QStringLiteral("DidNotFinish");
        case RunStatus::Disqualified:
            return QStringLiteral("Disqualified");
        case RunStatus::DidNotStart:
            return QStringLiteral("DidNotStart");
        case RunStatus::OverTime:
            return QStringLiteral("OverTime");
        case RunStatus::NotCompeting:
            return QStringLiteral("NotCompeting");
    }
    if (isValidResult(runner)) return QStringLiteral("OK");
    if (legCount > 0 && runner.Lap(legCount) > 0) return QStringLiteral("MissingPunch");
    return QStringLiteral("DidNotFinish");
}

class Writer {
public:
    explicit Writer(QByteArray* out) : xml_(out)
    {
        xml_.setAutoFormatting(true);
        xml_.setAutoFormattingIndent(2);
    }

    void race(const RaceHeader& header, const ClassCollection& classes)
    {
        date_ = header.RaceDate;
        xml_.writeStartDocument();
        xml_.writeStartElement(QStringLiteral("ResultList"));
        xml_.writeDefaultNamespace(Namespace);
        xml_.writeAttribute(QStringLiteral("iofVersion"), QStringLiteral("3.0"));
        xml_.writeAttribute(QStringLiteral("createTime"),
                            QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
        xml_.writeAttribute(QStringLiteral("creator"), QStringLiteral("SplitDuel"));
        xml_.writeAttribute(QStringLiteral("status"), QStringLiteral("Complete"));
        event(header);
        for (const auto& c : classes) classResult(*c);
        xml_.writeEndElement();
        xml_.writeEndDocument();
    }

private:
    void text(const char* name, const QString& value)
    {
        xml_.writeTextElement(QLatin1String(name), value);
    }

    void event(const RaceHeader& header)
    {
        xml_.writeStartElement(QStringLiteral("Event"));
        text("Name", header.RaceName);
        if (header.hasDate()) {
            xml_.writeStartElement(QStringLiteral("StartTime"));
            text("Date", header.RaceDate.toString(Qt::ISODate));
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    // The controls written as split times: all legs but the last, which ends at the finish. A
    // class without a finish leg ends at its last control, which so takes the finish's place.
    static int splitControls(const clsClassData& c) { return std::max(c.LegCount() - 1, 0); }

    void classResult(const clsClassData& c)
    {
        xml_.writeStartElement(QStringLiteral("ClassResult"));
        xml_.writeStartElement(QStringLiteral("Class"));
        text("Name", c.ClassName);
        xml_.writeEndElement();
        xml_.writeStartElement(QStringLiteral("Course"));
        if (c.ClassLength > 0) text("Length", QString::number(c.ClassLength));
        if (c.ClassUpHeight > 0) text("Climb", QString::number(c.ClassUpHeight));
        // A class without runners has no split times to place its finish: its course keeps the
        // class's own count, whether its finish leg is known or not.
        const int controls = c.ClassRunnerCount() == 0 ? c.ClassControlCount : splitControls(c);
        text("NumberOfControls", QString::number(controls));
        xml_.writeEndElement();

        // Competition ranks over the valid results: equal totals share a position.
        int position = 0;
        int validCount = 0;
        long long previousTotal = -1;
        for (int n = 1; n <= c.ClassRunnerCount(); ++n) {
            const clsClassDataSub& runner = c.Item(n);
            if (isValidResult(runner)) {
                ++validCount;
                const long long total = CbasGeneral::RoundToSeconds(runner.Total);
                if (total != previousTotal) position = validCount;
                previousTotal = total;
            }
            personResult(c, runner, position);
        }
        xml_.writeEndElement();
    }

    void personResult(const clsClassData& c, const clsClassDataSub& runner, int position)
    {
        xml_.writeStartElement(QStringLiteral("PersonResult"));
        const PersonName name = splitName(runner.Namae);
        xml_.writeStartElement(QStringLiteral("Person"));
        xml_.writeStartElement(QStringLiteral("Name"));
        text("Family", name.family);
        text("Given", name.given);
        xml_.writeEndElement();
        xml_.writeEndElement();
        if (!runner.Shozoku.trimmed().isEmpty()) {
            xml_.writeStartElement(QStringLiteral("Organisation"));
            text("Name", runner.Shozoku.trimmed());
            xml_.writeEndElement();
        }
        result(c, runner, position);
        xml_.writeEndElement();
    }

    void result(const clsClassData& c, const clsClassDataSub& runner, int position)
    {
        xml_.writeStartElement(QStringLiteral("Result"));
        // A start is a date and time; without the race date it cannot be written.
        if (runner.StartTime > 0 && date_.isValid()) {
            const long long start =
                CbasGeneral::RoundToSeconds(runner.StartTime) % CbasGeneral::SecondsPerDay;
            const QTime time = QTime(0, 0).addSecs(static_cast<int>(start));
            text("StartTime", QDateTime(date_, time).toString(Qt::ISODate));
        }
        // An incomplete run still has its time when every leg up to the finish is known.
        const bool valid = isValidResult(runner);
        const std::optional<double> time = valid ? runner.Total : runTime(c, runner);
        if (time) text("Time", seconds(*time));
        if (valid) text("Position", QString::number(position));
        text("Status", statusOf(runner, c.LegCount()));
        splitTimes(c, runner, time);
        xml_.writeEndElement();
    }

    // The sum of the legs when each is known or merged into a known next leg.
    static std::optional<double> runTime(const clsClassData& c, const clsClassDataSub& runner)
    {
        double sum = 0;
        for (int k = 1; k <= c.LegCount(); ++k) {
            const double lap = runner.Lap(k);
            if (lap > 0)
                sum += lap;
            else if (!IsLapMerged(lap) || k == c.LegCount())
                return std::nullopt;
        }
        return sum > 0 ? std::optional<double>(sum) : std::nullopt;
    }

    // Elapsed times at the controls, in whole seconds; no value where there is none. Counted
    // from the start while the legs are known (a merged leg has no split of its own, its time
    // is in the next leg); past a leg of unknown time they are counted back from the time of
    // the run, when it is known.
    static std::vector<std::optional<long long>> elapsedTimes(const clsClassData& c,
                                                              const clsClassDataSub& runner,
                                                              std::optional<double> time)
    {
        const int controls = splitControls(c);
        std::vector<std::optional<long long>> elapsed(static_cast<size_t>(controls));
        double sum = 0;
        for (int k = 1; k <= controls; ++k) {
            const double lap = runner.Lap(k);
            if (lap > 0)
                sum += lap;
            else if (!IsLapMerged(lap))
                break;
            if (lap > 0) elapsed[static_cast<size_t>(k - 1)] = CbasGeneral::RoundToSeconds(sum);
        }
        if (!time) return elapsed;
        double remaining = *time;
        for (int k = c.LegCount(); k > 1; --k) {
            const double lap = runner.Lap(k);
            if (lap > 0)
                remaining -= lap;
            else if (!IsLapMerged(lap))
                break;
            const size_t control = static_cast<size_t>(k - 2);
            if (control < elapsed.size() && !elapsed[control] && !IsLapMerged(runner.Lap(k - 1)) &&
                remaining > 0)
                elapsed[control] = CbasGeneral::RoundToSeconds(remaining);
        }
        return elapsed;
    }

    void splitTimes(const clsClassData& c, const clsClassDataSub& runner,
                    std::optional<double> time)
    {
        const auto elapsed = elapsedTimes(c, runner, time);
        for (size_t i = 0; i < elapsed.size(); ++i) {
            xml_.writeStartElement(QStringLiteral("SplitTime"));
            if (!elapsed[i])
                xml_.writeAttribute(QStringLiteral("status"), QStringLiteral("Missing"));
            text("ControlCode", QString::number(i + 1));
            if (elapsed[i]) text("Time", QString::number(*elapsed[i]));
            xml_.writeEndElement();
        }
    }

    QXmlStreamWriter xml_;
    QDate date_;
};

}  // namespace

QByteArray BuildIofXml(const RaceHeader& header, const ClassCollection& classes)
{
    QByteArray out;
    Writer(&out).race(header, classes);
    return out;
}

}  // namespace basConvert
