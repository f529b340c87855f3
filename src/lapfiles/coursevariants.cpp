#include "lapfiles/coursevariants.h"

#include <QStringList>

#include <algorithm>

namespace basConvert {
namespace {

using Codes = std::vector<QString>;

// Codes read from the sequence beyond the point where the sequences part before they must tell
// the variants apart.
constexpr size_t ShortFormCodes = 3;

bool hasCodes(const Codes& codes)
{
    return std::any_of(codes.begin(), codes.end(), [](const QString& c) { return !c.isEmpty(); });
}

// Whether every code of part is found in whole, in the same order.
bool isPartOf(const Codes& part, const Codes& whole)
{
    size_t next = 0;
    for (const QString& code : whole)
        if (next < part.size() && part[next] == code) ++next;
    return next == part.size();
}

// The variant most runners share (the first on a tie).
size_t largest(const std::vector<CourseVariant>& variants)
{
    size_t best = 0;
    for (size_t v = 1; v < variants.size(); ++v)
        if (variants[v].members.size() > variants[best].members.size()) best = v;
    return best;
}

// The runners left out so far (no codes, no course) join the largest variant; then the variants
// are put in the order of their first runner, each listing its runners in order.
void completeVariants(std::vector<CourseVariant>& variants, const std::vector<bool>& placed)
{
    if (variants.empty()) variants.emplace_back();
    CourseVariant& rest = variants[largest(variants)];
    for (size_t i = 0; i < placed.size(); ++i)
        if (!placed[i]) rest.members.push_back(i);
    for (CourseVariant& v : variants) std::sort(v.members.begin(), v.members.end());
    std::stable_sort(variants.begin(), variants.end(),
                     [](const CourseVariant& a, const CourseVariant& b) {
                         return !a.members.empty() &&
                                (b.members.empty() || a.members.front() < b.members.front());
                     });
}

std::vector<CourseVariant> byCodes(const std::vector<VisitedControls>& runners)
{
    struct Sequence {
        Codes codes;
        size_t count = 0;
        int variant = -1;
    };
    std::vector<Sequence> sequences;  // distinct, in order of their first runner
    std::vector<int> sequenceOf(runners.size(), -1);
    for (size_t i = 0; i < runners.size(); ++i) {
        const Codes& codes = runners[i].codes;
        if (!hasCodes(codes)) continue;
        auto it = std::find_if(sequences.begin(), sequences.end(),
                               [&](const Sequence& s) { return s.codes == codes; });
        if (it == sequences.end()) it = sequences.insert(sequences.end(), Sequence{codes, 0, -1});
        ++it->count;
        sequenceOf[i] = static_cast<int>(it - sequences.begin());
    }
    // The longest sequences lead, then the most common: a runner with fewer punches joins the
    // course its punches are part of, and no runner's punch is ever dropped.
    std::vector<size_t> order(sequences.size());
    for (size_t s = 0; s < order.size(); ++s) order[s] = s;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (sequences[a].codes.size() != sequences[b].codes.size())
            return sequences[a].codes.size() > sequences[b].codes.size();
        return sequences[a].count > sequences[b].count;
    });
    std::vector<CourseVariant> variants;
    for (size_t s : order) {
        for (size_t v = 0; v < variants.size() && sequences[s].variant < 0; ++v)
            if (isPartOf(sequences[s].codes, variants[v].codes))
                sequences[s].variant = static_cast<int>(v);
        if (sequences[s].variant >= 0) continue;
        sequences[s].variant = static_cast<int>(variants.size());
        variants.push_back(CourseVariant{QString(), sequences[s].codes, {}});
    }
    std::vector<bool> placed(runners.size(), false);
    for (size_t i = 0; i < runners.size(); ++i) {
        if (sequenceOf[i] < 0) continue;
        variants[static_cast<size_t>(sequences[static_cast<size_t>(sequenceOf[i])].variant)]
            .members.push_back(i);
        placed[i] = true;
    }
    completeVariants(variants, placed);
    return variants;
}

std::vector<CourseVariant> byCourse(const std::vector<VisitedControls>& runners)
{
    std::vector<CourseVariant> variants;
    std::vector<QString> courses;
    std::vector<bool> placed(runners.size(), false);
    for (size_t i = 0; i < runners.size(); ++i) {
        const QString& course = runners[i].course;
        if (course.isEmpty()) continue;
        auto it = std::find(courses.begin(), courses.end(), course);
        if (it == courses.end()) {
            courses.push_back(course);
            variants.emplace_back();
            it = courses.end() - 1;
        }
        variants[static_cast<size_t>(it - courses.begin())].members.push_back(i);
        placed[i] = true;
    }
    completeVariants(variants, placed);
    return variants;
}

