#pragma once
// Headless Chromium for the tests (and benchmarks) that look at what a person would see.
#include <QString>
#include <QStringList>

namespace headless {

// The installed browser; empty when there is none (the test is then skipped).
QString FindBrowser();

// The flags that keep a headless run to itself: no network, no sandbox, a fresh profile.
QStringList QuietFlags(const QString& profileFolder);

}  // namespace headless
