#pragma once
// The class editor: the race header, the classes with their course data, the start-list import,
// and the way to the lap editor of a class. Every change goes straight into the race.
#include "editing/raceedits.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class CountSpinner;
class clsClassData;

class frmClassEdit : public QDialog {
    Q_OBJECT
public:
    // Builds the window and fills it from the race.
    explicit frmClassEdit(RaceDocument& document, QWidget* parent = nullptr);

    // Fills every control afresh from the race.
    void Form_Load();

    void lstClass_Click();
    void cmdAddClass_Click();
    void cmdChangeName_Click();
    void cmdDelClass_Click();
    // Opens the lap editor of the chosen class; false when no class is chosen or its number of
    // controls is not 1 … MaxLegs.
    bool cmdLapEdit_Click();
    void cmdStartList_Click();
    void cmdClose_Click();

    QLineEdit* txtName;
    QLineEdit* txtDate;
    QLineEdit* txtTerrain;
    QLineEdit* txtData;
    QListWidget* lstClass;
    QPushButton* cmdAddClass;
    QPushButton* cmdDelClass;
    QGroupBox* fraClass;
    QLineEdit* txtLength;
    QLineEdit* txtUpHeight;
    QLineEdit* txtControlCount;
    CountSpinner* vscControl;  // its up arrow raises the count
    QPushButton* cmdLapEdit;
    QPushButton* cmdChangeName;
    QPushButton* cmdStartList;
    QPushButton* cmdClose;

    // Refuses a date text that is no date: the message, and the race's date back in the box.
    // False when refused.
    bool CheckDate();
    // Refuses a length or climb that is not a whole number of metres: the message, and the
    // class's value back in the box. False when refused.
    bool CheckMetres(basRaceEdit::ClassField field);

    // Closing in any way (OK, the close box, Escape) copies the race fields into the race.
    void done(int result) override;

private:
    RaceDocument& document_;
    void BuildControls();
    // The chosen class (the listed text mapped back to its name), or null.
    const clsClassData* SelectedClass() const;
    QString SelectedName() const;
    void SetClassControlsEnabled(bool enabled);
    void StoreClassField(basRaceEdit::ClassField field, const QString& text);
    void vscControl_Change(int value);
    QLineEdit* MetresBox(basRaceEdit::ClassField field) const;

    bool fillGuard_ = false;
};
