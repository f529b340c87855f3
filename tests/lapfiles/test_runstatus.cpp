// The status of every run as the files give it: each reader keeps it, and the lap file, the CSV
// layouts and IOF XML carry it back; a run that is not OK never has a valid total.
#include "lapfixtures.h"

#include "common/scriptedprompts.h"
#include "lapfiles/formattable.h"
#include "race/prompts.h"

using namespace basDefinition;
using namespace lapfixtures;

namespace {

QString sorted(QStringList list)
{
    list.sort();
    return list.join(QLatin1Char(' '));
}

// Every runner as "name=CODE", sorted; a run that is not OK has no valid total.
QString statusesOfRace()
{
    QStringList found;
    for (const auto& c : testRace().ClassList)
        for (int n = 1; n <= c->ClassRunnerCount(); ++n) {
            const clsClassDataSub& r = c->Item(n);
            found << r.Namae + QLatin1Char('=') + RunStatusCode(r.Status);
            EXPECT_TRUE(r.Status == RunStatus::Ok || r.Total > 1.0) << r.Namae.toStdString();
        }
    return sorted(found);
}

// An IOF XML 3.0 result list of one class with a runner per status, named by it.
QString resultList(const QStringList& statuses)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\"?><ResultList xmlns=\"http://www.orienteering"
        ".org/datastandard/3.0\"><ClassResult><Class><Name>H</Name></Class>");
    for (const QString& s : statuses)
        xml += QStringLiteral(
                   "<PersonResult><Person><Name><Family>%1</Family></Name></Person><Result>"
                   "<Time>600</Time><Status>%1</Status><SplitTime><ControlCode>31"
                   "</ControlCode><Time>300</Time></SplitTime></Result></PersonResult>\n")
                   .arg(s);
    return xml + QStringLiteral("</ClassResult></ResultList>\n");
}

}  // namespace

class RunStatusTest : public LapFileTest {
protected:
    Prompts::ScopedPrompts prompts_{std::make_unique<Prompts::ScriptedPrompts>()};
};

// Entries cancelled or moved, and runners who did not start and have no time, are left out.
TEST_F(RunStatusTest, EachReaderKeepsTheStatusOfItsRuns)
{
    const struct {
        const char* file;
        QString text;
        QStringList expected;
    } cases[] = {
        {"iof3.xml",
         resultList({"OK", "Finished", "MissingPunch", "DidNotFinish", "SportingWithdrawal",
                     "Disqualified", "OverTime", "NotCompeting", "DidNotStart", "Cancelled",
                     "Moved", "Odd"}),
         {"OK=OK", "Finished=OK", "MissingPunch=MP", "DidNotFinish=DNF", "SportingWithdrawal=DNF",
          "Disqualified=DSQ", "OverTime=OT", "NotCompeting=NC", "DidNotStart=DNS", "Odd=MP"}},
        // The OE classifier, the nc column, a mark as the place and a mark as the time.
        {"oe.csv",
         QStringLiteral("Surname;Classifier;nc;Pl;Time;Control1;Punch1\nOk;0;0;1;10:00;31;5:00\n"
                        "Dns;1;0;;10:00;31;5:00\nDnf;2;0;;10:00;31;5:00\nMp;3;0;;10:00;31;5:00\n"
                        "Dsq;4;0;;10:00;31;5:00\nOt;5;0;;10:00;31;5:00\nNc;0;X;;10:00;31;5:00\n"
                        "Place;0;0;mp;10:00;31;5:00\nWord;0;0;;disq;31;5:00\nNo;1;0;;;31;\n"),
         {"Ok=OK", "Dns=DNS", "Dnf=DNF", "Mp=MP", "Dsq=DSQ", "Ot=OT", "Nc=NC", "Place=MP",
          "Word=DSQ"}},
        // The lap file's own column, with a code or a Japanese word.
        {"race.lap",
         lapHead() + QStringLiteral("クラス,名前,総タイム,△→１,１→◎,状態\nM,Ok,0,00:05:00,00:05:00,"
                                    "\nM,Nc,0,00:05:00,00:06:00,NC\nM,Mp,0,00:05:00,n/a,ミスパンチ"
                                    "\nM,Sanko,00:12:00,00:05:00,00:07:00,参\n"),
         {"Ok=OK", "Nc=NC", "Mp=MP", "Sanko=NC"}},
        // The words of the split pages in place of the time.
        {"split.html",
         QStringLiteral(
             "<pre>   Pl  Stnr Name                    Zeit\n\nD 21-  (2)   3.150 km   1 P\n"
             "                                          1(31)       Z\n"
             "            Aufg                    Aufg    7:10   -----\n            C\n"
             "            Fehlst                Fehlst    7:10   -----\n            C\n"),
         {"Aufg=DNF", "Fehlst=MP"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        testDocument().resetRace();
        load(c.text, QString::fromUtf8(c.file));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        EXPECT_EQ(statusesOfRace(), sorted(c.expected));
    }
}

// A run's status survives each layout the program saves; a class whose runs are all OK is
// written as it always was.
TEST_F(RunStatusTest, EachSavedLayoutKeepsTheStatuses)
{
    const auto legs = {hms(0, 5, 0), hms(0, 6, 0), hms(0, 1, 0)};
    clsClassData& m21 = addClass(QStringLiteral("M21"), 2, true);
    for (int s = 0; s <= static_cast<int>(RunStatus::NotCompeting); ++s) {
        clsClassDataSub r = runner(RunStatusCode(RunStatus(s)), QString(), 0, legs);
        r.Status = RunStatus(s);
        m21.Add(r);
    }
    addClass(QStringLiteral("W21"), 2, true).Add(runner(QStringLiteral("W"), {}, 0, legs));
    const QString before = statusesOfRace();
    const QStringList lap = save(1);
    for (const char* line : {"クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎,状態",
                             "M21,NC,,00:00:00,24:12:00,00:05:00,00:06:00,00:01:00,NC",
                             "W21,W,,00:00:00,00:12:00,00:05:00,00:06:00,00:01:00"})
        EXPECT_TRUE(lap.contains(QString::fromUtf8(line))) << line;
    const QStringList names{"race.lap", "rows.csv", "columns.csv", "race.xml"};
    for (int layout = 1; layout <= 4; ++layout)
        basConvert::SaveRaceFile(testDocument(), tempPath(names[layout - 1]),
                                 *basConvert::SaveTypeAt(layout));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        testDocument().resetRace();
        lastLoad = basConvert::LoadRaceFile(testDocument(), tempPath(name));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        EXPECT_EQ(statusesOfRace(), before);
    }
}
