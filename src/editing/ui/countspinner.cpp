#include "editing/ui/countspinner.h"

#include <algorithm>

CountSpinner::CountSpinner(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setPageStep(1);
    connect(this, &QScrollBar::valueChanged, this, [this] { emit countChanged(count()); });
}

void CountSpinner::setCountRange(int lowest, int highest)
{
    const int kept = count();
    const QSignalBlocker blocker(this);
    setRange(lowest, highest);
    setCount(kept);
}

int CountSpinner::count() const
{
    return minimum() + maximum() - value();
}

void CountSpinner::setCount(int count)
{
    setValue(minimum() + maximum() - std::clamp(count, minimum(), maximum()));
}
