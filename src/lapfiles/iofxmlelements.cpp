// Reading the elements of one runner's result. The two versions name most things alike; where
// they differ (Person/Name or PersonName, Organisation or Club, Status or CompetitorStatus,
// date-times or Clock elements, seconds or "hh:mm:ss") both are accepted.
#include "lapfiles/iofxmlelements.h"

#include "lapfiles/iofxmlextensions.h"
#include "lapfiles/tablereader.h"
#include "race/csvfields.h"
#include "race/racetime.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace basConvert::IofXml {

using CbasGeneral::CsvQuotes;
using CbasGeneral::SplitCsvFields;

namespace {

// A result status of either version (3.0 Status, 2.0.3 CompetitorStatus value). An entry that
// was cancelled or moved has no run in the class; a status of no known meaning is no valid run.
void setStatus(ImportedRunner& runner, const QString& status)
{
    struct Name {
        const char* name;
        RunStatus status;
    };
    static const Name names[] = {
        {"OK", RunStatus::Ok},
        {"Finished", RunStatus::Ok},
        {"MissingPunch", RunStatus::MissingPunch},
        {"MisPunch", RunStatus::MissingPunch},
        {"DidNotFinish", RunStatus::DidNotFinish},
        {"SportingWithdrawal", RunStatus::DidNotFinish},
        {"SportWithdr", RunStatus::DidNotFinish},
        {"Active", RunStatus::DidNotFinish},
        {"Disqualified", RunStatus::Disqualified},
        {"OverTime", RunStatus::OverTime},
        {"NotCompeting", RunStatus::NotCompeting},
        {"DidNotStart", RunStatus::DidNotStart},
    };
    static const char* const withdrawn[] = {"DidNotEnter", "Cancelled", "Inactive", "Moved",
                                            "MovedUp"};
    runner.withdrawn = false;
    runner.status = RunStatus::MissingPunch;
    if (status.isEmpty()) runner.status = RunStatus::Ok;
    for (const Name& n : names)
        if (status.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            runner.status = n.status;
    for (const char* name : withdrawn)
        if (status.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) runner.withdrawn = true;
}

// A time of day written as an xsd:dateTime (3.0) or in a Clock element (2.0.3).
std::optional<double> readTimeOfDay(QXmlStreamReader& xml)
{
    QString text;
    QString clock;
    while (!xml.atEnd()) {
        QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::Characters) {
            text += xml.text();
        } else if (token == QXmlStreamReader::StartElement) {
            if (Named(xml, "Clock"))
                clock = ElementText(xml);
            else
                xml.skipCurrentElement();
        } else if (token == QXmlStreamReader::EndElement) {
            break;
        }
    }
    QString value = clock.isEmpty() ? text.trimmed() : clock;
    if (qsizetype t = value.indexOf(QLatin1Char('T')); t >= 0) value = value.mid(t + 1);
    static const QRegularExpression leading(QStringLiteral("^[0-9:.]+"));
    return ParseSeconds(leading.match(value).captured(0));
}

int wholeNumber(const QString& text)
{
    const double value = text.toDouble();
    return std::isfinite(value) && std::fabs(value) < 1e9 ? static_cast<int>(std::lround(value))
                                                          : 0;
}

void readName(QXmlStreamReader& xml, ImportedRunner& runner)
{
    QStringList given;
    while (xml.readNextStartElement()) {
        if (Named(xml, "Family"))
            runner.family = ElementText(xml);
        else if (Named(xml, "Given"))
            given << ElementText(xml);
        else
            xml.skipCurrentElement();
    }
    runner.given = given.join(QLatin1Char(' '));
}

void readSplit(QXmlStreamReader& xml, XmlRunner& result)
{
    const QString status = xml.attributes().value(QLatin1String("status")).toString();
    Split split;
    while (xml.readNextStartElement()) {
        if (Named(xml, "Time"))
            split.time = ParseSeconds(ElementText(xml));
        else if (Named(xml, "ControlCode"))
            split.code = ElementText(xml);
        else
            xml.skipCurrentElement();
    }
    result.hasSplits = true;
    if (status.compare(QLatin1String("Additional"), Qt::CaseInsensitive) == 0) return;
    if (status.compare(QLatin1String("Missing"), Qt::CaseInsensitive) == 0) split.time.reset();
    if (split.time && *split.time <= 0) split.time.reset();
    result.splits.push_back(split);
}

// The program's own extensions (a race it saved): the runner's legs as they were, and its
// name where the family and given name do not give it back.
void readExtensions(QXmlStreamReader& xml, ImportedRunner& runner)
{
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() != ExtensionNamespace) {
            xml.skipCurrentElement();
        } else if (xml.name() == ExtensionLegs) {
            runner.legs.clear();
            for (const QString& text : SplitCsvFields(ElementText(xml), CsvQuotes::Literal)) {
                const double lap = ReadLapText(text);
                if (lap > 0)
                    runner.legs.push_back(lap * CbasGeneral::SecondsPerDay);
                else if (lap == LapMissing)
                    runner.legs.push_back(std::nullopt);
                else
                    runner.legs.push_back(IsLapMerged(lap) ? -1.0 : -2.0);
            }
            runner.legsGiven = true;
        } else if (xml.name() == ExtensionName) {
            runner.family = ElementText(xml);
            runner.given.clear();
        } else {
            xml.skipCurrentElement();
        }
    }
}

}  // namespace

