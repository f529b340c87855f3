#include "reports/analysiscsv.h"

#include "analysis/analyze.h"
#include "analysis/percenttext.h"
#include "race/basicformat.h"
#include "race/csvfields.h"
#include "race/filelock.h"
#include "race/pathutil.h"
#include "race/race.h"
#include "race/sidebyside.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace basExport {

namespace {

const char* const HeaderLine =
    "氏名,所属,大会日程,大会名称,クラス,タイム,順位,参加数,巡航速度,ミス率,序盤巡航速度,"
    "終盤巡航速度,相対値,序盤相対値,終盤相対値,ショートレッグ平均相対値,"
    "ショートレッグ相対値リスト,ロングレッグ平均相対値,ロングレッグ相対値リスト,"
    "ミスレッグ直後相対値,Ｓ１相対値,ラスポゴール相対値,優勝タイム,優勝者";

const QString LineEnd = QStringLiteral("\r\n");

QString totalText(double total)
{
    return total > 0 ? CbasGeneral::FormatTime(total, QStringLiteral("h:nn:ss")) : QString();
}

// The ratio of a leg when the runner is ranked on it, else empty.
QString rankedLegRatio(const basAnalyze::AnalysisWorkspace& ws, int r, int l)
{
    if (l < 1 || ws.LapRank(r, l) < 1) return QString();
    return basAnalyze::PercentText(ws.LapRatio(r, l));
}

// The class winner: runner 1 when it has a valid total. When it has none (nobody finished, or
// a runner without any leg time sorts first with a total of 0) the first runner with a valid
// total is taken, so that no runner without a result is entered as the winner; 0 if none.
int winnerIndex(const basAnalyze::AnalysisWorkspace& ws)
{
    for (int r = 1; r <= ws.AnaRunnerCount; ++r)
        if (ws.TotalTime(r) > 0) return r;
    return 0;
}

// What makes a line of the season file the line of one runner in one race: race name, date,
// class and name, letter case ignored and the name without any space, so that the lines of
// earlier runs (whose names may have been written with or without spaces) are found again.
// Empty for a line that is no runner's line (the header, a line of too few fields). The file's
// fields are never quoted (a comma in a text is written as "，"), so a quote is part of its field.
QString seasonKey(const QString& line)
{
    using CbasGeneral::CsvQuotes;
    const QStringList fields = CbasGeneral::SplitCsvFields(line, CsvQuotes::Literal);
    if (fields.size() < 5 || line == QString::fromUtf8(HeaderLine)) return QString();
    // Lines written before formula characters were made full-width are found as well.
    using CbasGeneral::CsvCell;
    return QStringList{CsvCell(fields[3]), fields[2], CsvCell(fields[4]),
                       CsvCell(CbasGeneral::StripSpaces(fields[0]))}
        .join(QChar(0))
        .toCaseFolded();
}

// How the season file is written: the program writes CP932 with CR LF; a spreadsheet may have
// saved it as UTF-8 (with or without a byte-order mark) and with LF.
struct SeasonFileForm {
    bool utf8 = false;
    QByteArray lineEnd = "\r\n";

    QString decode(const QByteArray& bytes) const
    {
        return utf8 ? QString::fromUtf8(bytes) : TextCodec::fromCp932(bytes);
    }
    QByteArray encode(QString text) const
    {
        if (lineEnd != "\r\n") text.replace(LineEnd, QString::fromLatin1(lineEnd));
        return utf8 ? text.toUtf8() : TextCodec::toCp932(text);
    }
};

// The form of the file's bytes; no value for UTF-16, whose lines no other form may join.
std::optional<SeasonFileForm> seasonFileForm(const QByteArray& file)
{
    SeasonFileForm form;
    const TextCodec::Encoding encoding = TextCodec::detectEncoding(file);
    if (encoding == TextCodec::Encoding::Utf16LE || encoding == TextCodec::Encoding::Utf16BE)
        return std::nullopt;
    // ASCII alone reads the same either way; the header line is never ASCII alone.
    form.utf8 = encoding == TextCodec::Encoding::Utf8 &&
                std::any_of(file.begin(), file.end(), [](char c) { return c & 0x80; });
    // The end of the first line tells, an empty first line included.
    const qsizetype lf = file.indexOf('\n');
    if (lf >= 0 && (lf == 0 || file[lf - 1] != '\r'))
        form.lineEnd = "\n";
    else if (lf < 0 && file.contains('\r'))
        form.lineEnd = "\r";
    return form;
}

// The lines of the analysis of one class, each with its line end.
QString classLines(const RaceHeader& race, const basAnalyze::AnalysisWorkspace& ws)
{
    QString text;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) text += AnalysisCsvLine(race, ws, r) + LineEnd;
    return text;
}

}  // namespace

