#include "lapfiles/racefile.h"

#include "lapfiles/csvfields.h"
#include "lapfiles/csvlayout.h"
#include "lapfiles/foreigntable.h"
#include "lapfiles/interchange.h"
#include "lapfiles/labelquestions.h"
#include "lapfiles/lapdamage.h"
#include "lapfiles/lapformat.h"
#include "lapfiles/linebuffer.h"
#include "lapfiles/readcontext.h"
#include "lapfiles/sportident.h"
#include "lapfiles/tablereader.h"
#include "lapfiles/transpose.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>
#include <QFileInfo>

#include <exception>
#include <new>

namespace basConvert {
namespace {

using basDefinition::FileFailed;
using basDefinition::FileOk;
using basDefinition::FileRefused;

// What the last load left to say: why it failed, the label question it left unanswered, and
// what a successful load has to tell besides.
struct LastLoad {
    QString reason;
    QString unansweredQuestion;
    QString notice;
    bool damaged = false;  // a lap file that loaded as far as it goes
};

LastLoad& lastLoad()
{
    static LastLoad last;
    return last;
}

bool isExcelPath(const QString& path)
{
    return CbasGeneral::Like(path, QStringLiteral("*.xls"));
}

// A table of another program: readied (spaces, orientation, label questions) unless it is an
// Eskdat file, tidied, then read by the generic table passes.
// True when the table gave a runner or a named class (a start list gives its classes).
bool holdsRace(const ClassCollection& classes)
{
    for (const auto& cls : classes)
        if (cls->ClassRunnerCount() > 0 || !cls->ClassName.isEmpty()) return true;
    return false;
}

// Which way the table runs when it is one of the program's own CSV layouts: runners as rows
// when its first line starts with the layout's heading ("クラス,名前,所属" or, for a race of one
// unnamed class, "名前,所属"), runners as columns when its first column does. Such a table is
// read in its own orientation, never scored: class names such as "M21-1" would otherwise count
// as leg labels and turn it the wrong way.
enum class OwnLayout { None, Rows, Columns };

OwnLayout ownLayoutOf(const QStringList& lines)
{
    if (lines.isEmpty()) return OwnLayout::None;
    const QString classWord = QStringLiteral("クラス");
    const QString nameWord = QStringLiteral("名前");
    const QString clubWord = QStringLiteral("所属");
    auto startsWithHeading = [&](const QStringList& words) {
        if (words.size() >= 3 && words[0] == classWord && words[1] == nameWord &&
            words[2] == clubWord)
            return true;
        return words.size() >= 2 && words[0] == nameWord && words[1] == clubWord;
    };
    if (startsWithHeading(SplitCsvFields(lines.first(), CsvQuotes::Literal).mid(0, 3)))
        return OwnLayout::Rows;
    QStringList firstColumn;
    for (int i = 0; i < std::min<qsizetype>(3, lines.size()); ++i)
        firstColumn << FirstCsvField(lines[i], CsvQuotes::Literal);
    return startsWithHeading(firstColumn) ? OwnLayout::Columns : OwnLayout::None;
}

int16_t readForeignTable(ReadContext& context, bool eskdat, ClassCollection& classes)
{
    context.formatCode = eskdat ? FormatEskdat : FormatTable;
    const OwnLayout own = eskdat ? OwnLayout::None : ownLayoutOf(context.lines);
    const bool ownLayout = own != OwnLayout::None;
    if (own == OwnLayout::Columns) TransposeLines(context.lines);
    if (!eskdat && !ownLayout) {
        switch (PrepareGenericTable(context)) {
            case TablePreparation::Ready:
                break;
            case TablePreparation::Cancelled:
                return FileFailed;
            case TablePreparation::NoTable:
                return FileRefused;
        }
    }
    TidyTableLines(context.lines);
    if (!ReadForeignTable(context, classes)) return FileFailed;
    // A foreign table that gave neither a runner nor a class name (a page of text) is no race:
    // it is refused, so that opening it never replaces the race in memory with an empty one.
    // The program's own layouts of a race without runners still load.
    return ownLayout || holdsRace(classes) ? FileOk : FileRefused;
}

// A stored line with more fields than any table can use. Such a file (a whole file of values
// on one line, say) is refused before the orientation scores and the label questions walk
// millions of fields.
bool hasOverlongTableLine(const QStringList& lines)
{
    for (const QString& line : lines)
        if (line.count(QLatin1Char(',')) >= MaxTableFields) return true;
    return false;
}

// Why the line buffer could not take the file.
QString lineReadReason(LineReadResult read)
{
    if (read == LineReadResult::LineTooLong)
        return QStringLiteral("長すぎる行があります (1 行 %1KB まで読み込めます)")
            .arg(MaxLineBytes >> 10);
    return QString();
}

// Reads the file into a race of its own; the race in memory is not touched. The kind of file
// is decided step by step, in this order.
ReadResult readRace(const QString& path, ReadContext& context, RaceHeader& header,
                    ClassCollection& classes)
{
    ReadResult result;
    result.code = FileFailed;
    // A workbook is recognised but never read: the race is empty.
    if (isExcelPath(path)) {
        context.formatCode = FormatExcel;
        result.code = FileOk;
        return result;
    }
    // The lines; SPORTident results are recognised while reading (the third stored line).
    const LineReadResult read = FillLineBuffer(path, context);
    if (read != LineReadResult::Ok) {
        // Result lists of other programs may have longer lines than the line buffer holds.
        if (read == LineReadResult::Unreadable ||
            !ReadInterchangeFile(path, header, classes, &result, context.raceNumber))
            result.reason = lineReadReason(read);
        return result;
    }
    if (context.lines.isEmpty()) return result;
    // The program's own report output is not split data.
    if (CbasGeneral::Like(context.lines.last(), QStringLiteral("Made with SplitDuel*"))) {
        result.code = FileRefused;
        return result;
    }
    // The program's own lap file.
    if (IsLapFile(path, context.lines.first())) {
        context.formatCode = FormatLap;
        result.code = ReadLapFile(context, header, classes) ? FileOk : FileFailed;
        return result;
    }
    // Fixed-column SPORTident results.
    if (context.formatCode == FormatSportident) {
        result.code = ReadSportidentResults(context, header, classes) ? FileOk : FileFailed;
        return result;
    }
    // IOF XML result lists, OE and SplitsBrowser CSV files, known by their content.
    if (ReadInterchangeFile(path, header, classes, &result, context.raceNumber)) return result;
    // Eskdat CSV, then any other comma or space-aligned table.
    if (hasOverlongTableLine(context.lines)) return result;
    result.code = readForeignTable(context, IsEskdatPath(path), classes);
    return result;
}

QString joinLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return text;
}

bool buildLines(int filterIndex, QStringList& lines)
{
    using basDefinition::ClassList;
    switch (filterIndex) {
        case 1:
            lines = BuildLapLines(basDefinition::RaceInfo, ClassList);
            return true;
        case 2:
            BuildHorizontalLines(ClassList, lines);
            return true;
        case 3:
            BuildVerticalLines(ClassList, lines);
            return true;
        default:
            return false;
    }
}

// The first text of the race (race header, class name, runner's name or club) with a character
// that has no CP932 form, for the message that names it.
QString firstTextWithoutCp932()
{
    const RaceHeader& race = basDefinition::RaceInfo;
    for (const QString& text : {race.RaceName, race.RacePlace, race.RaceRemarks})
        if (!TextCodec::fitsCp932(text)) return text;
    for (const auto& cls : basDefinition::ClassList) {
        if (!TextCodec::fitsCp932(cls->ClassName)) return cls->ClassName;
        for (int i = 1; i <= cls->ClassRunnerCount(); ++i) {
            const clsClassDataSub& runner = cls->Item(i);
            if (!TextCodec::fitsCp932(runner.Namae + runner.Shozoku)) return runner.Namae;
        }
    }
    return QString();
}

// The bytes of the file the filter index writes: a lap file, a lap CSV layout or IOF XML.
// The text layouts are CP932; a race with a character that has no CP932 form (ö, é, the Baltic
// letters) is written as UTF-8 with a byte-order mark instead, which the reader takes, so that
// no letter is saved as "?". utf8 tells which.
bool buildFile(int filterIndex, QByteArray& bytes, bool& utf8)
{
    utf8 = false;
    if (filterIndex == 4) {
        bytes = BuildIofXml(basDefinition::RaceInfo, basDefinition::ClassList);
        return true;
    }
    QStringList lines;
    if (!buildLines(filterIndex, lines)) return false;
    const QString text = joinLines(lines);
    bool fits = true;
    bytes = TextCodec::toCp932(text, &fits);
    if (!fits) {
        utf8 = true;
        bytes = QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
    }
    return true;
}

// Tells when the lap file just loaded looks damaged (lapdamage.h), and notes it.
void tellDamage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QString damage = LapFileDamage(file.readAll());
    if (damage.isEmpty()) return;
    lastLoad().damaged = true;
    Prompts::message(QStringLiteral("ファイルが壊れています: ") + path + QStringLiteral(" (") +
                         damage + QStringLiteral(")\n読み込めた部分だけを読み込みました"),
                     Prompts::Icon::Exclamation);
}

}  // namespace

