#pragma once
// Pages opened in headless Chromium, for the tests that look at what a person would see.
#include <QString>
#include <QStringList>

namespace headless {

// The installed browser; empty when there is none (the test is then skipped).
QString FindBrowser();

// The flags that keep a headless run to itself: no network, no sandbox, a fresh profile.
QStringList QuietFlags(const QString& profileFolder);

// The DOM after the page's script ran, as the browser serialises it; empty (and a test
// failure) when the browser did not finish. url may carry a fragment.
QString DumpDom(const QString& browser, const QString& url, const QString& profileFolder);

// The text of a piece of serialised HTML: tags removed, character references decoded, blanks
// folded.
QString TextOf(const QString& html);

}  // namespace headless
