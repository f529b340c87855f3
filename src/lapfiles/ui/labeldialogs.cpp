#include "lapfiles/ui/labeldialogs.h"

#include "config/ui/scopedcursor.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <memory>

frmLapLabel::frmLapLabel(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("SplitDuel"));
    setModal(true);
    Label1 = new QLabel(basConvert::LapLabelQuestion, this);
    Label1->setWordWrap(true);
    List1 = new QListWidget(this);
    Command1 = new QPushButton(QStringLiteral("総タイム"), this);
    Command2 = new QPushButton(QStringLiteral("ラスポ→◎のラップ"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(List1);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, [this] {
        answer_ = basConvert::AnswerTotal;
        accept();
    });
    connect(Command2, &QPushButton::clicked, this, [this] {
        answer_ = basConvert::AnswerLastLeg;
        accept();
    });
}

void frmLapLabel::setLapLabelData(const QString& values)
{
    List1->clear();
    List1->addItems(values.split(QLatin1Char(',')));
    if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
}

frmNameLabel::frmNameLabel(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("SplitDuel"));
    setModal(true);
    Label1 = new QLabel(basConvert::NameLabelQuestion, this);
    Label4 = new QLabel(this);
    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->addItems({QStringLiteral("名前"), QStringLiteral("所属"), QStringLiteral("年齢")});
    Command1 = new QPushButton(QStringLiteral("決定"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label4);
    layout->addWidget(Combo1);
    layout->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, [this] {
        answer_ = Combo1->currentText().trimmed();
        accept();
    });
}

void frmNameLabel::setNameLabelData(const QString& sample)
{
    Label4->setText(sample);
}

namespace {

bool offscreen()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

// Shows the dialogs owned by the active window (the main window while it loads a file); with
// no display nobody can answer, so the questions go to the prompt service instead.
class DialogLabelQuestions : public basConvert::LabelQuestions {
public:
    QString askLapLabel(const QStringList& run) override
    {
        if (offscreen()) return fallback_.askLapLabel(run);
        const ScopedCursor pointer(Qt::ArrowCursor);  // the loading cursor again after it
        frmLapLabel dialog(QApplication::activeWindow());
        dialog.setLapLabelData(run.join(QLatin1Char(',')));
        dialog.exec();
        return dialog.answer();
    }
    QString askNameLabel(const QString& sample) override
    {
        if (offscreen()) return fallback_.askNameLabel(sample);
        const ScopedCursor pointer(Qt::ArrowCursor);  // the loading cursor again after it
        frmNameLabel dialog(QApplication::activeWindow());
        dialog.setNameLabelData(sample);
        dialog.exec();
        return dialog.answer();
    }

private:
    basConvert::PromptLabelQuestions fallback_;
};

}  // namespace

void InstallLabelDialogs()
{
    basConvert::InstallLabelQuestions(std::make_unique<DialogLabelQuestions>());
}
