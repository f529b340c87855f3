#pragma once
// The program's version, shown in the main window's caption, recorded in the settings and the
// registry, and written into every published page.
namespace basDefinition {

constexpr int MajorVersion = 1;
constexpr int MinorVersion = 0;

}  // namespace basDefinition
