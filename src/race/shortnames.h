#pragma once
// Short labels for the runners of one class where there is room for a few characters only (the
// names under the lap chart, the leaders of the leg view). Two runners of one family name must
// not look alike there, so a label grows into the given name as far as that takes.
#include <QStringList>

namespace CbasGeneral {

// One label per name, in the same order. A name is read as CompactName gives it ("中川 慎吾"
// as "中川慎吾"); its label is its first word (the family name), lengthened character by
// character until no other name of the list starts the same way, but never longer than maxChars
// characters nor wider than maxColumns columns (CP932 bytes). Names alike in all the room there
// is keep labels alike; a trailing blank is left out.
QStringList DistinctShortNames(const QStringList& names, int maxChars, int maxColumns);

}  // namespace CbasGeneral
