#pragma once
// Records the program's version and folder under "SOFTWARE\Brackwater\SplitDuel" at every start.
// Nothing in the program reads them back; a store that cannot be written is skipped.
#include <QString>

namespace basRegistration {

// "1.00": the major version, ".", the minor version as two digits.
QString VersionText();

void RegisterApplication();

}  // namespace basRegistration
