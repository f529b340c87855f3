// Saving as an IOF XML 3.0 result list: the elements in the order of the data standard, the
// names split back into family and given name, statuses and positions, split times, and races
// that read back the same.
#include "lapfixtures.h"

#include "lapfiles/interchange.h"

#include <QXmlStreamReader>

#include <memory>
#include <set>
#include <vector>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

// The written document as a tree of element names, texts and attributes.
struct Node {
    QString name;
    QString text;
    QXmlStreamAttributes attributes;
    std::vector<std::unique_ptr<Node>> children;

    QStringList childNames() const
    {
        QStringList names;
        for (const auto& c : children) names << c->name;
        return names;
    }
    const Node* child(const QString& childName) const
    {
        for (const auto& c : children)
            if (c->name == childName) return c.get();
        return nullptr;
    }
    std::vector<const Node*> all(const QString& childName) const
    {
        std::vector<const Node*> found;
        for (const auto& c : children)
            if (c->name == childName) found.push_back(c.get());
        return found;
    }
    QString textOf(const QString& path) const
    {
        const Node* node = this;
        for (const QString& part : path.split(QLatin1Char('/'))) {
            node = node->child(part);
            if (!node) return QStringLiteral("(none)");
        }
        return node->text;
    }
};

std::unique_ptr<Node> parse(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    std::vector<Node*> stack;
    std::unique_ptr<Node> root;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            auto node = std::make_unique<Node>();
            node->name = xml.name().toString();
            node->attributes = xml.attributes();
            Node* raw = node.get();
            if (stack.empty())
                root = std::move(node);
            else
                stack.back()->children.push_back(std::move(node));
            stack.push_back(raw);
        } else if (xml.isEndElement()) {
            stack.pop_back();
        } else if (xml.isCharacters() && !xml.isWhitespace() && !stack.empty()) {
            stack.back()->text += xml.text();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return root;
}

// (control code, time) of each split; "Missing" for a split written without a time.
std::vector<std::pair<QString, QString>> splits(const Node& result)
{
    std::vector<std::pair<QString, QString>> out;
    for (const Node* s : result.all(QStringLiteral("SplitTime"))) {
        const bool missing =
            s->attributes.value(QLatin1String("status")) == QLatin1String("Missing");
        out.emplace_back(s->textOf(QStringLiteral("ControlCode")),
                         missing ? QStringLiteral("Missing") : s->textOf(QStringLiteral("Time")));
        EXPECT_EQ(missing, s->child(QStringLiteral("Time")) == nullptr);
    }
    return out;
}

double sec(int s)
{
    return s * kSecond;
}

}  // namespace

class IofXmlWriteTest : public LapFileTest {
protected:
    std::unique_ptr<Node> saved()
    {
        const QString path = tempPath(QStringLiteral("out.xml"));
        EXPECT_EQ(basConvert::SaveRaceFile(testDocument(), path, basConvert::SaveType::IofXml),
                  basConvert::SaveResult::Saved);
        return parse(testsupport::readBytes(path));
    }
};

