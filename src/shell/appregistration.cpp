#include "shell/appregistration.h"

#include "shell/registry.h"
#include "shell/settings.h"

namespace basRegistration {

QString VersionText()
{
    return QString::number(basSettings::MajorVersion) + QLatin1Char('.') +
           QStringLiteral("%1").arg(basSettings::MinorVersion, 2, 10, QLatin1Char('0'));
}

void RegisterApplication()
{
    using CbasWinAPI::RegistryRoot;
    const QString key = QStringLiteral("SOFTWARE\\Brackwater\\SplitDuel");
    CbasWinAPI::CreateRegistryKey(RegistryRoot::LocalMachine, key);
    CbasWinAPI::SetRegistryString(RegistryRoot::LocalMachine, key, QStringLiteral("Version"),
                                  VersionText());
    CbasWinAPI::SetRegistryString(RegistryRoot::LocalMachine, key,
                                  QStringLiteral("Application Path"), basSettings::ProgramFolder());
}

}  // namespace basRegistration
