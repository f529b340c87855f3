// Small invented result lists of other programs, one awkward case each: missing splits,
// mispunches, runners who did not start, byte order marks, LF line ends, a class too long for
// a runner, broken XML.
#include "lapfixtures.h"

#include "common/scriptedprompts.h"
#include "lapfiles/importedrace.h"
#include "lapfiles/interchange.h"
#include "lapfiles/interchangereaders.h"
#include "lapfiles/readcontext.h"
#include "race/prompts.h"
#include "race/textcodec.h"

#include <QFile>

#include <map>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

constexpr double kDay = 1.0;

double sec(int seconds)
{
    return seconds * kSecond;
}

const clsClassDataSub* findRunner(const clsClassData& c, const QString& name)
{
    for (int n = 1; n <= c.ClassRunnerCount(); ++n)
        if (c.Item(n).Namae == name) return &c.Item(n);
    return nullptr;
}

// Legs 1..count of the runner in whole seconds; LapMerged comes out as -1, LapMissing as 0.
std::vector<long long> legSeconds(const clsClassDataSub& r, int count)
{
    std::vector<long long> legs;
    for (int k = 1; k <= count; ++k) {
        double lap = r.Lap(k);
        legs.push_back(lap > 0 ? std::llround(lap / kSecond) : IsLapMerged(lap) ? -1 : 0);
    }
    return legs;
}

// An OE export row: fields by 1-based position, then the control pairs.
QString oeLine(int fieldCount, QChar separator, const std::map<int, QString>& fields,
               const QStringList& pairs = {})
{
    QStringList all;
    for (int i = 1; i <= fieldCount; ++i) all << (fields.count(i) ? fields.at(i) : QString());
    return (all + pairs).join(separator) + QStringLiteral("\n");
}

QString oeHeader(int firstCode, QChar separator, int pairs)
{
    QStringList header;
    for (int i = 1; i < firstCode; ++i) header << QStringLiteral("Col");
    for (int k = 1; k <= pairs; ++k)
        header << QStringLiteral("Control%1").arg(k) << QStringLiteral("Punch%1").arg(k);
    return header.join(separator) + QStringLiteral("\n");
}

}  // namespace

class InterchangeReadTest : public LapFileTest {
protected:
    void SetUp() override
    {
        LapFileTest::SetUp();
        prompts_ = new Prompts::ScriptedPrompts;
        scoped_ = std::make_unique<Prompts::ScopedPrompts>(
            std::unique_ptr<Prompts::PromptService>(prompts_));
    }
    void TearDown() override { scoped_.reset(); }

    QString loadBytes(const QByteArray& bytes, const QString& name)
    {
        QString path = tempPath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        lastLoad = basConvert::LoadRaceFile(testDocument(), path);
        return path;
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& r : prompts_->log) texts << r.text;
        return texts;
    }

    Prompts::ScriptedPrompts* prompts_ = nullptr;
    std::unique_ptr<Prompts::ScopedPrompts> scoped_;
};

