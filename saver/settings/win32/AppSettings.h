#pragma once
#include "saver/settings/SaverSettings.h"

// The settings both run mode and configure mode work on: the application's
// profile, with the machine-wide defaults key to seed a first run. Not yet
// loaded; the caller calls Load(true).
SaverSettings MakeAppSettings();
