#include "lapfiles/iofxmlresultlist.h"

#include "lapfiles/iofxmlclasses.h"
#include "lapfiles/iofxmlelements.h"

#include <map>
#include <utility>
#include <vector>

namespace basConvert::IofXml {
namespace {

// Reads a result list for one race of the event: the race chosen, or the first one.
class ResultListReader {
public:
    ResultListReader(ImportedRace& race, int chosenRace) : race_(race), chosen_(chosenRace) {}

    ReadOutcome read(QXmlStreamReader& xml)
    {
        while (xml.readNextStartElement()) {
            if (Named(xml, "Event"))
                readEvent(xml);
            else if (Named(xml, "ClassResult"))
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
            if (Named(xml, "RaceNumber"))
                race.number = ElementText(xml).toInt();
            else if (Named(xml, "EventRaceId"))
                race.id = ElementText(xml);
            else if (Named(xml, "Name"))
                race.name = ElementText(xml);
            else if (Named(xml, "StartTime") || Named(xml, "RaceDate"))
                race.date = ReadDate(xml);
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
            if (Named(xml, "Name"))
                race_.eventName = ElementText(xml);
            else if (Named(xml, "StartTime") || Named(xml, "StartDate"))
                eventDate = ReadDate(xml);
            else if (Named(xml, "Race") || Named(xml, "EventRace"))
                readRace(xml, Named(xml, "EventRace"));
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
            if (Named(xml, "EventRaceId")) {
                id = ElementText(xml);
            } else if (Named(xml, "Result") && !resultRead &&
                       (id.isEmpty() || isWantedRaceId(id))) {
                ReadResult(xml, result);
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
            if (Named(xml, "Person")) {
                if (resultRead || !members.back().runner.family.isEmpty() ||
                    !members.back().runner.given.isEmpty()) {
                    members.emplace_back();
                    resultRead = false;
                }
                ReadPerson(xml, members.back().runner);
            } else if (IsOrganisation(xml)) {
                members.back().runner.club = ReadOrganisation(xml);
            } else if (Named(xml, "Result") && !resultRead && isWantedResult(xml)) {
                ReadResult(xml, members.back());
                resultRead = true;
            } else if (Named(xml, "RaceResult")) {
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
            if (Named(xml, "Name") || Named(xml, "TeamName")) {
                team = ElementText(xml);
            } else if (IsOrganisation(xml)) {
                teamClub = ReadOrganisation(xml);
            } else if (Named(xml, "TeamMemberResult") || Named(xml, "PersonResult")) {
                for (XmlRunner& m : readMembers(xml)) members.push_back(std::move(m));
            } else {
                xml.skipCurrentElement();
            }
        }
        int order = 0;
        for (XmlRunner& m : members) {
            ++order;
            int leg = m.leg > 0 ? m.leg : LegOfBib(m.bib);
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
            if (Named(xml, "Class")) {
                while (xml.readNextStartElement()) {
                    if (Named(xml, "Name"))
                        name = ElementText(xml);
                    else if (Named(xml, "ShortName") || Named(xml, "ClassShortName"))
                        shortName = ElementText(xml);
                    else
                        xml.skipCurrentElement();
                }
            } else if (Named(xml, "ClassShortName")) {
                shortName = ElementText(xml);
            } else if (Named(xml, "Course") && !courseRead && isWantedResult(xml)) {
                course = ReadCourse(xml);
                courseRead = true;
            } else if (Named(xml, "PersonResult")) {
                for (XmlRunner& m : readMembers(xml)) runners.push_back(std::move(m));
            } else if (Named(xml, "TeamResult")) {
                readTeamResult(xml, legs);
            } else {
                xml.skipCurrentElement();
            }
        }
        const QString className = name.isEmpty() ? shortName : name;
        if (legs.empty() || !runners.empty()) AddClass(race_, className, course, runners, true);
        for (auto& [leg, members] : legs)
            AddClass(race_, className + QLatin1Char('-') + QString::number(leg), CourseInfo(),
                     members, false);
    }

    ImportedRace& race_;
    int chosen_;
    std::vector<Race> races_;
};

}  // namespace

ReadOutcome ReadResultList(QXmlStreamReader& xml, ImportedRace& race)
{
    ResultListReader reader(race, race.raceNumber);
    return reader.read(xml);
}

}  // namespace basConvert::IofXml
