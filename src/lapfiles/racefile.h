#pragma once
// LoadRaceFile and SaveRaceFile: the race of a document read from any supported file and written
// as one of the types a race is saved as. The reading itself is ReadRaceFile (raceload.h).
#include "lapfiles/raceformat.h"
#include "lapfiles/raceload.h"
#include "race/racedocument.h"

#include <QString>

namespace basConvert {

// Makes the race of a load that succeeded the race of the document: it replaces RaceInfo and
// ClassList as a whole (the result keeps an empty race), CurrentFilePath becomes the path, and
// DataModified is set when the header was built from answers to label questions (otherwise it
// is left alone). A load that failed changes neither RaceInfo, ClassList nor DataModified;
// CurrentFilePath stays too, except that a path with no file clears it.
void ApplyLoadedRace(RaceDocument& document, LoadResult& result);

// The load of the windows and scripts: ReadRaceFile with the label questions passed on to the
// installed service (labelquestions.h) once the options' answers are used up, the warnings
// shown through the prompt service and the race applied to the document (ApplyLoadedRace).
// Returns what happened.
LoadResult LoadRaceFile(RaceDocument& document, const QString& path,
                        LoadProgress* progress = nullptr,
                        const LoadOptions& options = LoadOptions());

// How a save went; why it failed is CbasGeneral::LastWriteError (race/pathutil.h).
enum class SaveResult { Saved, Failed };

// Writes the race as the type (formattable.h). A failed save never destroys an existing file. A
// race written as UTF-8, because a text has no CP932 form, says so through the prompt service.
SaveResult SaveRaceFile(const Race& race, const QString& path, SaveType type);
// The same for the race of the document, clearing DataModified on success; CurrentFilePath is
// left to the caller.
SaveResult SaveRaceFile(RaceDocument& document, const QString& path, SaveType type);

}  // namespace basConvert
