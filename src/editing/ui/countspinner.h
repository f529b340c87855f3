#pragma once
// A vertical spinner for a count whose up arrow raises it. A scroll bar's value grows towards
// its lower arrow, so the count is kept as the mirror image of the value: the up arrow, the Up
// key, the wheel turned up and a click above the handle all raise the count, and the handle
// stands higher the larger the count.
#include <QScrollBar>

class CountSpinner : public QScrollBar {
    Q_OBJECT
public:
    explicit CountSpinner(QWidget* parent = nullptr);

    // The counts the spinner reaches; the count is kept within them.
    void setCountRange(int lowest, int highest);
    int count() const;
    void setCount(int count);

signals:
    void countChanged(int count);
};
