#include "lapfiles/resultheaderwords.h"

#include <QSet>

#include <array>
#include <initializer_list>

namespace basConvert {
namespace {

using C = ResultColumn;

// The words of each column.
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

}  // namespace

bool IsColumnWord(const QString& word, ResultColumn column)
{
    return wordsOf(column).contains(word);
}

bool IsClubNumberWord(const QString& word)
{
    const bool club =
        word.contains(QLatin1String("club")) || word.contains(QLatin1String("klubb")) ||
        word.contains(QLatin1String("verein")) || word.contains(QLatin1String("seura"));
    const bool number = word.contains(QLatin1String("no")) || word.contains(QLatin1String("nr")) ||
                        word.contains(QStringLiteral("n°")) || word.contains(QLatin1Char('#'));
    return club && number && word != QLatin1String("club name");
}

}  // namespace basConvert
