#include "editing/classrules.h"

#include "race/racetime.h"
#include "race/textutil.h"

namespace basClassEdit {

int WholeNumber(const QString& text)
{
    return CbasGeneral::RoundHalfEven(CbasGeneral::Val(text));
}

int MaxControls(bool lastGoalExist)
{
    return lastGoalExist ? MaxLegs - 1 : MaxLegs;
}

ControlCountAnswer CheckNewClassControls(const QString& answer)
{
    ControlCountAnswer result;
    const double value = CbasGeneral::Val(answer);
    if (value < 1) return result;
    const int count = CbasGeneral::RoundHalfEven(value);
    if (count > MaxControls(true)) {
        result.check = ControlCountCheck::TooManyLegs;
        return result;
    }
    result.check = ControlCountCheck::Accepted;
    result.count = count;
    return result;
}

QString TooManyControlsMessage(bool lastGoalExist)
{
    return QStringLiteral(
               "コントロール数は%1までです（フィニッシュまでのレッグを含めて%"
               "2レッグまで記録できます）")
        .arg(MaxControls(lastGoalExist))
        .arg(MaxLegs);
}

QDate DateOfText(const QString& text)
{
    const std::optional<QDate> date = CbasGeneral::ParseDate(text);
    return date ? *date : QDate();
}

}  // namespace basClassEdit