TEST(ImportedRace, ParsesDurationsAndClockTexts)
{
    struct Case {
        const char* text;
        std::optional<double> seconds;
    };
    const Case cases[] = {
        {"1:02:03", 3723},         {"84:55", 5095},
        {"0:00:33", 33},           {"968.0", 968},
        {" 12,5 ", 12.5},          {"119:00", 7140},
        {"0:60", std::nullopt},    {"1:60:00", std::nullopt},
        {"-----", std::nullopt},   {"", std::nullopt},
        {"-5", std::nullopt},      {"a:10", std::nullopt},
        {"1:2:3:4", std::nullopt}, {":30", std::nullopt},
        {"75:12", 4512},           {"12:34.5", 754.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(basConvert::ParseSeconds(QString::fromUtf8(c.text)), c.seconds);
    }
}

TEST(ImportedRace, JoinsNamesFamilyFirstOnlyForJapaneseFamilyNames)
{
    using basConvert::JoinName;
    EXPECT_EQ(JoinName(QStringLiteral("Erik"), QStringLiteral("Ögren")),
              QStringLiteral("Erik Ögren"));
    EXPECT_EQ(JoinName(QStringLiteral("太郎"), QStringLiteral("山田")),
              QStringLiteral("山田 太郎"));
    EXPECT_EQ(JoinName(QStringLiteral("ﾀﾛｳ"), QStringLiteral("ﾔﾏﾀﾞ")), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    EXPECT_EQ(JoinName(QStringLiteral("Ken"), QStringLiteral("やまだ")),
              QStringLiteral("やまだ Ken"));
    EXPECT_EQ(JoinName(QStringLiteral("山田"), QStringLiteral("Smith")),
              QStringLiteral("山田 Smith"));
    EXPECT_EQ(JoinName(QString(), QStringLiteral(" HENKES Julia ")),
              QStringLiteral("HENKES Julia"));
    EXPECT_EQ(JoinName(QStringLiteral("Solo"), QString()), QStringLiteral("Solo"));
}

TEST_F(InterchangeReadTest, IofXml3WithMissingSplitsMispunchesAndAbsentRunners)
{
    const QString xml = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<ResultList xmlns="http://www.orienteering.org/datastandard/3.0" iofVersion="3.0">
 <Event><Name>夏の大会</Name><StartTime><Date>2024-07-14</Date></StartTime></Event>
 <ClassResult>
  <Class><Id>1</Id><Name>M21</Name></Class>
  <Course><Length>4200</Length><Climb>150</Climb></Course>
  <PersonResult><Person><Name><Family>Berg</Family><Given>Anna</Given></Name></Person>
   <Organisation><Name>Club A</Name><ShortName>CA</ShortName></Organisation>
   <Result><StartTime>2024-07-14T10:00:00+09:00</StartTime><Time>600.4</Time><Position>1</Position>
    <Status>OK</Status>
    <SplitTime><ControlCode>31</ControlCode><Time>100</Time></SplitTime>
    <SplitTime><ControlCode>32</ControlCode><Time>250.6</Time></SplitTime>
    <SplitTime status="Additional"><ControlCode>99</ControlCode><Time>260</Time></SplitTime>
    <SplitTime><ControlCode>33</ControlCode><Time>400</Time></SplitTime></Result></PersonResult>
  <PersonResult><Person><Name><Family>山田</Family><Given>太郎</Given></Name></Person>
   <Organisation><ShortName>OLK</ShortName></Organisation>
   <Result><Time>700</Time><Status>OK</Status>
    <SplitTime><ControlCode>31</ControlCode><Time>120</Time></SplitTime>
    <SplitTime status="Missing"><ControlCode>32</ControlCode></SplitTime>
    <SplitTime><ControlCode>33</ControlCode><Time>500</Time></SplitTime></Result></PersonResult>
  <PersonResult><Person><Name><Family>Dahl</Family><Given>Carl</Given></Name></Person>
   <Result><Time>650</Time><Status>MissingPunch</Status>
    <SplitTime><ControlCode>31</ControlCode><Time>110</Time></SplitTime>
    <SplitTime status="Missing"><ControlCode>32</ControlCode></SplitTime>
    <SplitTime><ControlCode>33</ControlCode><Time>420</Time></SplitTime></Result></PersonResult>
  <PersonResult><Person><Name><Family>Ek</Family><Given>Dan</Given></Name></Person>
   <Result><Status>DidNotFinish</Status>
    <SplitTime><ControlCode>31</ControlCode><Time>130</Time></SplitTime>
    <SplitTime><ControlCode>32</ControlCode><Time>260</Time></SplitTime>
    <SplitTime status="Missing"><ControlCode>33</ControlCode></SplitTime></Result></PersonResult>
  <PersonResult>
   <Result><Time>640</Time><Status>OK</Status>
    <SplitTime><ControlCode>31</ControlCode><Time>90</Time></SplitTime></Result></PersonResult>
  <PersonResult><Person><Name><Family>Fors</Family><Given>Eva</Given></Name></Person>
   <Result><Status>DidNotStart</Status></Result></PersonResult>
  <PersonResult><Person><Name><Family>Gren</Family><Given>Gus</Given></Name></Person>
   <Result><Status>OK</Status></Result></PersonResult>
 </ClassResult>
 <ClassResult><Class><Name>Empty</Name></Class>
  <Course><NumberOfControls>5</NumberOfControls></Course></ClassResult>
</ResultList>
)");
    loadBytes(QByteArray("\xEF\xBB\xBF") + xml.toUtf8(), QStringLiteral("result.xml"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("夏の大会"));
    EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2024, 7, 14));
    EXPECT_TRUE(testRace().RaceInfo.RacePlace.isEmpty());
    ASSERT_EQ(testRace().ClassList.names(),
              (QStringList{QStringLiteral("M21"), QStringLiteral("Empty")}));

    const clsClassData& m21 = testRace().ClassList.at(1);
    EXPECT_EQ(m21.ClassLength, 4200);
    EXPECT_EQ(m21.ClassUpHeight, 150);
    EXPECT_EQ(m21.ClassControlCount, 3);  // the additional punch is no control of the course
    EXPECT_TRUE(m21.ClassLastGoalExist);
    // No starter, no times, no name (a lap file cannot keep a runner without one): left out.
    EXPECT_EQ(m21.ClassRunnerCount(), 4);

    struct Expected {
        const char* name;
        const char* club;
        std::vector<long long> legs;
        double total;
    };
    const Expected expected[] = {
        // Fractions are rounded at the controls, so the legs still add up to the total.
        {"Anna Berg", "Club A", {100, 151, 149, 200}, sec(600)},
        {"山田 太郎", "OLK", {120, -1, 380, 200}, sec(700)},
        {"Carl Dahl", "", {110, -1, 310, 230}, kDay + sec(650)},
        {"Dan Ek", "", {130, 130, 0, 0}, 2 * kDay + sec(260)},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const clsClassDataSub* r = findRunner(m21, QString::fromUtf8(e.name));
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->Shozoku, QString::fromUtf8(e.club));
        EXPECT_EQ(legSeconds(*r, 4), e.legs);
        EXPECT_NEAR(r->Total, e.total, 0.1 * kSecond);
    }
    EXPECT_NEAR(findRunner(m21, QStringLiteral("Anna Berg"))->StartTime, hms(10, 0, 0), 1e-9);
    EXPECT_EQ(testRace().ClassList.at(2).ClassControlCount, 5);
    EXPECT_EQ(testRace().ClassList.at(2).ClassRunnerCount(), 0);
}

