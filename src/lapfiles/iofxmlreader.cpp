// Reading IOF XML result lists, version 3.0 and 2.0.3. The two versions name most things
// alike; where they differ (Person/Name or PersonName, Organisation or Club, Status or
// CompetitorStatus, date-times or Clock elements, seconds or "hh:mm:ss") both are accepted,
// so one walk over the elements reads either. Relay teams become one class per class and leg;
// of an event of several races one race is read.
#include "lapfiles/coursevariants.h"
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

struct CourseInfo {
    QString name;  // its id, else its name: tells the courses of one class apart
    std::optional<int> length;
    std::optional<int> climb;
    std::optional<int> controls;
};

int wholeNumber(const QString& text)
{
    const double value = text.toDouble();
    return std::isfinite(value) && std::fabs(value) < 1e9 ? static_cast<int>(std::lround(value))
                                                          : 0;
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
        else if (named(xml, "Id") || (named(xml, "Name") && course.name.isEmpty()))
            course.name = elementText(xml);
        else
            xml.skipCurrentElement();
    }
    return course;
}

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

// An organisation, spelt either way, or a club (2.0.3): its name, else its short name.
bool isOrganisation(const QXmlStreamReader& xml)
{
    return named(xml, "Organisation") || named(xml, "Organization") || named(xml, "Club");
}

QString readOrganisation(QXmlStreamReader& xml)
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
    return name.isEmpty() ? shortName : name;
}

