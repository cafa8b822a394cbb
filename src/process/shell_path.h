#pragma once
#include <cstddef>
#include "shell/app_state.h"

// The shell opens documents by paths of the classic length only: a longer path is given in its
// short (8.3) form where the volume keeps one (written into shortForm), else unchanged.
const wchar_t* ShellUsablePath(const wchar_t* path, wchar_t (&shortForm)[kPathUnits]);
