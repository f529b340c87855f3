#pragma once
// The small window shown while a file is read: "ただいま読み込み中です" and the progress.
#include "lapfiles/racefile.h"

#include <QDialog>

#include <memory>

class QLabel;

class frmLoadInfomation : public QDialog {
    Q_OBJECT
public:
    explicit frmLoadInfomation(QWidget* owner = nullptr);

    // Shows the text in Label2 and repaints at once (the reader does not return to the event
    // loop while it works).
    void ShowInfomation(const QString& InfoMessage);

    QLabel* Label1;
    QLabel* Label2;
};

// Drives a loading window from the reader's progress: opened without blocking over the owner
// when reading begins, closed when it ends, after which the owner is shown (if it was hidden)
// and given the focus.
class LoadWindowProgress : public basConvert::LoadProgress {
public:
    explicit LoadWindowProgress(QWidget* owner) : owner_(owner) {}
    ~LoadWindowProgress() override;

    void begin() override;
    void progress(const QString& text) override;
    void end() override;

    // The open window, or null (tests).
    frmLoadInfomation* window() const { return window_.get(); }

private:
    QWidget* owner_;
    std::unique_ptr<frmLoadInfomation> window_;
};
