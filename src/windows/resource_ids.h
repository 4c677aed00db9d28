#pragma once
// Identifiers of the executable's resources, shared by the resource script
// and the code. Plain macros: the resource compiler reads this file too.

#define KORVANE_ICON 1
#define KORVANE_BANNER 101
