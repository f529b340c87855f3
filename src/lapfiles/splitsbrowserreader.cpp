// Reading SplitsBrowser CSV files: no header; per class a line "class,control count" (a third
// field gives the course length), then one line per runner with forename, surname, club, start
// and the leg times, the finish leg last; an empty line before the next class. The files this
// program exports, with the name in one field, read as well.
#include "lapfiles/interchangereaders.h"
#include "race/csvfields.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace basConvert {

using CbasGeneral::CsvFieldViews;
using CbasGeneral::TextLines;

namespace {

constexpr int FirstLegField = 5;  // 1-based
// No class or runner line comes near this length; a longer line is none.
constexpr qsizetype MaxLineChars = 65536;

// The fields of a line, trimmed, without the empty ones at its end.
QStringList fieldsOf(QStringView line)
{
    QStringList fields;
    for (QStringView field : CsvFieldViews(line)) fields << field.trimmed().toString();
    while (!fields.isEmpty() && fields.last().isEmpty()) fields.removeLast();
    return fields;
}

struct ClassLine {
    QString name;
    int controls = 0;
    int length = 0;
};

std::optional<ClassLine> classLineOf(const QStringList& fields)
{
    if (fields.size() < 2 || fields.size() > 3 || fields[0].isEmpty()) return std::nullopt;
    bool ok = false;
    ClassLine line;
    line.name = fields[0];
    line.controls = fields[1].toInt(&ok);
    if (!ok || line.controls < 0) return std::nullopt;
    if (fields.size() == 3) {
        QString length = fields[2];
        length.replace(QLatin1Char(','), QLatin1Char('.'));
        double value = length.toDouble(&ok);
        if (!ok || value < 0) return std::nullopt;
        // A short number with a decimal point is kilometres, anything else metres.
        line.length = static_cast<int>(
            std::lround(length.contains(QLatin1Char('.')) && value < 100 ? value * 1000 : value));
    }
    return line;
}

bool isLegText(const QString& text)
{
    return text.isEmpty() || text.startsWith(QLatin1Char('-')) || ParseSeconds(text).has_value();
}

// A runner line of a class with that many controls: its name, club and start fields, then no
// more legs than the course has, every one a time or empty.
bool isRunnerLine(const QStringList& fields, int controls)
{
    if (fields.size() < FirstLegField || fields.size() - FirstLegField > controls) return false;
    for (int i = FirstLegField - 1; i < fields.size(); ++i)
        if (!isLegText(fields[i])) return false;
    return true;
}

// "10:00" and "10:00:00" are times of day; anything else (some files hold a start number
// there) is no start time.
std::optional<double> startOf(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() == 2) {
        auto minutes = ParseSeconds(text);  // read as m:ss, so hours:minutes is 60 times that
        if (minutes) return *minutes * 60;
        return std::nullopt;
    }
    if (parts.size() == 3) return ParseSeconds(text);
    return std::nullopt;
}

// This program's own SplitsBrowser export writes the name in one field: name, club, start
// ("h:mm:ss") and every leg, one field fewer than the usual line.
bool isOneNameLine(const QStringList& fields, int controls)
{
    return fields.size() - (FirstLegField - 1) == controls &&
           fields[2].count(QLatin1Char(':')) == 2 && ParseSeconds(fields[2]).has_value();
}

ImportedRunner runnerOf(const QStringList& fields, int controls)
{
    ImportedRunner runner;
    int firstLeg = FirstLegField - 1;
    if (isOneNameLine(fields, controls)) {
        runner.family = fields.value(0);
        --firstLeg;
    } else {
        runner.given = fields.value(0);
        runner.family = fields.value(1);
    }
    runner.club = fields.value(firstLeg - 2);
    runner.startSeconds = startOf(fields.value(firstLeg - 1));
    runner.legsGiven = true;
    // The legs the line holds; those after them are unknown. A class line may claim any number
    // of controls, so the list is never longer than the line.
    const qsizetype given = std::min<qsizetype>(qsizetype(controls) + 1, fields.size() - firstLeg);
    for (qsizetype leg = 0; leg < given; ++leg)
        runner.legs.push_back(ParseSeconds(fields.value(firstLeg + leg)));
    return runner;
}

enum class Start { No, Yes, Undecided };

// The first line that holds more than blanks must be a class line, the line right after it a
// runner line of that class. Of a cut text (whole false) only lines ended before the cut are
// judged, but a line already too long is none.
Start fileStart(TextLines& lines, bool whole)
{
    QStringView line;
    do {
        if (lines.atEnd()) return whole ? Start::No : Start::Undecided;
        line = lines.next();
        if (line.size() > MaxLineChars) return Start::No;
        if (!lines.ended() && !whole) return Start::Undecided;
    } while (line.trimmed().isEmpty());
    auto firstClass = classLineOf(fieldsOf(line));
    if (!firstClass) return Start::No;
    if (lines.atEnd()) return whole ? Start::No : Start::Undecided;
    line = lines.next();
    if (line.size() > MaxLineChars) return Start::No;
    if (!lines.ended() && !whole) return Start::Undecided;
    return isRunnerLine(fieldsOf(line), firstClass->controls) ? Start::Yes : Start::No;
}

}  // namespace

bool MayBeSplitsBrowserCsv(QStringView head)
{
    TextLines lines(head);
    return fileStart(lines, false) != Start::No;
}

ReadOutcome ReadSplitsBrowserCsv(const QString& text, ImportedRace& race)
{
    TextLines start(text);
    if (fileStart(start, true) != Start::Yes) return ReadOutcome::NotThisFormat;

    // Blank lines before the first class line only say that a class line comes next.
    ImportedClass* current = nullptr;
    bool expectClass = true;
    TextLines lines(text);
    while (!lines.atEnd()) {
        const QStringView line = lines.next();
        if (line.size() > MaxLineChars) return ReadOutcome::Failed;
        const QStringList fields = fieldsOf(line);
        if (fields.isEmpty()) {
            expectClass = true;
            continue;
        }
        if (expectClass) {
            if (auto line = classLineOf(fields)) {
                current = &race.classNamed(line->name);
                current->controlCount = line->controls;
                current->length = line->length;
                expectClass = false;
                continue;
            }
        }
        if (!current || !isRunnerLine(fields, current->controlCount)) return ReadOutcome::Failed;
        expectClass = false;
        current->runners.push_back(runnerOf(fields, current->controlCount));
    }
    return ReadOutcome::Read;
}

}  // namespace basConvert
