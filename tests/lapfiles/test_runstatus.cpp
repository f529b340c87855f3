// The status of every run as the files give it: each reader keeps it, and the lap file, the CSV
// layouts and IOF XML carry it back; a run that is not OK never has a valid total.
#include "lapfixtures.h"

#include "lapfiles/importedrace.h"
#include "race/prompts.h"

#include <map>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

using Statuses = std::map<QString, QString>;  // runner's name -> status code

// Every runner of the race with the code of its status; a run that is not OK has no valid
// total.
Statuses statusesOfRace()
{
    Statuses found;
    for (const auto& c : ClassList)
        for (int n = 1; n <= c->ClassRunnerCount(); ++n) {
            const clsClassDataSub& r = c->Item(n);
            found[r.Namae] = RunStatusCode(r.Status);
            if (r.Status != RunStatus::Ok) {
                EXPECT_GT(r.Total, 1.0) << r.Namae.toStdString();
            }
        }
    return found;
}

QString iof3(std::initializer_list<std::pair<const char*, const char*>> runners)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ResultList "
        "xmlns=\"http://www.orienteering.org/datastandard/3.0\" iofVersion=\"3.0\">\n"
        "<Event><Name>E</Name></Event><ClassResult><Class><Name>H21</Name></Class>\n");
    for (const auto& [name, status] : runners)
        xml += QStringLiteral(
                   "<PersonResult><Person><Name><Family>%1</Family></Name></Person>"
                   "<Result><Time>600</Time><Status>%2</Status><SplitTime>"
                   "<ControlCode>31</ControlCode><Time>300</Time></SplitTime></Result>"
                   "</PersonResult>\n")
                   .arg(QString::fromUtf8(name), QString::fromUtf8(status));
    return xml + QStringLiteral("</ClassResult></ResultList>\n");
}

QString iof2(std::initializer_list<std::pair<const char*, const char*>> runners)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\"?>\n<ResultList><ClassResult>"
        "<ClassShortName>H21</ClassShortName>\n");
    for (const auto& [name, status] : runners)
        xml += QStringLiteral(
                   "<PersonResult><Person><PersonName><Family>%1</Family></PersonName>"
                   "</Person><Result><Time>10:00</Time><CompetitorStatus value=\"%2\"/>"
                   "<SplitTime sequence=\"1\"><ControlCode>31</ControlCode>"
                   "<Time>5:00</Time></SplitTime></Result></PersonResult>\n")
                   .arg(QString::fromUtf8(name), QString::fromUtf8(status));
    return xml + QStringLiteral("</ClassResult></ResultList>\n");
}

}  // namespace