TEST_F(IofXmlWriteTest, ElementsStatusesPositionsAndSplitsInTheStandardOrder)
{
    testRace().RaceInfo.RaceName = QStringLiteral("夏の大会");
    testRace().RaceInfo.RaceDate = QDate(2024, 7, 14);
    testRace().RaceInfo.RacePlace = QStringLiteral("not written");
    clsClassData& m21 = addClass(QStringLiteral("M21"), 3, true);
    m21.ClassLength = 4200;
    m21.ClassUpHeight = 150;
    m21.Add(
        runner(QStringLiteral("Eve Ek"), QString(), 0, {sec(100), sec(100), sec(100), sec(100)}));
    m21.Add(runner(QStringLiteral("Anna Berg"), QStringLiteral("Club A"), hms(10, 0, 0),
                   {sec(100), sec(150), sec(150), sec(200)}));
    m21.Add(runner(QStringLiteral("山田 太郎"), QString(), 0,
                   {sec(120), LapMerged, sec(380), sec(100)}));
    m21.Add(runner(QStringLiteral("Carl Dahl"), QString(), 0,
                   {sec(110), LapMissing, sec(310), sec(230)}));
    m21.Add(runner(QStringLiteral("Dan Ek"), QString(), 0,
                   {sec(130), sec(130), LapMissing, LapMissing}));
    // A valid run with a leg of unknown time: its control has no split, the later one is
    // counted back from the total.
    m21.Add(runner(QStringLiteral("Gus Holm"), QString(), 0,
                   {sec(100), LapMissing, sec(300), sec(200)}, sec(1000)));
    m21.Add(runner(QStringLiteral("Finn Ek"), QString(), 0, {sec(50), sec(50), sec(50), sec(50)},
                   1.0 + sec(200)));

    auto root = saved();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, QStringLiteral("ResultList"));
    EXPECT_EQ(root->attributes.value(QLatin1String("iofVersion")), QLatin1String("3.0"));
    EXPECT_EQ(root->attributes.value(QLatin1String("creator")), QLatin1String("SplitDuel"));
    EXPECT_EQ(root->attributes.value(QLatin1String("status")), QLatin1String("Complete"));
    EXPECT_EQ(root->childNames(), (QStringList{"Event", "ClassResult"}));
    EXPECT_EQ(root->child("Event")->childNames(), (QStringList{"Name", "StartTime"}));
    EXPECT_EQ(root->textOf("Event/Name"), QStringLiteral("夏の大会"));
    EXPECT_EQ(root->textOf("Event/StartTime/Date"), QStringLiteral("2024-07-14"));

    const Node& classResult = *root->child("ClassResult");
    EXPECT_EQ(classResult.childNames(),
              (QStringList{"Class", "Course", "PersonResult", "PersonResult", "PersonResult",
                           "PersonResult", "PersonResult", "PersonResult", "PersonResult"}));
    EXPECT_EQ(classResult.textOf("Class/Name"), QStringLiteral("M21"));
    EXPECT_EQ(classResult.child("Course")->childNames(),
              (QStringList{"Length", "Climb", "NumberOfControls"}));
    EXPECT_EQ(classResult.textOf("Course/NumberOfControls"), QStringLiteral("3"));

    struct Expected {
        QString family, given;
        QStringList personChildren;
        QStringList resultChildren;
        QString time, position, status;
        std::vector<std::pair<QString, QString>> splits;
    };
    const QStringList split3{"SplitTime", "SplitTime", "SplitTime", "Extensions"};
    // In ranked order: equal totals share a position and keep the order they were added in,
    // incomplete runs have none.
    const Expected expected[] = {
        {"Ek",
         "Eve",
         {"Person", "Result"},
         QStringList{"Time", "Position", "Status"} + split3,
         "400",
         "1",
         "OK",
         {{"1", "100"}, {"2", "200"}, {"3", "300"}}},
        {"Berg",
         "Anna",
         {"Person", "Organisation", "Result"},
         QStringList{"StartTime", "Time", "Position", "Status"} + split3,
         "600",
         "2",
         "OK",
         {{"1", "100"}, {"2", "250"}, {"3", "400"}}},
        {"山田",
         "太郎",
         {"Person", "Result"},
         QStringList{"Time", "Position", "Status"} + split3,
         "600",
         "2",
         "OK",
         {{"1", "120"}, {"2", "Missing"}, {"3", "500"}}},
        {"Holm",
         "Gus",
         {"Person", "Result"},
         QStringList{"Time", "Position", "Status"} + split3,
         "1000",
         "4",
         "OK",
         {{"1", "100"}, {"2", "Missing"}, {"3", "800"}}},
        // Every leg known: the time of the run is still written.
        {"Ek",
         "Finn",
         {"Person", "Result"},
         QStringList{"Time", "Status"} + split3,
         "200",
         "(none)",
         "MissingPunch",
         {{"1", "50"}, {"2", "100"}, {"3", "150"}}},
        {"Dahl",
         "Carl",
         {"Person", "Result"},
         QStringList{"Status"} + split3,
         "(none)",
         "(none)",
         "MissingPunch",
         {{"1", "110"}, {"2", "Missing"}, {"3", "Missing"}}},
        {"Ek",
         "Dan",
         {"Person", "Result"},
         QStringList{"Status"} + split3,
         "(none)",
         "(none)",
         "DidNotFinish",
         {{"1", "130"}, {"2", "260"}, {"3", "Missing"}}},
    };
    const auto people = classResult.all("PersonResult");
    ASSERT_EQ(people.size(), std::size(expected));
    for (size_t i = 0; i < people.size(); ++i) {
        const Expected& e = expected[i];
        const Node& person = *people[i];
        SCOPED_TRACE(e.given.toStdString());
        EXPECT_EQ(person.childNames(), e.personChildren);
        EXPECT_EQ(person.child("Person")->child("Name")->childNames(),
                  (QStringList{"Family", "Given"}));
        EXPECT_EQ(person.textOf("Person/Name/Family"), e.family);
        EXPECT_EQ(person.textOf("Person/Name/Given"), e.given);
        const Node& result = *person.child("Result");
        EXPECT_EQ(result.childNames(), e.resultChildren);
        EXPECT_EQ(result.textOf("Time"), e.time);
        EXPECT_EQ(result.textOf("Position"), e.position);
        EXPECT_EQ(result.textOf("Status"), e.status);
        EXPECT_EQ(splits(result), e.splits);
    }
    EXPECT_EQ(people[1]->textOf("Organisation/Name"), QStringLiteral("Club A"));
    EXPECT_EQ(people[1]->textOf("Result/StartTime"), QStringLiteral("2024-07-14T10:00:00"));
    // The legs as they are, which the split times cannot all tell.
    EXPECT_EQ(people[2]->textOf("Result/Extensions/Legs"),
              QStringLiteral("00:02:00,→,00:06:20,00:01:40"));
    EXPECT_EQ(people[3]->textOf("Result/Extensions/Legs"),
              QStringLiteral("00:01:40,n/a,00:05:00,00:03:20"));
    EXPECT_EQ(people[3]->child("Result")->child("Extensions")->childNames(), QStringList{"Legs"});
}

