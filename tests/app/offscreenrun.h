#pragma once
// Runs the built programs as cron runs them: the desktop program on the offscreen platform with
// its own copy beside its own settings, and the command-line tool; user folders point into the
// test folder, so that the real desktop configuration is never touched.
#include "common/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

// The names of the files (hidden ones too) whose bytes differ between the folders, those left
// out aside.
inline QStringList differentFiles(const QString& folder, const QString& other,
                                  const QStringList& leftOut)
{
    const auto names = [](const QString& in) {
        return QDir(in).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    };
    QStringList all = names(folder) + names(other);
    all.removeDuplicates();
    QStringList different;
    for (const QString& name : all)
        if (!leftOut.contains(name) && testsupport::readBytes(folder + "/" + name) !=
                                           testsupport::readBytes(other + "/" + name))
            different << name;
    return different;
}

struct ProgramRun {
    int status = -1;
    QString errors;
};

class OffscreenRunTest : public RaceTest {
protected:
    // Runs the program on the file (a script or a lap file) with the arguments after it; user
    // folders point into the test folder so the real desktop configuration is never touched.
    ProgramRun runProgram(const QString& script, const QStringList& arguments = {})
    {
        QStringList all{"-platform", "offscreen"};
        if (!script.isEmpty()) all << script;
        return run(programCopy(), all + arguments);
    }

    // The program keeps its settings file beside itself, so the runs use a copy of it in the
    // test folder and never change the settings of the program in the build folder.
    QString programCopy()
    {
        const QString copy = tempPath("program/SplitDuel");
        if (!QFile::exists(copy)) {
            EXPECT_TRUE(QDir().mkpath(tempPath("program")));
            EXPECT_TRUE(QFile::copy(QStringLiteral(SPLITDUEL_EXE), copy));
        }
        return copy;
    }

    // Runs a program as cron would: no runtime folder, no platform chosen in the environment.
    ProgramRun run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", tempPath("config"));
        env.insert("XDG_DATA_HOME", tempPath("data"));
        env.remove("XDG_RUNTIME_DIR");
        env.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        ProgramRun result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "the program did not end by itself";
            return result;
        }
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.errors = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QString script(const QString& name, const QString& text)
    {
        testsupport::writeCp932(tempPath(name), text);
        return tempPath(name);
    }
};
