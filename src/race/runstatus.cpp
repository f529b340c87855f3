#include "race/runstatus.h"

#include <array>

namespace {

struct StatusNames {
    RunStatus status;
    const char* code;
    const char* text;  // UTF-8
};

constexpr std::array<StatusNames, 7> kNames{{
    {RunStatus::Ok, "OK", ""},
    {RunStatus::MissingPunch, "MP", "ミスパンチ"},
    {RunStatus::DidNotFinish, "DNF", "途中棄権"},
    {RunStatus::Disqualified, "DSQ", "失格"},
    {RunStatus::DidNotStart, "DNS", "欠場"},
    {RunStatus::OverTime, "OT", "時間超過"},
    {RunStatus::NotCompeting, "NC", "参考"},
}};

const StatusNames& namesOf(RunStatus status)
{
    for (const StatusNames& n : kNames)
        if (n.status == status) return n;
    return kNames[0];
}

}  // namespace

QString RunStatusCode(RunStatus status)
{
    return QString::fromLatin1(namesOf(status).code);
}

std::optional<RunStatus> RunStatusOfCode(const QString& code)
{
    for (const StatusNames& n : kNames)
        if (code.compare(QLatin1String(n.code), Qt::CaseInsensitive) == 0) return n.status;
    return std::nullopt;
}

std::optional<RunStatus> RunStatusOfText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    for (const StatusNames& n : kNames)
        if (trimmed == QString::fromUtf8(n.text)) return n.status;
    return RunStatusOfCode(trimmed);
}

QString RunStatusText(RunStatus status)
{
    return QString::fromUtf8(namesOf(status).text);
}