TEST_F(IofXmlWriteTest, NamesSplitBackIntoFamilyAndGivenName)
{
    struct Case {
        QString name, family, given;
    };
    const Case cases[] = {
        {"Runner One", "One", "Runner"}, {"Jan van der Berg", "Berg", "Jan van der"},
        {"山田 太郎", "山田", "太郎"},   {"山田　花子", "山田", "花子"},  // ideographic space
        {"ﾔﾏﾀﾞ ｼﾞﾛｳ", "ﾔﾏﾀﾞ", "ｼﾞﾛｳ"},   {"山田太郎", "山田太郎", ""},
        {"Madonna", "Madonna", ""},
    };
    clsClassData& c = addClass(QStringLiteral("M"), 0, true);
    for (const Case& k : cases) c.Add(runner(k.name, QString(), 0, {sec(60)}));
    auto root = saved();
    std::set<std::pair<QString, QString>> written;
    for (const Node* person : root->child("ClassResult")->all("PersonResult"))
        written.emplace(person->textOf("Person/Name/Family"), person->textOf("Person/Name/Given"));
    for (const Case& k : cases)
        EXPECT_TRUE(written.count({k.family, k.given})) << k.name.toStdString();
    EXPECT_EQ(root->child("ClassResult")->all("PersonResult").size(), std::size(cases));
}