void LoadRaceFile(const QString& path, LoadProgress* progress, const LoadOptions& options)
{
    using namespace basDefinition;
    lastLoad() = LastLoad();
    FileResult = FileOk;
    if (!CbasGeneral::FileExists(path)) {
        FileResult = FileFailed;
        CurrentFilePath.clear();
        return;
    }
    // A file this large is no race the program could hold; reading it would only take time
    // and memory before it was refused.
    if (QFileInfo(path).size() > MaxRaceFileBytes) {
        FileResult = FileFailed;
        lastLoad().reason = QStringLiteral("ファイルが大きすぎます (64MB まで読み込めます)");
        return;
    }
    // The new race is built aside and replaces the old one only when the whole file was read,
    // so a failed load leaves the race in memory (header, classes and path) as it was.
    RaceHeader header;
    ClassCollection classes;
    ReadContext context;
    context.progress = progress;
    context.raceNumber = options.raceNumber;
    ReadResult result;
    try {
        result = readRace(path, context, header, classes);
    } catch (const std::bad_alloc&) {
        result = ReadResult();
        result.reason = QStringLiteral("メモリが足りません");
    } catch (const std::exception&) {
        result = ReadResult();
    }
    lastLoad() = LastLoad{result.reason, context.unansweredQuestion,
                          result.code == FileOk ? result.notice : QString()};
    FileResult = result.code;
    if (result.code != FileOk) return;
    RaceInfo = header;
    ClassList = std::move(classes);
    CurrentFilePath = path;
    // A header built from the user's answers is not in the program's own format yet.
    if (context.askedLabels) DataModified = true;
    if (context.formatCode == FormatLap) tellDamage(path);
}

