// Reading the split results the OE event programs publish as an HTML page: a <pre> block that
// holds a column header ("Pl Stno Name Time", in the language of the program), then per class
// a class line ("Green  (25)   3.900 km  180 m   12 C"), the control numbers with their codes,
// and per runner a line of elapsed times after the name and the run's time, a line of leg
// times after the club, and, when the controls wrap, the same two lines for the rest. Cells
// are wrapped in font and bold tags, which the columns ignore once the tags are gone.
#include "lapfiles/interchangereaders.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace basConvert {
namespace {

// The words of the header's place, name and time columns in the languages of the programs.
const QStringList& placeWords()
{
    static const QStringList words{QStringLiteral("pl"),    QStringLiteral("plac"),
                                   QStringLiteral("platz"), QStringLiteral("sija"),
                                   QStringLiteral("clt"),   QStringLiteral("pos"),
                                   QStringLiteral("plass"), QStringLiteral("rang")};
    return words;
}

const QStringList& nameWords()
{
    static const QStringList words{QStringLiteral("name"),   QStringLiteral("namn"),
                                   QStringLiteral("nimi"),   QStringLiteral("nom"),
                                   QStringLiteral("navn"),   QStringLiteral("naam"),
                                   QStringLiteral("jméno"),  QStringLiteral("nome"),
                                   QStringLiteral("nombre"), QStringLiteral("név")};
    return words;
}

const QStringList& timeWords()
{
    static const QStringList words{QStringLiteral("time"),  QStringLiteral("zeit"),
                                   QStringLiteral("tid"),   QStringLiteral("aika"),
                                   QStringLiteral("temps"), QStringLiteral("tijd"),
                                   QStringLiteral("tempo"), QStringLiteral("tiempo"),
                                   QStringLiteral("čas"),   QStringLiteral("idő")};
    return words;
}

// The page's text without its tags, entities decoded.
QString pageText(const QString& page)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression numeric(QStringLiteral("&#(x?)([0-9a-fA-F]+);"));
    QString text = page;
    text.remove(tag);
    QString decoded;
    qsizetype from = 0;
    for (auto it = numeric.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        decoded += text.mid(from, m.capturedStart() - from);
        bool ok = false;
        const char32_t code = m.captured(2).toUInt(&ok, m.captured(1).isEmpty() ? 10 : 16);
        if (ok && code > 0 && code < 0x110000) decoded += QString::fromUcs4(&code, 1);
        from = m.capturedEnd();
    }
    decoded += text.mid(from);
    decoded.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    decoded.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    decoded.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    decoded.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    decoded.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return decoded;
}

// The event's name: the page title without the name of the list ("… - SPORTident results").
QString eventName(const QString& page)
{
    static const QRegularExpression title(
        QStringLiteral("<title>(.*?)</title>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = title.match(page);
    if (!m.hasMatch()) return QString();
    QStringList parts;
    for (const QString& part : pageText(m.captured(1)).simplified().split(QStringLiteral(" - "))) {
        const QString word = part.trimmed().toLower();
        if (word.contains(QLatin1String("results")) || word.contains(QLatin1String("splittimes")) ||
            word.contains(QLatin1String("zwischenzeiten")) ||
            word.contains(QLatin1String("sträcktider")))
            continue;
        parts << part.trimmed();
    }
    return parts.join(QStringLiteral(" - "));
}

// Where the name column begins and the time column ends, from the column header line.
struct Columns {
    qsizetype name = -1;
    qsizetype timeEnd = -1;
};

std::optional<Columns> headerColumns(const QString& line)
{
    static const QRegularExpression word(QStringLiteral("\\S+"));
    Columns c;
    bool place = false;
    for (auto it = word.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString w = m.captured(0).toLower();
        if (placeWords().contains(w) && c.name < 0) place = true;
        if (nameWords().contains(w) && c.name < 0) c.name = m.capturedStart();
        if (timeWords().contains(w) && c.name >= 0) {
            c.timeEnd = m.capturedEnd();
            break;
        }
    }
    if (!place || c.name < 0 || c.timeEnd < 0) return std::nullopt;
    return c;
}

// "Green  (25)   3.900 km  180 m   12 C", the climb left out by some ("6.825 km   15 P").
std::optional<ImportedClass> classLine(const QString& line)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\S.*?)\\s+\\(\\d+\\)\\s+([0-9]+[.,]?[0-9]*)\\s*km(?:\\s+([0-9]+)\\s*m)?"
                       "\\s+([0-9]+)\\s*[A-Za-z]{1,2}\\s*$"));
    const QRegularExpressionMatch m = pattern.match(line);
    if (!m.hasMatch()) return std::nullopt;
    ImportedClass c;
    c.name = m.captured(1).trimmed();
    QString km = m.captured(2);
    km.replace(QLatin1Char(','), QLatin1Char('.'));
    c.length = static_cast<int>(std::lround(km.toDouble() * 1000));
    c.climb = m.captured(3).toInt();
    c.controlCount = m.captured(4).toInt();
    return c;
}

