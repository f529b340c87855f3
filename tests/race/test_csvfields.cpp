// The one field splitter under both quoting rules: what other programs quote is read as one
// field, and a quote in the program's own files stays an ordinary character.
#include "race/csvfields.h"

#include <gtest/gtest.h>

using CbasGeneral::CsvQuotes;

TEST(CsvFields, BothQuotingRules)
{
    struct Case {
        const char* line;
        char separator;
        QStringList honoured;
        QStringList literal;
    };
    const Case cases[] = {
        {"a,b,,c", ',', {"a", "b", "", "c"}, {"a", "b", "", "c"}},
        {"", ',', {""}, {""}},
        {"\"Lee, Ann\",W21", ',', {"Lee, Ann", "W21"}, {"\"Lee", " Ann\"", "W21"}},
        {"\"a\"\"b\",c", ',', {"a\"b", "c"}, {"\"a\"\"b\"", "c"}},
        {"ab\"c,d", ',', {"ab\"c", "d"}, {"ab\"c", "d"}},  // a quote inside a field
        {"\"open,end", ',', {"open,end"}, {"\"open", "end"}},
        {"x;\"y;z\";w", ';', {"x", "y;z", "w"}, {"x", "\"y", "z\"", "w"}},
        {"1\t\"2\t3\"", '\t', {"1", "2\t3"}, {"1", "\"2", "3\""}},
    };
    for (const Case& c : cases) {
        const QString line = QString::fromUtf8(c.line);
        const QChar separator = QLatin1Char(c.separator);
        EXPECT_EQ(SplitCsvFields(line, CsvQuotes::Honoured, separator), c.honoured) << c.line;
        EXPECT_EQ(SplitCsvFields(line, CsvQuotes::Literal, separator), c.literal) << c.line;
        EXPECT_EQ(FirstCsvField(line, CsvQuotes::Honoured, separator), c.honoured.first())
            << c.line;
        EXPECT_EQ(FirstCsvField(line, CsvQuotes::Literal, separator), c.literal.first()) << c.line;
        QStringList views;
        for (QStringView view : CbasGeneral::CsvFieldViews(line, separator))
            views << view.toString();
        EXPECT_EQ(views, c.literal) << c.line;
    }
}
