#pragma once
// The changes the editors make to the race of a document. Every edit by hand goes through these
// operations, and they alone mark the race as changed (DataModified), so that the questions
// about saving before loading or exiting never miss an edit.
#include "editing/lapentry.h"
#include "race/racedocument.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <vector>

namespace basRaceEdit {

// Adds an empty class of controlCount controls that runs to the finish, at the end of the
// class order; null, changing nothing, when the name belongs to a class already.
clsClassData* AddClass(RaceDocument& document, const QString& name, int controlCount);
// Gives the class a new name and moves it to the end of the class order; false, changing
// nothing, when the old name is unknown or the new one belongs to another class.
bool RenameClass(RaceDocument& document, const QString& oldName, const QString& newName);
// Removes the class with its runners; false when there is no such class.
bool DeleteClass(RaceDocument& document, const QString& name);

// The course data of a class, as typed into the class editor's fields.
enum class ClassField { Length, UpHeight, ControlCount };
bool SetClassData(RaceDocument& document, const QString& name, ClassField field, int value);

// The race header; the race counts as changed only when the header differs from the one held.
void SetHeader(RaceDocument& document, const RaceHeader& header);

// Replaces the runners of the class by the lap editor's columns; false when there is no such
// class.
bool SetRunners(RaceDocument& document, const QString& className, const basLapEdit::LapRows& rows,
                const std::vector<basLapEdit::LapColumn>& columns);

// Sets the start times of a start list on the runners whose names it holds; returns how many
// runners changed, and the name keys some runner has through found. The race counts as changed
// whatever the count.
int SetStartTimes(RaceDocument& document, const QHash<QString, double>& timesByNameKey,
                  QSet<QString>* found = nullptr);

// Empties the race: no header, no classes, no file, nothing to save.
void ClearRace(RaceDocument& document);

// Reads the race's file again (dropping the class edits made since) but keeps the header as it
// is in memory. Nothing is read for a race that never had a file. False when the file could not
// be read; the document's race then stays as it was and failure (when given) receives the
// message that says why.
bool ReloadKeepingHeader(RaceDocument& document, QString* failure = nullptr);

}  // namespace basRaceEdit