QString AnalysisCsvLine(const RaceHeader& race, const basAnalyze::AnalysisWorkspace& ws, int r)
{
    using basAnalyze::PercentText;
    using CbasGeneral::FormatNumber;
    const bool hasTotal = ws.TotalTime(r) > 0;
    const bool hasShort = ws.ShortLegRelative(r) != 0;
    const bool hasLong = ws.LongLegRelative(r) != 0;
    const int winner = winnerIndex(ws);

    using CbasGeneral::CsvCell;
    // The name is the runner's key across the season's races: written as every earlier line
    // has it, without any space and in wide characters (which turns a "," into "，" and a
    // leading "=" into "＝" as well).
    QStringList fields;
    fields << CsvCell(CbasGeneral::ToWide(CbasGeneral::StripSpaces(ws.RunnerName(r))))
           << CsvCell(ws.RunnerShozoku(r))
           // A race without a date leaves the field empty rather than entering a false date.
           << (race.hasDate() ? CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yy/mm/dd"))
                              : QString())
           << CsvCell(race.RaceName) << CsvCell(ws.AnaClassName) << totalText(ws.TotalTime(r))
           << (hasTotal ? QString::number(ws.TotalRank(r)) : QString())
           << QString::number(ws.AnaRunnerCount) << PercentText(ws.CruiseSpeed(r))
           << FormatNumber(basAnalyze::Percent(ws.MissRate(r)), QStringLiteral("##.#"))
           << PercentText(ws.EarlyCruiseSpeed(r)) << PercentText(ws.LateCruiseSpeed(r))
           << PercentText(ws.RelativeValue(r)) << PercentText(ws.EarlyRelative(r))
           << PercentText(ws.LateRelative(r))
           << (hasShort ? PercentText(ws.ShortLegRelative(r)) : QString())
           << (hasShort ? ws.ShortLegList(r) : QString())
           << (hasLong ? PercentText(ws.LongLegRelative(r)) : QString())
           << (hasLong ? ws.LongLegList(r) : QString()) << PercentText(ws.AfterMissRelative(r))
           << rankedLegRatio(ws, r, 1) << rankedLegRatio(ws, r, ws.AnaLegCount)
           << (winner > 0 ? totalText(ws.TotalTime(winner)) : QString())
           << (winner > 0 ? CsvCell(CbasGeneral::StripSpaces(ws.RunnerName(winner))) : QString());
    return fields.join(QLatin1Char(','));
}

bool AppendAnalysisCsv(const Race& race, const QString& folder, QString* failure)
{
    const QString path = CbasGeneral::AddPathSeparator(folder) + QStringLiteral("Analysis.csv");
    const auto fail = [failure](const QString& why) {
        if (failure) *failure = why;
        return false;
    };
    // The classes are analysed side by side and their lines joined in class order.
    const QStringList names = race.ClassList.names();
    QString text;
    CbasGeneral::MakeSideBySide<QString>(
        static_cast<size_t>(names.size()),
        [&race, &names](size_t i) {
            return classLines(race.RaceInfo, basAnalyze::AnalyzeClassDetail(
                                                 race, names[static_cast<qsizetype>(i)]));
        },
        [&text](size_t, const QString& lines) {
            text += lines;
            return true;
        });
    // Another run between this one's reading and its rename would have its lines replaced by
    // what this run read: the runs take turns.
    const CbasGeneral::FileLock lock(path + QStringLiteral(".lock"));
    if (!lock.locked()) return fail(lock.failure());
    QByteArray bytes;
    if (CbasGeneral::FileExists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return fail(QString());
        const std::optional<QByteArray> merged = MergeSeasonLines(file.readAll(), text);
        if (file.error() != QFileDevice::NoError) return fail(QString());
        if (!merged)
            return fail(QStringLiteral("UTF-16 のファイルには追加できません。シフトJISか UTF-8 で"
                                       "保存し直してください: %1")
                            .arg(path));
        bytes = *merged;
    } else {
        bytes = TextCodec::toCp932(QString::fromUtf8(HeaderLine) + LineEnd + text);
    }
    // Written whole through a temporary file: a failed write leaves the file as it was, and
    // a file this call would have created does not exist without its header line.
    return CbasGeneral::WriteFileBytes(path, bytes) || fail(QString());
}

std::optional<QByteArray> MergeSeasonLines(const QByteArray& file, const QString& lines)
{
    const std::optional<SeasonFileForm> form = seasonFileForm(file);
    if (!form) return std::nullopt;
    QStringList added = lines.split(LineEnd);
    if (!added.isEmpty() && added.last().isEmpty()) added.removeLast();
    QSet<QString> keys;
    for (const QString& line : added) keys.insert(seasonKey(line));

    // The lines already there keep their bytes; those of this race's runners give way to the
    // new lines, which take the place of the first of them (or the end of the file).
    QByteArray merged;
    qsizetype insertAt = -1;
    qsizetype start = 0;
    const char lineEndChar = form->lineEnd.back();
    while (start < file.size()) {
        qsizetype end = file.indexOf(lineEndChar, start);
        end = end < 0 ? file.size() : end + 1;
        QByteArray line = file.mid(start, end - start);
        start = end;
        QByteArray body = line;
        while (body.endsWith('\n') || body.endsWith('\r')) body.chop(1);
        if (keys.contains(seasonKey(form->decode(body)))) {
            if (insertAt < 0) insertAt = merged.size();
            continue;
        }
        if (!line.endsWith(lineEndChar)) line += form->lineEnd;  // a last line without its end
        merged += line;
    }
    const QByteArray newLines = form->encode(lines);
    if (insertAt < 0) return merged + newLines;
    return merged.left(insertAt) + newLines + merged.mid(insertAt);
}

QString AnalysisCsvFailureMessage(const QString& folder, const QString& failure)
{
    const QString path = CbasGeneral::AddPathSeparator(folder) + QStringLiteral("Analysis.csv");
    const CbasGeneral::FileError error = CbasGeneral::WriteErrorIn(folder);
    const QString text = CbasGeneral::SaveFailureMessage(path, error);
    return error || failure.isEmpty() ? text : text + QLatin1Char('\n') + failure;
}

}  // namespace basExport
