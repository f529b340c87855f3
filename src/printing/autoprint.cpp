#include "printing/autoprint.h"

#include "race/textutil.h"

#include <cmath>

AutoPrintTimer::AutoPrintTimer(MinuteClock& clock, AutoPrintHost host)
    : clock_(clock), host_(std::move(host))
{
}

void AutoPrintTimer::ChooseInterval(const QString& comboText)
{
    const double value = CbasGeneral::Val(comboText);
    const int minutes = value > 0 ? int(std::floor(value)) : 0;
    if (minutes == 0) {
        counted_ = 0;
        interval_ = 0;
        clock_.Stop();
        RefreshStatus();
        return;
    }
    if (host_.KeepDialogOpen) host_.KeepDialogOpen();
    interval_ = minutes;
    clock_.Start(TickMs, [this] { Tick(); });
    RefreshStatus();
    if (interval_ < counted_) Tick();
}

void AutoPrintTimer::Tick()
{
    // A hidden dialog pauses the count without resetting it.
    if (!host_.DialogVisible || !host_.DialogVisible()) return;
    ++counted_;
    RefreshStatus();
    if (interval_ > 0 && counted_ >= interval_ && host_.AutoPrintTicked() &&
        host_.PrintTabSelected()) {
        if (host_.Print) host_.Print();
        counted_ = 0;
    }
}

QString AutoPrintTimer::StatusText() const
{
    if (!host_.AutoPrintTicked() || !host_.PrintTabSelected() || !clock_.Running()) return {};
    const int left = interval_ - counted_;
    return left > 0 ? QString::number(left) + QStringLiteral("分後自動印刷")
                    : QStringLiteral("出力しました");
}

void AutoPrintTimer::RefreshStatus()
{
    if (host_.ShowStatus) host_.ShowStatus(StatusText());
}
