#pragma once

// Console pass-through mode: runs the Ravelhost script with our standard handles; returns its exit code.
unsigned long RunPassThrough(int argumentCount, wchar_t** argumentArray);
