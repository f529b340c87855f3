#pragma once
// The one rule by which a name from race data (the race name, a class name) becomes part of a
// file name, for every output: pages, CSV and text files, chart images, lap copies and the
// names scripts build from "%eventname%".
#include <QString>
#include <QStringList>

class ClassCollection;

namespace CbasGeneral {

// The name with / \ : * ? " < > | and control characters made "_", and every ".." too, so that
// it can neither name a folder nor climb out of one, nor hold a character other systems refuse.
QString NameForFileName(const QString& name);

}  // namespace CbasGeneral

namespace basDefinition {

// The class part of the file names of a class of the race: NameForFileName of its
// name, unique within the race with letter case ignored (the files may be written in lower case),
// clear of the index page ("index") and of the leg and results pages of other classes
// ("leg_" and "res_" before a class part). A class whose part is taken by a class before it
// gets "_2", "_3", … . A name that is no class of the race gets NameForFileName.
QString ClassFileNamePart(const ClassCollection& classes, const QString& className);

// "CLASS → PART" for each of these classes whose part had to be made unique; empty when none.
QStringList RenamedClassFileNames(const ClassCollection& classes, const QStringList& classNames);

// Tells RenamedClassFileNames through the prompt service: once in a run of the program for the
// same classes, however many outputs name them.
void TellRenamedClassFileNames(const ClassCollection& classes, const QStringList& classNames);

}  // namespace basDefinition
