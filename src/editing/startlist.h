#pragma once
// Start lists: CSV files of an entry system with one runner per line, a header line naming the
// name and start-time columns; a field in double quotes may hold a comma. Their start times are
// matched to the runners of the race by name, whatever their class.
#include "race/race.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace basStartList {

// The text of the file split into lines. CP932 unless the file begins with a UTF-8 byte-order
// mark (then UTF-8 without the mark). Lines end at CR LF; a lone LF also ends a line, as entry
// systems on other platforms write. No value when the file cannot be read.
std::optional<QStringList> ReadStartListLines(const QString& path);

// 1-based positions of the name and start-time columns in the header line, 0 when absent.
// Header words are compared exactly; a later match overrides an earlier one.
struct StartListColumns {
    int name = 0;
    int startTime = 0;
    bool found() const { return name > 0 && startTime > 0; }
};
StartListColumns FindStartListColumns(const QString& headerLine);

// The key under which names are matched: without half-width, ideographic and NUL spaces,
// half-width and upper case, so "山田　太郎" and "山田太郎" match.
QString StartListKey(const QString& name);

// Start times (time-of-day values) by name key. Lines after the header that lack a field, have
// an empty name or an unreadable time are skipped; for a name given twice the first time stays.
// names, when given, receives the names of the entries taken, as written, in the file's order.
QHash<QString, double> ReadStartTimes(const QStringList& lines, const StartListColumns& columns,
                                      QStringList* names = nullptr);

// Sets the start time of every runner of every class whose name key is in the table, unless the
// time found is exactly midnight. Returns the number of runners changed; found, when given,
// receives the keys that some runner has (a midnight time included).
int ApplyStartTimes(const QHash<QString, double>& times, ClassCollection& classes,
                    QSet<QString>* found = nullptr);

// What an import says when it is done: how many runners took a start time, and the names of
// the start list that no runner of the race has (the first few of many).
QString StartListReport(int set, const QStringList& notFound);

}  // namespace basStartList
