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

// Shows the owner when it is not shown yet and centres the dialog over it.
void PlaceOverOwner(QDialog& dialog, QWidget* owner);

// The start-up check: offers the association when AssociationNeedsAsking(); does nothing
// offscreen. The question stands centred on the owner; closed with Esc it counts as "いいえ" for
// this run only, so the next start asks again.
void CheckFileAssociation(QWidget* owner);
