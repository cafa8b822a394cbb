#pragma once

// Console pass-through mode: runs the Ravelhost script of the player folder baseDirectory with our
// standard handles; returns its exit code.
unsigned long RunPassThrough(const wchar_t* baseDirectory, int argumentCount, wchar_t** argumentArray);
