#include "lapfiles/labelquestions.h"

#include "race/prompts.h"

namespace basConvert {
namespace {

std::unique_ptr<LabelQuestions>& installed()
{
    static std::unique_ptr<LabelQuestions> service = std::make_unique<PromptLabelQuestions>();
    return service;
}

QString askInput(const QString& question, const QString& sample)
{
    std::optional<QString> answer = Prompts::current().input(
        question + QStringLiteral("\n") + sample, QStringLiteral("SplitDuel"), QString());
    return answer.value_or(QString()).trimmed();
}

}  // namespace

QString PromptLabelQuestions::askLapLabel(const QStringList& run)
{
    return SplitAnswer(askInput(LapLabelQuestion, run.join(QLatin1Char(','))));
}

QString PromptLabelQuestions::askNameLabel(const QString& sample)
{
    return askInput(NameLabelQuestion, sample);
}

LabelQuestions& CurrentLabelQuestions()
{
    return *installed();
}

std::unique_ptr<LabelQuestions> InstallLabelQuestions(std::unique_ptr<LabelQuestions> service)
{
    if (!service) service = std::make_unique<PromptLabelQuestions>();
    std::swap(service, installed());
    return service;
}

QString SplitAnswer(const QString& text)
{
    const QString answer = text.trimmed();
    if (answer.startsWith(AnswerTotal)) return AnswerTotal;
    if (answer.startsWith(AnswerLastLeg)) return AnswerLastLeg;
    return QString();
}

std::optional<QString> ListedLabelAnswers::nextAnswer()
{
    if (next_ >= answers_.size()) return std::nullopt;
    return answers_[next_++].trimmed();
}

QString ListedLabelAnswers::askLapLabel(const QStringList& run)
{
    if (const std::optional<QString> answer = nextAnswer()) return SplitAnswer(*answer);
    return then_ ? then_->askLapLabel(run) : QString();
}

QString ListedLabelAnswers::askNameLabel(const QString& sample)
{
    if (const std::optional<QString> answer = nextAnswer()) return *answer;
    return then_ ? then_->askNameLabel(sample) : QString();
}

}  // namespace basConvert
