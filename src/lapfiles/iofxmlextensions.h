#pragma once
// The program's own elements in the extensions of an IOF XML result, by which a race it saved
// reads back as it was: the legs of a runner in the lap file's texts ("00:01:40,n/a,→,"), and
// the runner's name where the family and given name alone do not give it back.
#include <QString>

namespace basConvert {

inline const QString ExtensionNamespace = QStringLiteral("urn:splitduel:results:1");
inline const QString ExtensionLegs = QStringLiteral("Legs");
inline const QString ExtensionName = QStringLiteral("Name");

}  // namespace basConvert
