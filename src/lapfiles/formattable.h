#pragma once
// The table of the kinds of file the program reads and writes. Each entry says how its kind is
// recognised (by the file's name, its first stored lines or its bytes), how it is read from the
// file in memory and, for the four types a race is saved as, how it is written. The loader
// walks the entries in order and the first that reads the file decides; the save dialog and
// the command line's layouts list the entries that write.
#include "lapfiles/raceformat.h"
#include "lapfiles/readcontext.h"
#include "race/racevalue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace basConvert {

class SourceFile;

// What an entry is recognised by: the file's name alone, asked before the file is read; its
// stored lines, so that it is passed over for a file with a line too long to store; or its
// bytes.
enum class Evidence { Name, Lines, Bytes };

// The bytes of a saved race; utf8 tells that a text with no CP932 form made them UTF-8 with a
// byte-order mark.
struct SavedBytes {
    QByteArray bytes;
    bool utf8 = false;
};

struct FormatWriter {
    SaveType type;
    QString layout;       // its name on the command line ("csv-rows")
    QString description;  // the save dialog's entry ("CSV形式[横型] (*.csv)")
    QString pattern;      // the file pattern of that entry ("*.csv")
    SavedBytes (*write)(const RaceHeader& header, const ClassCollection& classes);
};

struct FormatEntry {
    RaceFormat format;
    Evidence evidence;
    bool (*recognise)(SourceFile& file);
    // NotThisFormat lets the next entry try, and leaves the race untouched.
    ReadOutcome (*read)(SourceFile& file, ReadContext& context, Race& race);
    std::optional<FormatWriter> writer;
};

// The entries in the order the loader tries them.
const std::vector<FormatEntry>& FormatTable();

// The writer of a save type.
const FormatWriter& WriterOf(SaveType type);
// The save types in the order the save dialog offers them; filter index 1 is the first.
std::vector<SaveType> SaveTypes();
// The save dialog's filter: "LAP形式 (*.lap)|*.lap|CSV形式[横型] (*.csv)|*.csv|…".
QString SaveDialogFilter();
// The save type at the dialog's 1-based filter index; none outside the list.
std::optional<SaveType> SaveTypeAt(int filterIndex);
int FilterIndexOf(SaveType type);
// The layout names of the command line in the dialog's order, and the type a name stands for.
QStringList SaveLayoutNames();
std::optional<SaveType> SaveTypeOfLayout(const QString& layout);

}  // namespace basConvert