TEST_F(InterchangeReadTest, IofXml203InTheEncodingItsDeclarationNames)
{
    const QString xml = QStringLiteral(R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<!DOCTYPE ResultList SYSTEM "IOFdata.dtd">
<ResultList>
<IOFVersion version="2.0.3"/>
<Event><Name>Höstcupen</Name><StartDate><Date>2003-09-20</Date></StartDate></Event>
<ClassResult><ClassShortName>H21</ClassShortName>
<PersonResult><Person><PersonName><Family>Ögren</Family><Given sequence="1">Erik</Given></PersonName></Person>
<Club><Name>Bergnäsets AIK</Name><ShortName>BAIK</ShortName></Club>
<Result><StartTime><Clock clockFormat="HH:MM:SS">11:05:00</Clock></StartTime>
<Time timeFormat="MM:SS">25:10</Time><CompetitorStatus value="OK"/><CourseLength>3100</CourseLength>
<SplitTime sequence="1"><ControlCode>31</ControlCode><Time timeFormat="MM:SS">03:05</Time></SplitTime>
<SplitTime sequence="2"><ControlCode>32</ControlCode><Time timeFormat="MM:SS">10:00</Time></SplitTime>
</Result></PersonResult>
<PersonResult><Person><PersonName><Family>Åberg</Family><Given>Lars</Given></PersonName></Person>
<Result><Time>00:30:00</Time><CompetitorStatus value="MisPunch"/>
<SplitTime sequence="1"><ControlCode>31</ControlCode><Time>00:04:00</Time></SplitTime>
<SplitTime sequence="2"><ControlCode>32</ControlCode><Time>00:12:00</Time></SplitTime>
</Result></PersonResult>
<PersonResult><Person><PersonName><Family>Nilsson</Family><Given>Per</Given></PersonName></Person>
<Result><CompetitorStatus value="DidNotStart"/></Result></PersonResult>
</ClassResult>
</ResultList>
)");
    loadBytes(xml.toLatin1(), QStringLiteral("winsplits.xml"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("Höstcupen"));
    EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2003, 9, 20));
    ASSERT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("H21")});
    const clsClassData& h21 = testRace().ClassList.at(1);
    EXPECT_EQ(h21.ClassLength, 3100);
    EXPECT_EQ(h21.ClassControlCount, 2);
    ASSERT_EQ(h21.ClassRunnerCount(), 2);
    const clsClassDataSub& erik = h21.Item(1);
    EXPECT_EQ(erik.Namae, QStringLiteral("Erik Ögren"));
    EXPECT_EQ(erik.Shozoku, QStringLiteral("Bergnäsets AIK"));
    EXPECT_NEAR(erik.StartTime, hms(11, 5, 0), 1e-9);
    EXPECT_NEAR(erik.Total, hms(0, 25, 10), 1e-9);
    EXPECT_EQ(legSeconds(erik, 3), (std::vector<long long>{185, 415, 910}));
    const clsClassDataSub& lars = h21.Item(2);
    EXPECT_EQ(lars.Namae, QStringLiteral("Lars Åberg"));
    EXPECT_NEAR(lars.Total, kDay + hms(0, 30, 0), 1e-9);
}

// Line breaks and other control characters within a name, club or class read as spaces: saved
// in each of the program's layouts, the race loads back with the same classes and winner.
TEST_F(InterchangeReadTest, ControlCharactersInTextsReadAsSpaces)
{
    const QString xml = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<ResultList xmlns="http://www.orienteering.org/datastandard/3.0" iofVersion="3.0">
 <Event><Name>Night&#13;&#10;Cup</Name></Event>
 <ClassResult><Class><Name>Men&#10;Elite</Name></Class>
  <PersonResult><Person><Name><Family>Berg&#13;&#10;Lund</Family><Given>Anna&#9;Maria</Given></Name>
   </Person><Organisation><Name>OK&#13;Nord</Name></Organisation>
   <Result><Time>300</Time><Status>OK</Status>
    <SplitTime><ControlCode>31</ControlCode><Time>100</Time></SplitTime></Result></PersonResult>
  <PersonResult><Person><Name><Family>Ek</Family><Given>Dan</Given></Name></Person>
   <Result><Time>360</Time><Status>OK</Status>
    <SplitTime><ControlCode>31</ControlCode><Time>120</Time></SplitTime></Result></PersonResult>
 </ClassResult>
 <ClassResult><Class><Name>Men&#13;Elite</Name></Class>
  <PersonResult><Person><Name><Family>Holm</Family><Given>Ola</Given></Name></Person>
   <Result><Time>400</Time><Status>OK</Status>
    <SplitTime><ControlCode>31</ControlCode><Time>150</Time></SplitTime></Result></PersonResult>
 </ClassResult>
</ResultList>
)");
    loadBytes(xml.toUtf8(), QStringLiteral("controls.xml"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    for (int layout : {1, 2, 3, 4}) {
        SCOPED_TRACE(layout);
        EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("Night  Cup"));
        ASSERT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("Men Elite")});
        const clsClassData& men = testRace().ClassList.at(1);
        ASSERT_EQ(men.ClassRunnerCount(), 3);
        EXPECT_EQ(men.Item(1).Namae, QStringLiteral("Anna Maria Berg  Lund"));
        EXPECT_EQ(men.Item(1).Shozoku, QStringLiteral("OK Nord"));
        EXPECT_EQ(legSeconds(men.Item(1), 2), (std::vector<long long>{100, 200}));
        EXPECT_EQ(men.Item(3).Namae, QStringLiteral("Ola Holm"));
        const QString name =
            layout == 4 ? QStringLiteral("again.xml") : QStringLiteral("again.csv");
        save(layout, layout == 1 ? QStringLiteral("again.lap") : name);
        const QString race = testRace().RaceInfo.RaceName;
        testDocument().resetRace();
        lastLoad = basConvert::LoadRaceFile(
            testDocument(), tempPath(layout == 1 ? QStringLiteral("again.lap") : name));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        // The lap CSV layouts keep no race header.
        if (layout == 2 || layout == 3) testRace().RaceInfo.RaceName = race;
    }
}

