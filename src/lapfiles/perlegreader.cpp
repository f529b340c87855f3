// Reading the per-leg CSV files of Japanese result and split services: a line per runner and
// leg under a header such as "クラス,順位,氏名,所属,区間,区間タイム,通過タイム". The lines of a
// runner (the same class, name and club) are gathered into one runner with its legs in order,
// wherever they stand in the file.
#include "lapfiles/interchangereaders.h"

#include "race/csvfields.h"
#include "race/textutil.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>

namespace basConvert {

using CbasGeneral::CsvQuotes;
using CbasGeneral::SplitCsvFields;
using CbasGeneral::TextLines;

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
    RunnerIdCol,
    EventCol,
    ColumnCount
};

// The words of each column, in Japanese and as the data tools that collect the Japanese lap
// services name their keys ("runnerName", "lapTime", "elapsedTime"), compared in cellForm.
const QStringList& wordsOf(Column column)
{
    static const QStringList words[ColumnCount] = {
        {QStringLiteral("クラス"), QStringLiteral("クラス名"), QStringLiteral("カテゴリ"),
         QStringLiteral("カテゴリー"), QStringLiteral("種目"), QStringLiteral("CLASS"),
         QStringLiteral("CLASSNAME"), QStringLiteral("CLASSID"), QStringLiteral("CATEGORY")},
        {QStringLiteral("順位"), QStringLiteral("総合順位"), QStringLiteral("着順"),
         QStringLiteral("RANK"), QStringLiteral("PLACE"), QStringLiteral("POSITION")},
        {QStringLiteral("氏名"), QStringLiteral("名前"), QStringLiteral("選手名"),
         QStringLiteral("競技者名"), QStringLiteral("RUNNERNAME"), QStringLiteral("NAME"),
         QStringLiteral("FULLNAME"), QStringLiteral("COMPETITORNAME"), QStringLiteral("RUNNER")},
        {QStringLiteral("所属"), QStringLiteral("所属名"), QStringLiteral("クラブ"),
         QStringLiteral("チーム"), QStringLiteral("CLUBNAME"), QStringLiteral("CLUB"),
         QStringLiteral("TEAM"), QStringLiteral("TEAMNAME"), QStringLiteral("ORGANISATION"),
         QStringLiteral("ORGANIZATION"), QStringLiteral("AFFILIATION")},
        {QStringLiteral("区間"), QStringLiteral("レッグ"), QStringLiteral("区間番号"),
         QStringLiteral("レッグ番号"), QStringLiteral("区間NO"), QStringLiteral("区間NO."),
         QStringLiteral("レグ"), QStringLiteral("LEG"), QStringLiteral("LEGNAME"),
         QStringLiteral("SECTION")},
        {QStringLiteral("区間タイム"), QStringLiteral("ラップ"), QStringLiteral("ラップタイム"),
         QStringLiteral("区間記録"), QStringLiteral("スプリット"), QStringLiteral("LAPTIME"),
         QStringLiteral("LEGTIME"), QStringLiteral("LAP")},
        {QStringLiteral("通過タイム"), QStringLiteral("積算"), QStringLiteral("積算タイム"),
         QStringLiteral("通過"), QStringLiteral("経過タイム"), QStringLiteral("通過時間"),
         QStringLiteral("ELAPSEDTIME"), QStringLiteral("ELAPSED"), QStringLiteral("CUMULATIVETIME"),
         QStringLiteral("PASSTIME")},
        {QStringLiteral("記録"), QStringLiteral("総タイム"), QStringLiteral("タイム"),
         QStringLiteral("成績"), QStringLiteral("合計タイム"), QStringLiteral("ゴールタイム"),
         QStringLiteral("RESULT"), QStringLiteral("TOTAL"), QStringLiteral("TOTALTIME"),
         QStringLiteral("TIME")},
        {QStringLiteral("スタート時刻"), QStringLiteral("スタート"), QStringLiteral("スタート時間"),
         QStringLiteral("START"), QStringLiteral("STARTTIME")},
        {QStringLiteral("RUNNERID"), QStringLiteral("COMPETITORID"), QStringLiteral("PERSONID"),
         QStringLiteral("ENTRYID"), QStringLiteral("選手ID"), QStringLiteral("選手番号")},
        {QStringLiteral("大会名"), QStringLiteral("EVENTNAME"), QStringLiteral("RACENAME")},
    };
    return words[column];
}