QString letter(size_t k)
{
    return k < 26 ? QString(QChar(static_cast<char16_t>(u'A' + k))) : QString::number(k + 1);
}

QString joined(const Codes& codes, size_t from, size_t to)
{
    QStringList parts;
    for (size_t i = from; i < std::min(to, codes.size()); ++i) parts << codes[i];
    return parts.join(QLatin1Char('-'));
}

// The first position at which the sequences of the variants are not all the same.
size_t firstParting(const std::vector<CourseVariant>& variants)
{
    for (size_t i = 0;; ++i)
        for (const CourseVariant& v : variants)
            if (i >= v.codes.size() || v.codes[i] != variants.front().codes[i]) return i;
}

// The short form of each variant's sequence: ShortFormCodes codes from where the sequences part,
// then, for variants those share, the code at which each parts from the others.
QStringList shortForms(const std::vector<CourseVariant>& variants)
{
    const size_t from = firstParting(variants);
    QStringList bases;
    for (const CourseVariant& v : variants) bases << joined(v.codes, from, from + ShortFormCodes);
    QStringList forms;
    for (size_t v = 0; v < variants.size(); ++v) {
        const Codes& codes = variants[v].codes;
        std::vector<size_t> partings;
        for (size_t w = 0; w < variants.size(); ++w) {
            if (w == v || bases[static_cast<int>(w)] != bases[static_cast<int>(v)]) continue;
            const Codes& other = variants[w].codes;
            size_t i = from + ShortFormCodes;
            while (i < codes.size() && i < other.size() && codes[i] == other[i]) ++i;
            if (i < codes.size()) partings.push_back(i);
        }
        std::sort(partings.begin(), partings.end());
        partings.erase(std::unique(partings.begin(), partings.end()), partings.end());
        QStringList extra;
        for (size_t i : partings) extra << codes[i];
        forms << bases[static_cast<int>(v)] +
                     (extra.isEmpty() ? QString() : QStringLiteral("…") + extra.join('-'));
    }
    return forms;
}

void nameVariants(std::vector<CourseVariant>& variants)
{
    QStringList forms;
    bool coded = true;
    for (const CourseVariant& v : variants) coded = coded && hasCodes(v.codes);
    if (coded) forms = shortForms(variants);
    QStringList unique = forms;
    unique.removeDuplicates();
    const bool distinct =
        !forms.isEmpty() && !forms.contains(QString()) && unique.size() == forms.size();
    for (size_t v = 0; v < variants.size(); ++v)
        variants[v].suffix = QLatin1Char(' ') + (distinct ? forms[static_cast<int>(v)] : letter(v));
}

}  // namespace

std::vector<CourseVariant> CourseVariants(const std::vector<VisitedControls>& runners,
                                          bool namedCourses)
{
    bool anyCodes = false;
    for (const VisitedControls& r : runners) anyCodes = anyCodes || hasCodes(r.codes);
    std::vector<CourseVariant> variants = anyCodes       ? byCodes(runners)
                                          : namedCourses ? byCourse(runners)
                                                         : std::vector<CourseVariant>();
    if (variants.size() <= 1) {
        CourseVariant whole;
        if (!variants.empty()) whole.codes = variants.front().codes;
        for (size_t i = 0; i < runners.size(); ++i) whole.members.push_back(i);
        return {whole};
    }
    nameVariants(variants);
    return variants;
}

std::vector<std::optional<double>> TimesAtControls(const std::vector<QString>& codes,
                                                   const std::vector<std::optional<double>>& times,
                                                   const std::vector<QString>& controls)
{
    if (!isPartOf(codes, controls)) return times;
    std::vector<std::optional<double>> placed;
    size_t next = 0;
    for (const QString& control : controls) {
        if (next < codes.size() && codes[next] == control) {
            placed.push_back(next < times.size() ? times[next] : std::nullopt);
            ++next;
        } else {
            placed.push_back(std::nullopt);
        }
    }
    return placed;
}

QString SplitClassesNotice(const std::vector<QString>& classNames)
{
    if (classNames.empty()) return QString();
    QStringList names;
    for (const QString& name : classNames) names << name;
    return QStringLiteral(
               "走ったコントロールが走者によって異なる %1 クラスを、コースごとのクラスに"
               "分けました: %2")
        .arg(classNames.size())
        .arg(names.join(QStringLiteral(", ")));
}

}  // namespace basConvert
