#include "lapfiles/resultheader.h"

#include <QRegularExpression>
#include <QSet>

#include <initializer_list>
#include <optional>

namespace basConvert {
namespace {

using C = ResultColumn;

// The words of each column in the languages of the exports: English, German, Swedish, Finnish,
// French, Norwegian, Danish, Dutch, Czech, Italian, Spanish, Hungarian.
struct Words {
    C column;
    std::initializer_list<const char*> words;
};

const Words Vocabulary[] = {
    {C::Name, {"name",           "surname",
               "last name",      "lastname",
               "family name",    "nachname",
               "familienname",   "efternamn",
               "namn",           "sukunimi",
               "nimi",           "nom",
               "nom de famille", "etternavn",
               "efternavn",      "navn",
               "achternaam",     "naam",
               "příjmení",       "jméno a příjmení",
               "cognome",        "nome e cognome",
               "apellidos",      "apellido",
               "vezetéknév",     "név",
               "fullname",       "full name"}},
    {C::GivenName,
     {"first name", "firstname", "forename", "given name", "vorname", "förnamn", "etunimi",
      "prénom", "prenom", "fornavn", "voornaam", "jméno", "nome", "nombre", "keresztnév"}},
    {C::Club,
     {"club", "club name", "clubname", "verein", "klubb", "klub", "seura", "société", "clube",
      "vereniging", "società", "organisation", "organization"}},
    {C::City,
     {"city", "ort", "ville", "kaupunki", "by", "sted", "plaats", "město", "città", "ciudad"}},
    {C::ClassName,
     {"class", "klasse", "klass", "kategorie", "category", "catégorie", "categorie", "sarja",
      "categoría", "categoria", "kategória", "cat", "cat."}},
    {C::ClassShort, {"short", "kurz", "kort", "court", "lyhyt", "corto", "krátký", "rövid"}},
    {C::ClassLong, {"long", "lang", "lång", "pitkä", "largo", "lungo", "dlouhý", "hosszú"}},
    {C::Course, {"course", "bahn", "bana", "rata", "circuit", "løype", "baan", "trať", "percorso"}},
    {C::Start,
     {"start", "startzeit", "start time", "starttime", "starttid", "starttijd", "départ", "depart",
      "lähtö", "lähtöaika", "salida", "partenza", "rajt", "heure de départ"}},
    {C::Finish,
     {"finish", "finish time", "finishtime", "ziel", "zielzeit", "mål", "måltid", "maali",
      "arrivée", "arrivee", "llegada", "arrivo", "cíl", "finish", "mål tid", "cél"}},
    {C::Time,
     {"time", "zeit", "laufzeit", "tid", "aika", "temps", "tiempo", "tempo", "tijd", "runtime",
      "run time", "čas", "idő", "result", "ergebnis"}},
    {C::Status,
     {"classifier", "wertung", "status", "evaluation", "tila", "classification", "estado", "stav",
      "állapot"}},
    {C::NonCompetitive, {"nc", "nc.", "ak", "a.k.", "ut", "ek", "hc", "hors concours", "uk"}},
    {C::Place,
     {"pl", "place", "platz", "plats", "sija", "rang", "rank", "position", "pos", "pos.", "clt",
      "plaats", "posizione", "puesto", "helyezés"}},
    {C::Length, {"km", "length", "laenge", "länge", "längd", "longueur", "pituus", "lengde"}},
    {C::Climb, {"m", "hm", "climb", "steigung", "stigning", "dénivelé", "nousu", "höhe"}},
    {C::Controls,
     {"course controls", "controls", "poanz", "bahn posten", "posten", "bana kontroller",
      "kontroller", "postes du circuit", "rastit", "radan rastit", "poster"}},
    {C::StartPunch,
     {"start punch", "startstempel", "startstämpling", "poinçon de départ", "lähtöleimaus"}},
    {C::FinishPunch,
     {"finish punch", "zielstempel", "målstämpling", "arrivée (p)", "maalileimaus"}},
    {C::StartNumber,
     {"stno", "stnr", "startnr", "startnr.", "start no", "start no.", "startnumber", "startnummer",
      "n° dép.", "bib", "startnr", "nro", "numero", "lnro", "lähtönumero"}},
    {C::Chip, {"chip",   "chipno", "chipnr",    "chip-nr",    "chipnr.",  "si card", "si-card",
               "sicard", "card",   "bricka",    "puce",       "emit",     "e-card",  "ecardnr",
               "ecard",  "kortti", "korttinro", "kortti nro", "brickanr", "brikkenr"}},
    {C::Leg,
     {"leg", "leg no", "leg no.", "strecke", "sträcka", "osuus", "relais", "etappe", "lnr", "etapp",
      "etappe nr"}},
    {C::Team,
     {"descr", "descr.", "team", "team name", "mannschaft", "staffel", "lag", "joukkue", "équipe",
      "equipe", "equipo"}},
    {C::OverallTime,
     {"overall time", "overall", "gesamtzeit", "kokonaisaika", "totaltid", "temps total",
      "tempo totale", "tiempo total", "totaal tijd"}},
};

const QSet<QString>& wordsOf(C column)
{
    static const auto sets = [] {
        std::array<QSet<QString>, static_cast<size_t>(C::Count)> all;
        for (const Words& w : Vocabulary)
            for (const char* word : w.words)
                all[static_cast<size_t>(w.column)] << QString::fromUtf8(word);
        return all;
    }();
    return sets[static_cast<size_t>(column)];
}

bool is(const QString& word, C column)
{
    return wordsOf(column).contains(word);
}

// "Club no.", "Klubb nr.", "N° club", "Club-Nr.": a club word and a number word.
bool isClubNumber(const QString& word)
{
    const bool club =
        word.contains(QLatin1String("club")) || word.contains(QLatin1String("klubb")) ||
        word.contains(QLatin1String("verein")) || word.contains(QLatin1String("seura"));
    const bool number = word.contains(QLatin1String("no")) || word.contains(QLatin1String("nr")) ||
                        word.contains(QStringLiteral("n°")) || word.contains(QLatin1Char('#'));
    return club && number && word != QLatin1String("club name");
}

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

// A header field that the split tables use as a leg heading: a control number, "3→4", "S-1".
bool isLegHeading(const QString& word)
{
    static const QRegularExpression leg(
        QStringLiteral("^([0-9]+|.*→.*|(s|△|[0-9]+)-([0-9]+|f|g|◎))$"));
    return leg.match(word).hasMatch();
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

// Fields before the first pair by the place the OE layouts give them: the name in one field
// (44 fields before the controls), the name split (46) and the layout with more columns in
// front (60, its first field naming the layout).
struct OeLayout {
    int firstPair;
    int name, given, nonCompetitive, start, finish, time, status, clubNumber, classShort, classLong;
};

constexpr OeLayout Layouts[] = {
    {44, 3, -1, 6, 7, 8, 9, 10, 11, 16, 17},
    {46, 3, 4, 8, 9, 10, 11, 12, 13, 18, 19},
    {60, 5, 6, 10, 11, 12, 13, 14, 18, 25, 26},
};

// The layout whose fields, moved by a column or two (a layout name in front, or one left out),
// put the first pair at firstPair; the shift is set.
std::optional<OeLayout> layoutAt(int firstPair, int* shift)
{
    for (int s : {0, 1, -1, 2, -2})
        for (const OeLayout& layout : Layouts)
            if (layout.firstPair + s == firstPair) {
                *shift = s;
                return layout;
            }
    return std::nullopt;
}

void placeByLayout(ResultHeader& h, int firstPair)
{
    int s = 0;
    const std::optional<OeLayout> layout = layoutAt(firstPair, &s);
    if (!layout) return;
    auto set = [&](C column, int position) {
        if (h[column] < 0 && position >= 0) h[column] = position + s;
    };
    set(C::Name, layout->name);
    set(C::GivenName, layout->given);
    set(C::NonCompetitive, layout->nonCompetitive);
    set(C::Start, layout->start);
    set(C::Finish, layout->finish);
    set(C::Time, layout->time);
    set(C::Status, layout->status);
    set(C::ClubNumber, layout->clubNumber);
    set(C::ClassShort, layout->classShort);
    set(C::ClassLong, layout->classLong);
}

// The course columns that every OE layout puts right before the punches: course, length in
// km, climb, control count, place, and in some layouts the start and finish punch. A header
// that names them is read by its words, each the one nearest the punches (an export may have a
// ranking column "Rank" far in front of its place); one that does not is read by the layout.
void placeCourseColumns(ResultHeader& h, const QStringList& words, int firstPair)
{
    bool named = false;
    for (C column : {C::Course, C::Length, C::Climb, C::Controls, C::Place}) {
        for (int i = std::min(firstPair, static_cast<int>(words.size())) - 1;
             i >= std::max(0, firstPair - 10); --i)
            if (is(words[i], column)) {
                h[column] = i;
                named = true;
                break;
            }
    }
    if (named) return;
    int shift = 0;
    if (!layoutAt(firstPair, &shift)) return;
    const std::pair<C, int> course[] = {{C::Course, 7},     {C::Length, 6}, {C::Climb, 5},
                                        {C::Controls, 4},   {C::Place, 3},  {C::StartPunch, 2},
                                        {C::FinishPunch, 1}};
    for (const auto& [column, offset] : course) h[column] = firstPair - offset;
}

}  // namespace

QString HeaderWord(const QString& field)
{
    QString word = field.trimmed();
    if (word.size() >= 2 && word.startsWith(QLatin1Char('"')) && word.endsWith(QLatin1Char('"')))
        word = word.mid(1, word.size() - 2).trimmed();
    return word.toLower().simplified();
}

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

bool IsResultHeaderWithoutPunches(const QStringList& header)
{
    QStringList words;
    for (const QString& field : header) {
        words << HeaderWord(field);
        if (isLegHeading(words.last())) return false;
    }
    auto names = [&](std::initializer_list<C> columns) {
        for (const QString& word : words)
            for (C column : columns)
                if (is(word, column)) return true;
        return false;
    };
    return names({C::Name, C::GivenName}) && names({C::Time, C::Finish}) &&
           names({C::ClassName, C::ClassShort, C::ClassLong, C::Course}) &&
           names({C::StartNumber, C::Chip, C::Status, C::Place});
}

ResultHeader MapResultHeader(const QStringList& header, const PunchGroups& groups)
{
    ResultHeader h;
    const int firstPair = groups.first;
    h.firstPair = firstPair;
    h.groups = groups;
    QStringList words;
    for (const QString& field : header) words << HeaderWord(field);
    const int end = firstPair >= 0 ? std::min(firstPair, static_cast<int>(words.size()))
                                   : static_cast<int>(words.size());
    placeCourseColumns(h, words, firstPair);
    // Each column at the first field that names it; the given name, start, finish, time and
    // status of a runner follow the name, after the team's own in a relay export.
    auto first = [&](C column, int from) {
        for (int i = from; i < end; ++i)
            if (is(words[i], column)) return i;
        return -1;
    };
    auto set = [&](C column, int position) {
        if (h[column] < 0) h[column] = position;
    };
    set(C::Name, first(C::Name, 0));
    const int afterName = std::max(h[C::Name], 0);
    set(C::GivenName, first(C::GivenName, afterName));
    if (h[C::GivenName] < 0) set(C::GivenName, first(C::GivenName, 0));
    // A relay export names the member's own times by the leg: "Leg start", "Leg time".
    auto legWord = [&](C column) {
        for (int i = 0; i < end; ++i)
            for (const char* prefix : {"leg ", "strecke ", "sträcka ", "osuus ", "relais "}) {
                const QString p = QString::fromUtf8(prefix);
                if (words[i].startsWith(p) && is(words[i].mid(p.size()), column)) return i;
            }
        return -1;
    };
    for (C column : {C::Start, C::Finish, C::Time, C::Status, C::NonCompetitive}) {
        int at = legWord(column);
        if (at < 0) at = first(column, afterName);
        set(column, at >= 0 ? at : first(column, 0));
    }
    for (C column : {C::Club, C::City, C::ClassName, C::ClassShort, C::ClassLong, C::Course,
                     C::Place, C::Length, C::Climb, C::Controls, C::StartNumber, C::Chip, C::Leg,
                     C::Team, C::OverallTime, C::StartPunch, C::FinishPunch})
        set(column, first(column, 0));
    for (int i = 0; i < end && h[C::ClubNumber] < 0; ++i)
        if (isClubNumber(words[i])) h[C::ClubNumber] = i;
    // The name column found only by the layout: nothing else of the header is known either.
    if (h[C::Name] < 0 && firstPair >= 0) placeByLayout(h, firstPair);
    return h;
}

}  // namespace basConvert
