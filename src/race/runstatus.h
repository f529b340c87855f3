#pragma once
// How a run ended, as result files say it. Only an OK run has a valid total and a total rank;
// the others keep whatever splits were punched.
#include <QString>

#include <optional>

enum class RunStatus {
    Ok,
    MissingPunch,
    DidNotFinish,
    Disqualified,
    DidNotStart,
    OverTime,
    NotCompeting,
};

// The short code of files and JSON: "OK", "MP", "DNF", "DSQ", "DNS", "OT", "NC".
QString RunStatusCode(RunStatus status);
// The code back to its status, ignoring letter case; nothing for any other text.
std::optional<RunStatus> RunStatusOfCode(const QString& code);
// The code or the Japanese word, blanks around it ignored; nothing for any other text and for
// the empty text.
std::optional<RunStatus> RunStatusOfText(const QString& text);
// The Japanese word shown where a total would be: "ミスパンチ", "途中棄権", "失格", "欠場",
// "時間超過", "参考"; empty for an OK run.
QString RunStatusText(RunStatus status);
