// splitduel-cli analyse FILE [--class NAME] [--detail]: the analysis of every class (or of
// one) as JSON on standard output, keyed by the names of the analysis workspace. Times are in
// seconds, ratios as fractions, per-leg arrays start with leg 1.
#include "cli/commands.h"
#include "race/race.h"
#include "reports/analysisjson.h"

#include <QJsonDocument>

namespace cli {
namespace {

struct AnalyseArguments {
    QString path;
    QString className;
    bool hasClass = false;
    bool detail = false;
};

bool parseArguments(const QStringList& args, AnalyseArguments& parsed)
{
    const QString classOption = QStringLiteral("--class");
    QStringList paths;
    for (int i = 0; i < args.size(); ++i) {
        const QString& word = args[i];
        if (word == QLatin1String("--detail")) {
            parsed.detail = true;
        } else if (word == classOption) {
            if (++i >= args.size() || parsed.hasClass) return false;
            parsed.className = args[i];
            parsed.hasClass = true;
        } else if (word.startsWith(classOption + QLatin1Char('='))) {
            if (parsed.hasClass) return false;
            parsed.className = word.mid(classOption.size() + 1);
            parsed.hasClass = true;
        } else if (word.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            paths << word;
        }
    }
    if (paths.size() != 1) return false;
    parsed.path = paths.first();
    return true;
}

}  // namespace

int RunAnalyse(const QStringList& args, Console& console)
{
    AnalyseArguments parsed;
    if (!parseArguments(args, parsed))
        return UsageError(*FindCommand(QStringLiteral("analyse")), console);
    if (int status = LoadRace(parsed.path, console); status != ExitDone) return status;

    QStringList classNames = basDefinition::ClassList.names();
    if (parsed.hasClass) {
        const clsClassData* cls = basDefinition::ClassList.find(parsed.className);
        if (!cls) {
            console.err << "クラスが見つかりません: " << parsed.className << "\n";
            return ExitUsage;
        }
        classNames = QStringList{cls->ClassName};
    }
    console.out << QString::fromUtf8(
        QJsonDocument(basExport::AnalysisJson(classNames, parsed.detail))
            .toJson(QJsonDocument::Indented));
    return ExitDone;
}

}  // namespace cli
