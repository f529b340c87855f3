#include "lapfiles/iofxmlclasses.h"

#include "lapfiles/coursevariants.h"

#include <cmath>
#include <map>
#include <optional>
#include <utility>

namespace basConvert::IofXml {
namespace {

// The codes of the class's most common split sequence; a runner with fewer splits (radio
// controls only, or splits left out) has its times put at the controls of the same codes, in
// order, and none at the others. A control code may repeat (butterfly courses).
std::vector<std::optional<double>> alignedElapsed(const std::vector<Split>& splits,
                                                  const std::vector<QString>& codes)
{
    std::vector<std::optional<double>> elapsed;
    if (splits.size() >= codes.size()) {
        for (const Split& s : splits) elapsed.push_back(s.time);
        return elapsed;
    }
    size_t next = 0;
    for (const QString& code : codes) {
        if (next < splits.size() && splits[next].code == code) {
            elapsed.push_back(splits[next].time);
            ++next;
        } else {
            elapsed.push_back(std::nullopt);
        }
    }
    // The codes did not match: keep the splits in their own order.
    if (next < splits.size()) {
        elapsed.clear();
        for (const Split& s : splits) elapsed.push_back(s.time);
    }
    return elapsed;
}

bool isFinishCode(const QString& code)
{
    return code.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0 ||
           code.compare(QLatin1String("Finish"), Qt::CaseInsensitive) == 0 ||
           code.compare(QLatin1String("Z"), Qt::CaseInsensitive) == 0;
}

// Some writers export the finish as a last split: code "F", or 100 with the run's own time.
void dropFinishSplit(XmlRunner& r)
{
    if (r.splits.empty()) return;
    const Split& last = r.splits.back();
    const bool atTotal = last.time && r.runner.totalSeconds &&
                         std::llround(*last.time) == std::llround(*r.runner.totalSeconds);
    if (isFinishCode(last.code) || (last.code == QLatin1String("100") && atTotal))
        r.splits.pop_back();
}

// The split codes most runners of the class have, as the first runner with that many
// splits has them (the larger count on a tie).
std::vector<QString> commonCodes(const std::vector<XmlRunner>& runners)
{
    std::map<int, int> frequency;
    for (const XmlRunner& r : runners)
        if (r.hasSplits) ++frequency[static_cast<int>(r.splits.size())];
    const int best = MostCommonControlCount(frequency);
    std::vector<QString> codes;
    for (const XmlRunner& r : runners)
        if (r.hasSplits && static_cast<int>(r.splits.size()) == best) {
            for (const Split& s : r.splits) codes.push_back(s.code);
            break;
        }
    return codes;
}

// The number of controls most runners of the class have (the larger on a tie); the
// course's own count when no runner has split times.
int controlCountOf(const std::vector<XmlRunner>& runners, const CourseInfo& course)
{
    std::map<int, int> frequency;
    for (const XmlRunner& r : runners)
        if (r.hasSplits) ++frequency[static_cast<int>(r.splits.size())];
    const int best = MostCommonControlCount(frequency);
    if (best >= 0) return best;
    return course.controls.value_or(0);
}

// The runners of one class. Their times are placed at the controls of the variant when it
// has codes, else at those of the class's most common split sequence.
void addRunners(ImportedRace& race, const QString& name, CourseInfo course,
                std::vector<XmlRunner>& runners,
                const std::optional<std::vector<QString>>& variantCodes)
{
    // Course data given per runner (2.0.3) stands in for that of the class.
    for (const XmlRunner& r : runners) {
        if (!course.length) course.length = r.course.length;
        if (!course.climb) course.climb = r.course.climb;
    }
    ImportedClass& target = race.classNamed(name);
    const bool variantCoded = variantCodes && !variantCodes->empty();
    const std::vector<QString> codes = variantCoded ? *variantCodes : commonCodes(runners);
    if (target.runners.empty()) {
        target.length = course.length.value_or(0);
        target.climb = course.climb.value_or(0);
        target.controlCount = runners.empty() || codes.empty() ? controlCountOf(runners, course)
                                                               : static_cast<int>(codes.size());
    }
    for (XmlRunner& r : runners) {
        if (variantCoded) {
            std::vector<QString> own;
            std::vector<std::optional<double>> times;
            for (const Split& s : r.splits) {
                own.push_back(s.code);
                times.push_back(s.time);
            }
            r.runner.elapsed = TimesAtControls(own, times, codes);
        } else {
            r.runner.elapsed = alignedElapsed(r.splits, codes);
        }
        target.runners.push_back(std::move(r.runner));
    }
}

}  // namespace

void AddClass(ImportedRace& race, const QString& name, const CourseInfo& course,
              std::vector<XmlRunner>& runners, bool namedCourses)
{
    for (XmlRunner& r : runners) dropFinishSplit(r);
    std::vector<VisitedControls> visited;
    for (const XmlRunner& r : runners) {
        VisitedControls v;
        for (const Split& split : r.splits) v.codes.push_back(split.code);
        v.course = r.course.name;
        visited.push_back(std::move(v));
    }
    const std::vector<CourseVariant> variants = CourseVariants(visited, namedCourses);
    if (variants.size() == 1) {
        addRunners(race, name, course, runners, std::nullopt);
        return;
    }
    race.splitClasses.push_back(name);
    for (const CourseVariant& variant : variants) {
        std::vector<XmlRunner> members;
        for (size_t i : variant.members) members.push_back(std::move(runners[i]));
        // The length of the course its runners ran, else that given for the class.
        CourseInfo own;
        for (const XmlRunner& r : members)
            if (!own.length && r.course.length) own = r.course;
        addRunners(race, name + variant.suffix, own.length ? own : course, members, variant.codes);
    }
}

}  // namespace basConvert::IofXml
