// The punch groups of a result export's header: where the control code and time pairs begin,
// how many fields a group has and which of them holds the code, the time and the control's
// number.
#include "lapfiles/resultheader.h"

#include <QSet>

#include <optional>
#include <utility>

namespace basConvert {
namespace {

// "Control12" -> ("control", 12); a word without a trailing number gives 0.
std::pair<QString, int> numbered(const QString& word)
{
    qsizetype digits = word.size();
    while (digits > 0 && word[digits - 1].isDigit()) --digits;
    if (digits == word.size() || word.size() - digits > 4) return {word, 0};
    return {word.left(digits).trimmed(), word.mid(digits).toInt()};
}

// What one field of a punch group holds, by the word before its number.
enum class GroupField { Code, Time, Number, Place };

GroupField groupFieldOf(const QString& base)
{
    static const QSet<QString> times{
        QStringLiteral("punch"),     QStringLiteral("stempel"), QStringLiteral("leima"),
        QStringLiteral("stämpling"), QStringLiteral("poinçon"), QStringLiteral("time"),
        QStringLiteral("tid"),       QStringLiteral("zeit"),    QStringLiteral("aika"),
        QStringLiteral("temps"),     QStringLiteral("tijd"),    QStringLiteral("split"),
        QStringLiteral("tempo"),     QStringLiteral("tiempo"),  QStringLiteral("stempling"),
        QStringLiteral("čas")};
    static const QSet<QString> numbers{QStringLiteral("no"),     QStringLiteral("nr"),
                                       QStringLiteral("nro"),    QStringLiteral("n°"),
                                       QStringLiteral("num"),    QStringLiteral("nummer"),
                                       QStringLiteral("numero"), QStringLiteral("no.")};
    static const QSet<QString> places{
        QStringLiteral("pl"),    QStringLiteral("place"), QStringLiteral("platz"),
        QStringLiteral("plats"), QStringLiteral("sij"),   QStringLiteral("sija"),
        QStringLiteral("rank"),  QStringLiteral("pos"),   QStringLiteral("rang"),
        QStringLiteral("clt"),   QStringLiteral("plass")};
    if (times.contains(base)) return GroupField::Time;
    if (numbers.contains(base)) return GroupField::Number;
    if (places.contains(base)) return GroupField::Place;
    return GroupField::Code;
}

// The offsets of the code, time and control number in a group of that width, by the words of
// its fields; where the words do not tell, the order the exports use: code and time, then the
// place ("Control1;Punch1;Pl1"), with the control's number in front of a group of four.
PunchGroups groupRoles(const QStringList& bases, int first)
{
    PunchGroups g;
    g.first = first;
    g.width = static_cast<int>(bases.size());
    g.number = g.width == 4 ? 0 : -1;
    g.code = g.width == 4 ? 1 : 0;
    g.time = g.code + 1;
    int code = -1, time = -1, number = -1;
    for (int i = 0; i < g.width; ++i) {
        switch (groupFieldOf(bases[i])) {
            case GroupField::Time:
                if (time < 0) time = i;
                break;
            case GroupField::Number:
                if (number < 0) number = i;
                break;
            case GroupField::Place:
                break;
            case GroupField::Code:
                if (code < 0) code = i;
                break;
        }
    }
    if (code >= 0 && time >= 0 && code != time) {
        g.code = code;
        g.time = time;
        g.number = number;
    }
    return g;
}

// A punch group of two to four numbered fields at p: each field numbered 1 under a word of its
// own, followed by the same words numbered 2, by the end of the header or by a field without a
// number ("(may be more) ...").
std::optional<PunchGroups> groupAt(const QStringList& words, int p)
{
    for (int width = 2; width <= 4; ++width) {
        if (p + width > words.size()) return std::nullopt;
        QStringList bases;
        bool ones = true;
        for (int i = 0; i < width && ones; ++i) {
            const auto [base, number] = numbered(words[p + i]);
            ones = number == 1 && !base.isEmpty() && !bases.contains(base);
            bases << base;
        }
        if (!ones) continue;
        const int next = p + width;
        bool follows = next >= words.size() || numbered(words[next]).second == 0;
        if (!follows) {
            follows = next + width <= words.size();
            for (int i = 0; i < width && follows; ++i)
                follows = numbered(words[next + i]) == std::pair{bases[i], 2};
        }
        if (follows) return groupRoles(bases, p);
    }
    return std::nullopt;
}

const QStringList& splitWords()
{
    static const QStringList words{QStringLiteral("zwischenzeiten"),
                                   QStringLiteral("splits"),
                                   QStringLiteral("split times"),
                                   QStringLiteral("splittimes"),
                                   QStringLiteral("mellantider"),
                                   QStringLiteral("väliajat"),
                                   QStringLiteral("temps intermédiaires"),
                                   QStringLiteral("tussentijden"),
                                   QStringLiteral("mezicasy"),
                                   QStringLiteral("parziali")};
    return words;
}

bool isCodeWord(const QString& word)
{
    return word == QLatin1String("ctrlcode") || word == QLatin1String("controlcode") ||
           word == QLatin1String("control code") || word == QLatin1String("code") ||
           word == QLatin1String("postencode") || word == QLatin1String("kod");
}

}  // namespace

PunchGroups GroupsInHeader(const QStringList& header)
{
    QStringList words;
    for (const QString& field : header) words << HeaderWord(field);
    for (int p = 1; p < words.size(); ++p) {
        if (auto groups = groupAt(words, p)) return *groups;
        PunchGroups pairs;
        pairs.first = p;
        if (splitWords().contains(words[p])) return pairs;
        if (isCodeWord(words[p]) && p + 1 < words.size() && !isCodeWord(words[p + 1])) return pairs;
    }
    return PunchGroups();
}

}  // namespace basConvert
