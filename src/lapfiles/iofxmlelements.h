#pragma once
// The elements of a result list that make one runner's result, in either version of the format:
// the person's name, the organisation, the course, the result with its status, times and
// split times, and the program's own extensions. The result-list reader walks the event and
// the classes and hands each result here.
#include "lapfiles/importedrace.h"

#include <QDate>
#include <QString>
#include <QXmlStreamReader>

#include <optional>
#include <vector>

namespace basConvert::IofXml {

inline bool Named(const QXmlStreamReader& xml, const char* name)
{
    return xml.name() == QLatin1String(name);
}

inline QString ElementText(QXmlStreamReader& xml)
{
    return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

// The date of a StartTime, StartDate or RaceDate element: its Date child.
QDate ReadDate(QXmlStreamReader& xml);

struct CourseInfo {
    QString name;  // its id, else its name: tells the courses of one class apart
    std::optional<int> length;
    std::optional<int> climb;
    std::optional<int> controls;
};

CourseInfo ReadCourse(QXmlStreamReader& xml);

struct Split {
    QString code;
    std::optional<double> time;
};

// One runner as read, with what the class needs to know about the course.
struct XmlRunner {
    ImportedRunner runner;
    std::vector<Split> splits;  // split times other than "Additional"
    bool hasSplits = false;
    CourseInfo course;
    int leg = 0;  // a relay member's leg; 0 = not told
    QString bib;
};

// A Person (3.0) or its name: family and given names.
void ReadPerson(QXmlStreamReader& xml, ImportedRunner& runner);

// An organisation, spelt either way, or a club (2.0.3): its name, else its short name.
bool IsOrganisation(const QXmlStreamReader& xml);
QString ReadOrganisation(QXmlStreamReader& xml);

// A Result element: start and total time, status, split times, course, relay leg and bib, and
// the extensions.
void ReadResult(QXmlStreamReader& xml, XmlRunner& result);

// The leg of a 2.0.3 relay member whose leg is only in its bib, "12-3".
int LegOfBib(const QString& bib);

}  // namespace basConvert::IofXml
