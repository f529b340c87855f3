#include "lapfiles/readcontext.h"
#include "lapfiles/tablereader.h"
#include "race/classdata.h"
#include "race/csvfields.h"
#include "race/textutil.h"

#include <algorithm>

namespace basConvert {

using CbasGeneral::CsvQuotes;
using CbasGeneral::SplitCsvFields;

namespace {

bool sameWord(const QString& field, const char* word)
{
    return field.compare(QString::fromUtf8(word), Qt::CaseInsensitive) == 0;
}

// The leg number of a leg label such as "８→９" or "12→◎"; the finish symbol means the leg
// after the highest seen so far. 0 for a label whose end is not a number.
int legNumberOf(const TableColumns& columns, const QString& label, bool* isFinish)
{
    QString to = CbasGeneral::ToNarrow(label.mid(label.indexOf(QStringLiteral("→")) + 1));
    *isFinish = to == QStringLiteral("◎");
    if (*isFinish) return columns.highestLeg + 1;
    double value = CbasGeneral::Val(to);
    if (value < 1 || value > MaxLegs) return 0;
    return CbasGeneral::RoundHalfEven(value);
}

}  // namespace

bool AnalyzeHeaderLine(TableColumns& columns, const QString& line)
{
    columns.clear();
    const QStringList fields = SplitCsvFields(line, CsvQuotes::Literal);
    for (int k = 1; k <= fields.size(); ++k) {
        const QString& field = fields[k - 1];
        if (sameWord(field, "クラス"))
            columns.classColumn = k;
        else if (sameWord(field, "名前"))
            columns.nameColumn = k;
        else if (sameWord(field, "所属"))
            columns.affiliationColumn = k;
        else if (sameWord(field, "総タイム"))
            columns.totalColumn = k;
        else if (sameWord(field, "スタート時刻"))
            columns.startColumn = k;
        else if (sameWord(field, "状態"))
            columns.statusColumn = k;
        else if (field.contains(QStringLiteral("→"))) {
            bool isFinish = false;
            int leg = legNumberOf(columns, field, &isFinish);
            if (leg < 1 || leg > MaxLegs) return false;
            if (isFinish) columns.finishLeg = true;
            columns.highestLeg = std::max(columns.highestLeg, leg);
            columns.LapColumns[static_cast<size_t>(leg)] = k;
        }
    }
    return true;
}

bool IsColumnHeaderLine(const QString& line)
{
    static const QString marker = QStringLiteral("★ラベル★");
    static const QString classWord = QStringLiteral("クラス");
    static const QString nameWord = QStringLiteral("名前");
    if (line.contains(marker)) return true;
    // Most lines are runner lines that hold neither word: they are told without splitting.
    if (!line.contains(classWord, Qt::CaseInsensitive) ||
        !line.contains(nameWord, Qt::CaseInsensitive))
        return false;
    // Both words as whole fields, as every lap file writes them: a runner line whose class,
    // name or club merely holds "クラス" ("Aクラス", say) stays a runner line, so such a race
    // loads back after a save.
    bool classField = false, nameField = false;
    for (const QString& field : SplitCsvFields(line, CsvQuotes::Literal)) {
        classField = classField || sameWord(field, "クラス");
        nameField = nameField || sameWord(field, "名前");
    }
    return classField && nameField;
}

}  // namespace basConvert
