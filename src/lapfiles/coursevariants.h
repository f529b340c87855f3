#pragma once
// Runners of one class who visited different controls: the forked legs of a relay, butterfly
// loops run in another order, an individual class whose runners ran different courses. Each
// sequence of controls becomes a class of its own, so legs are only ever compared over the same
// controls and no runner's punches are fitted to another runner's course.
#include <QString>

#include <optional>
#include <vector>

namespace basConvert {

// What one runner of a class visited, as read: the control codes in the order punched (empty
// for a runner without splits) and the course the file names for the runner (empty when none).
struct VisitedControls {
    std::vector<QString> codes;
    QString course;
};

struct CourseVariant {
    QString suffix;               // added to the class name, " 83-81-90"; empty when not split
    std::vector<QString> codes;   // the controls of the variant in order; empty without codes
    std::vector<size_t> members;  // the variant's runners, as indices in the order given
};

// Groups the runners of a class by the controls they visited. Runners with the same codes
// share a variant, and so does a runner whose codes are part of a variant's in the same order
// (radio controls only, a missing punch left out), the longest and then the most common
// sequence leading; runners without codes join the variant most runners share. When no runner
// has a code, the courses named per runner part them, unless namedCourses is false (relay
// writers name each team's course of a leg). The variants come in the order of their first
// runner. The suffix is a blank and the codes from where the sequences part, as few as tell them
// apart ("83-81-90", "83-81-90…115" when more are needed), or "A", "B", … when no code tells
// them apart. One variant without suffix when nothing parts the runners.
std::vector<CourseVariant> CourseVariants(const std::vector<VisitedControls>& runners,
                                          bool namedCourses);

// A runner's times placed at the variant's controls: its codes matched in order against the
// controls, a control it has no code for left without time. The times in their own order when
// its codes are not part of the controls.
std::vector<std::optional<double>> TimesAtControls(const std::vector<QString>& codes,
                                                   const std::vector<std::optional<double>>& times,
                                                   const std::vector<QString>& controls);

// The message a load gives for the classes split by course; empty when none was.
QString SplitClassesNotice(const std::vector<QString>& classNames);

}  // namespace basConvert
