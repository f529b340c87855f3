// The class list of the print tab: which classes are checked, and the list refilled from the
// race with the checks kept.
#include "printing/ui/printtab.h"

#include "race/race.h"

#include <QListWidget>

QString PrintTab::ClassNameOf(const QListWidgetItem* item)
{
    const QVariant stored = item->data(Qt::UserRole);
    if (stored.isValid()) return stored.toString();
    return basDefinition::ClassNameOfEntry(item->text());
}

bool PrintTab::IsChecked(const QListWidgetItem* item)
{
    // Items are user-checkable by default; only those given a check state show a box.
    if (item->data(Qt::CheckStateRole).isValid()) return item->checkState() == Qt::Checked;
    return item->isSelected();
}

void PrintTab::SetChecked(QListWidgetItem* item, bool checked)
{
    if (item->data(Qt::CheckStateRole).isValid())
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    else
        item->setSelected(checked);
}

void PrintTab::CheckAll(QListWidget* list, bool checked)
{
    for (int i = 0; i < list->count(); ++i) SetChecked(list->item(i), checked);
}

QStringList PrintTab::checkedClassNames() const
{
    QStringList names;
    for (int i = 0; i < lstClass->count(); ++i)
        if (IsChecked(lstClass->item(i))) names << ClassNameOf(lstClass->item(i));
    return names;
}

// Checks, for every name, the first entry of exactly that class.
void PrintTab::checkNames(const QStringList& names)
{
    for (const QString& name : names)
        for (int i = 0; i < lstClass->count(); ++i)
            if (ClassNameOf(lstClass->item(i)) == name) {
                SetChecked(lstClass->item(i), true);
                break;
            }
}

void PrintTab::RefreshClassList()
{
    const QStringList checked = checkedClassNames();
    QStringList known;
    for (int i = 0; i < lstClass->count(); ++i) known << ClassNameOf(lstClass->item(i));
    lstClass->clear();
    for (const QString& name : document_.ClassList().names()) {
        auto* item = new QListWidgetItem(basDefinition::ClassListEntry(name), lstClass);
        item->setData(Qt::UserRole, name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        // New classes come checked; the others keep their check.
        item->setCheckState(!known.contains(name) || checked.contains(name) ? Qt::Checked
                                                                            : Qt::Unchecked);
    }
}
