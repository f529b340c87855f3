#pragma once
// The two questions asked while a header is built for a table that has none: which value ends
// a run of times (frmLapLabel) and what a column of text holds (frmNameLabel). They go through
// one installable service so that tests, scripts and the command line answer them without a
// window: a load asks the service its options name (raceload.h) once the answers they give
// are used up. The installed service, which windows and scripts load with, passes them to the
// prompt service as input boxes by default, so with no display they are cancelled; the desktop
// program installs the two dialogs (lapfiles/ui).
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace basConvert {

inline const QString LapLabelQuestion =
    QStringLiteral("ラップデータが検出されました。最後のデータは次のうちどちらですか？");
inline const QString NameLabelQuestion = QStringLiteral("このデータ項目の分類は何ですか？");

// Answers of the split question.
inline const QString AnswerTotal = QStringLiteral("総");    // the last value is the total
inline const QString AnswerLastLeg = QStringLiteral("ラ");  // the last value is the finish leg

class LabelQuestions {
public:
    virtual ~LabelQuestions() = default;
    // The split question for a run of times; "総", "ラ", or empty when closed without a choice.
    virtual QString askLapLabel(const QStringList& run) = 0;
    // The category of a column whose first value is sample ("名前", "所属", "年齢" or any typed
    // word); empty when closed without an answer.
    virtual QString askNameLabel(const QString& sample) = 0;
};

// The default: both questions as input boxes of the prompt service.
class PromptLabelQuestions : public LabelQuestions {
public:
    QString askLapLabel(const QStringList& run) override;
    QString askNameLabel(const QString& sample) override;
};

LabelQuestions& CurrentLabelQuestions();
// Installs a service (nullptr restores the default) and returns the previous one.
std::unique_ptr<LabelQuestions> InstallLabelQuestions(std::unique_ptr<LabelQuestions> service);

// Reads the split answer: "総" or "ラ" (the dialog's captions "総タイム" and "ラスポ→◎のラップ"
// are accepted too); empty for anything else.
QString SplitAnswer(const QString& text);

// Answers the questions from a list, in the order they are asked, and passes them on to then
// (when given) once the list is used up; with neither, a question goes unanswered.
class ListedLabelAnswers : public LabelQuestions {
public:
    ListedLabelAnswers(QStringList answers, LabelQuestions* then)
        : answers_(std::move(answers)), then_(then)
    {
    }
    QString askLapLabel(const QStringList& run) override;
    QString askNameLabel(const QString& sample) override;

private:
    std::optional<QString> nextAnswer();

    QStringList answers_;
    qsizetype next_ = 0;
    LabelQuestions* then_;
};

// Whether the comma-separated lines, which carry no labels, may be a split table to ask the
// questions about: at least half of the lines that hold anything hold a time as the split
// question takes one (a runner's times, or in a turned table a leg's). A web page or a system
// file is no such table.
bool MayBeSplitTable(const QStringList& lines);

// Builds a header line for the table in lines with the answers of questions and puts it first,
// turning the table first when its times run down the first column. False when a question
// was not answered (*unanswered then names it with its sample): the import is cancelled.
[[nodiscard]] bool AskColumnLabels(QStringList& lines, LabelQuestions& questions,
                                   QString* unanswered);

}  // namespace basConvert
