#pragma once
// How many GDI objects this process holds, for tests that check every paint gives back
// what it took.

#include <windows.h>

namespace kivolt::test {

// GetGuiResources where it counts (Windows). Wine answers 0 there, but keeps the handle
// table that the process environment block points to, as Windows does: then the live
// entries of that table are counted. 0 when neither is available.
DWORD gdiObjectCount();

}  // namespace kivolt::test
