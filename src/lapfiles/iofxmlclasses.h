#pragma once
// The runners of a class of a result list placed into the race: one class, or one per course
// when its runners visited different controls, each runner's times at the controls of its
// class.
#include "lapfiles/importedrace.h"
#include "lapfiles/iofxmlelements.h"

#include <QString>

#include <vector>

namespace basConvert::IofXml {

// A class, or one class per course when its runners visited different controls. The course
// a runner's result names parts the runners of a class only when they give no codes, and
// never on a relay leg, where each team's course has a name of its own.
void AddClass(ImportedRace& race, const QString& name, const CourseInfo& course,
              std::vector<XmlRunner>& runners, bool namedCourses);

}  // namespace basConvert::IofXml