TEST_F(InterchangeReadTest, BrokenOrEmptyResultListsKeepThePreviousRace)
{
    const QString head = QStringLiteral(
        "<?xml version=\"1.0\"?>\n<ResultList "
        "xmlns=\"http://www.orienteering.org/datastandard/3.0\" iofVersion=\"3.0\">\n"
        "<Event><Name>x</Name></Event>\n");
    QString longClass = QStringLiteral(
        "<ClassResult><Class><Name>Long</Name></Class>"
        "<PersonResult><Result><Time>999</Time><Status>OK</Status>");
    for (int k = 1; k <= MaxLegs; ++k)
        longClass += QStringLiteral(
                         "<SplitTime><ControlCode>%1</ControlCode><Time>%1</Time>"
                         "</SplitTime>")
                         .arg(k);
    longClass += QStringLiteral("</Result></PersonResult></ClassResult>\n");
    struct Case {
        const char* what;
        QString text;
        int messages;
    };
    const Case cases[] = {
        {"cut short", head + QStringLiteral("<ClassResult><Class><Name>M</Name>"), 0},
        {"tags crossed", head + QStringLiteral("<ClassResult><Class></ClassResult></Class>"), 0},
        {"no class", head + QStringLiteral("</ResultList>\n"), 0},
        {"only a class of more legs than the model holds",
         head + longClass + QStringLiteral("</ResultList>\n"), 1},
        {"text after the root", head + QStringLiteral("</ResultList>\n<x/>"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testDocument().resetRace();
        loadPreviousRace();
        prompts_->log.clear();
        loadBytes(c.text.toUtf8(), QStringLiteral("broken.xml"));
        EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Failed);
        expectPreviousRace();
        ASSERT_EQ(static_cast<int>(messages().size()), c.messages);
        if (c.messages) {
            EXPECT_TRUE(messages().first().contains(QStringLiteral("「Long」")));
        }
    }
}

TEST_F(InterchangeReadTest, AClassOfMoreLegsThanTheModelIsSkippedAndTheRestLoads)
{
    QString xml = QStringLiteral(
        "<ResultList xmlns=\"http://www.orienteering.org/datastandard/3.0\" iofVersion=\"3.0\">"
        "<Event><Name>x</Name></Event>");
    for (int controls : {MaxLegs, MaxLegs - 1}) {
        xml += QStringLiteral(
                   "<ClassResult><Class><Name>C%1</Name></Class><PersonResult>"
                   "<Person><Name><Family>Runner</Family></Name></Person>"
                   "<Result><Time>20000</Time><Status>OK</Status>")
                   .arg(controls);
        for (int k = 1; k <= controls; ++k)
            xml += QStringLiteral(
                       "<SplitTime><ControlCode>%1</ControlCode><Time>%2</Time>"
                       "</SplitTime>")
                       .arg(k)
                       .arg(k * 100);
        xml += QStringLiteral("</Result></PersonResult></ClassResult>");
    }
    xml += QStringLiteral("</ResultList>");
    loadBytes(xml.toUtf8(), QStringLiteral("long.xml"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("C%1").arg(MaxLegs - 1)});
    EXPECT_EQ(testRace().ClassList.at(1).LegCount(), MaxLegs);
    EXPECT_NEAR(testRace().ClassList.at(1).Item(1).Lap(MaxLegs), sec(20000 - (MaxLegs - 1) * 100),
                1e-9);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().first().contains(QStringLiteral("「C%1」").arg(MaxLegs)));
}

TEST_F(InterchangeReadTest, AResultListLongerThanTheLineBufferLoads)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\"?>\n<ResultList iofVersion=\"3.0\">\n<Event>\n<Name>大規模</Name>\n"
        "</Event>\n<ClassResult>\n<Class>\n<Name>M</Name>\n</Class>\n");
    const int runners = 400;
    for (int i = 1; i <= runners; ++i)
        xml += QStringLiteral(
                   "<PersonResult>\n<Person>\n<Name>\n<Family>R%1</Family>\n"
                   "<Given>A</Given>\n</Name>\n</Person>\n<Result>\n<Time>%2</Time>\n"
                   "<Status>OK</Status>\n<SplitTime>\n<ControlCode>1</ControlCode>\n"
                   "<Time>60</Time>\n</SplitTime>\n</Result>\n</PersonResult>\n")
                   .arg(i)
                   .arg(100 + i);
    xml += QStringLiteral("</ClassResult>\n</ResultList>\n");
    ASSERT_GT(xml.count(QLatin1Char('\n')), 3000);
    loadBytes(xml.toUtf8(), QStringLiteral("big.xml"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), runners);
    EXPECT_EQ(testRace().ClassList.at(1).Item(1).Namae, QStringLiteral("A R1"));
}

