#include "settings/settings_model.h"

SettingsModel Settings;