TEST(ResultMarks, EachMarkStandsForItsStatus)
{
    const std::pair<const char*, std::optional<RunStatus>> cases[] = {
        {"mp", RunStatus::MissingPunch},
        {"P.fehl.", RunStatus::MissingPunch},
        {"ミスパンチ", RunStatus::MissingPunch},
        {"DNF", RunStatus::DidNotFinish},
        {"Aufg.", RunStatus::DidNotFinish},
        {"途中棄権", RunStatus::DidNotFinish},
        {"disq", RunStatus::Disqualified},
        {"失格", RunStatus::Disqualified},
        {"dns", RunStatus::DidNotStart},
        {"欠場", RunStatus::DidNotStart},
        {"OT", RunStatus::OverTime},
        {"時間超過", RunStatus::OverTime},
        {"n/c", RunStatus::NotCompeting},
        {"(AK)", RunStatus::NotCompeting},
        {"参", RunStatus::NotCompeting},
        {"参考", RunStatus::NotCompeting},
        {"ok", std::nullopt},
        {"12", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [mark, status] : cases)
        EXPECT_EQ(basConvert::StatusOfMark(QString::fromUtf8(mark)), status) << mark;
}

class RunStatusTest : public LapFileTest {
protected:
    void SetUp() override
    {
        LapFileTest::SetUp();
        scoped_ =
            std::make_unique<Prompts::ScopedPrompts>(std::make_unique<Prompts::ScriptedPrompts>());
    }
    void TearDown() override { scoped_.reset(); }
    std::unique_ptr<Prompts::ScopedPrompts> scoped_;
};

// Runs that were cancelled or moved, and runs that did not start and have no time, are left out.
TEST_F(RunStatusTest, EachReaderKeepsTheStatusOfItsRuns)
{
    struct Case {
        const char* file;
        QString text;
        Statuses expected;
    };
    const Case cases[] = {
        {"iof3.xml",
         iof3({{"Ok", "OK"},
               {"Fin", "Finished"},
               {"Mp", "MissingPunch"},
               {"Dnf", "DidNotFinish"},
               {"Sw", "SportingWithdrawal"},
               {"Dsq", "Disqualified"},
               {"Ot", "OverTime"},
               {"Nc", "NotCompeting"},
               {"Dns", "DidNotStart"},
               {"Can", "Cancelled"},
               {"Mov", "Moved"},
               {"Odd", "Strange"}}),
         {{"Ok", "OK"},
          {"Fin", "OK"},
          {"Mp", "MP"},
          {"Dnf", "DNF"},
          {"Sw", "DNF"},
          {"Dsq", "DSQ"},
          {"Ot", "OT"},
          {"Nc", "NC"},
          {"Dns", "DNS"},
          {"Odd", "MP"}}},
        {"iof2.xml",
         iof2({{"Ok", "OK"},
               {"Mp", "MisPunch"},
               {"Dnf", "DidNotFinish"},
               {"Sw", "SportWithdr"},
               {"Dsq", "Disqualified"},
               {"Ot", "OverTime"},
               {"Nc", "NotCompeting"},
               {"Up", "MovedUp"}}),
         {{"Ok", "OK"},
          {"Mp", "MP"},
          {"Dnf", "DNF"},
          {"Sw", "DNF"},
          {"Dsq", "DSQ"},
          {"Ot", "OT"},
          {"Nc", "NC"}}},
        // The OE classifier, the nc column, a mark as the place and a mark in the time.
        {"oe.csv",
         QStringLiteral("Surname;Classifier;nc;Pl;Time;Short;Control1;Punch1\n"
                        "Ok;0;0;1;10:00;H21;31;5:00\nDns;1;0;;10:00;H21;31;5:00\n"
                        "Dnf;2;0;;10:00;H21;31;5:00\nMp;3;0;;10:00;H21;31;5:00\n"
                        "Dsq;4;0;;10:00;H21;31;5:00\nOt;5;0;;10:00;H21;31;5:00\n"
                        "Nc;0;X;;10:00;H21;31;5:00\nPlace;0;0;mp;10:00;H21;31;5:00\n"
                        "Word;0;0;;disq;H21;31;5:00\nAbsent;1;0;;;H21;31;\n"),
         {{"Ok", "OK"},
          {"Dns", "DNS"},
          {"Dnf", "DNF"},
          {"Mp", "MP"},
          {"Dsq", "DSQ"},
          {"Ot", "OT"},
          {"Nc", "NC"},
          {"Place", "MP"},
          {"Word", "DSQ"}}},
        // The lap file's own column, as a code or the Japanese word.
        {"race.lap",
         lapHead() + QStringLiteral("クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎,状態\n"
                                    "M21,Ok,,00:00:00,00:10:00,00:05:00,00:05:00,\n"
                                    "M21,Nc,,00:00:00,0,00:05:00,00:06:00,NC\n"
                                    "M21,Mp,,00:00:00,0,00:05:00,n/a,ミスパンチ\n"
                                    "M21,Sanko,,00:00:00,00:12:00,00:05:00,00:07:00,参\n"),
         {{"Ok", "OK"}, {"Nc", "NC"}, {"Mp", "MP"}, {"Sanko", "NC"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ResetRace();
        load(c.text, QString::fromUtf8(c.file));
        ASSERT_EQ(FileResult, FileOk);
        EXPECT_EQ(statusesOfRace(), c.expected);
    }
}

// A run's status survives each layout the program saves; a class whose runs are all OK is
// written as it always was.
TEST_F(RunStatusTest, EachSavedLayoutKeepsTheStatuses)
{
    const auto buildRace = [] {
        const double start = hms(10, 0, 0);
        clsClassData& m21 = addClass(QStringLiteral("M21"), 2, true);
        const std::pair<const char*, RunStatus> runs[] = {{"Ok", RunStatus::Ok},
                                                          {"Mp", RunStatus::MissingPunch},
                                                          {"Dnf", RunStatus::DidNotFinish},
                                                          {"Dsq", RunStatus::Disqualified},
                                                          {"Dns", RunStatus::DidNotStart},
                                                          {"Ot", RunStatus::OverTime},
                                                          {"Nc", RunStatus::NotCompeting}};
        for (const auto& [name, status] : runs) {
            clsClassDataSub r = runner(QString::fromUtf8(name), QString(), start,
                                       {hms(0, 5, 0), hms(0, 6, 0), hms(0, 1, 0)});
            r.Status = status;
            m21.Add(r);
        }
        addClass(QStringLiteral("W21"), 2, true)
            .Add(runner(QStringLiteral("Clean"), QString(), start,
                        {hms(0, 7, 0), hms(0, 6, 0), hms(0, 1, 0)}));
    };
    buildRace();
    const Statuses before = statusesOfRace();
    EXPECT_EQ(before.at(QStringLiteral("Nc")), QStringLiteral("NC"));

    const QStringList lap = save(1);
    for (const char* line : {"クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎,状態",
                             "M21,Ok,,10:00:00,00:12:00,00:05:00,00:06:00,00:01:00,",
                             "M21,Nc,,10:00:00,24:12:00,00:05:00,00:06:00,00:01:00,NC",
                             "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎",
                             "W21,Clean,,10:00:00,00:14:00,00:07:00,00:06:00,00:01:00"})
        EXPECT_TRUE(lap.contains(QString::fromUtf8(line))) << line;

    const char* const names[] = {"race.lap", "rows.csv", "columns.csv", "race.xml"};
    for (int layout = 1; layout <= 4; ++layout) {
        SCOPED_TRACE(layout);
        ResetRace();
        buildRace();
        const QString path = tempPath(QString::fromUtf8(names[layout - 1]));
        basConvert::SaveRaceFile(path, layout);
        ASSERT_EQ(FileResult, FileOk);
        ResetRace();
        basConvert::LoadRaceFile(path);
        ASSERT_EQ(FileResult, FileOk);
        EXPECT_EQ(statusesOfRace(), before);
    }
}
