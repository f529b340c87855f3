#pragma once
// The timer print of the print tab: every N minutes the checked classes are printed again while
// the output dialog stays open on the print tab. The minute clock is injected, so tests drive
// the ticks themselves.
#include <QString>

#include <functional>

// A repeating one-minute clock: Start begins calling the tick every intervalMs, Stop ends it.
class MinuteClock {
public:
    virtual ~MinuteClock() = default;
    virtual void Start(int intervalMs, std::function<void()> tick) = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
};

// What the timer needs from the dialog it lives in.
struct AutoPrintHost {
    std::function<bool()> DialogVisible;
    std::function<bool()> PrintTabSelected;
    std::function<bool()> AutoPrintTicked;  // "タイマー印刷"
    std::function<void()> KeepDialogOpen;   // unticks "出力後閉じる"
    std::function<void()> Print;            // one timer run (class refresh, settings, output)
    std::function<void(const QString&)> ShowStatus;
};

class AutoPrintTimer {
public:
    static constexpr int TickMs = 60000;

    AutoPrintTimer(MinuteClock& clock, AutoPrintHost host);

    // The interval combo's text: its leading whole number ("なし" gives 0) turns the timer on
    // with that interval or off. A running count already past a shorter interval prints at once.
    void ChooseInterval(const QString& comboText);
    // One minute has passed.
    void Tick();
    // The status label text: "<n>分後自動印刷", "出力しました" or "".
    QString StatusText() const;
    // Shows StatusText through the host.
    void RefreshStatus();

    int Interval() const { return interval_; }
    int CountedMinutes() const { return counted_; }

private:
    MinuteClock& clock_;
    AutoPrintHost host_;
    int interval_ = 0;
    int counted_ = 0;
};
