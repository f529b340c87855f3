#pragma once
// "タイマー印刷 - 詳細": the timer print's own print type, data type and classes, kept in the
// print tab's Timer... members.
#include <QDialog>

class PrintTab;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

class frmTimerPrint : public QDialog {
    Q_OBJECT
public:
    frmTimerPrint(PrintTab& tab, QWidget* parent = nullptr);

    QCheckBox* chkSpecial;
    QLabel* Label1;
    QComboBox* cbopPrintType;
    QLabel* Label12;
    QComboBox* cbopDataType;
    QLabel* Label7;
    QRadioButton* optAll;
    QRadioButton* optSel;
    QListWidget* lstClass;
    QPushButton* cmdCheck;
    QPushButton* cmdUncheck;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

private:
    void Form_Load();
    void chkSpecial_Click();
    void applyOptionRule();
    void cmdOK_Click();

    PrintTab& tab_;
};