// A header cell as it is compared: trimmed, half-width, upper case, without the blanks, "_"
// and "-" that join the words of a key.
QString cellForm(const QString& cell)
{
    QString text = cell.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    text = CbasGeneral::ToNarrow(text.trimmed()).toUpper();
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('_'));
    text.remove(QLatin1Char('-'));
    return text;
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

// A value that names a leg by both its ends: "△→1", "3→4", "S-1", "12~F".
bool isLegLabel(const QString& value)
{
    static const QRegularExpression label(
        QStringLiteral("^(S|△|START|スタート|[0-9]{1,3}) *(→|-|~) *"
                       "([0-9]{1,3}|F|G|◎|FINISH|GOAL|ゴール|フィニッシュ)$"));
    return label.match(CbasGeneral::ToNarrow(value.trimmed()).toUpper()).hasMatch();
}

struct Header {
    int at[ColumnCount];
    QChar separator;
};

// The column whose values in the sample lines are leg labels, whatever its heading ("name",
// say); -1 when none is.
int legColumnByValues(const std::vector<QStringList>& rows, int columns)
{
    for (int c = 0; c < columns; ++c) {
        int labels = 0, values = 0;
        for (const QStringList& row : rows) {
            if (c >= row.size() || row[c].trimmed().isEmpty()) continue;
            ++values;
            if (isLegLabel(row[c])) ++labels;
        }
        if (values > 0 && labels * 5 >= values * 4) return c;
    }
    return -1;
}

