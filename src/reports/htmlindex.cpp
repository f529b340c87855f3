// The index page of the race: one row per class with links to the pages and chart images that
// exist in the output folder, the course length and the winner.
#include "analysis/analyze.h"
#include "race/basicformat.h"
#include "race/filenameparts.h"
#include "race/pathutil.h"
#include "race/race.h"
#include "race/racetime.h"
#include "race/textutil.h"
#include "reports/htmlpages.h"
#include "reports/htmltext.h"
#include "reports/viewerpage.h"

#include <QDir>
#include <QHash>

namespace basExport {

namespace {

// The files of a folder by their names in lower case: pages and images are found whatever the
// letter case they were written in, and linked by the name they really have, since a web
// server on this platform tells the letter cases apart. A name already in lower case wins.
class FolderListing {
public:
    explicit FolderListing(const QString& folder)
    {
        const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
            const QString lower = name.toLower();
            if (!names_.contains(lower) || name == lower) names_.insert(lower, name);
        }
    }
    // The name on disk of the file whose lower-case name is given; empty when there is none.
    QString find(const QString& lowerName) const { return names_.value(lowerName); }

private:
    QHash<QString, QString> names_;
};

// The template up to and including its last ".", followed by the extension.
QString WithExtension(const QString& name, const QString& extension)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? name + QLatin1Char('.') : name.left(dot + 1)) + extension;
}

QString LinkLine(const QString& target, const QString& text)
{
    return QStringLiteral("<a href=\"%1\"target=\"_blank\">%2</a>&nbsp;")
        .arg(LinkTarget(target), text);
}

// The names that replace "*" in the templates for the five links of a class, and their texts.
struct LinkKind {
    const char* prefix;
    const char* suffix;
    bool image;
    const char* text;
};
constexpr LinkKind LinkKinds[IndexLinkCount] = {
    {"res_", "", false, "成績"},    {"", "", false, "ラップ解析"}, {"", "_1", true, "チャート１"},
    {"", "_2", true, "チャート２"}, {"leg_", "", false, "難易度"},
};

// The row of a class, made from its PrepareClass, with links to the files found for it.
void AppendClassRow(QStringList& lines, const basAnalyze::AnalysisWorkspace& ws,
                    const std::array<QString, IndexLinkCount>& found)
{
    lines << QStringLiteral(
                 "<tr><td nowrap bgcolor=#405080 width=125><font color=white><b>&nbsp;%1&nbsp;"
                 "</b></font></td>")
                 .arg(HtmlEscape(CbasGeneral::ToWide(ws.AnaClassName)));
    lines << QStringLiteral("<td nowrap bgcolor=#ffffff width=300>");

    QString pending = QStringLiteral("&nbsp;");  // written without a line end of its own
    for (int k = 0; k < IndexLinkCount; ++k) {
        if (found[k].isEmpty()) continue;
        lines << pending + LinkLine(found[k], QString::fromUtf8(LinkKinds[k].text));
        pending.clear();
    }
    lines << pending + QStringLiteral("</td>");

    QString length = QStringLiteral("&nbsp;");
    if (ws.AnaClassLength > 0) {
        length = QStringLiteral("&nbsp;%1m&nbsp;").arg(ws.AnaClassLength);
        if (ws.AnaClassUpHeight > 0)
            length += CbasGeneral::FitWidth(QStringLiteral("↑%1m").arg(ws.AnaClassUpHeight), 6,
                                            true, false);
    }
    lines << QStringLiteral("<td nowrap bgcolor=#ddffdd align=right width=100>%1</td>").arg(length);

    QString winner = QStringLiteral("&nbsp;");
    if (ws.AnaRunnerCount > 0) {
        const QString name =
            CbasGeneral::FitWidth(CbasGeneral::CompactName(ws.RunnerName(1)), 6, false, false);
        const QString time =
            CbasGeneral::FitWidth(CbasGeneral::FormatLapTime(ws.TotalTime(1)), 8, true, false);
        winner = SpacesToNbsp(HtmlEscape(name) + time);
    }
    lines << QStringLiteral("<td nowrap align=center bgcolor=#ffffcc width=110>%1</td>").arg(winner)
          << QStringLiteral("</tr>");
}

// The race viewer beside the pages: "<stem>_viewer.html" (or ".htm"), the stem being the
// template without its class part and extension; empty when there is none.
QString ViewerOnDisk(const QString& nameTemplate, const FolderListing& folder)
{
    QString stem = nameTemplate.left(nameTemplate.lastIndexOf(QLatin1Char('.')));
    stem.remove(QStringLiteral("_*"));
    const QString name = ViewerFileName(stem);
    const QString found = folder.find(name);
    return found.isEmpty() ? folder.find(name.chopped(1)) : found;
}

}  // namespace

