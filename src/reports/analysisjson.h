#pragma once
// The analysis of a race as JSON, keyed by the names of the analysis's fields. Times are in
// seconds, ratios are fractions, per-leg arrays start with leg 1. Every class is analysed
// afresh.
#include "race/racevalue.h"

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

#include <functional>

namespace basExport {

// The race header and one object per class of the race, in the order given, each with one
// object per runner: what `splitduel-cli analyse` writes. detail adds the measures of the season
// file.
QJsonObject AnalysisJson(const Race& race, const QStringList& classNames, bool detail);

// The same as the indented text of a JSON document, byte for byte, handed to write a runner at a
// time: a race of any size needs no more memory than one runner's text besides the race.
void WriteAnalysisJson(const Race& race, const QStringList& classNames, bool detail,
                       const std::function<void(const QByteArray&)>& write);

// The race header: name, date (ISO, or null), place and remarks.
QJsonObject RaceHeaderJson(const RaceHeader& race);

// A time of days in seconds, to the millisecond: whole seconds come out whole (239, not
// 239.00000000000003).
double SecondsOfMilliseconds(double days);

// A single-precision value as the double of its shortest digits that read back as the same
// float (0.8108108 rather than the 17 digits of its double).
double SingleValue(float value);

// Compact JSON text that may stand inside an HTML <script> element: every "<" is written
// \u003c and the line separators U+2028 and U+2029 as escapes, so no data can end the element.
QByteArray ScriptSafeJson(const QJsonObject& object);

}  // namespace basExport
