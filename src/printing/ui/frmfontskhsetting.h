#pragma once
// "オプション - 速報向け": the font of the class-name band of the split sheets and the band's width
// (FontSkhClass, WidthSkhClassLabel). The width is never below that of one full-width letter.
#include <QDialog>
#include <QString>

class IniFile;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

class frmFontSkhSetting : public QDialog {
    Q_OBJECT
public:
    explicit frmFontSkhSetting(IniFile& settings, QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1;
    QComboBox* Combo1;
    QLineEdit* Text1;
    QLabel* Label2;
    QScrollBar* VScroll1;
    QCheckBox* Check2;  // Bold
    QCheckBox* Check1;  // Italic
    QLabel* Label3;
    QLineEdit* Text2;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    // Width of "Ｗ" in the chosen font, one decimal at most: raises Text2 to it and shows it in
    // Label5. Does nothing while the dialog fills itself.
    void CheckBandWidth();
    // A band width typed below that of one letter is raised to it, with a message saying so;
    // run at OK. False when the width was in order.
    bool ClampBandWidth();

private:
    void Form_Load();
    void cmdOK_Click();

    IniFile& settings_;
    bool loading_ = false;
    QString minimumWidth_;  // as Label5 shows it, once measured
};
