#include "reports/cp932check.h"

#include "race/textcodec.h"

namespace basExport {

using basAnalyze::AnalysisWorkspace;

QString TextWithoutCp932(const AnalysisWorkspace& ws)
{
    for (int r = 1; r <= ws.AnaRunnerCount; ++r)
        if (!TextCodec::fitsCp932(ws.RunnerName(r) + ws.RunnerShozoku(r))) return ws.RunnerName(r);
    return TextCodec::fitsCp932(ws.AnaClassName) ? QString() : ws.AnaClassName;
}

QString Cp932Warning(const QString& text)
{
    return QStringLiteral(
               "シフトJISで表せない文字があるため、「%1」などの文字の一部を「?」で"
               "出力しました。")
        .arg(text);
}

}  // namespace basExport
