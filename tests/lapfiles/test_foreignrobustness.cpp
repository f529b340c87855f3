// Malformed foreign files never crash or hang the import: each ends loaded or failed, and a
// failure keeps the race in memory.
#include "lapfixtures.h"

#include "common/scriptedprompts.h"
#include "lapfiles/racefile.h"
#include "race/prompts.h"
#include "race/race.h"

#include <random>

using namespace basDefinition;

namespace {

// Lines from the tokens the readers look for, joined at random.
QString randomTable(std::mt19937& random, const QString& separator)
{
    static const QStringList tokens{
        "名前",       "ｸﾗｽ",       "TOTAL",      "G",        "S-1",    "1-F",  "△→１", "99→◎",
        "0:03:00",    "12:00:00",  "n/a",        "→",        "-",      "",     " ",    "IMP1 X",
        "(3)",        " 6.500 km", " 40 m ",     " 31 C",    "1(31)",  "Stno", "Name", "Time",
        "９９９９９", "-5",        "2026/01/02", "★ラベル★", "クラス", "山田"};
    std::uniform_int_distribution<int> lineCount(0, 40);
    std::uniform_int_distribution<int> fieldCount(0, 12);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(tokens.size()) - 1);
    QString text;
    for (int l = lineCount(random); l > 0; --l) {
        QStringList fields;
        for (int f = fieldCount(random); f > 0; --f) fields << tokens[pick(random)];
        text += fields.join(separator) + QLatin1Char('\n');
    }
    return text;
}

}  // namespace

TEST_F(LapFileTest, MalformedForeignFilesFailSafely)
{
    const QString sportidentHead = QStringLiteral(
        "Cup\nCup Park\nSPORTident results\n\n\n    Pl    Stno Name                       Time\n");
    struct Kind {
        QString name;
        QString head;
        QString separator;
    };
    const Kind kinds[] = {
        {QStringLiteral("t.csv"), QString(), QStringLiteral(",")},
        {QStringLiteral("t.txt"), QString(), QStringLiteral("   ")},
        {QStringLiteral("x-Eskdat.dat"), QString(), QStringLiteral(",")},
        {QStringLiteral("si.txt"), sportidentHead, QStringLiteral("  ")},
        // A split page: the header, a class line, then rows of anything.
        {QStringLiteral("page.html"),
         QStringLiteral(
             "<html><pre>  Pl Name   Time\nA  (2)   1.5 km  3 C\n     1 Ann  <b>9:00</b>"),
         QStringLiteral(" ")},
    };
    std::mt19937 random(20261208);
    for (const Kind& kind : kinds) {
        for (int round = 0; round < 60; ++round) {
            auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
            for (const char* a : {"名前", "総", "所属", "ラ", "年齢", "クラス"})
                prompts->inputs.push_back(QString::fromUtf8(a));
            Prompts::ScopedPrompts scope(std::move(prompts));
            loadPreviousRace();
            const QString text = kind.head + randomTable(random, kind.separator);
            load(text, kind.name);
            SCOPED_TRACE(kind.name.toStdString() + "\n" + text.toStdString());
            if (!lastLoad.loaded()) expectPreviousRace();
            for (const auto& cls : testRace().ClassList) ASSERT_LE(cls->LegCount(), MaxLegs);
        }
    }
}
