#include "shell/platformnotices.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstring>

namespace {

QtMessageHandler previousHandler = nullptr;

void filterMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (IsPlatformNotice(type, context.category, text)) return;
    if (previousHandler) {
        previousHandler(type, context, text);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
        std::fflush(stderr);
    }
}

bool isHeadlessName(QByteArray name)
{
    // A platform name may carry options: "offscreen:fontengine=freetype".
    const int colon = name.indexOf(':');
    if (colon >= 0) name.truncate(colon);
    return name == "offscreen" || name == "minimal";
}

}  // namespace

bool IsPlatformNotice(QtMsgType type, const char* category, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) return false;
    if (category && std::strncmp(category, "qt.qpa", 6) == 0) return true;
    // The notices below come in Qt's default category; they are known by their words.
    return text.startsWith(QLatin1String("This plugin does not support")) ||
           text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")) ||
           text.startsWith(QLatin1String("QStandardPaths: runtime directory")) ||
           text.startsWith(QLatin1String("QStandardPaths: wrong permissions on runtime"));
}

bool HeadlessPlatformRequested(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        QByteArray word(argv[i]);
        if (word.startsWith("--")) word.remove(0, 1);
        if (word == "-platform" && i + 1 < argc) return isHeadlessName(argv[i + 1]);
        if (word.startsWith("-platform=")) return isHeadlessName(word.mid(10));
    }
    return isHeadlessName(qgetenv("QT_QPA_PLATFORM"));
}

void SilencePlatformNotices()
{
    QtMessageHandler previous = qInstallMessageHandler(filterMessage);
    if (previous != filterMessage) previousHandler = previous;
}
