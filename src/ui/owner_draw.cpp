#include "ui/owner_draw.h"

LRESULT OnDrawItem(const DRAWITEMSTRUCT&) { return TRUE; }
