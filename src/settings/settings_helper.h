#pragma once
#include <cstdint>
#include "settings/settings_report.h"

// The settings page's helper commands: each starts a child through the process layer and returns
// what the window should show; the shell applies it.

enum class SettingsMode { Read, Save };
enum class LocationsKind { Read, Iso, Game };

// Builds the settings read or save command for the player folder and starts it; a command too long
// starts nothing and says so.
SettingsReport StartSettingsCommand(SettingsMode mode, const wchar_t* baseDirectory);
// Builds the locations command ("read", "iso" or "game") and starts it.
SettingsReport StartLocationsCommand(LocationsKind kind, const wchar_t* baseDirectory);
// Builds the controller-bindings editor command and starts it.
SettingsReport StartControllerEditor(const wchar_t* baseDirectory);
// Starts a settings helper for the operation (a HelperOperation) with a complete command line, in
// the player folder; statusText is shown while it runs.
SettingsReport RunSettingsHelper(const wchar_t* interpreterPath, wchar_t* commandLine, int operation,
                                 const wchar_t* statusText, const wchar_t* baseDirectory);
// A settings helper running the operation has ended with this exit code: its result is taken into
// the settings model, and a chosen game folder's settings are read next.
SettingsReport CompleteSettingsOperation(int operation, std::uint32_t exitCode, const wchar_t* baseDirectory);
