// The script interpreter on any script text, run in a folder of its own without windows and
// with prompts that nobody answers, on a race whose name is the input's first line (any
// text: a race name comes from race data). It never fails, and it writes nothing outside the
// folder of the script: not through the race name, nor through links in the output folder that
// lead out of it. Script texts that name a place outside the folder themselves (an
// absolute path, "..", a home folder) are left out, since writing where a script says is what
// scripts are for.
#include "fuzzsupport.h"

#include "common/scriptedprompts.h"
#include "lapfiles/racefile.h"
#include "race/prompts.h"
#include "race/textcodec.h"
#include "shell/automation.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSet>

namespace {

// A lap file of one class without a date, so that copies are named after the name alone.
QByteArray RaceBytes()
{
    return TextCodec::toCp932(QStringLiteral(
        "$LAPFILE Ver=2\r\n$LAPFILE Rev=2\r\n$名称=x\r\n$日時=\r\n$場所=\r\n$備考=\r\n\r\n"
        "クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎\r\n"
        "M21,A,B,10:00:00,00:20:00,00:08:00,00:12:00\r\n"));
}

// A script that names a place outside its own folder.
bool NamesAnotherPlace(const QString& text)
{
    static const QRegularExpression outside(
        QStringLiteral("(^|[,\\r\\n%])\\s*([/\\\\~]|[A-Za-z]:)|\\.\\."));
    return outside.match(text).hasMatch();
}

// The chart commands draw text, which needs the GUI application: on the offscreen platform.
void EnsureGuiApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

QSet<QString> Entries(const QString& folder)
{
    QSet<QString> names;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot))
        names.insert(name);
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureGuiApplication();
    static Prompts::ScopedPrompts prompts(std::make_unique<Prompts::ScriptedPrompts>());

    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype lineEnd = input.indexOf('\n');
    const QByteArray raceName = lineEnd < 0 ? input : input.left(lineEnd);
    const QByteArray bytes = lineEnd < 0 ? QByteArray() : input.mid(lineEnd + 1);
    if (NamesAnotherPlace(TextCodec::fromCp932(bytes))) return 0;

    // scratch/outer/work/script.sda: the script may write in work/ only. The output folder
    // holds links out of it under the names of files the script may write: a lap copy, the
    // season file and a viewer page, each to a file not there yet.
    const QString outer = fuzz::ScratchPath(QStringLiteral("outer"));
    const QString work = outer + QStringLiteral("/work");
    const QString out = work + QStringLiteral("/out");
    QDir(work).removeRecursively();
    QDir().mkpath(out);
    for (const char* name : {"x.lap", "Analysis.csv", "viewer.html"})
        QFile::link(outer + QStringLiteral("/victim-") + QLatin1String(name),
                    out + QLatin1Char('/') + QLatin1String(name));
    const QSet<QString> rootBefore = Entries(QStringLiteral("/"));
    const QSet<QString> scratchBefore = Entries(fuzz::ScratchPath(QString()));

    QFile script(work + QStringLiteral("/script.sda"));
    fuzz::Check(script.open(QIODevice::WriteOnly), "the script can be written");
    script.write("VERSION,1\r\n" + bytes);
    script.close();
    QFile race(work + QStringLiteral("/race.lap"));
    fuzz::Check(race.open(QIODevice::WriteOnly), "the race can be written");
    race.write(RaceBytes());
    race.close();
    basAutomation::ScriptHost host;
    basConvert::LoadRaceFile(host.Document(), race.fileName());
    RaceHeader header = host.Document().RaceInfo();
    header.RaceName = TextCodec::fromCp932(raceName);
    host.Document().restoreHeader(header);
    basAutomation::RunScriptFile(script.fileName(), host, {out});

    fuzz::Check(Entries(outer) == QSet<QString>{QStringLiteral("work")},
                "nothing is written beside the script's folder");
    fuzz::Check(Entries(fuzz::ScratchPath(QString())) == scratchBefore,
                "nothing is written above the script's folder");
    fuzz::Check(Entries(QStringLiteral("/")) == rootBefore, "nothing is written into the root");
    return 0;
}
