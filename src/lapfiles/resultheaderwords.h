#pragma once
// The words by which the header of a result export names its columns, in the languages the
// exporting programs write: English, German, Swedish, Finnish, French, Norwegian, Danish, Dutch,
// Czech, Italian, Spanish, Hungarian.
#include "lapfiles/resultheader.h"

#include <QString>

namespace basConvert {

// Whether the header word (in the form of HeaderWord) names the column.
bool IsColumnWord(const QString& word, ResultColumn column);

// "Club no.", "Klubb nr.", "N° club", "Club-Nr.": a club word and a number word.
bool IsClubNumberWord(const QString& word);

}  // namespace basConvert
