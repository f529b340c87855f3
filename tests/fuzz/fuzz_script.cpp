// The script interpreter on any script text, run in a folder of its own with a main window
// stand-in and prompts that nobody answers. It never fails, and it writes nothing outside the
// folder of the script: inputs that name a place outside it themselves (an absolute path,
// "..", a home folder) are left out, since writing where a script says is what scripts are for.
#include "fuzzsupport.h"

#include "race/prompts.h"
#include "race/textcodec.h"
#include "shell/automation.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>

namespace {

class QuietHost : public basAutomation::ScriptHost {
public:
    bool Automation(const QString&) override { return true; }
};

// A script that names a place outside its own folder.
bool NamesAnotherPlace(const QString& text)
{
    static const QRegularExpression outside(
        QStringLiteral("(^|[,\\r\\n%])\\s*([/\\\\~]|[A-Za-z]:)|\\.\\."));
    return outside.match(text).hasMatch();
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
    fuzz::EnsureApplication();
    static Prompts::ScopedPrompts prompts(std::make_unique<Prompts::ScriptedPrompts>());

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (NamesAnotherPlace(TextCodec::fromCp932(bytes))) return 0;

    // scratch/outer/work/script.sda: the script may write in work/ only.
    const QString outer = fuzz::ScratchPath(QStringLiteral("outer"));
    const QString work = outer + QStringLiteral("/work");
    QDir(work).removeRecursively();
    QDir().mkpath(work + QStringLiteral("/out"));
    const QSet<QString> rootBefore = Entries(QStringLiteral("/"));
    const QSet<QString> scratchBefore = Entries(fuzz::ScratchPath(QString()));

    QFile script(work + QStringLiteral("/script.sda"));
    fuzz::Check(script.open(QIODevice::WriteOnly), "the script can be written");
    script.write("VERSION,1\r\n" + bytes);
    script.close();
    basDefinition::ResetRace();
    QuietHost host;
    basAutomation::RunScriptFile(script.fileName(), host, {work + QStringLiteral("/out")});

    fuzz::Check(Entries(outer) == QSet<QString>{QStringLiteral("work")},
                "nothing is written beside the script's folder");
    fuzz::Check(Entries(fuzz::ScratchPath(QString())) == scratchBefore,
                "nothing is written above the script's folder");
    fuzz::Check(Entries(QStringLiteral("/")) == rootBefore, "nothing is written into the root");
    return 0;
}
