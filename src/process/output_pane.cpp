#include "process/output_pane.h"

void AppendOutput(const wchar_t*) {}
