// Reading the per-leg CSV files of Japanese result and split services: a line per runner and
// leg under a header such as "クラス,順位,氏名,所属,区間,区間タイム,通過タイム". The lines of a
// runner (the same class, name and club) are gathered into one runner with its legs in order,
// wherever they stand in the file.
#include "lapfiles/interchangereaders.h"

#include "race/textutil.h"

#include <QStringList>

#include <algorithm>
#include <map>

namespace basConvert {
namespace {

// A line longer than this is neither the header nor a runner's line: a file of one huge line is
// refused from its first characters, never split into millions of cells.
constexpr qsizetype MaxLineChars = 65536;

enum Column {
    ClassCol,
    RankCol,
    NameCol,
    ClubCol,
    LegCol,
    LegTimeCol,
    PassTimeCol,
    TotalCol,
    StartCol,
    ColumnCount
};

const QStringList& wordsOf(Column column)
{
    static const QStringList words[ColumnCount] = {
        {QStringLiteral("クラス"), QStringLiteral("クラス名"), QStringLiteral("カテゴリ"),
         QStringLiteral("カテゴリー"), QStringLiteral("種目")},
        {QStringLiteral("順位"), QStringLiteral("総合順位"), QStringLiteral("着順")},
        {QStringLiteral("氏名"), QStringLiteral("名前"), QStringLiteral("選手名"),
         QStringLiteral("競技者名")},
        {QStringLiteral("所属"), QStringLiteral("所属名"), QStringLiteral("クラブ"),
         QStringLiteral("チーム")},
        {QStringLiteral("区間"), QStringLiteral("レッグ"), QStringLiteral("区間番号"),
         QStringLiteral("レッグ番号"), QStringLiteral("区間NO"), QStringLiteral("区間NO."),
         QStringLiteral("レグ")},
        {QStringLiteral("区間タイム"), QStringLiteral("ラップ"), QStringLiteral("ラップタイム"),
         QStringLiteral("区間記録"), QStringLiteral("スプリット")},
        {QStringLiteral("通過タイム"), QStringLiteral("積算"), QStringLiteral("積算タイム"),
         QStringLiteral("通過"), QStringLiteral("経過タイム"), QStringLiteral("通過時間")},
        {QStringLiteral("記録"), QStringLiteral("総タイム"), QStringLiteral("タイム"),
         QStringLiteral("成績"), QStringLiteral("合計タイム"), QStringLiteral("ゴールタイム")},
        {QStringLiteral("スタート時刻"), QStringLiteral("スタート"),
         QStringLiteral("スタート時間")},
    };
    return words[column];
}

// A header cell as it is compared: trimmed, half-width, upper case.
QString cellForm(const QString& cell)
{
    QString text = cell.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    return CbasGeneral::ToNarrow(text.trimmed()).toUpper();
}

struct Header {
    int at[ColumnCount];
    QChar separator;
};

std::optional<Header> headerOf(QStringView line)
{
    if (line.size() > MaxLineChars) return std::nullopt;
    for (QChar separator : {QLatin1Char(','), QLatin1Char('\t'), QLatin1Char(';')}) {
        Header h;
        std::fill(std::begin(h.at), std::end(h.at), -1);
        h.separator = separator;
        const QStringList cells = SplitQuotedFields(line, separator);
        for (int i = 0; i < cells.size(); ++i) {
            const QString cell = cellForm(cells[i]);
            for (int c = 0; c < ColumnCount; ++c) {
                if (h.at[c] >= 0) continue;
                for (const QString& word : wordsOf(static_cast<Column>(c)))
                    if (cellForm(word) == cell) {
                        h.at[c] = i;
                        break;
                    }
            }
        }
        if (h.at[NameCol] >= 0 && h.at[LegCol] >= 0 &&
            (h.at[LegTimeCol] >= 0 || h.at[PassTimeCol] >= 0))
            return h;
    }
    return std::nullopt;
}

QString cell(const QStringList& fields, int at)
{
    if (at < 0 || at >= fields.size()) return QString();
    return fields[at].trimmed();
}

bool isFinishLabel(const QString& text)
{
    static const QStringList finish{QStringLiteral("F"),      QStringLiteral("G"),
                                    QStringLiteral("ゴール"), QStringLiteral("フィニッシュ"),
                                    QStringLiteral("◎"),      QStringLiteral("GOAL"),
                                    QStringLiteral("FINISH"), QStringLiteral("ﾌｨﾆｯｼｭ"),
                                    QStringLiteral("ｺﾞｰﾙ")};
    return finish.contains(text);
}

// The leg of a label: "3", "２→３", "S-1", "9→F"; the number after the last arrow or dash, 0
// for the finish leg, -1 for no leg.
int legOf(const QString& label)
{
    QString text = CbasGeneral::ToNarrow(label.trimmed()).toUpper();
    for (const QString& arrow : {QStringLiteral("→"), QStringLiteral("-"), QStringLiteral("~")}) {
        const qsizetype at = text.lastIndexOf(arrow);
        if (at >= 0) text = text.mid(at + arrow.size()).trimmed();
    }
    if (isFinishLabel(text)) return 0;
    bool ok = false;
    const int leg = text.toInt(&ok);
    return ok && leg > 0 ? leg : -1;
}

// A lap text: a time, or nothing for "X", "-", "*" and other marks of a missing punch.
std::optional<double> lapSeconds(const QString& text)
{
    std::optional<double> seconds = ParseSeconds(CbasGeneral::ToNarrow(text));
    if (seconds && *seconds <= 0) return std::nullopt;
    return seconds;
}

struct Runner {
    QString className;
    ImportedRunner runner;
    std::map<int, std::optional<double>> legTimes;   // leg -> leg time; 0 = the finish leg
    std::map<int, std::optional<double>> passTimes;  // leg -> elapsed at its end
};

void readLine(const QStringList& fields, const Header& h, Runner& r)
{
    const int leg = legOf(cell(fields, h.at[LegCol]));
    if (leg < 0) return;
    if (h.at[LegTimeCol] >= 0) r.legTimes[leg] = lapSeconds(cell(fields, h.at[LegTimeCol]));
    if (h.at[PassTimeCol] >= 0) r.passTimes[leg] = lapSeconds(cell(fields, h.at[PassTimeCol]));
    if (auto total = lapSeconds(cell(fields, h.at[TotalCol]))) r.runner.totalSeconds = total;
    if (auto start = ParseSeconds(cell(fields, h.at[StartCol]))) r.runner.startSeconds = start;
    const QString rank = cell(fields, h.at[RankCol]);
    if (auto status = StatusOfMark(CbasGeneral::ToNarrow(rank)))
        r.runner.status = *status;
    else if (auto status = StatusOfMark(rank))
        r.runner.status = *status;
}

// The legs of the runner in order, the finish leg last, for a course of that many controls.
void placeLegs(Runner& r, int controls)
{
    ImportedRunner& runner = r.runner;
    auto at = [controls](const std::map<int, std::optional<double>>& times, int leg) {
        auto it = times.find(leg == controls + 1 ? 0 : leg);
        if (it == times.end() && leg == controls + 1) it = times.find(leg);
        return it == times.end() ? std::optional<double>() : it->second;
    };
    if (!r.legTimes.empty()) {
        runner.legsGiven = true;
        for (int leg = 1; leg <= controls + 1; ++leg) {
            std::optional<double> time = at(r.legTimes, leg);
            // A leg time missing, but the elapsed times at both ends known.
            if (!time && !r.passTimes.empty()) {
                auto end = at(r.passTimes, leg);
                auto begin = leg == 1 ? std::optional<double>(0) : at(r.passTimes, leg - 1);
                if (end && begin && *end > *begin) time = *end - *begin;
            }
            runner.legs.push_back(time);
        }
    } else {
        for (int leg = 1; leg <= controls; ++leg) runner.elapsed.push_back(at(r.passTimes, leg));
        if (!runner.totalSeconds) runner.totalSeconds = at(r.passTimes, controls + 1);
    }
}

// The controls of a class: the highest leg before the finish; a class whose lines never mark
// the finish leg has it as its highest numbered leg.
int controlCountOf(const std::vector<Runner*>& runners)
{
    int highest = 0;
    bool finish = false;
    for (const Runner* r : runners)
        for (const auto* times : {&r->legTimes, &r->passTimes})
            for (const auto& [leg, time] : *times) {
                if (leg == 0) finish = true;
                highest = std::max(highest, leg);
            }
    return finish ? highest : std::max(highest - 1, 0);
}

}  // namespace

bool MayBePerLegCsv(QStringView head)
{
    TextLines lines(head);
    while (!lines.atEnd()) {
        const QStringView line = lines.next();
        // Cut before the header was whole: it may be one while it is short enough.
        if (!lines.ended()) return line.size() <= MaxLineChars;
        if (line.trimmed().isEmpty()) continue;
        return headerOf(line).has_value();
    }
    return true;
}

ReadOutcome ReadPerLegCsv(const QString& text, ImportedRace& race)
{
    TextLines lines(text);
    std::optional<Header> header;
    while (!lines.atEnd() && !header) {
        const QStringView line = lines.next();
        if (line.trimmed().isEmpty()) continue;
        header = headerOf(line);
        if (!header) return ReadOutcome::NotThisFormat;
    }
    if (!header) return ReadOutcome::NotThisFormat;

    // Runners by class, name and club, in the order they first appear.
    std::vector<std::unique_ptr<Runner>> runners;
    std::map<QString, Runner*> byKey;
    while (!lines.atEnd()) {
        const QStringView line = lines.next();
        if (line.trimmed().isEmpty() || line.size() > MaxLineChars) continue;
        const QStringList fields = SplitQuotedFields(line, header->separator);
        const QString name = cell(fields, header->at[NameCol]);
        if (name.isEmpty()) continue;
        const QString className = cell(fields, header->at[ClassCol]);
        const QString club = cell(fields, header->at[ClubCol]);
        const QString key = className.toCaseFolded() + QChar(0) + name + QChar(0) + club;
        Runner*& r = byKey[key];
        if (!r) {
            runners.push_back(std::make_unique<Runner>());
            r = runners.back().get();
            r->className = className;
            r->runner.family = name;
            r->runner.club = club;
        }
        readLine(fields, *header, *r);
    }
    std::vector<QString> order;
    std::map<QString, std::vector<Runner*>> byClass;
    for (const auto& r : runners) {
        const QString key = r->className.toCaseFolded();
        if (!byClass.count(key)) order.push_back(key);
        byClass[key].push_back(r.get());
    }
    for (const QString& key : order) {
        std::vector<Runner*>& members = byClass[key];
        const int controls = controlCountOf(members);
        ImportedClass& target = race.classNamed(members.front()->className);
        target.controlCount = controls;
        for (Runner* r : members) {
            placeLegs(*r, controls);
            target.runners.push_back(std::move(r->runner));
        }
    }
    return ReadOutcome::Read;
}

}  // namespace basConvert
