#pragma once
// A ratio shown as a whole percentage: the text of FormatNumber(Percent(ratio), "###"),
// i.e. the ratio x 100 in single precision, rounded half up, empty below 0.5.
#include <QString>

namespace basAnalyze {

QString PercentText(float ratio);
// Appends PercentText(ratio) to the text.
void AppendPercentText(QString& text, float ratio);

}  // namespace basAnalyze
