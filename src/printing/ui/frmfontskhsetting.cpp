#include "printing/ui/frmfontskhsetting.h"

#include "config/inifile.h"
#include "config/ui/scopedcursor.h"
#include "printing/pdfdevice.h"
#include "race/basicformat.h"
#include "race/prompts.h"
#include "race/textutil.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

namespace {

constexpr int kSmallestSize = 5;

// A sketch of a split sheet: the class band (1) at the left and its width (21) above it.
QPixmap sheetSketch()
{
    QPixmap pixmap(150, 110);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.fillRect(QRect(10, 20, 24, 84), QColor(221, 221, 221));
    p.drawRect(QRect(10, 20, 24, 84));
    p.drawText(QRect(10, 40, 24, 40), Qt::AlignCenter, QStringLiteral("A\nB"));
    for (int c = 0; c < 4; ++c) p.drawRect(QRect(40 + c * 27, 20, 24, 84));
    p.drawLine(10, 12, 34, 12);
    p.drawText(QRect(0, 0, 46, 12), Qt::AlignCenter, QStringLiteral("(21)"));
    p.drawText(QRect(8, 86, 30, 16), Qt::AlignCenter, QStringLiteral("(1)"));
    return pixmap;
}

QString flag(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

}  // namespace

frmFontSkhSetting::frmFontSkhSetting(IniFile& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setWindowTitle(QStringLiteral("オプション - 速報向け"));
    Image1 = new QLabel(this);
    Image1->setPixmap(sheetSketch());
    Label1 = new QLabel(QStringLiteral("(1)"), this);
    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Text1 = new QLineEdit(this);
    Text1->setReadOnly(true);
    Label2 = new QLabel(QStringLiteral("pt"), this);
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setRange(kSmallestSize, 999);
    VScroll1->setPageStep(5);
    VScroll1->setSingleStep(1);
    VScroll1->setFixedHeight(40);
    Check2 = new QCheckBox(QStringLiteral("Bold"), this);
    Check1 = new QCheckBox(QStringLiteral("Italic"), this);
    Label3 = new QLabel(QStringLiteral("(21)"), this);
    Text2 = new QLineEdit(this);
    Label4 = new QLabel(QStringLiteral("mm"), this);
    Label5 = new QLabel(this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Image1, 0, 0, 3, 1);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(Combo1, 0, 2, 1, 4);
    grid->addWidget(Text1, 1, 2);
    grid->addWidget(VScroll1, 1, 3);
    grid->addWidget(Label2, 1, 4);
    grid->addWidget(Check2, 1, 5);
    grid->addWidget(Check1, 1, 6);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(Text2, 2, 2);
    grid->addWidget(Label4, 2, 3);
    grid->addWidget(Label5, 2, 4, 1, 3);
    grid->addWidget(cmdOK, 3, 5);
    grid->addWidget(cmdCancel, 3, 6);

    // The spinner's value becomes the size text, while it is dragged too.
    connect(VScroll1, &QScrollBar::valueChanged, this,
            [this](int value) { Text1->setText(QString::number(value)); });
    connect(Combo1, &QComboBox::editTextChanged, this, [this] { CheckBandWidth(); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { CheckBandWidth(); });
    connect(Check1, &QCheckBox::toggled, this, [this] { CheckBandWidth(); });
    connect(Check2, &QCheckBox::toggled, this, [this] { CheckBandWidth(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void frmFontSkhSetting::Form_Load()
{
    {
        const ScopedCursor busy;
        loading_ = true;
        const QString stored = settings_.Item(QStringLiteral("FontSkhClass"));
        const QStringList fields = stored.split(QLatin1Char(','));
        Combo1->addItems(QFontDatabase::families());
        Combo1->setEditText(fields.value(0));
        // A size the spinner cannot show (below 5 or no number) opens at the smallest size.
        const double size = CbasGeneral::Val(fields.value(1));
        VScroll1->setValue(std::max(kSmallestSize, CbasGeneral::RoundHalfEven(size)));
        Text1->setText(QString::number(VScroll1->value()));
        Check2->setChecked(fields.value(2) == QLatin1String("True"));
        Check1->setChecked(fields.value(3) == QLatin1String("True"));
        Text2->setText(settings_.Item(QStringLiteral("WidthSkhClassLabel")));
    }
    loading_ = false;
    CheckBandWidth();
}

void frmFontSkhSetting::CheckBandWidth()
{
    if (loading_) return;
    Label5->clear();
    PrintFont font;
    font.name = Combo1->currentText();
    font.size = CbasGeneral::Val(Text1->text());
    font.bold = Check2->isChecked();
    font.italic = Check1->isChecked();
    // Measured as the PDF printer measures it; a font that cannot be used measures as the
    // fallback font would.
    PdfPrintDevice measure{QString()};
    const double width = measure.Canvas().TextWidth(QStringLiteral("Ｗ"), font);
    const QString shown = CbasGeneral::FormatNumber(width, QStringLiteral("#0.#"));
    minimumWidth_ = shown;
    if (CbasGeneral::Val(shown) > CbasGeneral::Val(Text2->text())) Text2->setText(shown);
    Label5->setText(QStringLiteral("(") + shown + QStringLiteral("mm～)"));
}

bool frmFontSkhSetting::ClampBandWidth()
{
    if (minimumWidth_.isEmpty() ||
        CbasGeneral::Val(Text2->text()) >= CbasGeneral::Val(minimumWidth_))
        return false;
    const QString typed = Text2->text();
    Text2->setText(minimumWidth_);
    Prompts::message(QStringLiteral("帯の幅 ") + typed +
                         QStringLiteral("mm はこのフォントの最小幅より狭いため、") + minimumWidth_ +
                         QStringLiteral("mm にしました"),
                     Prompts::Icon::Exclamation);
    return true;
}

void frmFontSkhSetting::cmdOK_Click()
{
    ClampBandWidth();
    const QString size = QString::number(CbasGeneral::Val(Text1->text()));
    settings_.setItem(QStringLiteral("FontSkhClass"),
                      CbasGeneral::Trim(Combo1->currentText()) + QLatin1Char(',') + size +
                          QLatin1Char(',') + flag(Check2->isChecked()) + QLatin1Char(',') +
                          flag(Check1->isChecked()));
    settings_.setItem(QStringLiteral("WidthSkhClassLabel"),
                      QString::number(CbasGeneral::Val(Text2->text())));
    settings_.Save();
    accept();
}
