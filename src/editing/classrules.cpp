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

namespace {

// Full-width digits and letters as half-width ones, without blanks around.
QString Plain(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC).trimmed();
}

bool AllDigits(const QString& text)
{
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// The number of a text of digits alone; nothing for more digits than a count can hold.
std::optional<int> WholeDigits(const QString& plain)
{
    if (!AllDigits(plain) || plain.size() > 9) return std::nullopt;
    return plain.toInt();
}

}  // namespace

std::optional<int> MetresOfText(const QString& text)
{
    QString plain = Plain(text);
    if (plain.isEmpty()) return 0;
    if (plain.endsWith(QLatin1Char('m'), Qt::CaseInsensitive)) plain = plain.chopped(1).trimmed();
    return WholeDigits(plain);
}

QString MetresMessage(const QString& field, const QString& typed)
{
    return QStringLiteral("%1はメートル単位の整数で入力してください: %2\n%1は元のままです。")
        .arg(field, typed);
}

ControlCountAnswer CheckNewClassControls(const QString& answer)
{
    ControlCountAnswer result;
    const QString plain = Plain(answer);
    if (plain.isEmpty()) return result;
    const std::optional<int> count = WholeDigits(plain);
    if (!AllDigits(plain)) {
        result.check = ControlCountCheck::NotWhole;
    } else if (!count || *count > MaxControls(true)) {
        result.check = ControlCountCheck::TooManyLegs;
    } else if (*count < 1) {
        result.check = ControlCountCheck::OutOfRange;
    } else {
        result.check = ControlCountCheck::Accepted;
        result.count = *count;
    }
    return result;
}

QString ControlCountMessage(const ControlCountAnswer& answer, const QString& typed)
{
    switch (answer.check) {
        case ControlCountCheck::NotWhole:
        case ControlCountCheck::OutOfRange:
            return QStringLiteral("コントロール数は1から%1までの整数で入力してください: %2")
                .arg(MaxControls(true))
                .arg(typed.trimmed());
        case ControlCountCheck::TooManyLegs:
            return TooManyControlsMessage(true);
        default:
            return QString();
    }
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
