// Reading SplitsBrowser CSV files: no header; per class a line "class,control count" (a third
// field gives the course length), then one line per runner with forename, surname, club, start
// and the leg times, the finish leg last; an empty line before the next class. The files this
// program exports, with the name in one field, read as well.
#include "lapfiles/interchangereaders.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace basConvert {
namespace {

constexpr int FirstLegField = 5;  // 1-based

QStringList fieldsOf(const QString& line)
{
    QStringList fields = line.split(QLatin1Char(','));
    while (!fields.isEmpty() && fields.last().trimmed().isEmpty()) fields.removeLast();
    for (QString& f : fields) f = f.trimmed();
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
    if (fields.size() < FirstLegField || fields.size() > FirstLegField + controls) return false;
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
    return fields.size() == FirstLegField - 1 + controls &&
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
    for (int leg = 0; leg <= controls; ++leg)
        runner.legs.push_back(ParseSeconds(fields.value(firstLeg + leg)));
    return runner;
}

}  // namespace

ReadOutcome ReadSplitsBrowserCsv(const QString& text, ImportedRace& race)
{
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    // The first class line and the runner line after it decide whether this is the format.
    qsizetype first = 0;
    while (first < lines.size() && lines[first].trimmed().isEmpty()) ++first;
    if (first + 1 >= lines.size()) return ReadOutcome::NotThisFormat;
    auto firstClass = classLineOf(fieldsOf(lines[first]));
    if (!firstClass || !isRunnerLine(fieldsOf(lines[first + 1]), firstClass->controls))
        return ReadOutcome::NotThisFormat;

    ImportedClass* current = nullptr;
    bool expectClass = true;
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QStringList fields = fieldsOf(lines[i]);
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
