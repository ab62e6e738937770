#include "base/AnsiCodePageSetting.h"

#include "base/TextCodec.h"

namespace hw {

int LoadAnsiCodePage(const SettingsStore& settings)
{
    int codePage = settings.GetInt(section::kSettings, kAnsiCodePageSetting, kDefaultAnsiCodePage);
    if (!IsKnownCodePage(codePage))
        codePage = kDefaultAnsiCodePage;
    SetAnsiCodePage(codePage);
    return codePage;
}

bool StoreAnsiCodePage(SettingsStore& settings, int codePage)
{
    if (!IsKnownCodePage(codePage))
        return false;
    settings.SetInt(section::kSettings, kAnsiCodePageSetting, codePage);
    SetAnsiCodePage(codePage);
    return true;
}

} // namespace hw
