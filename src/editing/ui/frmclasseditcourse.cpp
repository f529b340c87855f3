// The course fields of the class editor: length and climb stored while they hold whole metres
// and refused when left otherwise, and the control count with its spinner.
#include "editing/ui/frmclassedit.h"

#include "editing/classrules.h"
#include "race/prompts.h"

#include <QLineEdit>

// A length or climb is stored only while the box holds a whole number of metres; anything
// else keeps the class's value and is refused when the box is left.
void frmClassEdit::StoreClassField(basRaceEdit::ClassField field, const QString& text)
{
    if (fillGuard_ || !SelectedClass()) return;
    if (field == basRaceEdit::ClassField::ControlCount) {
        basRaceEdit::SetClassData(document_, SelectedName(), field,
                                  basClassEdit::WholeNumber(text));
        return;
    }
    if (const std::optional<int> metres = basClassEdit::MetresOfText(text))
        basRaceEdit::SetClassData(document_, SelectedName(), field, *metres);
}

QLineEdit* frmClassEdit::MetresBox(basRaceEdit::ClassField field) const
{
    return field == basRaceEdit::ClassField::Length ? txtLength : txtUpHeight;
}

bool frmClassEdit::CheckMetres(basRaceEdit::ClassField field)
{
    const clsClassData* cls = SelectedClass();
    QLineEdit* box = MetresBox(field);
    const QString typed = box->text();
    if (!cls || basClassEdit::MetresOfText(typed)) return true;
    const int stored =
        field == basRaceEdit::ClassField::Length ? cls->ClassLength : cls->ClassUpHeight;
    fillGuard_ = true;
    box->setText(stored == 0 ? QString() : QString::number(stored));
    fillGuard_ = false;
    Prompts::message(basClassEdit::MetresMessage(field == basRaceEdit::ClassField::Length
                                                     ? QStringLiteral("距離")
                                                     : QStringLiteral("登距離"),
                                                 typed.trimmed()),
                     Prompts::Icon::Exclamation);
    return false;
}

void frmClassEdit::vscControl_Change(int value)
{
    if (fillGuard_) return;
    if (basClassEdit::WholeNumber(txtControlCount->text()) == 0) return;
    txtControlCount->setText(QString::number(value));
}