void readSplit(QXmlStreamReader& xml, XmlRunner& result)
{
    const QString status = xml.attributes().value(QLatin1String("status")).toString();
    Split split;
    while (xml.readNextStartElement()) {
        if (named(xml, "Time"))
            split.time = ParseSeconds(elementText(xml));
        else if (named(xml, "ControlCode"))
            split.code = elementText(xml);
        else
            xml.skipCurrentElement();
    }
    result.hasSplits = true;
    if (status.compare(QLatin1String("Additional"), Qt::CaseInsensitive) == 0) return;
    if (status.compare(QLatin1String("Missing"), Qt::CaseInsensitive) == 0) split.time.reset();
    if (split.time && *split.time <= 0) split.time.reset();
    result.splits.push_back(split);
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
            setStatus(runner, elementText(xml));
        } else if (named(xml, "CompetitorStatus")) {
            setStatus(runner, xml.attributes().value(QLatin1String("value")).toString());
            xml.skipCurrentElement();
        } else if (named(xml, "SplitTime")) {
            readSplit(xml, result);
        } else if (named(xml, "Course")) {
            result.course = readCourse(xml);
        } else if (named(xml, "CourseLength")) {
            result.course.length = wholeNumber(elementText(xml));
        } else if (named(xml, "Leg")) {
            result.leg = elementText(xml).toInt();
        } else if (named(xml, "BibNumber")) {
            result.bib = elementText(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
}

// The leg of a 2.0.3 relay member whose leg is only in its bib, "12-3".
int legOfBib(const QString& bib)
{
    const qsizetype dash = bib.lastIndexOf(QLatin1Char('-'));
    return dash < 0 ? 0 : bib.mid(dash + 1).trimmed().toInt();
}

// The codes of the class's most common split sequence; a runner with fewer splits (radio
// controls only, or splits left out) has its times put at the controls of the same codes, in
// order, and none at the others. A control code may repeat (butterfly courses).
std::vector<std::optional<double>> alignedElapsed(const std::vector<Split>& splits,
                                                  const std::vector<QString>& codes)
{
    std::vector<std::optional<double>> elapsed;
    if (splits.size() >= codes.size()) {
        for (const Split& s : splits) elapsed.push_back(s.time);
        return elapsed;
    }
    size_t next = 0;
    for (const QString& code : codes) {
        if (next < splits.size() && splits[next].code == code) {
            elapsed.push_back(splits[next].time);
            ++next;
        } else {
            elapsed.push_back(std::nullopt);
        }
    }
    // The codes did not match: keep the splits in their own order.
    if (next < splits.size()) {
        elapsed.clear();
        for (const Split& s : splits) elapsed.push_back(s.time);
    }
    return elapsed;
}

bool isFinishCode(const QString& code)
{
    return code.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0 ||
           code.compare(QLatin1String("Finish"), Qt::CaseInsensitive) == 0 ||
           code.compare(QLatin1String("Z"), Qt::CaseInsensitive) == 0;
}

// Some writers export the finish as a last split: code "F", or 100 with the run's own time.
void dropFinishSplit(XmlRunner& r)
{
    if (r.splits.empty()) return;
    const Split& last = r.splits.back();
    const bool atTotal = last.time && r.runner.totalSeconds &&
                         std::llround(*last.time) == std::llround(*r.runner.totalSeconds);
    if (isFinishCode(last.code) || (last.code == QLatin1String("100") && atTotal))
        r.splits.pop_back();
}

// Reads a result list for one race of the event: the race chosen, or the first one.
class ResultListReader {
public:
    ResultListReader(ImportedRace& race, int chosenRace) : race_(race), chosen_(chosenRace) {}

    ReadOutcome read(QXmlStreamReader& xml)
    {
        while (xml.readNextStartElement()) {
            if (named(xml, "Event"))
                readEvent(xml);
            else if (named(xml, "ClassResult"))
                readClassResult(xml);
            else
                xml.skipCurrentElement();
        }
        // Whatever follows the root must still be well-formed.
        while (!xml.atEnd()) xml.readNext();
        if (xml.hasError()) return ReadOutcome::Failed;
        if (chosen_ > 0 && !races_.empty() && !raceKnown(chosen_)) {
            race_.failure =
                QStringLiteral("レース %1 はこのファイルにありません (%2 レースあります)")
                    .arg(chosen_)
                    .arg(races_.size());
            return ReadOutcome::Failed;
        }
        return ReadOutcome::Read;
    }

private:
    struct Race {
        int number = 0;
        QString id;  // 2.0.3: EventRaceId
        QString name;
        QDate date;
    };

    bool raceKnown(int number) const
    {
        for (const Race& r : races_)
            if (r.number == number) return true;
        return false;
    }

    // The race whose results are read: the one chosen, else the first of the event.
    int wanted() const
    {
        if (chosen_ > 0) return chosen_;
        return races_.empty() ? 0 : races_.front().number;
    }

    void readRace(QXmlStreamReader& xml, bool eventRace)
    {
        Race race;
        race.number = static_cast<int>(races_.size()) + 1;
        while (xml.readNextStartElement()) {
            if (named(xml, "RaceNumber"))
                race.number = elementText(xml).toInt();
            else if (named(xml, "EventRaceId"))
                race.id = elementText(xml);
            else if (named(xml, "Name"))
                race.name = elementText(xml);
            else if (named(xml, "StartTime") || named(xml, "RaceDate"))
                race.date = readDate(xml);
            else
                xml.skipCurrentElement();
        }
        (void)eventRace;
        races_.push_back(race);
    }

    void readEvent(QXmlStreamReader& xml)
    {
        QDate eventDate;
        while (xml.readNextStartElement()) {
            if (named(xml, "Name"))
                race_.eventName = elementText(xml);
            else if (named(xml, "StartTime") || named(xml, "StartDate"))
                eventDate = readDate(xml);
            else if (named(xml, "Race") || named(xml, "EventRace"))
                readRace(xml, named(xml, "EventRace"));
            else
                xml.skipCurrentElement();
        }
        race_.eventDate = eventDate;
        const Race* chosen = nullptr;
        for (const Race& r : races_)
            if (r.number == wanted()) chosen = &r;
        if (!chosen) return;
        if (chosen->date.isValid()) race_.eventDate = chosen->date;
        if (races_.size() > 1 && !chosen->name.isEmpty())
            race_.eventName = (race_.eventName + QLatin1Char(' ') + chosen->name).trimmed();
    }

    // A result of the race read: a result names its race by its raceNumber attribute (3.0) or
    // sits in a RaceResult naming its EventRaceId (2.0.3); a result that names none is of the
    // event's only race. Of a person with several results only one is taken.
    bool isWantedResult(const QXmlStreamReader& xml) const
    {
        const QStringView number = xml.attributes().value(QLatin1String("raceNumber"));
        if (number.isEmpty() || wanted() == 0) return true;
        return number.toInt() == wanted();
    }

    bool isWantedRaceId(const QString& id) const
    {
        for (const Race& r : races_)
            if (r.id == id) return r.number == wanted() || wanted() == 0;
        return races_.empty();
    }

    void readRaceResult(QXmlStreamReader& xml, XmlRunner& result, bool& resultRead)
    {
        QString id;
        while (xml.readNextStartElement()) {
            if (named(xml, "EventRaceId")) {
                id = elementText(xml);
            } else if (named(xml, "Result") && !resultRead &&
                       (id.isEmpty() || isWantedRaceId(id))) {
                readResult(xml, result);
                resultRead = true;
            } else {
                xml.skipCurrentElement();
            }
        }
    }

    // A person's result (PersonResult), or the members of a relay team: several Person and
    // Result pairs may follow each other in one element.
    std::vector<XmlRunner> readMembers(QXmlStreamReader& xml)
    {
        std::vector<XmlRunner> members(1);
        bool resultRead = false;
        while (xml.readNextStartElement()) {
            if (named(xml, "Person")) {
                if (resultRead || !members.back().runner.family.isEmpty() ||
                    !members.back().runner.given.isEmpty()) {
                    members.emplace_back();
                    resultRead = false;
                }
                readPerson(xml, members.back().runner);
            } else if (isOrganisation(xml)) {
                members.back().runner.club = readOrganisation(xml);
            } else if (named(xml, "Result") && !resultRead && isWantedResult(xml)) {
                readResult(xml, members.back());
                resultRead = true;
            } else if (named(xml, "RaceResult")) {
                readRaceResult(xml, members.back(), resultRead);
            } else {
                xml.skipCurrentElement();
            }
        }
        return members;
    }

    // A relay team: one runner per member, in the class of the member's leg, the team's name as
    // the club.
    void readTeamResult(QXmlStreamReader& xml, std::map<int, std::vector<XmlRunner>>& legs)
    {
        QString team;
        QString teamClub;
        std::vector<XmlRunner> members;
        while (xml.readNextStartElement()) {
            if (named(xml, "Name") || named(xml, "TeamName")) {
                team = elementText(xml);
            } else if (isOrganisation(xml)) {
                teamClub = readOrganisation(xml);
            } else if (named(xml, "TeamMemberResult") || named(xml, "PersonResult")) {
                for (XmlRunner& m : readMembers(xml)) members.push_back(std::move(m));
            } else {
                xml.skipCurrentElement();
            }
        }
        int order = 0;
        for (XmlRunner& m : members) {
            ++order;
            int leg = m.leg > 0 ? m.leg : legOfBib(m.bib);
            if (leg <= 0) leg = order;
            if (!team.isEmpty())
                m.runner.club = team;
            else if (m.runner.club.isEmpty())
                m.runner.club = teamClub;
            legs[leg].push_back(std::move(m));
        }
    }

    void readClassResult(QXmlStreamReader& xml)
    {
        QString name;
        QString shortName;
        CourseInfo course;
        bool courseRead = false;
        std::vector<XmlRunner> runners;
        std::map<int, std::vector<XmlRunner>> legs;
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
            } else if (named(xml, "Course") && !courseRead && isWantedResult(xml)) {
                course = readCourse(xml);
                courseRead = true;
            } else if (named(xml, "PersonResult")) {
                for (XmlRunner& m : readMembers(xml)) runners.push_back(std::move(m));
            } else if (named(xml, "TeamResult")) {
                readTeamResult(xml, legs);
            } else {
                xml.skipCurrentElement();
            }
        }
        const QString className = name.isEmpty() ? shortName : name;
        if (legs.empty() || !runners.empty()) addClass(className, course, runners, true);
        for (auto& [leg, members] : legs)
            addClass(className + QLatin1Char('-') + QString::number(leg), CourseInfo(), members,
                     false);
    }

    // A class, or one class per course when its runners visited different controls. The course
    // a runner's result names parts the runners of a class only when they give no codes, and
    // never on a relay leg, where each team's course has a name of its own.
    void addClass(const QString& name, const CourseInfo& course, std::vector<XmlRunner>& runners,
                  bool namedCourses)
    {
        for (XmlRunner& r : runners) dropFinishSplit(r);
        std::vector<VisitedControls> visited;
        for (const XmlRunner& r : runners) {
            VisitedControls v;
            for (const Split& split : r.splits) v.codes.push_back(split.code);
            v.course = r.course.name;
            visited.push_back(std::move(v));
        }
        const std::vector<CourseVariant> variants = CourseVariants(visited, namedCourses);
        if (variants.size() == 1) {
            addRunners(name, course, runners, std::nullopt);
            return;
        }
        race_.splitClasses.push_back(name);
        for (const CourseVariant& variant : variants) {
            std::vector<XmlRunner> members;
            for (size_t i : variant.members) members.push_back(std::move(runners[i]));
            // The length of the course its runners ran, else that given for the class.
            CourseInfo own;
            for (const XmlRunner& r : members)
                if (!own.length && r.course.length) own = r.course;
            addRunners(name + variant.suffix, own.length ? own : course, members, variant.codes);
        }
    }

    // The runners of one class. Their times are placed at the controls of the variant when it
    // has codes, else at those of the class's most common split sequence.
    void addRunners(const QString& name, CourseInfo course, std::vector<XmlRunner>& runners,
                    const std::optional<std::vector<QString>>& variantCodes)
    {
        // Course data given per runner (2.0.3) stands in for that of the class.
        for (const XmlRunner& r : runners) {
            if (!course.length) course.length = r.course.length;
            if (!course.climb) course.climb = r.course.climb;
        }
        ImportedClass& target = race_.classNamed(name);
        const bool variantCoded = variantCodes && !variantCodes->empty();
        const std::vector<QString> codes = variantCoded ? *variantCodes : commonCodes(runners);
        if (target.runners.empty()) {
            target.length = course.length.value_or(0);
            target.climb = course.climb.value_or(0);
            target.controlCount = runners.empty() || codes.empty() ? controlCountOf(runners, course)
                                                                   : static_cast<int>(codes.size());
        }
        for (XmlRunner& r : runners) {
            if (variantCoded) {
                std::vector<QString> own;
                std::vector<std::optional<double>> times;
                for (const Split& s : r.splits) {
                    own.push_back(s.code);
                    times.push_back(s.time);
                }
                r.runner.elapsed = TimesAtControls(own, times, codes);
            } else {
                r.runner.elapsed = alignedElapsed(r.splits, codes);
            }
            target.runners.push_back(std::move(r.runner));
        }
    }

    // The split codes most runners of the class have, as the first runner with that many
    // splits has them (the larger count on a tie).
    static std::vector<QString> commonCodes(const std::vector<XmlRunner>& runners)
    {
        std::map<int, int> frequency;
        for (const XmlRunner& r : runners)
            if (r.hasSplits) ++frequency[static_cast<int>(r.splits.size())];
        const int best = MostCommonControlCount(frequency);
        std::vector<QString> codes;
        for (const XmlRunner& r : runners)
            if (r.hasSplits && static_cast<int>(r.splits.size()) == best) {
                for (const Split& s : r.splits) codes.push_back(s.code);
                break;
            }
        return codes;
    }

    // The number of controls most runners of the class have (the larger on a tie); the
    // course's own count when no runner has split times.
    static int controlCountOf(const std::vector<XmlRunner>& runners, const CourseInfo& course)
    {
        std::map<int, int> frequency;
        for (const XmlRunner& r : runners)
            if (r.hasSplits) ++frequency[static_cast<int>(r.splits.size())];
        const int best = MostCommonControlCount(frequency);
        if (best >= 0) return best;
        return course.controls.value_or(0);
    }

    ImportedRace& race_;
    int chosen_;
    std::vector<Race> races_;
};

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
    ResultListReader reader(race, race.raceNumber);
    return reader.read(xml);
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
