#include "saver/settings/win32/AppSettings.h"

#include "framework/RegistryProfile.h"
#include "framework/WinApp.h"
#include "saver/settings/SettingsNames.h"

SaverSettings MakeAppSettings() {
    // Read once, by the first settings that seed from it.
    static RegistryMachineDefaults machine(names::kMachineConfigKey);
    return SaverSettings(CWinApp::Get()->Profile(), &machine);
}