TEST_F(InterchangeReadTest, OeExportsInEachLayoutSeparatorAndEncoding)
{
    // Layout with the name in one field, ";", LF line ends, CP932.
    const QChar semi = QLatin1Char(';');
    QString oe45 = oeHeader(45, semi, 3);
    oe45 += oeLine(44, semi,
                   {{4, QStringLiteral("山田 太郎")},
                    {8, QStringLiteral("119:00")},
                    {10, QStringLiteral("25:30")},
                    {11, QStringLiteral("0")},
                    {14, QStringLiteral("東京OLK")},
                    {17, QString()},
                    {38, QStringLiteral("\"Course 1\"")},
                    {39, QStringLiteral("3.250")},
                    {40, QStringLiteral("120")},
                    {41, QStringLiteral("3")},
                    {42, QStringLiteral("1")}},
                   {"101", "5:00", "102", "-----", "103", "20:00"});
    oe45 += oeLine(44, semi,
                   {{4, QStringLiteral("鈴木 花子")},
                    {10, QStringLiteral("27:00")},
                    {11, QStringLiteral("3")},
                    {13, QStringLiteral("KOL")},
                    {38, QStringLiteral("Course 1")},
                    {41, QStringLiteral("3")}},
                   {"101", "6:00", "102", "10:00", "103", ""});
    oe45 += oeLine(44, semi,
                   {{4, QStringLiteral("欠場 者")},
                    {11, QStringLiteral("1")},
                    {38, QStringLiteral("Course 1")},
                    {41, QStringLiteral("3")}});
    loadBytes(TextCodec::toCp932(oe45), QStringLiteral("oe.csv"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    ASSERT_EQ(testRace().ClassList.names(),
              QStringList{QStringLiteral("Course 1")});  // no class: the course
    const clsClassData& course = testRace().ClassList.at(1);
    EXPECT_EQ(course.ClassLength, 3250);
    EXPECT_EQ(course.ClassUpHeight, 120);
    EXPECT_EQ(course.ClassControlCount, 3);
    ASSERT_EQ(course.ClassRunnerCount(), 2);
    const clsClassDataSub& yamada = course.Item(1);
    EXPECT_EQ(yamada.Namae, QStringLiteral("山田 太郎"));
    EXPECT_EQ(yamada.Shozoku, QStringLiteral("東京OLK"));
    EXPECT_NEAR(yamada.StartTime, hms(1, 59, 0), 1e-9);  // minutes past zero time
    EXPECT_NEAR(yamada.Total, hms(0, 25, 30), 1e-9);
    EXPECT_EQ(legSeconds(yamada, 4), (std::vector<long long>{300, -1, 900, 330}));
    const clsClassDataSub& suzuki = course.Item(2);
    EXPECT_EQ(suzuki.Shozoku, QStringLiteral("KOL"));  // the short name when there is no name
    EXPECT_EQ(legSeconds(suzuki, 4), (std::vector<long long>{360, 240, -1, 1020}));
    EXPECT_GT(suzuki.Total, kDay);

    // The name split, ",", quoted fields holding the separator, UTF-8 with a byte order mark.
    const QChar comma = QLatin1Char(',');
    QString oe47 = oeHeader(47, comma, 2);
    oe47 += oeLine(46, comma,
                   {{4, QStringLiteral("\"Ögren\"")},
                    {5, QStringLiteral("\"Erik\"")},
                    {10, QStringLiteral("10:00:00")},
                    {12, QStringLiteral("0:10:00")},
                    {13, QStringLiteral("0")},
                    {16, QStringLiteral("\"Smith, Jones & Co\"")},
                    {19, QStringLiteral("H21")},
                    {43, QStringLiteral("2")}},
                   {"31", "0:03:00", "32", "0:07:00"});
    loadBytes(QByteArray("\xEF\xBB\xBF") + oe47.toUtf8(), QStringLiteral("oe47.csv"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    ASSERT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("H21")});
    EXPECT_EQ(testRace().ClassList.at(1).Item(1).Namae, QStringLiteral("Erik Ögren"));
    EXPECT_EQ(testRace().ClassList.at(1).Item(1).Shozoku, QStringLiteral("Smith, Jones & Co"));
    EXPECT_EQ(legSeconds(testRace().ClassList.at(1).Item(1), 3),
              (std::vector<long long>{180, 240, 180}));

    // The layout with more columns in front, ISO-8859-1; "mp" as the place marks a mispunch.
    QString oe61 = oeHeader(61, semi, 2);
    oe61 += oeLine(60, semi,
                   {{6, QStringLiteral("Åberg")},
                    {7, QStringLiteral("Lars")},
                    {14, QStringLiteral("12:00")},
                    {21, QStringLiteral("Luleå OK")},
                    {26, QStringLiteral("D45")},
                    {57, QStringLiteral("2")},
                    {58, QStringLiteral("mp")}},
                   {"31", "4:00", "32", "9:00"});
    loadBytes(oe61.toLatin1(), QStringLiteral("oe61.csv"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    ASSERT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("D45")});
    const clsClassDataSub& lars = testRace().ClassList.at(1).Item(1);
    EXPECT_EQ(lars.Namae, QStringLiteral("Lars Åberg"));
    EXPECT_EQ(lars.Shozoku, QStringLiteral("Luleå OK"));
    EXPECT_EQ(legSeconds(lars, 3), (std::vector<long long>{240, 300, 180}));
    EXPECT_NEAR(lars.Total, kDay + hms(0, 12, 0), 1e-9);
}

// Times a lap file cannot hold (it writes times within one day) are not read: a leg of a day
// or more is unknown, and a runner whose only time is a total of more than a day is left out,
// as a save and load would leave them.
TEST_F(InterchangeReadTest, TimesOfADayOrMoreAreNotRead)
{
    loadBytes(QByteArray("X,2\n"
                         "1,,,,8888888888888888881881\n"
                         "Anna,Berg,,10:00,2:10,3:00,0:40\n"
                         "Eva,Lund,,10:00,110006,3:00,0:40\n"),
              QStringLiteral("splits"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    ASSERT_EQ(testRace().ClassList.count(), 1);
    const clsClassData& cls = testRace().ClassList.at(1);
    ASSERT_EQ(cls.ClassRunnerCount(), 2);
    EXPECT_EQ(cls.Item(1).Namae, QStringLiteral("Anna Berg"));
    EXPECT_EQ(cls.Item(2).Namae, QStringLiteral("Eva Lund"));
    EXPECT_EQ(legSeconds(cls.Item(2), 3), (std::vector<long long>{0, 180, 40}));
}

// A class line may claim any number of controls, up to the largest whole number: the class is
// skipped with its message, and reading its runner line takes no more than the line holds
// (1,111,111,100 controls would make a runner of 18 GB).
TEST_F(InterchangeReadTest, AClassLineClaimingEndlessControlsCostsNoMemory)
{
    loadBytes(QByteArray("Big,1111111100\nAnna,Berg,,10:00,2:10,0:40\n\n"
                         "Max,2147483647\nAnna,Berg,,10:00,2:10,0:40\n\n"
                         "M21,1\nEva,Lund,,10:00,3:00,0:40\n"),
              QStringLiteral("splits"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("M21")});
    EXPECT_EQ(messages().size(), 2);
}

TEST_F(InterchangeReadTest, SplitsBrowserBlocksWithLfLineEnds)
{
    const QString text = QStringLiteral(
        "M21,3,4.5\n"
        "太郎,山田,東京OLK,10:00,2:00,3:00,1:00:05,0:30\n"
        "Anna,Berg,,1,2:10,-----,4:00,0:40\n"
        "\n"
        "W21,2,2480\n"
        "Eva,Fors,Club B,10:05:00,5:00,6:00,1:00\n");
    loadBytes(text.toUtf8(), QStringLiteral("splits"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    ASSERT_EQ(testRace().ClassList.names(),
              (QStringList{QStringLiteral("M21"), QStringLiteral("W21")}));
    const clsClassData& m21 = testRace().ClassList.at(1);
    EXPECT_EQ(m21.ClassLength, 4500);
    EXPECT_EQ(m21.ClassControlCount, 3);
    ASSERT_EQ(m21.ClassRunnerCount(), 2);
    EXPECT_EQ(m21.Item(1).Namae, QStringLiteral("山田 太郎"));
    EXPECT_NEAR(m21.Item(1).StartTime, hms(10, 0, 0), 1e-9);
    EXPECT_NEAR(m21.Item(1).Total, hms(1, 5, 35), 1e-9);
    const clsClassDataSub& anna = m21.Item(2);
    EXPECT_EQ(anna.StartTime, 0);  // a start number in the start column is no time
    EXPECT_EQ(legSeconds(anna, 4), (std::vector<long long>{130, 0, 240, 40}));
    EXPECT_GT(anna.Total, kDay);
    EXPECT_EQ(testRace().ClassList.at(2).ClassLength, 2480);
    EXPECT_NEAR(testRace().ClassList.at(2).Item(1).Total, hms(0, 12, 0), 1e-9);

    // The program's own export: the name in one field, a blank club, 0:00 for an unknown leg.
    loadBytes(TextCodec::toCp932(QStringLiteral("M21A,3\r\n"
                                                "山田太郎,クラブA,10:05:00,4:32,2:10,25:01,3:29\r\n"
                                                "鈴木花子, ,9:00:00,5:00,0:00,20:00,3:00\r\n")),
              QStringLiteral("02_race.csv"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    const clsClassData& own = testRace().ClassList.at(1);
    ASSERT_EQ(own.ClassRunnerCount(), 2);
    EXPECT_EQ(own.Item(1).Namae, QStringLiteral("山田太郎"));
    EXPECT_EQ(own.Item(1).Shozoku, QStringLiteral("クラブA"));
    EXPECT_NEAR(own.Item(1).StartTime, hms(10, 5, 0), 1e-9);
    EXPECT_EQ(legSeconds(own.Item(1), 4), (std::vector<long long>{272, 130, 1501, 209}));
    EXPECT_EQ(own.Item(2).Shozoku, QString());
    EXPECT_EQ(legSeconds(own.Item(2), 4), (std::vector<long long>{300, 0, 1200, 180}));

    // A file named as an Eskdat export is left to the table reader.
    const QString eskdat = tempPath(QStringLiteral("Eskdat01.dat"));
    QFile file(eskdat);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    EXPECT_EQ(basConvert::ReadRaceFile(eskdat).format, basConvert::RaceFormat::Eskdat);
}

TEST(InterchangeDetection, OtherFilesAreLeftToTheOtherReaders)
{
    using basConvert::ReadOutcome;
    struct Case {
        const char* what;
        const char* text;
    };
    const Case cases[] = {
        {"lap table", "クラス,名前,所属,△→１,１→◎\nM,走者,C,00:01:00,00:02:00\n"},
        {"two fields then no runner line", "M21,3\nfoo,bar\n"},
        {"class line with a text count", "M21,three\nA,B,C,10:00,1:00,1:00,1:00,1:00\n"},
        {"runner line with too many legs", "M21,1\nA,B,C,10:00,1:00,1:00,1:00\n"},
        {"numbered header not in pairs", "a;b;c1;d1;e1;f1\n"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        basConvert::ImportedRace race;
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(basConvert::ReadResultTable(text, race), ReadOutcome::NotThisFormat);
        EXPECT_EQ(basConvert::ReadSplitsBrowserCsv(text, race), ReadOutcome::NotThisFormat);
        EXPECT_EQ(basConvert::ReadIofXml(text.toUtf8(), race), ReadOutcome::NotThisFormat);
    }
    basConvert::ImportedRace race;
    EXPECT_EQ(basConvert::ReadIofXml(QByteArray("<?xml version=\"1.0\"?><StartList/>"), race),
              ReadOutcome::NotThisFormat);
    EXPECT_EQ(
        basConvert::ReadIofXml(QByteArray("<?xml version=\"1.0\"?><ResultList><Event>"), race),
        ReadOutcome::Failed);
    // A SplitsBrowser file that breaks its own layout later on.
    EXPECT_EQ(basConvert::ReadSplitsBrowserCsv(
                  QStringLiteral("M,1\nA,B,C,10:00,1:00,1:00\nnot,a,runner,line,x\n"), race),
              ReadOutcome::Failed);
}

// Files far longer than the start by which each reader tells its format, and than a line or the
// line buffer of the table readers: each is still taken for what it is, whatever lies beyond the
// start (a body of thousands of runners, a root element after a long comment, a file that begins
// with blank lines).
TEST_F(InterchangeReadTest, LargeFilesAreTakenForTheFormatTheirStartShows)
{
    auto xmlList = [](const char* encoding, const QString& prolog, int runners,
                      const QString& lineEnd) {
        QString xml =
            QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>").arg(QLatin1String(encoding)) +
            lineEnd + prolog +
            QStringLiteral(
                "<ResultList iofVersion=\"3.0\"><Event><Name>Stor</Name>"
                "</Event><ClassResult><Class><Name>H21</Name></Class>") +
            lineEnd;
        for (int i = 1; i <= runners; ++i)
            xml += QStringLiteral(
                       "<PersonResult><Person><Name><Family>Ö%1</Family><Given>A</Given>"
                       "</Name></Person><Result><Time>%2</Time><Status>OK</Status>"
                       "<SplitTime><ControlCode>31</ControlCode><Time>60</Time>"
                       "</SplitTime></Result></PersonResult>")
                       .arg(i)
                       .arg(100 + i) +
                   lineEnd;
        return xml + QStringLiteral("</ClassResult></ResultList>") + lineEnd;
    };
    QString oe = oeHeader(45, QLatin1Char(';'), 2);
    for (int i = 1; i <= 3500; ++i)
        oe += oeLine(44, QLatin1Char(';'),
                     {{4, QStringLiteral("A R%1").arg(i)},
                      {10, QStringLiteral("30:00")},
                      {17, QStringLiteral("H21")},
                      {41, QStringLiteral("2")}},
                     {QStringLiteral("31"), QStringLiteral("10:00"), QStringLiteral("32"),
                      QStringLiteral("20:00")});
    auto splitsBrowser = [](const QString& before, int runners) {
        QString text = before + QStringLiteral("H21,2\n");
        for (int i = 1; i <= runners; ++i)
            text += QStringLiteral("A,Ö%1,Club,10:00,1:00,2:00,0:30\n").arg(i);
        return text;
    };
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* name;
        int runners;
        const char* named;  // one of them
    };
    const Case cases[] = {
        {"UTF-8 result list on one line", xmlList("UTF-8", {}, 5000, {}).toUtf8(), "one.xml", 5000,
         "A Ö5000"},
        {"Latin-1 result list", xmlList("ISO-8859-1", {}, 1300, "\n").toLatin1(), "latin.xml", 1300,
         "A Ö1300"},
        {"root after a long comment",
         xmlList("UTF-8", "<!--" + QString(300000, QLatin1Char('x')) + "-->", 10, "\n").toUtf8(),
         "comment.xml", 10, "A Ö10"},
        {"OE export in CP932", TextCodec::toCp932(oe), "oe.csv", 3500, "A R3500"},
        {"SplitsBrowser file", splitsBrowser({}, 9000).toUtf8(), "splits.csv", 9000, "A Ö9000"},
        {"SplitsBrowser file after blank lines",
         splitsBrowser(QString(300000, QLatin1Char('\n')), 3).toUtf8(), "blank.csv", 3, "A Ö3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_GT(c.bytes.size(), 256 << 10);
        testDocument().resetRace();
        loadBytes(c.bytes, QString::fromLatin1(c.name));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        ASSERT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("H21")});
        ASSERT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), c.runners);
        EXPECT_NE(findRunner(testRace().ClassList.at(1), QString::fromUtf8(c.named)), nullptr);
    }
}

// Inputs no reader could take in time linear in their size are refused with their reason before
// they are split or parsed: a line longer than any table's (also a file of one huge line, whatever
// its start), an XML element of more attributes than a result list gives, wherever it stands.
TEST_F(InterchangeReadTest, OverlongInputsAreRefusedWithTheirReason)
{
    auto oneLine = [](QByteArray line) {
        while (line.size() < (3 << 20)) line += "x,";
        return line;
    };
    auto resultList = [](const char* encoding, int attributes, int padding) {
        QString extra = QStringLiteral("<Extra");
        for (int i = 0; i < attributes; ++i) extra += QStringLiteral(" a%1=\"x=y\"").arg(i);
        return QStringLiteral(
                   "<?xml version=\"1.0\" encoding=\"%1\"?>\n<ResultList><!-- %2 -->"
                   "%3/><ClassResult><Class><Name>H21</Name></Class><PersonResult>"
                   "<Person><Name><Family>Ö</Family></Name></Person><Result><Time>100"
                   "</Time></Result></PersonResult></ClassResult></ResultList>\n")
            .arg(QLatin1String(encoding), QString(padding, QLatin1Char('=')), extra);
    };
    const struct {
        QByteArray bytes;
        const char *name, *reason;
    } cases[] = {
        {"クラス,名前,所属,△→１,１→◎\r\nM," + QByteArray(2 << 20, 'x') + "\r\n", "long.csv",
         "長すぎる行"},
        {oneLine("クラス,氏名,所属,区間,区間タイム,通過タイム,"), "perleg.csv", "長すぎる行"},
        {oneLine("M21,Runner,Club,00:05:07,"), "oneline.csv", "長すぎる行"},
        {resultList("UTF-8", 65, 0).toUtf8(), "small.xml", "属性が多すぎる要素"},
        {resultList("UTF-8", 5000, 300000).toUtf8(), "long.xml", "属性が多すぎる要素"},
        {resultList("ISO-8859-1", 5000, 300000).toLatin1(), "latin.xml", "属性が多すぎる要素"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        loadPreviousRace();
        loadBytes(c.bytes, QString::fromLatin1(c.name));
        EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Failed);
        EXPECT_TRUE(lastLoad.failureMessage().contains(QString::fromUtf8(c.reason)));
        expectPreviousRace();
    }
    loadBytes(resultList("UTF-8", 64, 0).toUtf8(), QStringLiteral("allowed.xml"));
    EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
}

// Two controls punched in the same second give a leg of no time, which is no missing punch: the
// leg is carried in the next one, or at the last time the leg before is carried in it, so every
// later elapsed time keeps its value.
TEST(ImportedRace, ALegOfNoTimeIsMergedNotMissing)
{
    const std::optional<double> no;
    // The elapsed times at controls 1 to 4, the total, the legs (-1 merged, 0 missing).
    const std::tuple<std::vector<std::optional<double>>, std::optional<double>,
                     std::vector<long long>>
        cases[] = {
            {{60, 120, 120, 200}, 260, {60, 60, -1, 80, 60}},  // side by side
            {{60, 120, 180, 240}, 240, {60, 60, 60, -1, 60}},  // the last control at the finish
            {{60, 60, no, 200}, 260, {60, -1, -1, 140, 60}},   // then a control without time
            {{60, 120, 120, no}, no, {60, -1, 60, 0, 0}},      // the run stopped there
            {{60, 120, 120, 120}, 120, {60, -1, -1, -1, 60}},  // three in one second
            {{60, 50, 50, 100}, 160, {60, 0, -1, 50, 60}},     // after a punch out of order
        };
    for (const auto& [elapsed, total, legs] : cases) {
        basConvert::ImportedRace race;
        basConvert::ImportedClass& cls = race.classNamed(QStringLiteral("H21"));
        cls.controlCount = 4;
        cls.runners.resize(1);
        cls.runners[0].family = QStringLiteral("Runner");
        cls.runners[0].elapsed = elapsed;
        cls.runners[0].totalSeconds = total;
        RaceHeader header;
        ClassCollection classes;
        ASSERT_TRUE(basConvert::BuildImportedRace(race, header, classes));
        EXPECT_EQ(legSeconds(classes.at(1).Item(1), 5), legs);
    }
}
