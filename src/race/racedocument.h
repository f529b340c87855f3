#pragma once
// The race the program has open: the race itself, the file it belongs to and whether it holds
// changes not yet saved. The desktop program makes one for its main window, which hands it to
// the windows it opens; a script without windows works on its host's own, and each command of
// the command line on a race of its own. Whatever changes the race, its file or its modified
// flag does so through the document, which then emits changed(), so that a window showing the
// race can show it as it is now.
#include "race/racevalue.h"

#include <QObject>
#include <QString>

#include <functional>

class RaceDocument : public QObject {
    Q_OBJECT
public:
    explicit RaceDocument(QObject* parent = nullptr);

    const Race& race() const { return race_; }
    const RaceHeader& RaceInfo() const { return race_.RaceInfo; }
    const ClassCollection& ClassList() const { return race_.ClassList; }
    // The file the race was read from or last saved to as a lap file; empty when it has none.
    const QString& CurrentFilePath() const { return currentFilePath_; }
    // Whether the race holds changes that no file has yet.
    bool DataModified() const { return dataModified_; }

    // The race as right after start-up: no header, no classes, no file, nothing to save.
    void resetRace();
    // A race read from the file at path takes the place of the one held, whole. The modified
    // flag stays as it was.
    void replaceRace(Race race, const QString& path);
    void setCurrentFilePath(const QString& path);
    // Puts back a header kept across a read of the race's file; the modified flag stays.
    void restoreHeader(const RaceHeader& header);
    void setDataModified(bool modified);

    // Changes the race in place: edit returns whether it changed anything, and a change marks
    // the race as modified. Returns what edit returned.
    bool edit(const std::function<bool(Race&)>& edit);

    // The race to fill in place before anything shows it (a benchmark or a test building its
    // race); nothing is marked and nobody is told.
    Race& raceToFill() { return race_; }

signals:
    // The race, its file or its modified flag changed.
    void changed();

private:
    Race race_;
    QString currentFilePath_;
    bool dataModified_ = false;
};
