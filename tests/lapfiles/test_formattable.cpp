// The table of formats as the save dialog and the command line list it: every type a race is
// saved as is read back by the entry that writes it.
#include "lapfiles/formattable.h"
#include "lapfixtures.h"

#include <set>

using namespace basDefinition;
using basConvert::RaceFormat;
using basConvert::SaveType;

TEST(FormatTable, ListsEachKindOnceAndTheSaveTypesInTheDialogsOrder)
{
    std::set<RaceFormat> kinds;
    for (const basConvert::FormatEntry& entry : basConvert::FormatTable())
        EXPECT_TRUE(kinds.insert(entry.format).second) << int(entry.format);
    EXPECT_EQ(basConvert::SaveDialogFilter(),
              QStringLiteral("LAP形式 (*.lap)|*.lap|CSV形式[横型] (*.csv)|*.csv|CSV形式[縦型] "
                             "(*.csv)|*.csv|IOF XML 3.0 (*.xml)|*.xml"));
    EXPECT_EQ(basConvert::SaveLayoutNames(),
              QStringList({"lap", "csv-rows", "csv-columns", "iof-xml"}));
    EXPECT_FALSE(basConvert::SaveTypeOfLayout(QStringLiteral("LAP")));
}

TEST_F(LapFileTest, EachSavedTypeIsReadBackByTheEntryThatWritesIt)
{
    const struct {
        SaveType type;
        RaceFormat read;
    } cases[] = {
        {SaveType::Lap, RaceFormat::Lap},
        {SaveType::CsvRows, RaceFormat::LapCsvRows},
        {SaveType::CsvColumns, RaceFormat::LapCsvColumns},
        {SaveType::IofXml, RaceFormat::IofXml},
    };
    ASSERT_EQ(basConvert::SaveTypes().size(), std::size(cases));
    clsClassData& cls = lapfixtures::addClass(QStringLiteral("M21"), 1, true);
    cls.Add(lapfixtures::runner(QStringLiteral("Aki"), QStringLiteral("C"), 0,
                                {lapfixtures::hms(0, 3, 0), lapfixtures::hms(0, 1, 0)}));
    for (const auto& c : cases) {
        const basConvert::FormatWriter& writer = basConvert::WriterOf(c.type);
        SCOPED_TRACE(writer.layout.toStdString());
        EXPECT_EQ(writer.type, c.type);
        EXPECT_EQ(basConvert::SaveTypeAt(basConvert::FilterIndexOf(c.type)), c.type);
        EXPECT_EQ(basConvert::SaveTypeOfLayout(writer.layout), c.type);
        const QString path = tempPath(QStringLiteral("race") + writer.pattern.mid(1));
        ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), path, c.type),
                  basConvert::SaveResult::Saved);
        const basConvert::LoadResult back = basConvert::ReadRaceFile(path);
        EXPECT_EQ(back.format, c.read);
        ASSERT_TRUE(back.loaded());
        EXPECT_EQ(back.race.ClassList.at(1).Item(1).Namae, QStringLiteral("Aki"));
        for (const basConvert::FormatEntry& entry : basConvert::FormatTable()) {
            if (entry.format == c.read) {
                EXPECT_EQ(entry.writer->type, c.type);
            }
        }
    }
}
