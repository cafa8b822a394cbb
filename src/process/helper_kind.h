#pragma once

// What the one child the window may run at a time is doing.
enum class HelperKind { None, Launch, SettingsOperation };
