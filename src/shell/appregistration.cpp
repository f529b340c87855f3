#include "shell/appregistration.h"

#include "config/registry.h"
#include "config/settings.h"
#include "race/version.h"

namespace basRegistration {

QString VersionText()
{
    return ProgramVersion::Text();
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
