// Binding the Quovant library, for the programs that use it: at run time by
// file name (the Linux window and tool, the Windows dialog; binding.cpp over
// each platform's loader), or linked into the program (the Windows console
// tool; binding_static.cpp). Every way fills one table of the library's
// functions.
#ifndef QUOVANT_CLIENT_BINDING_H
#define QUOVANT_CLIENT_BINDING_H

#include "quovant.h"
#include "quovant_exports.h"
#include "quovant_knowledge.h"

// The library's functions, each named as it is exported; null where the
// bound library has none (Quovant.dll has GetIdioms alone).
struct QuovantLibrary {
#define QUOVANT_TABLE_ENTRY(name) Quovant##name##Fn name;
    QUOVANT_EXPORTS(QUOVANT_TABLE_ENTRY)
#undef QUOVANT_TABLE_ENTRY
};

// The bound library; all null until BindLibrary succeeds.
extern QuovantLibrary g_library;

// The library's file name on this platform ("libQuovant.so", "Quovant.dll"),
// found where the platform looks for a library loaded by bare file name: on
// Linux LD_LIBRARY_PATH first, then the programs' RUNPATH, their own folder;
// on Windows the executable's folder first.
extern const char LIBRARY_FILE_NAME[];

// Why BindLibrary failed: for people, in the product's own words, and for
// programs, in fixed English.
extern const char16_t BINDING_FAILURE_TEXT[];
extern const char BINDING_FAILURE_ERROR[];

// Binds the library at `path` (UTF-8; a bare file name is searched for the
// platform's usual way) and readies its dictionary. True only when GetIdioms
// is ready; the library stays loaded until the process ends.
bool BindLibrary(const char *path);

// True when the bound library also tells the idiom knowledge.
bool HasIdiomKnowledge();

#endif
