// Binding libQuovant.so at run time, as the Windows program binds Quovant.dll.
#ifndef QUOVANT_QT_BINDING_H
#define QUOVANT_QT_BINDING_H

#include "quovant.h"

// The library's file name, looked up next to the executable first (its
// RUNPATH is $ORIGIN), then where the dynamic loader looks.
inline constexpr char LIBRARY_FILE_NAME[] = "libQuovant.so";

// What the user is told when the library cannot be bound.
inline constexpr char16_t MISSING_LIBRARY_TEXT[] = u"丢失基本组件 libQuovant.so 程序无法运行。";

// GetIdioms of the bound library; set by BindLibrary before the window
// exists and never cleared.
extern QuovantGetIdiomsFn g_pfnGetIdioms;

// Opens the library at `path`, binds GetIdioms and InitIdioms and runs
// InitIdioms. True only when all of that succeeded and the dictionary is
// ready; the library stays loaded until the process ends.
bool BindLibrary(const char *path);

#endif
