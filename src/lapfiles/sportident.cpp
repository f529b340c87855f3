#include "lapfiles/sportident.h"

#include "lapfiles/loadprogresswindow.h"
#include "lapfiles/readcontext.h"
#include "lapfiles/tablereader.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <algorithm>

namespace basConvert {
namespace {

using CbasGeneral::AnsiLength;
using CbasGeneral::AnsiMid;
using CbasGeneral::StripSpaces;
using CbasGeneral::Trim;

constexpr int NoWrap = 31;

// Byte positions (1-based) of the column headings.
struct Columns {
    int stno = 0;
    int name = 0;
    int time = 0;
};

int bytePosition(const QString& line, const QString& word)
{
    const qsizetype at = line.indexOf(word);
    return at < 0 ? 0 : AnsiLength(line.left(at)) + 1;
}

int wholeNumber(const QString& text)
{
    return CbasGeneral::RoundHalfEven(std::clamp(CbasGeneral::Val(text), -1e6, 1e6));
}

// "6.500" kilometres (a decimal point) → 6500; a plain number is already metres.
int metres(const QString& text)
{
    const QString value = StripSpaces(text);
    if (value.contains(QLatin1Char('.')))
        return CbasGeneral::RoundHalfEven(std::clamp(CbasGeneral::Val(value) * 1000, -1e9, 1e9));
    return wholeNumber(value);
}

bool isBlank(const QString& line)
{
    return Trim(line).isEmpty();
}

bool isClassLine(const QString& line)
{
    return !line.isEmpty() && line[0] != QLatin1Char(' ') && !isBlank(line);
}

// The text before the marker in rest, taken out of rest with the marker; empty when the
// marker is missing, so the following fields keep their places.
QString takeBefore(QString& rest, const QString& marker)
{
    const qsizetype at = rest.indexOf(marker);
    if (at < 0) return QString();
    QString piece = rest.left(at);
    rest = rest.mid(at + marker.size() - 1);  // the marker's trailing space starts the rest
    return piece;
}

std::optional<double> readTime(const QString& text)
{
    return CbasGeneral::ParseTime(
        CbasGeneral::NormalizeTimeText(Trim(text), true, QStringLiteral("hh:nn:ss")));
}

// The club field: an "IMP<digit>…" prefix up to its first space is an import code.
QString clubName(const QString& text)
{
    QString club = Trim(text);
    if (club.size() > 4 && CbasGeneral::Like(club, QStringLiteral("IMP#*"))) {
        const qsizetype space = club.indexOf(QLatin1Char(' '));
        club = space < 0 ? QString() : club.mid(space + 1);
    }
    return club;
}

struct ClassBlock {
    clsClassData* cls = nullptr;
    int starters = 0;
    int width = 0;  // bytes of one split column
    int wrap = NoWrap;
};

class SportidentReader {
public:
    SportidentReader(const Columns& columns, const QStringList& lines, LoadProgress* progress)
        : columns_(columns), lines_(lines), progress_(progress)
    {
    }

    // Reads the runner entries of a class from line first; returns the line ending the class.
    int readRunners(const ClassBlock& block, int first)
    {
        const QStringList& lines = lines_;
        int runnerNo = 0;
        int i = first;
        for (; i < lines.size() && !isClassLine(lines[i]); ++i) {
            if (runnerNo >= block.starters || !isFirstLine(lines[i])) continue;
            ++runnerNo;
            if (progress_ && (runnerNo - 1) % 10 == 0) showProgress(block, runnerNo, i);
            clsClassDataSub runner;
            if (readRunner(block, i, runner)) block.cls->Add(runner);
        }
        return i;
    }

private:
    bool isFirstLine(const QString& line) const
    {
        return !isBlank(line) && !Trim(AnsiMid(line, columns_.stno + 3, 1)).isEmpty();
    }

    QString lineAt(int i) const { return lines_.value(i); }

    QString timeField(const QString& line, int offset) const
    {
        return AnsiMid(line, offset + columns_.time - 4, 8);
    }

    bool readRunner(const ClassBlock& block, int at, clsClassDataSub& runner) const
    {
        const QString first = lineAt(at);
        const QString second = lineAt(at + 1);
        const QString fourth = lineAt(at + 3);
        bool kept = false;
        runner.Namae = Trim(AnsiMid(first, columns_.name, 16));
        if (auto total = readTime(timeField(first, 0))) {
            runner.Total = *total;
            kept = true;
        }
        runner.Shozoku = clubName(AnsiMid(second, columns_.name, 16));
        const int legs = block.cls->LegCount();
        for (int k = 1; k <= legs; ++k) {
            const QString text = k < block.wrap
                                     ? timeField(second, k * block.width)
                                     : timeField(fourth, (k - block.wrap + 1) * block.width);
            auto lap = block.width > 0 ? readTime(text) : std::nullopt;
            runner.setLap(k, lap ? *lap : LapMissing);
            if (lap) kept = true;
        }
        return kept;
    }

