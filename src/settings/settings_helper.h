#pragma once

enum class SettingsMode { Read, Save };
enum class LocationsKind { Read, Iso, Game };

// Builds the settings read or save command and starts it; too long: an alert and nothing started.
void StartSettingsCommand(SettingsMode mode);
// Builds the locations command ("read", "iso" or "game") and starts it.
void StartLocationsCommand(LocationsKind kind);
// Builds the controller-bindings editor command and starts it.
void StartControllerEditor();
// Starts a settings helper for the operation (a HelperOperation) with a complete command line and
// shows statusText while it runs; Play and the toggle wait for its end.
void StartSettingsHelper(const wchar_t* interpreterPath, wchar_t* commandLine, int operation,
                         const wchar_t* statusText);
