#pragma once
// The fixed-width text of the analysis of one class, meant to be pasted into e-mail and mailing
// lists: blocks of at most 12 columns of 6 display columns each.
#include "reports/csvexport.h"

namespace basExport {

// Appends the class and race lines and the six sections of the analysis (a class of the race).
void WriteMailText(TextLines& out, const RaceHeader& race, const basAnalyze::AnalysisWorkspace& ws);

// A time in the compact "mmmss" form: minutes followed by two-digit seconds ("8305"), or the
// seconds alone ("45") at or below the threshold (59 seconds for laps, 60 for the other times).
QString MailTime(double value, bool lap);

}  // namespace basExport
