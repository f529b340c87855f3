#pragma once
// Runs without a display (cron jobs, the command-line tool) print only the program's own
// messages. Qt's platform layer tells, on every run, what the offscreen platform cannot do
// ("This plugin does not support propagateSizeHints()") and that XDG_RUNTIME_DIR is not set;
// cron would mail those lines every few minutes. They are dropped; every other message of Qt,
// and every critical or fatal one, still goes where it went before.
#include <QtGlobal>

class QString;

// Whether a message of Qt is one of those notices of the platform layer.
bool IsPlatformNotice(QtMsgType type, const char* category, const QString& text);

// Whether the program is asked to run without a display: "-platform offscreen" (or "minimal";
// also "--platform" and "-platform=…") on its command line, else QT_QPA_PLATFORM.
bool HeadlessPlatformRequested(int argc, const char* const* argv);

// Installs a message handler that drops the platform notices and hands every other message to
// the handler installed before. Call it before the application object is made.
void SilencePlatformNotices();
