#include "shell/scripthost.h"

#include "config/settings.h"
#include "race/prompts.h"

namespace basAutomation {

bool ScriptHost::Exit()
{
    if (!Document().DataModified()) return true;
    return Prompts::question(QStringLiteral("終了する前にデータを保存しますか？"),
                             Prompts::Buttons::YesNoCancel,
                             Prompts::Icon::Information) == Prompts::Answer::No;
}

QString ScriptHost::Setting(const QString& key) const
{
    return basSettings::StoredSetting(key);
}

}  // namespace basAutomation
