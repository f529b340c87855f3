#pragma once
// The analysis arranged for the race viewer, small enough to embed for a whole race. Each class
// holds its values by column (one array per key, one element per runner) and only what the
// viewer shows, in the precision it shows them:
// - per-leg whole numbers (LapTime, LapRank, EstSumRank) as packed text: every value written
//   as `width` digits of 90 characters that need no escape in JSON or HTML (see PackedDigits);
// - LapState and SumState packed (plus 2) only for the runners with a state other than 0;
// - EstSumTime only for the runners whose elapsed times the viewer would not work out itself
//   from their leg times and the top averages (the running sum, a merged time spread by the
//   top averages of its legs);
// - RelativeValue as the whole percentage shown, MissRate in tenths of a percent,
//   MissTimeTotal and NoMissTime in whole seconds, Difficulty2 times 100 and whole;
// - LapRatio and MissTime not at all: the viewer works them out from LapTime, LapState,
//   LapRank, TopAverage and CruiseSpeed as the analysis does;
// - the run's status (Status) only for a class where a run is not OK;
// - no total rank: the viewer ranks the OK runs with a valid total itself.
#include "race/racevalue.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <vector>

namespace basExport {

// The race header and the classes of the race named, in that order.
QJsonObject ViewerJson(const Race& race, const QStringList& classNames);

// The 90 digits of the packed columns, lowest first: the printable ASCII characters from '#'
// without '<' and '\'.
extern const char PackedDigits[91];

// Values from 0 to 90^width - 1, each as width digits, most significant first.
QString PackedText(const std::vector<int>& values, int width);
// The digits each value needs so that every one of values fits.
int PackedWidth(const std::vector<int>& values);

}  // namespace basExport