TEST_F(IofXmlWriteTest, ARaceReadsBackWithTheSameClassesRunnersTotalsAndLegs)
{
    testRace().RaceInfo.RaceName = QStringLiteral("往復");
    testRace().RaceInfo.RaceDate = QDate(2025, 3, 2);
    clsClassData& m = addClass(QStringLiteral("M21"), 3, true);
    m.ClassLength = 5100;
    m.Add(runner(QStringLiteral("山田 太郎"), QStringLiteral("東京OLK"), hms(10, 1, 2),
                 {sec(100), LapMerged, sec(300), sec(40)}));
    // A leg of unknown time in a valid result, and in an unfinished one: each comes back as it
    // was, the later legs too; so do names with two blanks or an ideographic space in them.
    m.Add(runner(QStringLiteral("Anna  Berg"), QStringLiteral("Club A"), hms(11, 0, 0),
                 {sec(90), LapMissing, sec(200), sec(30)}, sec(400)));
    m.Add(runner(QStringLiteral("Carl Dahl"), QString(), hms(9, 59, 59),
                 {sec(110), sec(120), LapMissing, LapMissing}));
    m.Add(runner(QStringLiteral("山田　花子"), QString(), hms(9, 0, 0),
                 {LapMissing, sec(120), sec(150), LapMissing}));
    m.Add(runner(QStringLiteral("Dan Ek"), QString(), 0, {sec(50), LapMerged, sec(100), sec(20)},
                 1.0 + sec(170)));
    // A class without a finish leg: its last control takes the finish's place.
    clsClassData& w = addClass(QStringLiteral("W21"), 2, false);
    w.Add(runner(QStringLiteral("Eva Fors"), QString(), hms(12, 0, 0), {sec(200), sec(250)}));
    addClass(QStringLiteral("空"), 4, true);
    // An empty class as a lap file leaves it (no finish leg known) keeps its count too.
    addClass(QStringLiteral("空2"), 5, false);

    struct Row {
        QString cls, name, club;
        long long start, total;
        std::vector<double> laps;
        bool operator==(const Row& o) const
        {
            return std::tie(cls, name, club, start, total, laps) ==
                   std::tie(o.cls, o.name, o.club, o.start, o.total, o.laps);
        }
    };
    auto snapshot = [] {
        std::vector<Row> rows;
        for (const auto& c : testRace().ClassList)
            for (int n = 1; n <= c->ClassRunnerCount(); ++n) {
                const clsClassDataSub& r = c->Item(n);
                std::vector<double> laps;
                for (int k = 1; k <= c->LegCount(); ++k)
                    laps.push_back(r.Lap(k) > 0 ? std::round(r.Lap(k) / kSecond) : r.Lap(k));
                rows.push_back({c->ClassName, r.Namae, r.Shozoku,
                                std::llround(r.StartTime / kSecond),
                                std::llround(r.Total / kSecond), laps});
            }
        return rows;
    };
    const std::vector<Row> before = snapshot();
    const QString path = tempPath(QStringLiteral("race.xml"));
    ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), path, basConvert::SaveType::IofXml),
              basConvert::SaveResult::Saved);
    testDocument().resetRace();
    lastLoad = basConvert::LoadRaceFile(testDocument(), path);
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("往復"));
    EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2025, 3, 2));
    EXPECT_EQ(testRace().ClassList.names(), (QStringList{"M21", "W21", "空", "空2"}));
    EXPECT_EQ(testRace().ClassList.at(4).ClassControlCount, 5);
    EXPECT_EQ(testRace().ClassList.at(1).ClassLength, 5100);
    EXPECT_EQ(testRace().ClassList.at(2).LegCount(), 2);
    EXPECT_EQ(testRace().ClassList.at(3).ClassControlCount, 4);
    EXPECT_TRUE(snapshot() == before);
}

TEST_F(IofXmlWriteTest, WithoutARaceDateNoStartTimeIsWritten)
{
    addClass(QStringLiteral("M"), 1, true)
        .Add(runner(QStringLiteral("A B"), QString(), hms(10, 0, 0), {sec(60), sec(30)}));
    auto root = saved();
    EXPECT_EQ(root->child("Event")->childNames(), QStringList{"Name"});
    const Node& result = *root->child("ClassResult")->child("PersonResult")->child("Result");
    EXPECT_EQ(result.child("StartTime"), nullptr);
    EXPECT_EQ(result.textOf("Time"), QStringLiteral("90"));
}
