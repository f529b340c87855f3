#include "shell/history.h"

#include "config/settings.h"
#include "race/race.h"
#include "race/racedocument.h"

#include <vector>

namespace basHistory {

namespace {
QString KeyOf(int slot)
{
    return QStringLiteral("History") + QString::number(slot);
}

// The display name is followed by "," and the path, so a "," inside the name would be read back
// as the start of the path. It is stored as a full-width comma instead.
QString StoredName(const QString& name)
{
    QString stored = name;
    return stored.replace(QLatin1Char(','), QChar(0xFF0C));
}
}  // namespace

HistorySlot ReadHistorySlot(int slot)
{
    const QString value = basSettings::SettingsFile().Item(KeyOf(slot));
    const int comma = value.indexOf(QLatin1Char(','));
    if (comma < 0) return HistorySlot{value, QString()};
    return HistorySlot{value.left(comma), value.mid(comma + 1)};
}

void UpdateHistory(const RaceDocument& document)
{
    std::vector<HistorySlot> entries{{document.RaceInfo().RaceName, document.CurrentFilePath()}};
    for (int slot = 1; slot <= HistorySlots; ++slot) {
        HistorySlot entry = ReadHistorySlot(slot);
        if (entry.path == document.CurrentFilePath()) entry.path.clear();
        entries.push_back(entry);
    }

    IniFile& settings = basSettings::SettingsFile();
    int written = 0;
    for (const HistorySlot& entry : entries) {
        if (entry.path.isEmpty() || written == HistorySlots) continue;
        ++written;
        settings.setItem(KeyOf(written), StoredName(entry.name) + QLatin1Char(',') + entry.path);
    }
    for (int slot = written + 1; slot <= HistorySlots; ++slot) {
        settings.setItem(KeyOf(slot), QString());
    }
}

}  // namespace basHistory
