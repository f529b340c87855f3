#pragma once
// The analysis of a race as JSON, keyed by the names of the analysis workspace. Times are in
// seconds, ratios are fractions, per-leg arrays start with leg 1. Every class is analysed
// afresh, so the workspace holds the last class named afterwards.
#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

#include <functional>

namespace basExport {

// The race header and one object per class, in the order given, each with one object per
// runner: what `splitduel-cli analyse` writes. detail adds the measures of the season file.
QJsonObject AnalysisJson(const QStringList& classNames, bool detail);

// The same as the indented text of a JSON document, byte for byte, handed to write a runner at a
// time: a race of any size needs no more memory than one runner's text besides the race.
void WriteAnalysisJson(const QStringList& classNames, bool detail,
                       const std::function<void(const QByteArray&)>& write);

// The same analysis arranged for the race viewer, small enough to embed for a whole race:
// each class holds its values by column (one array per key, one element per runner), times
// rounded to the millisecond, and only what the viewer shows. LapRatio and MissTime are left
// out (the viewer works them out from LapTime, LapState, LapRank, TopAverage and CruiseSpeed,
// as the analysis does); LapState and SumState hold 0 for a runner whose every leg is 0. Each
// class also carries its leg labels (LegLabel) and the difficulty of the HTML leg table.
QJsonObject ViewerJson(const QStringList& classNames);

// Compact JSON text that may stand inside an HTML <script> element: every "<" is written
// \u003c and the line separators U+2028 and U+2029 as escapes, so no data can end the element.
QByteArray ScriptSafeJson(const QJsonObject& object);

}  // namespace basExport