    void showProgress(const ClassBlock& block, int runnerNo, int line) const
    {
        progress_->progress(ProgressText(line + 1, static_cast<int>(lines_.size())) +
                            QStringLiteral("  - ") + block.cls->ClassName + QStringLiteral(" (") +
                            QString::number(runnerNo) + QLatin1Char('/') +
                            QString::number(block.starters) + QLatin1Char(')'));
    }

    Columns columns_;
    const QStringList& lines_;
    LoadProgress* progress_;
};

}  // namespace

SportidentClassLine ParseSportidentClassLine(const QString& line)
{
    SportidentClassLine parsed;
    QString rest = line;
    const qsizetype open = rest.indexOf(QLatin1Char('('));
    if (open >= 0) {
        parsed.name = StripSpaces(rest.left(open));
        const qsizetype close = rest.indexOf(QLatin1Char(')'), open);
        parsed.starters =
            wholeNumber(StripSpaces(rest.mid(open + 1, close < 0 ? -1 : close - open - 1)));
        rest = close < 0 ? QString() : rest.mid(close + 1);
    } else {
        parsed.name = StripSpaces(Trim(rest).section(QLatin1Char(' '), 0, 0));
        rest = rest.mid(rest.indexOf(parsed.name) + parsed.name.size());
    }
    rest = QLatin1Char(' ') + rest + QLatin1Char(' ');
    parsed.length = metres(takeBefore(rest, QStringLiteral(" km ")));
    parsed.climb =
        wholeNumber(StripSpaces(takeBefore(rest, QStringLiteral(" m ")).remove(QLatin1Char('.'))));
    parsed.controls = wholeNumber(StripSpaces(takeBefore(rest, QStringLiteral(" C "))));
    return parsed;
}

int SplitColumnWidth(const QString& numberingLine)
{
    QString line = numberingLine;
    line.replace(QLatin1Char('('), QLatin1Char(' ')).replace(QLatin1Char(')'), QLatin1Char(' '));
    const qsizetype one = line.indexOf(QStringLiteral(" 1 "));
    if (one < 0) return 0;
    qsizetype next = line.indexOf(QStringLiteral(" 2 "), one);
    if (next < 0) {
        // One control: the next heading (often the finish) after the code of control 1.
        qsizetype at = one + 3;
        while (at < line.size() && line[at] == QLatin1Char(' ')) ++at;
        while (at < line.size() && line[at] != QLatin1Char(' ')) ++at;
        while (at < line.size() && line[at] == QLatin1Char(' ')) ++at;
        if (at >= line.size()) return 0;
        next = at - 1;
    }
    return AnsiLength(line.left(next)) - AnsiLength(line.left(one));
}

int WrapSplit(const QString& wrapLine, const QString& numberingLine)
{
    if (isBlank(wrapLine)) return NoWrap;
    int split = wholeNumber(Trim(wrapLine.section(QLatin1Char('('), 0, 0)));
    if (split == 0) {
        // The continuation begins after the last control of the numbering line: its index is
        // the number in front of that control's bracketed code.
        const qsizetype open = numberingLine.lastIndexOf(QLatin1Char('('));
        if (open < 0) return NoWrap;
        const QString before = Trim(numberingLine.left(open));
        split = wholeNumber(before.section(QLatin1Char(' '), -1)) + 1;
    }
    return std::clamp(split, 1, NoWrap);
}

bool ReadSportidentResults(const ReadContext& context, RaceHeader& header, ClassCollection& classes)
{
    const QStringList& lines = context.lines;
    LoadProgress* progress = context.progress;
    if (lines.size() < 6) return false;
    header.RaceName = Trim(lines[1].left(64));
    const Columns columns{bytePosition(lines[5], QStringLiteral("Stno")),
                          bytePosition(lines[5], QStringLiteral("Name")),
                          bytePosition(lines[5], QStringLiteral("Time"))};
    if (columns.stno == 0 || columns.name == 0 || columns.time <= 4) return false;

    ProgressWindow window(progress);
    SportidentReader reader(columns, lines, progress);
    int i = 4;
    while (i < lines.size()) {
        if (i == 5 || !isClassLine(lines[i])) {
            ++i;
            continue;
        }
        const SportidentClassLine line = ParseSportidentClassLine(lines[i]);
        if (line.name.isEmpty() || line.controls < 0 || line.controls + 1 > MaxLegs) return false;
        ClassBlock block;
        block.cls = classes.find(line.name);
        if (!block.cls) block.cls = &classes.add(line.name);
        block.cls->ClassLength = line.length;
        block.cls->ClassUpHeight = line.climb;
        block.cls->ClassControlCount = line.controls;
        block.cls->ClassLastGoalExist = true;
        block.starters = line.starters;
        const QString numbering = i + 1 < lines.size() ? lines[i + 1] : QString();
        const QString wrap = i + 2 < lines.size() ? lines[i + 2] : QString();
        block.width = SplitColumnWidth(numbering);
        block.wrap = WrapSplit(wrap, numbering);
        i = reader.readRunners(block, std::min(i + 3, static_cast<int>(lines.size())));
    }
    return LegsWithinModel(classes);
}

}  // namespace basConvert
