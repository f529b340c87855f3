#include "editing/startlist.h"

#include "race/basicformat.h"
#include "race/csvfields.h"
#include "race/racetime.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>

namespace basStartList {

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

}  // namespace

std::optional<QStringList> ReadStartListLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    const QString text = bytes.startsWith(kUtf8Mark)
                             ? QString::fromUtf8(bytes.mid(kUtf8Mark.size()))
                             : TextCodec::fromCp932(bytes);
    if (text.isEmpty()) return QStringList();
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    return lines;
}

StartListColumns FindStartListColumns(const QString& headerLine)
{
    static const QStringList timeWords = {QStringLiteral("スタート時刻"),
                                          QStringLiteral("スタート時間"), QStringLiteral("時刻"),
                                          QStringLiteral("StartTime"), QStringLiteral("Start")};
    static const QStringList nameWords = {QStringLiteral("氏名"), QStringLiteral("名前")};
    StartListColumns columns;
    const QStringList fields =
        CbasGeneral::SplitCsvFields(headerLine, CbasGeneral::CsvQuotes::Honoured);
    for (int i = 0; i < fields.size(); ++i) {
        if (timeWords.contains(fields[i], Qt::CaseSensitive)) columns.startTime = i + 1;
        if (nameWords.contains(fields[i], Qt::CaseSensitive)) columns.name = i + 1;
    }
    return columns;
}

QString StartListKey(const QString& name)
{
    return CbasGeneral::ToUpper(CbasGeneral::ToNarrow(CbasGeneral::StripSpaces(name)));
}

QHash<QString, double> ReadStartTimes(const QStringList& lines, const StartListColumns& columns,
                                      QStringList* names)
{
    QHash<QString, double> times;
    if (!columns.found()) return times;
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) continue;
        const QStringList fields =
            CbasGeneral::SplitCsvFields(lines[i], CbasGeneral::CsvQuotes::Honoured);
        if (fields.size() < columns.name || fields.size() < columns.startTime) continue;
        const QString& name = fields[columns.name - 1];
        if (name.isEmpty()) continue;
        const QString timeText = CbasGeneral::NormalizeTimeText(fields[columns.startTime - 1],
                                                                false, QStringLiteral("hh:nn:ss"));
        const std::optional<double> time = CbasGeneral::ParseTime(timeText);
        if (!time) continue;
        const QString key = StartListKey(name);
        if (times.contains(key)) continue;
        times.insert(key, *time);
        if (names) names->append(name);
    }
    return times;
}

int ApplyStartTimes(const QHash<QString, double>& times, ClassCollection& classes,
                    QSet<QString>* found)
{
    int changed = 0;
    for (const auto& c : classes) {
        for (int i = 1; i <= c->ClassRunnerCount(); ++i) {
            clsClassDataSub& runner = c->Item(i);
            const QString key = StartListKey(runner.Namae);
            const auto time = times.constFind(key);
            if (time == times.constEnd()) continue;
            if (found) found->insert(key);
            if (*time == 0) continue;
            runner.StartTime = *time;
            ++changed;
        }
    }
    return changed;
}

QString StartListReport(int set, const QStringList& notFound)
{
    constexpr int Named = 20;
    QString text = QStringLiteral("スタート時刻を %1 人に設定しました。").arg(set);
    if (notFound.isEmpty()) return text;
    text += QStringLiteral("\nスタートリストの次の %1 人はレースに見つかりませんでした:\n")
                .arg(notFound.size()) +
            notFound.mid(0, Named).join(QStringLiteral("、"));
    if (notFound.size() > Named) text += QStringLiteral(" ほか %1 人").arg(notFound.size() - Named);
    return text;
}

}  // namespace basStartList
