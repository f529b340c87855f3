#pragma once
// Opens the loading window for the passes over a file and closes it on every way out.
#include "lapfiles/raceload.h"

namespace basConvert {

class ProgressWindow {
public:
    explicit ProgressWindow(LoadProgress* progress) : progress_(progress)
    {
        if (progress_) progress_->begin();
    }
    ~ProgressWindow()
    {
        if (progress_) progress_->end();
    }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

private:
    LoadProgress* progress_;
};

}  // namespace basConvert
