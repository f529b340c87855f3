// Reading IOF XML result lists, version 3.0 and 2.0.3. The two versions name most things
// alike; where they differ (Person/Name or PersonName, Organisation or Club, Status or
// CompetitorStatus, date-times or Clock elements, seconds or "hh:mm:ss") both are accepted,
// so one walk over the elements reads either.
#include "lapfiles/interchangereaders.h"

#include "race/textcodec.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>
#include <map>
#include <memory>

namespace basConvert {
namespace {

bool named(const QXmlStreamReader& xml, const char* name)
{
    return xml.name() == QLatin1String(name);
}

QString elementText(QXmlStreamReader& xml)
{
    return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

// The encoding name in the XML declaration, when the bytes begin with one that names it.
std::optional<QString> declaredEncodingName(const QByteArray& bytes)
{
    if (!bytes.startsWith("<?xml")) return std::nullopt;
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0) return std::nullopt;
    static const QRegularExpression pattern(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const auto match = pattern.match(QString::fromLatin1(bytes.left(end)));
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1);
}

// The encoding of the document: its byte order mark, else the encoding its declaration names,
// else the one its bytes show.
TextCodec::Encoding xmlEncoding(const QByteArray& bytes)
{
    using TextCodec::Encoding;
    Encoding bom = TextCodec::detectEncoding(bytes.left(4));
    if (bytes.startsWith("\xEF\xBB\xBF") || bom == Encoding::Utf16LE || bom == Encoding::Utf16BE)
        return bom;
    if (auto name = declaredEncodingName(bytes))
        if (auto declared = TextCodec::encodingNamed(*name)) return *declared;
    return TextCodec::detectEncoding(bytes);
}

// True when the stream reader, handed the bytes themselves, decodes them as xmlEncoding does:
// well-formed UTF-8 whose declaration names no encoding or UTF-8, and whose first bytes hold no
// NUL (from which the reader would guess UTF-16 or UTF-32). It then decodes a piece at a time
// instead of holding the whole text besides the bytes.
bool readerDecodesAlike(const QByteArray& bytes)
{
    if (xmlEncoding(bytes) != TextCodec::Encoding::Utf8) return false;
    if (bytes.left(4).contains('\0')) return false;
    const auto name = declaredEncodingName(bytes);
    if (name && name->compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0) return false;
    return TextCodec::isValidUtf8(bytes);
}

ImportedStatus statusNamed(const QString& status)
{
    static const char* const absent[] = {"DidNotStart", "DidNotEnter", "Cancelled",
                                         "Inactive",    "Moved",       "MovedUp"};
    if (status.isEmpty() || status.compare(QLatin1String("OK"), Qt::CaseInsensitive) == 0)
        return ImportedStatus::Ok;
    for (const char* name : absent)
        if (status.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return ImportedStatus::Absent;
    return ImportedStatus::Incomplete;
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
            if (named(xml, "Clock"))
                clock = elementText(xml);
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

QDate readDate(QXmlStreamReader& xml)
{
    QDate date;
    while (xml.readNextStartElement()) {
        if (named(xml, "Date"))
            date = QDate::fromString(elementText(xml).left(10), Qt::ISODate);
        else
            xml.skipCurrentElement();
    }
    return date;
}

void readEvent(QXmlStreamReader& xml, ImportedRace& race)
{
    QDate raceDate;
    while (xml.readNextStartElement()) {
        if (named(xml, "Name")) {
            race.eventName = elementText(xml);
        } else if (named(xml, "StartTime") || named(xml, "StartDate")) {
            race.eventDate = readDate(xml);
        } else if (named(xml, "EventRace")) {
            while (xml.readNextStartElement()) {
                if (named(xml, "RaceDate"))
                    raceDate = readDate(xml);
                else
                    xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    if (!race.eventDate.isValid()) race.eventDate = raceDate;
}

struct CourseInfo {
    std::optional<int> length;
    std::optional<int> climb;
    std::optional<int> controls;
};

int wholeNumber(const QString& text)
{
    return static_cast<int>(std::lround(text.toDouble()));
}

CourseInfo readCourse(QXmlStreamReader& xml)
{
    CourseInfo course;
    while (xml.readNextStartElement()) {
        if (named(xml, "Length") || named(xml, "CourseLength"))
            course.length = wholeNumber(elementText(xml));
        else if (named(xml, "Climb") || named(xml, "CourseClimb"))
            course.climb = wholeNumber(elementText(xml));
        else if (named(xml, "NumberOfControls"))
            course.controls = wholeNumber(elementText(xml));
        else
            xml.skipCurrentElement();
    }
    return course;
}

// One runner as read, with what the class needs to know about the course.
struct XmlRunner {
    ImportedRunner runner;
    bool hasSplits = false;
    int controls = 0;  // split times other than "Additional"
    CourseInfo course;
};

void readName(QXmlStreamReader& xml, ImportedRunner& runner)
{
    QStringList given;
    while (xml.readNextStartElement()) {
        if (named(xml, "Family"))
            runner.family = elementText(xml);
        else if (named(xml, "Given"))
            given << elementText(xml);
        else
            xml.skipCurrentElement();
    }
    runner.given = given.join(QLatin1Char(' '));
}

void readPerson(QXmlStreamReader& xml, ImportedRunner& runner)
{
    while (xml.readNextStartElement()) {
        if (named(xml, "Name") || named(xml, "PersonName"))
            readName(xml, runner);
        else
            xml.skipCurrentElement();
    }
}

void readOrganisation(QXmlStreamReader& xml, ImportedRunner& runner)
{
    QString name;
    QString shortName;
    while (xml.readNextStartElement()) {
        if (named(xml, "Name"))
            name = elementText(xml);
        else if (named(xml, "ShortName"))
            shortName = elementText(xml);
        else
            xml.skipCurrentElement();
    }
    runner.club = name.isEmpty() ? shortName : name;
}

void readSplit(QXmlStreamReader& xml, XmlRunner& result)
{
    const QString status = xml.attributes().value(QLatin1String("status")).toString();
    std::optional<double> time;
    while (xml.readNextStartElement()) {
        if (named(xml, "Time"))
            time = ParseSeconds(elementText(xml));
        else
            xml.skipCurrentElement();
    }
    result.hasSplits = true;
    if (status.compare(QLatin1String("Additional"), Qt::CaseInsensitive) == 0) return;
    if (status.compare(QLatin1String("Missing"), Qt::CaseInsensitive) == 0) time.reset();
    ++result.controls;
    result.runner.elapsed.push_back(time);
}

void readResult(QXmlStreamReader& xml, XmlRunner& result)
{
    ImportedRunner& runner = result.runner;
    while (xml.readNextStartElement()) {
        if (named(xml, "StartTime")) {
            runner.startSeconds = readTimeOfDay(xml);
        } else if (named(xml, "Time")) {
            runner.totalSeconds = ParseSeconds(elementText(xml));
        } else if (named(xml, "Status")) {
            runner.status = statusNamed(elementText(xml));
        } else if (named(xml, "CompetitorStatus")) {
            runner.status = statusNamed(xml.attributes().value(QLatin1String("value")).toString());
            xml.skipCurrentElement();
        } else if (named(xml, "SplitTime")) {
            readSplit(xml, result);
        } else if (named(xml, "Course")) {
            result.course = readCourse(xml);
        } else if (named(xml, "CourseLength")) {
            result.course.length = wholeNumber(elementText(xml));
        } else {
            xml.skipCurrentElement();
        }
    }
}

XmlRunner readPersonResult(QXmlStreamReader& xml)
{
    XmlRunner result;
    bool resultRead = false;
    while (xml.readNextStartElement()) {
        if (named(xml, "Person")) {
            readPerson(xml, result.runner);
        } else if (named(xml, "Organisation") || named(xml, "Club")) {
            readOrganisation(xml, result.runner);
        } else if (named(xml, "Result") && !resultRead) {
            readResult(xml, result);  // a runner of several races: the first race only
            resultRead = true;
        } else {
            xml.skipCurrentElement();
        }
    }
    return result;
}

// The number of controls most runners of the class have (the larger on a tie); the course's
// own count when no runner has split times.
int controlCountOf(const std::vector<XmlRunner>& runners, const CourseInfo& course)
{
    std::map<int, int> frequency;
    for (const XmlRunner& r : runners)
        if (r.hasSplits) ++frequency[r.controls];
    const int best = MostCommonControlCount(frequency);
    if (best >= 0) return best;
    return course.controls.value_or(0);
}

void readClassResult(QXmlStreamReader& xml, ImportedRace& race)
{
    QString name;
    QString shortName;
    CourseInfo course;
    bool courseRead = false;
    std::vector<XmlRunner> runners;
    while (xml.readNextStartElement()) {
        if (named(xml, "Class")) {
            while (xml.readNextStartElement()) {
                if (named(xml, "Name"))
                    name = elementText(xml);
                else if (named(xml, "ShortName") || named(xml, "ClassShortName"))
                    shortName = elementText(xml);
                else
                    xml.skipCurrentElement();
            }
        } else if (named(xml, "ClassShortName")) {
            shortName = elementText(xml);
        } else if (named(xml, "Course") && !courseRead) {
            course = readCourse(xml);
            courseRead = true;
        } else if (named(xml, "PersonResult")) {
            runners.push_back(readPersonResult(xml));
        } else {
            xml.skipCurrentElement();
        }
    }
    // Course data given per runner (2.0.3) stands in for that of the class.
    for (const XmlRunner& r : runners) {
        if (!course.length) course.length = r.course.length;
        if (!course.climb) course.climb = r.course.climb;
    }
    ImportedClass& target = race.classNamed(name.isEmpty() ? shortName : name);
    if (target.runners.empty()) {
        target.length = course.length.value_or(0);
        target.climb = course.climb.value_or(0);
        target.controlCount = controlCountOf(runners, course);
    }
    for (XmlRunner& r : runners) target.runners.push_back(std::move(r.runner));
}

}  // namespace

namespace {

// The root element is found within this much of the start of any result list; the rest of a
// file that is none is never decoded.
constexpr qsizetype HeadBytes = qsizetype(64) << 10;
// Characters before the end of a cut start in which the reader may have stumbled over the cut
// rather than over the document.
constexpr qsizetype CutMargin = 1024;

// A document that breaks before its first element is a broken result list only if it says it
// is XML and names the root somewhere.
ReadOutcome brokenBeforeRoot(const QString& head, const QByteArray& bytes, bool whole)
{
    if (!head.trimmed().startsWith(QLatin1String("<?xml"))) return ReadOutcome::NotThisFormat;
    const QLatin1String root("ResultList");
    const bool named = head.contains(root) ||
                       (!whole && TextCodec::decode(bytes, xmlEncoding(bytes)).contains(root));
    return named ? ReadOutcome::Failed : ReadOutcome::NotThisFormat;
}

ReadOutcome readResultList(QXmlStreamReader& xml, ImportedRace& race)
{
    while (xml.readNextStartElement()) {
        if (named(xml, "Event"))
            readEvent(xml, race);
        else if (named(xml, "ClassResult"))
            readClassResult(xml, race);
        else
            xml.skipCurrentElement();
    }
    // Whatever follows the root must still be well-formed.
    while (!xml.atEnd()) xml.readNext();
    if (xml.hasError()) return ReadOutcome::Failed;
    return ReadOutcome::Read;
}

}  // namespace

ReadOutcome ReadIofXml(const QByteArray& bytes, ImportedRace& race)
{
    const bool whole = bytes.size() <= HeadBytes;
    // The root element decides, from the start of the file alone unless that start is cut
    // before the reader could tell.
    const QString head =
        TextCodec::decode(whole ? bytes : bytes.left(HeadBytes), xmlEncoding(bytes));
    {
        QXmlStreamReader xml(head);
        if (xml.readNextStartElement()) {
            if (!named(xml, "ResultList")) return ReadOutcome::NotThisFormat;
            if (whole) return readResultList(xml, race);
        } else if (whole || (xml.error() != QXmlStreamReader::PrematureEndOfDocumentError &&
                             xml.characterOffset() + CutMargin < head.size())) {
            return brokenBeforeRoot(head, bytes, whole);
        }
    }
    QBuffer buffer;
    std::unique_ptr<QXmlStreamReader> reader;
    if (readerDecodesAlike(bytes)) {
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        reader = std::make_unique<QXmlStreamReader>(&buffer);
    } else {
        // The reader keeps a copy of its own; the decoded text is let go at once.
        reader = std::make_unique<QXmlStreamReader>(TextCodec::decode(bytes, xmlEncoding(bytes)));
    }
    QXmlStreamReader& xml = *reader;
    if (!xml.readNextStartElement()) return brokenBeforeRoot(head, bytes, false);
    if (!named(xml, "ResultList")) return ReadOutcome::NotThisFormat;
    return readResultList(xml, race);
}

}  // namespace basConvert
