#pragma once
// Runs the built splitduel-cli and collects its exit status and output.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun {
    int status = -1;   // -1 when it crashed or did not finish
    QByteArray bytes;  // standard output as it came
    QString out;       // the same decoded from UTF-8
    QString err;
};

inline CliRun runCli(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(SPLITDUEL_CLI), args);
    CliRun run;
    if (!process.waitForFinished(30000)) return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.bytes = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.bytes);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
