#pragma once
// The list of recently used files: five slots in the settings keys "History1" … "History5",
// each holding a display name, ",", a path. Slot 1 is the newest.
#include "race/racedocument.h"

#include <QString>

namespace basHistory {

constexpr int HistorySlots = 5;

struct HistorySlot {
    QString name;  // the race name when the file was used; may be empty
    QString path;  // empty for an unused slot
};

// The slot (1 … 5) as stored, split at its first ",".
HistorySlot ReadHistorySlot(int slot);

// Puts the document's CurrentFilePath (with the race name) at the top of the list: an entry of the
// same path moves up instead of appearing twice, older entries move down and the sixth drops out.
// An empty CurrentFilePath leaves the list as it was.
void UpdateHistory(const RaceDocument& document);

}  // namespace basHistory