// The header's columns by their words; the leg column by what it holds when the sample lines
// show it. The header must give a name, a leg and a leg or elapsed time.
std::optional<Header> headerOf(QStringView line, const std::vector<QStringView>& sample)
{
    for (QChar separator : {QLatin1Char(','), QLatin1Char('\t'), QLatin1Char(';')}) {
        Header h;
        std::fill(std::begin(h.at), std::end(h.at), -1);
        h.separator = separator;
        const QStringList cells = SplitCsvFields(line, CsvQuotes::Honoured, separator);
        std::vector<QStringList> rows;
        for (QStringView row : sample)
            rows.push_back(SplitCsvFields(row, CsvQuotes::Honoured, separator));
        h.at[LegCol] = legColumnByValues(rows, static_cast<int>(cells.size()));
        for (int i = 0; i < cells.size(); ++i) {
            if (i == h.at[LegCol]) continue;
            const QString cell = cellForm(cells[i]);
            for (int c = 0; c < ColumnCount; ++c) {
                if (h.at[c] >= 0) continue;
                if (std::any_of(wordsOf(static_cast<Column>(c)).begin(),
                                wordsOf(static_cast<Column>(c)).end(),
                                [&](const QString& word) { return cellForm(word) == cell; })) {
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
    if (auto start = ParseSeconds(cell(fields, h.at[StartCol]))) r.runner.startSeconds = start;
    // The result column holds the run's time, or a mark ("DISQ") in its place.
    const QString total = cell(fields, h.at[TotalCol]);
    if (auto seconds = lapSeconds(total)) r.runner.totalSeconds = seconds;
    for (const QString& mark : {cell(fields, h.at[RankCol]), total}) {
        if (auto status = StatusOfMark(CbasGeneral::ToNarrow(mark)))
            r.runner.status = *status;
        else if (auto status = StatusOfMark(mark))
            r.runner.status = *status;
    }
}

std::optional<double> timeAt(const std::map<int, std::optional<double>>& times, int leg)
{
    auto it = times.find(leg);
    return it == times.end() ? std::optional<double>() : it->second;
}

// The elapsed time at the end of leg: as the line gives it, or the sum of the legs up to it.
std::optional<double> elapsedAt(const Runner& r, int leg)
{
    if (auto pass = timeAt(r.passTimes, leg)) return pass;
    if (r.legTimes.empty()) return std::nullopt;
    double sum = 0;
    for (int k = 1; k <= leg; ++k) {
        auto time = timeAt(r.legTimes, k);
        if (!time) return std::nullopt;
        sum += *time;
    }
    return sum;
}

// The legs of the runner in order, the finish leg last, for a course of that many controls.
// The finish leg that no line gives is the run's time less the elapsed time at the last control.
void placeLegs(Runner& r, int controls)
{
    ImportedRunner& runner = r.runner;
    auto at = [controls](const std::map<int, std::optional<double>>& times, int leg) {
        auto it = times.find(leg == controls + 1 ? 0 : leg);
        if (it == times.end() && leg == controls + 1) it = times.find(leg);
        return it == times.end() ? std::optional<double>() : it->second;
    };
    const bool finishGiven = r.legTimes.count(0) || r.passTimes.count(0) ||
                             r.legTimes.count(controls + 1) || r.passTimes.count(controls + 1);
    if (!r.legTimes.empty()) {
        runner.legsGiven = true;
        for (int leg = 1; leg <= controls + 1; ++leg) {
            std::optional<double> time = at(r.legTimes, leg);
            // A leg time missing, but the elapsed times at both ends known.
            if (!time && (!r.passTimes.empty() || leg == controls + 1)) {
                auto end = leg == controls + 1 && !finishGiven ? runner.totalSeconds
                                                               : at(r.passTimes, leg);
                auto begin = leg == 1 ? std::optional<double>(0) : elapsedAt(r, leg - 1);
                if (end && begin && *end > *begin) time = *end - *begin;
            }
            runner.legs.push_back(time);
        }
    } else {
        for (int leg = 1; leg <= controls; ++leg) runner.elapsed.push_back(at(r.passTimes, leg));
        if (!runner.totalSeconds) runner.totalSeconds = at(r.passTimes, controls + 1);
    }
}

// The controls of a class: the highest leg before the finish. A class whose lines never mark
// the finish leg has it as its highest numbered leg, unless the runs end later than at that
// leg's end: then the lines left the finish leg out.
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
    if (finish) return highest;
    int atFinish = 0, beforeFinish = 0;
    for (const Runner* r : runners) {
        const auto& total = r->runner.totalSeconds;
        const auto end = elapsedAt(*r, highest);
        if (!total || !end) continue;
        if (std::fabs(*end - *total) <= 1)
            ++atFinish;
        else if (*end < *total)
            ++beforeFinish;
    }
    return beforeFinish > atFinish ? highest : std::max(highest - 1, 0);
}

// The lines after the header that tell which column holds the legs.
constexpr int SampleLines = 20;

// The header (the first line that holds more than blanks) and the lines after it. Of a cut text
// (whole false) only whole lines are taken; false when the header itself was cut.
bool headerAndSample(QStringView text, bool whole, QStringView& header,
                     std::vector<QStringView>& sample)
{
    TextLines lines(text);
    bool found = false;
    while (!lines.atEnd() && static_cast<int>(sample.size()) < SampleLines) {
        const QStringView line = lines.next();
        if (!lines.ended() && !whole) break;
        if (line.trimmed().isEmpty() || line.size() > MaxLineChars) continue;
        if (found)
            sample.push_back(line);
        else
            header = line;
        found = true;
    }
    return found;
}

}  // namespace

bool MayBePerLegCsv(QStringView head)
{
    QStringView header;
    std::vector<QStringView> sample;
    // Cut before the header was whole: it may be one while it is short enough.
    if (!headerAndSample(head, false, header, sample)) return head.size() <= MaxLineChars;
    return headerOf(header, sample).has_value();
}

ReadOutcome ReadPerLegCsv(const QString& text, ImportedRace& race)
{
    QStringView headerLine;
    std::vector<QStringView> sample;
    if (!headerAndSample(text, true, headerLine, sample)) return ReadOutcome::NotThisFormat;
    const std::optional<Header> header = headerOf(headerLine, sample);
    if (!header) return ReadOutcome::NotThisFormat;

    // Runners by class and runner id, or by class, name and club, in the order they first
    // appear.
    std::vector<std::unique_ptr<Runner>> runners;
    std::map<QString, Runner*> byKey;
    TextLines lines(text);
    bool headerSeen = false;
    while (!lines.atEnd()) {
        const QStringView line = lines.next();
        if (line.trimmed().isEmpty() || line.size() > MaxLineChars) continue;
        if (!headerSeen) {
            headerSeen = true;
            continue;
        }
        const QStringList fields = SplitCsvFields(line, CsvQuotes::Honoured, header->separator);
        const QString name = cell(fields, header->at[NameCol]);
        if (name.isEmpty()) continue;
        if (race.eventName.isEmpty()) race.eventName = cell(fields, header->at[EventCol]);
        const QString className = cell(fields, header->at[ClassCol]);
        const QString club = cell(fields, header->at[ClubCol]);
        const QString id = cell(fields, header->at[RunnerIdCol]);
        const QString key = className.toCaseFolded() + QChar(0) +
                            (id.isEmpty() ? name + QChar(0) + club : QChar(1) + id);
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
