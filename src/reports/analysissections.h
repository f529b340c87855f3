#pragma once
// The sections of a class's analysis as the results pages and the CSV tables with runners as
// columns show them: each has a row for every leg, a row of totals, or both.
namespace basExport {

enum class Section {
    Laps = 1,        // leg times
    Sums = 2,        // cumulative times
    Ratios = 3,      // leg times relative to the top three
    MissTimes = 4,   // the time lost on each leg
    Cruise = 5,      // cruise speed: totals only
    MissRate = 6,    // miss rate: totals only
    NoMissTime = 7,  // the total time without misses: totals only
};

// Whether the section has a row for every leg.
constexpr bool HasLegRows(Section section)
{
    switch (section) {
        case Section::Laps:
        case Section::Sums:
        case Section::Ratios:
        case Section::MissTimes:
            return true;
        case Section::Cruise:
        case Section::MissRate:
        case Section::NoMissTime:
            return false;
    }
    return false;
}

// Whether the section ends with a row of totals: all but the leg and cumulative times.
constexpr bool HasTotalRow(Section section)
{
    return section != Section::Laps && section != Section::Sums;
}

// Whether its leg rows are labelled by the leg ("△→１") rather than by the control reached
// ("→１"): all but the cumulative times.
constexpr bool LabelsLegs(Section section)
{
    return section != Section::Sums;
}

}  // namespace basExport
