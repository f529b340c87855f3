#pragma once
// The two label questions as modal dialogs: frmLapLabel (which value ends a run of times) and
// frmNameLabel (what a column holds). InstallLabelDialogs makes them answer the questions of
// the import; the desktop program calls it at start-up when there is a display.
#include "lapfiles/labelquestions.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

class frmLapLabel : public QDialog {
public:
    explicit frmLapLabel(QWidget* owner = nullptr);
    // Fills List1 with the comma-separated values and selects the last one.
    void setLapLabelData(const QString& values);
    QString answer() const { return answer_; }  // "総", "ラ" or empty

    QLabel* Label1;
    QListWidget* List1;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    QString answer_;
};

class frmNameLabel : public QDialog {
public:
    explicit frmNameLabel(QWidget* owner = nullptr);
    // Shows the sample value in Label4.
    void setNameLabelData(const QString& sample);
    QString answer() const { return answer_; }  // the combo's text, or empty when closed

    QLabel* Label1;
    QLabel* Label4;
    QComboBox* Combo1;
    QPushButton* Command1;

private:
    QString answer_;
};

void InstallLabelDialogs();
