#include "headlessbrowser.h"

#include <QStandardPaths>

namespace headless {

QString FindBrowser()
{
    for (const char* name : {"chromium", "chromium-browser"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path;
    }
    return QString();
}

QStringList QuietFlags(const QString& profileFolder)
{
    return {"--headless",
            "--no-sandbox",
            "--disable-gpu",
            "--disable-quic",
            "--no-first-run",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--user-data-dir=" + profileFolder};
}

}  // namespace headless
