#pragma once
// Helpers for the lap file tests: time values, small races built in memory, files written in
// CP932 and loaded or saved through the public entry points.
#include "common/testsupport.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

#include <QStringList>

#include <initializer_list>

namespace lapfixtures {

constexpr double kSecond = 1.0 / 86400.0;
inline double hms(int h, int m, int s)
{
    return (h * 3600 + m * 60 + s) * kSecond;
}

// The first two lines of every lap file.
inline QString lapHead()
{
    return QStringLiteral("$LAPFILE Ver=2\n$LAPFILE Rev=2\n");
}

clsClassDataSub runner(const QString& name, const QString& club, double start,
                       std::initializer_list<double> laps, double total = 0);

// A class of the race in memory.
clsClassData& addClass(const QString& name, int controls, bool finish);

// The file decoded from CP932, split at CR LF (no final empty element).
QStringList readLines(const QString& path);

// Remembers what LoadRaceFile reports to the loading window.
class RecordingProgress : public basConvert::LoadProgress {
public:
    void begin() override { ++begins; }
    void progress(const QString& text) override { texts << text; }
    void end() override { ++ends; }
    int begins = 0;
    int ends = 0;
    QStringList texts;
};

}  // namespace lapfixtures

// A test with an empty race and a temporary folder, writing and loading lap files there.
class LapFileTest : public RaceTest {
protected:
    // Writes the text (CP932, "\n" turned into CR LF) as name in the temporary folder and loads it.
    QString load(const QString& text, const QString& name = QStringLiteral("race.lap"),
                 basConvert::LoadProgress* progress = nullptr);
    // Saves the race in memory and returns the lines written.
    QStringList save(int filterIndex, const QString& name = QStringLiteral("out.lap"));
    // A small race with a header and two classes, as left by a successful load of "old.lap".
    void loadPreviousRace();
    // The race in memory is still the one of loadPreviousRace.
    void expectPreviousRace() const;

    // What the last load of load() said.
    basConvert::LoadResult lastLoad;
};