QDate ReadDate(QXmlStreamReader& xml)
{
    QDate date;
    while (xml.readNextStartElement()) {
        if (Named(xml, "Date"))
            date = QDate::fromString(ElementText(xml).left(10), Qt::ISODate);
        else
            xml.skipCurrentElement();
    }
    return date;
}

CourseInfo ReadCourse(QXmlStreamReader& xml)
{
    CourseInfo course;
    while (xml.readNextStartElement()) {
        if (Named(xml, "Length") || Named(xml, "CourseLength"))
            course.length = wholeNumber(ElementText(xml));
        else if (Named(xml, "Climb") || Named(xml, "CourseClimb"))
            course.climb = wholeNumber(ElementText(xml));
        else if (Named(xml, "NumberOfControls"))
            course.controls = wholeNumber(ElementText(xml));
        else if (Named(xml, "Id") || (Named(xml, "Name") && course.name.isEmpty()))
            course.name = ElementText(xml);
        else
            xml.skipCurrentElement();
    }
    return course;
}

void ReadPerson(QXmlStreamReader& xml, ImportedRunner& runner)
{
    while (xml.readNextStartElement()) {
        if (Named(xml, "Name") || Named(xml, "PersonName"))
            readName(xml, runner);
        else
            xml.skipCurrentElement();
    }
}

bool IsOrganisation(const QXmlStreamReader& xml)
{
    return Named(xml, "Organisation") || Named(xml, "Organization") || Named(xml, "Club");
}

QString ReadOrganisation(QXmlStreamReader& xml)
{
    QString name;
    QString shortName;
    while (xml.readNextStartElement()) {
        if (Named(xml, "Name"))
            name = ElementText(xml);
        else if (Named(xml, "ShortName"))
            shortName = ElementText(xml);
        else
            xml.skipCurrentElement();
    }
    return name.isEmpty() ? shortName : name;
}

void ReadResult(QXmlStreamReader& xml, XmlRunner& result)
{
    ImportedRunner& runner = result.runner;
    while (xml.readNextStartElement()) {
        if (Named(xml, "StartTime")) {
            runner.startSeconds = readTimeOfDay(xml);
        } else if (Named(xml, "Time")) {
            runner.totalSeconds = ParseSeconds(ElementText(xml));
        } else if (Named(xml, "Status")) {
            setStatus(runner, ElementText(xml));
        } else if (Named(xml, "CompetitorStatus")) {
            setStatus(runner, xml.attributes().value(QLatin1String("value")).toString());
            xml.skipCurrentElement();
        } else if (Named(xml, "SplitTime")) {
            readSplit(xml, result);
        } else if (Named(xml, "Course")) {
            result.course = ReadCourse(xml);
        } else if (Named(xml, "CourseLength")) {
            result.course.length = wholeNumber(ElementText(xml));
        } else if (Named(xml, "Leg")) {
            result.leg = ElementText(xml).toInt();
        } else if (Named(xml, "BibNumber")) {
            result.bib = ElementText(xml);
        } else if (Named(xml, "Extensions")) {
            readExtensions(xml, runner);
        } else {
            xml.skipCurrentElement();
        }
    }
}

int LegOfBib(const QString& bib)
{
    const qsizetype dash = bib.lastIndexOf(QLatin1Char('-'));
    return dash < 0 ? 0 : bib.mid(dash + 1).trimmed().toInt();
}

}  // namespace basConvert::IofXml