bool LoadWasDamaged()
{
    return lastLoad().damaged;
}

QString LoadFailureMessage(int result)
{
    if (result == basDefinition::FileRefused)
        return QStringLiteral("この形式のファイルは読み込めません");
    QString text = QStringLiteral("ファイルを読み込めませんでした");
    if (!lastLoad().reason.isEmpty()) text += QLatin1Char('\n') + lastLoad().reason;
    return text;
}

QString UnansweredLabelQuestion()
{
    return lastLoad().unansweredQuestion;
}

QString LoadNotice()
{
    return lastLoad().notice;
}

void SaveRaceFile(const QString& path, int filterIndex)
{
    using namespace basDefinition;
    FileResult = FileOk;
    QByteArray bytes;
    bool utf8 = false;
    // The file is written whole through a temporary file, so a failed save keeps what was there.
    if (!buildFile(filterIndex, bytes, utf8) ||
        !CbasGeneral::WriteFileBytes(path, bytes, CbasGeneral::LinkRule::FollowAny)) {
        FileResult = FileFailed;
        return;
    }
    DataModified = false;
    if (utf8)
        Prompts::message(QStringLiteral("シフトJISで表せない文字（「%1」など）があるため、"
                                        "UTF-8（BOM付き）で保存しました。")
                             .arg(firstTextWithoutCp932()),
                         Prompts::Icon::Information);
}

}  // namespace basConvert
