#pragma once
// Puts a cursor over the whole program for its lifetime and gives back the one before: the busy
// cursor while work runs, or the normal pointer while a question waits for the user in the
// middle of such work.
#include <QApplication>
#include <QCursor>

class ScopedCursor {
public:
    explicit ScopedCursor(Qt::CursorShape shape = Qt::WaitCursor)
    {
        QApplication::setOverrideCursor(shape);
    }
    ~ScopedCursor() { QApplication::restoreOverrideCursor(); }
    ScopedCursor(const ScopedCursor&) = delete;
    ScopedCursor& operator=(const ScopedCursor&) = delete;
};
