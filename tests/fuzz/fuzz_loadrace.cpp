// LoadRaceFile on any bytes, under a file name that selects one reader (FUZZ_FILE_NAME). A
// refused load leaves the race in memory exactly as it was; a race that loads saves as a lap
// file that loads again, and saving that second race gives the same lines. (Their order may
// differ: runners tied on their total change places on every load, by design.)
#include "fuzzsupport.h"

#include "lapfiles/lapformat.h"
#include "lapfiles/racefile.h"
#include "race/racedocument.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QSet>

#include <algorithm>

namespace {

// A small race that a failed load must leave untouched.
void LoadKnownRace()
{
    fuzz::Document().resetRace();
    RaceHeader& header = fuzz::Document().raceToFill().RaceInfo;
    header.RaceName = QStringLiteral("前の大会");
    header.RacePlace = QStringLiteral("前の会場");
    clsClassData& cls = fuzz::Document().raceToFill().ClassList.add(QStringLiteral("M21"));
    cls.ClassControlCount = 2;
    cls.ClassLastGoalExist = true;
    clsClassDataSub runner;
    runner.Namae = QStringLiteral("前田 一");
    for (int leg = 1; leg <= 3; ++leg) runner.setLap(leg, leg * 60 / 86400.0);
    cls.Add(runner);
    fuzz::Document().setCurrentFilePath(QStringLiteral("/previous/race.lap"));
}

// The lines of the race saved as a lap file (CP932, or UTF-8 after a byte-order mark), sorted:
// runners tied on their total change places on every load, by design. Without column-header
// lines when wanted: a class without runners loses its finish leg on the first cycle, by
// design, since the file has no line to keep it.
QStringList SavedLines(const QString& name, bool withColumnHeaders)
{
    const QString path = fuzz::ScratchPath(name);
    fuzz::Check(basConvert::SaveRaceFile(fuzz::Document(), path, basConvert::SaveType::Lap) ==
                    basConvert::SaveResult::Saved,
                "a loaded race can be saved");
    QFile file(path);
    fuzz::Check(file.open(QIODevice::ReadOnly), "the saved race can be read back");
    QByteArray bytes = file.readAll();
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
    if (utf8) bytes.remove(0, 3);
    QStringList lines;
    for (const QByteArray& line : bytes.split('\n')) {
        const QString text = utf8 ? QString::fromUtf8(line) : TextCodec::fromCp932(line);
        if (withColumnHeaders || !text.startsWith(QStringLiteral("クラス,")))
            lines << QString::fromLatin1(line.toHex());
    }
    lines.sort();
    return lines;
}

// The text as the saved lap file gives it back: through CP932 when the whole file fits it,
// otherwise through UTF-8.
QString AsSaved(const QString& text, bool utf8)
{
    return utf8 ? QString::fromUtf8(text.toUtf8()) : TextCodec::fromCp932(TextCodec::toCp932(text));
}

// Two class names that differ only in characters the saved file cannot keep apart (letter
// case, blanks at either end, or a character with no form in its encoding) become one class
// after a save, by design. The round trip is checked for races whose class names stay apart.
bool ClassNamesStayApart()
{
    const bool utf8 = !TextCodec::fitsCp932(
        basConvert::BuildLapLines(fuzz::Document().RaceInfo(), fuzz::Document().ClassList())
            .join(QLatin1Char('\n')));
    QSet<QString> saved;
    for (const auto& cls : fuzz::Document().ClassList()) {
        const QString name = CbasGeneral::Trim(AsSaved(cls->ClassName, utf8).toCaseFolded());
        if (saved.contains(name)) return false;
        saved.insert(name);
    }
    return true;
}

void LoadSaved(const QString& name)
{
    fuzz::Check(basConvert::LoadRaceFile(fuzz::Document(), fuzz::ScratchPath(name)).loaded(),
                "the saved lap file of a loaded race loads again");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::EnsureApplication();

    LoadKnownRace();
    const QString before = fuzz::RaceSnapshot();
    const QString input = fuzz::WriteInput(QStringLiteral(FUZZ_FILE_NAME), data, size);
    if (!basConvert::LoadRaceFile(fuzz::Document(), input).loaded()) {
        fuzz::Check(fuzz::RaceSnapshot() == before, "a refused load keeps the race in memory");
        return 0;
    }
    if (!ClassNamesStayApart()) return 0;
    // The race saved and loaded again keeps every runner, time and header key; from then on
    // a cycle changes nothing at all.
    const QStringList first = SavedLines(QStringLiteral("first.lap"), false);
    LoadSaved(QStringLiteral("first.lap"));
    const QStringList second = SavedLines(QStringLiteral("second.lap"), true);
    fuzz::Check(SavedLines(QStringLiteral("second.lap"), false) == first,
                "a saved race loads back with the same runners and keys");
    LoadSaved(QStringLiteral("second.lap"));
    fuzz::Check(SavedLines(QStringLiteral("third.lap"), true) == second,
                "a saved race loads back to the same race");
    return 0;
}
