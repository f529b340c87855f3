#pragma once
// A test's own desktop environment: XDG_DATA_HOME and XDG_CONFIG_HOME point into a temporary
// folder (never at the user's real ones), the program seems to run from a folder with blanks
// in its name, and the settings file lives in that folder.
#include "config/settings.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class XdgSandbox {
public:
    XdgSandbox()
        : oldData_(qgetenv("XDG_DATA_HOME")),
          oldConfig_(qgetenv("XDG_CONFIG_HOME")),
          hadData_(qEnvironmentVariableIsSet("XDG_DATA_HOME")),
          hadConfig_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        EXPECT_TRUE(dir_.isValid());
        QDir root(dir_.path());
        root.mkpath(QStringLiteral("data"));
        root.mkpath(QStringLiteral("config"));
        root.mkpath(QStringLiteral("Split Duel"));
        qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
        basSettings::OverrideProgramPath(programPath());
        basSettings::ResetSettings(programFolder());
    }
    ~XdgSandbox()
    {
        basSettings::ResetSettings(QString());
        basSettings::OverrideProgramPath(QString());
        restore("XDG_DATA_HOME", hadData_, oldData_);
        restore("XDG_CONFIG_HOME", hadConfig_, oldConfig_);
    }
    XdgSandbox(const XdgSandbox&) = delete;
    XdgSandbox& operator=(const XdgSandbox&) = delete;

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString dataHome() const { return dir_.filePath(QStringLiteral("data")); }
    QString configHome() const { return dir_.filePath(QStringLiteral("config")); }
    QString programFolder() const { return dir_.filePath(QStringLiteral("Split Duel")); }
    QString programPath() const { return programFolder() + QStringLiteral("/SplitDuel"); }

private:
    static void restore(const char* name, bool had, const QByteArray& value)
    {
        if (had) {
            qputenv(name, value);
        } else {
            qunsetenv(name);
        }
    }

    QTemporaryDir dir_;
    QByteArray oldData_, oldConfig_;
    bool hadData_, hadConfig_;
};
