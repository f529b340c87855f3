#pragma once
// What every fuzz target shares: one scratch folder per process, writing the input there, a
// snapshot of the race in memory, and a check that stops the run with a message when a
// property that must hold is broken (libFuzzer then keeps the input as a crash).
#include "lapfiles/lapformat.h"
#include "race/race.h"
#include "race/racedocument.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// The application object that file and path services expect; made once per process.
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

inline void Check(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// The scratch folder of this process; every target keeps its files below it.
inline const QTemporaryDir& Scratch()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/splitduel-fuzz-XXXXXX"));
    return dir;
}

inline QString ScratchPath(const QString& name)
{
    return Scratch().filePath(name);
}

inline QString WriteInput(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = ScratchPath(name);
    QFile file(path);
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file can be written");
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

// The document the targets load into and check.
inline RaceDocument& Document()
{
    static RaceDocument document;
    return document;
}

// The whole race of the document as text: its lap file, the file it came from and its state.
inline QString RaceSnapshot()
{
    const RaceDocument& document = Document();
    return basConvert::BuildLapLines(document.RaceInfo(), document.ClassList())
               .join(QStringLiteral("\r\n")) +
           QStringLiteral("\n#") + document.CurrentFilePath();
}

}  // namespace fuzz