bool isBlank(QStringView text)
{
    return text.trimmed().isEmpty();
}

// The first line of a runner's entry: something in the time column (a time or a mark).
bool isEntryLine(const QString& line, const Columns& c)
{
    const qsizetype timeArea = std::max<qsizetype>(c.timeEnd - 8, 0);
    return !line.isEmpty() && line[0].isSpace() && line.size() > c.name &&
           !isBlank(QStringView(line).mid(timeArea, c.timeEnd - timeArea)) &&
           !isBlank(QStringView(line).mid(c.name, std::max<qsizetype>(timeArea - c.name, 0)));
}

// The elapsed times of the line: the tokens after the time column.
QStringList timesAfter(const QString& line, const Columns& c)
{
    return line.mid(c.timeEnd).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

struct Entry {
    QString first;
    QStringList more;  // the club line, then the lines that carry on the wrapped controls
};

ImportedRunner runnerOf(const Entry& e, const Columns& c, int controls)
{
    ImportedRunner r;
    const QString head = e.first.left(c.timeEnd);
    const qsizetype timeStart = head.lastIndexOf(QLatin1Char(' ')) + 1;
    if (timeStart > c.name) r.family = head.mid(c.name, timeStart - c.name).trimmed();
    const QString time = head.mid(timeStart).trimmed();
    QStringList cumulative = timesAfter(e.first, c);
    if (!e.more.isEmpty()) r.club = e.more[0].mid(c.name, c.timeEnd - c.name).trimmed();
    // Wrapped controls: the elapsed times go on in the third line, the fifth…
    for (int i = 1; i < e.more.size(); i += 2) cumulative += timesAfter(e.more[i], c);
    r.totalSeconds = ParseSeconds(time);
    if (!r.totalSeconds) {
        r.status = StatusOfMark(time).value_or(RunStatus::MissingPunch);
        // The run's time of a mispunched runner stands under the finish.
        if (cumulative.size() > controls) r.totalSeconds = ParseSeconds(cumulative[controls]);
    }
    for (int k = 0; k < controls; ++k) {
        std::optional<double> t =
            k < cumulative.size() ? ParseSeconds(cumulative[k]) : std::nullopt;
        if (t && *t <= 0) t.reset();
        r.elapsed.push_back(t);
    }
    return r;
}

// The preformatted part of the page, from its first <pre> to its last </pre>: the columns count
// from the start of its lines.
QString preformatted(const QString& page)
{
    static const QRegularExpression open(QStringLiteral("<pre[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = open.match(page);
    if (!m.hasMatch()) return QString();
    qsizetype end = page.lastIndexOf(QLatin1String("</pre"), -1, Qt::CaseInsensitive);
    if (end < m.capturedEnd()) end = page.size();
    return page.mid(m.capturedEnd(), end - m.capturedEnd());
}

}  // namespace

bool MayBeSplitHtml(QStringView head)
{
    return head.contains(QLatin1String("<pre"), Qt::CaseInsensitive);
}

ReadOutcome ReadSplitHtml(const QString& page, ImportedRace& race)
{
    if (!MayBeSplitHtml(page)) return ReadOutcome::NotThisFormat;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = pageText(preformatted(page)).split(lineEnd);
    std::optional<Columns> columns;
    qsizetype at = 0;
    for (; at < lines.size() && !columns; ++at) columns = headerColumns(lines[at]);
    if (!columns) return ReadOutcome::NotThisFormat;

    ImportedClass* cls = nullptr;
    std::optional<Entry> entry;
    auto flush = [&] {
        if (entry && cls) cls->runners.push_back(runnerOf(*entry, *columns, cls->controlCount));
        entry.reset();
    };
    bool anyClass = false;
    for (; at < lines.size(); ++at) {
        const QString& line = lines[at];
        if (isBlank(line)) continue;
        if (auto c = classLine(line)) {
            flush();
            cls = &race.classNamed(c->name);
            cls->length = c->length;
            cls->climb = c->climb;
            cls->controlCount = c->controlCount;
            anyClass = true;
        } else if (!line[0].isSpace()) {
            flush();  // the page's text after the list
            cls = nullptr;
        } else if (cls && isEntryLine(line, *columns)) {
            flush();
            entry = Entry{line, {}};
        } else if (entry) {
            entry->more << line;
        }
    }
    flush();
    if (!anyClass) return ReadOutcome::NotThisFormat;
    race.eventName = eventName(page);
    return ReadOutcome::Read;
}

}  // namespace basConvert
