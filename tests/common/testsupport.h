#pragma once
// Helpers shared by every test: the race reset, temporary folders and CP932 test files.
#include "race/racedocument.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace testsupport {

// Whether fn, run while no file may grow beyond limit bytes (as on a full disk; the signal
// of the limit is ignored, so writes just fail), returned true. False, too, when the limit
// cannot be set.
bool underFileSizeLimit(long limit, const std::function<bool()>& fn);

// Path of a file under tests/data.
QString dataPath(const QString& name);
// Path of a file under examples/.
QString examplePath(const QString& name);
// Path of a real result file under the shared test data; empty when that folder is absent.
QString realDataPath(const QString& name);

// Writes the text as CP932 with every "\n" turned into CR LF (unless crlf is false).
void writeCp932(const QString& path, const QString& text, bool crlf = true);
void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);
// The file decoded from CP932 with CR LF kept as they are.
QString readCp932(const QString& path);

}  // namespace testsupport

// The document of the race the tests build and the code under test reads, and that race;
// emptied, with no file and nothing to save, before every test.
RaceDocument& testDocument();
Race& testRace();

// Base fixture: every test starts with an empty race and gets its own temporary folder.
class RaceTest : public ::testing::Test {
protected:
    void SetUp() override;
    QString tempPath(const QString& name) const { return dir_.filePath(name); }
    QString tempDir() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};