IndexLinks FindIndexLinks(const ClassCollection& classes, const QString& pathTemplate)
{
    // Only the file name is taken in lower case: the folder is found as it is spelt.
    const FolderListing listing(CbasGeneral::GetFolderName(pathTemplate));
    const QString page = CbasGeneral::GetFileName(pathTemplate).toLower();
    const QString image = WithExtension(page, QStringLiteral("png"));
    IndexLinks links;
    for (const QString& className : classes.names()) {
        const QString part = basDefinition::ClassFileNamePart(classes, className).toLower();
        std::array<QString, IndexLinkCount> found;
        for (int k = 0; k < IndexLinkCount; ++k) {
            const LinkKind& kind = LinkKinds[k];
            QString fileName = kind.image ? image : page;
            fileName.replace(QLatin1Char('*'),
                             QLatin1String(kind.prefix) + part + QLatin1String(kind.suffix));
            found[k] = listing.find(fileName);
        }
        links.classes.push_back(found);
    }
    links.viewerFile = ViewerOnDisk(page, listing);
    QString lapName = WithExtension(page, QStringLiteral("lap"));
    lapName.remove(QStringLiteral("_*"));
    links.lapFile = listing.find(lapName);
    return links;
}

QString IndexPagePath(const QString& pathTemplate)
{
    QString indexName = CbasGeneral::GetFileName(pathTemplate).toLower();
    indexName.replace(QLatin1Char('*'), QStringLiteral("index"));
    return CbasGeneral::GetFolderName(pathTemplate) + indexName;
}

HtmlPage IndexPageLines(const Race& whole, const IndexLinks& links)
{
    const RaceHeader& race = whole.RaceInfo;
    // A race without a date shows the zero date in the comment, as it always has.
    const QDate date = race.hasDate() ? race.RaceDate : QDate(1899, 12, 30);

    QStringList lines;
    lines << QStringLiteral("<head>");
    AppendMetaLines(lines);
    lines << QStringLiteral("<style type=\"text/css\">") << QStringLiteral("<!--")
          << QStringLiteral("td { border-width: 1px 1px 0px 0px ; border-color: black }")
          << QStringLiteral("table { border-width: 0px 0px 1px 1px ; border-color: black }")
          << QStringLiteral("-->") << QStringLiteral("</style>") << QStringLiteral("</head>")
          << QStringLiteral("<body bgcolor=white>") << QString()
          << QStringLiteral("<table cellpadding=2 cellspacing=0 border=1>")
          << QStringLiteral("<!-- START -->")
          << QStringLiteral("<!-- %1 -->")
                 .arg(CbasGeneral::FormatDate(date, QStringLiteral("yyyy/mm/dd")))
          << QString();
    lines << QStringLiteral(
                 "<tr><td colspan=4 bgcolor=#c04040><font size=+1 color=white><b>"
                 "&nbsp;%1&nbsp;</b></font></td></tr>")
                 .arg(HtmlEscape(race.RaceName));
    QString dateLine;
    if (race.hasDate())
        dateLine = CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yyyy年mm月dd日")) +
                   QStringLiteral("&nbsp;");
    if (!race.RacePlace.isEmpty())
        dateLine += QLatin1Char('[') + HtmlEscape(race.RacePlace) + QLatin1Char(']');
    lines << QStringLiteral("<tr><td colspan=4 bgcolor=#ffdddd>&nbsp;%1&nbsp;</td></tr>")
                 .arg(dateLine);

    const QStringList classNames = whole.ClassList.names();
    for (qsizetype c = 0; c < classNames.size(); ++c) {
        AppendClassRow(lines, basAnalyze::PrepareClass(whole, classNames[c]),
                       c < static_cast<qsizetype>(links.classes.size())
                           ? links.classes[static_cast<size_t>(c)]
                           : std::array<QString, IndexLinkCount>());
    }

    if (!links.viewerFile.isEmpty())
        lines << QStringLiteral(
                     "<tr><td colspan=4 bgcolor=#f0f0f0 align=right>&nbsp;[<a href=\"%1\" "
                     "target=\"_blank\">分析ビューア</a>]</td></tr>")
                     .arg(LinkTarget(links.viewerFile));
    if (!links.lapFile.isEmpty())
        lines << QStringLiteral(
                     "<tr><td colspan=4 bgcolor=#f0f0f0 align=right>&nbsp;[<a href=\"%1\">"
                     "SplitDuel用データ</a>]</td></tr>")
                     .arg(LinkTarget(links.lapFile));
    lines << QString() << QStringLiteral("<!-- END -->") << QStringLiteral("</table><br>")
          << QString() << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

bool WriteIndexPage(const Race& race, const QString& pathTemplate)
{
    const HtmlPage lines = IndexPageLines(race, FindIndexLinks(race.ClassList, pathTemplate));
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return CbasGeneral::WriteTextFileAtomic(IndexPagePath(pathTemplate), text);
}

}  // namespace basExport
