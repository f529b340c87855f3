#pragma once
// The question whether the program's file types are to be associated with it.
#include <QDialog>

class QLabel;
class QPushButton;

class frmKanrenduke : public QDialog {
    Q_OBJECT
public:
    explicit frmKanrenduke(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1;
    QPushButton* cmbOK;
    QPushButton* cmbCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void cmbOK_Click();
    void cmbCancel_Click();
};

// The start-up check: offers the association when AssociationNeedsAsking(); does nothing
// offscreen.
void CheckFileAssociation(QWidget* owner);
