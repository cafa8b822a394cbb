#pragma once
#include <cstddef>
#include "process/path_limits.h"

// A path for the shell, which is not relied on past the classic length: a longer path is given in
// its short (8.3) form where the volume keeps one that fits (written into shortForm), else unchanged.
const wchar_t* ShellUsablePath(const wchar_t* path, wchar_t (&shortForm)[kClassicPathUnits]);
