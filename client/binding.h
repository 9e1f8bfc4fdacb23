// Binding the Quovant library at run time, for the programs that use it
// (the Linux window and the command-line tool): open it by file name, bind
// GetIdioms, and where the platform needs it run InitIdioms.
#ifndef QUOVANT_CLIENT_BINDING_H
#define QUOVANT_CLIENT_BINDING_H

#include "quovant.h"
#include "quovant_knowledge.h"

// The library's file name on this platform ("libQuovant.so", "Quovant.dll"),
// found where the platform looks for a library loaded by bare file name: on
// Linux LD_LIBRARY_PATH first, then the programs' RUNPATH, their own folder;
// on Windows the executable's folder first.
extern const char LIBRARY_FILE_NAME[];

// What the user is told when the library cannot be bound, with this
// platform's file name (QUOVANT_MISSING_COMPONENT_TEXT of product.h).
extern const char16_t MISSING_LIBRARY_TEXT[];

// GetIdioms of the bound library; set by BindLibrary and never cleared.
extern QuovantGetIdiomsFn g_pfnGetIdioms;

// The idiom knowledge of the bound library (quovant_knowledge.h); null
// where the library has none (Quovant.dll).
extern QuovantGetIdiomCandidatesFn g_pfnGetIdiomCandidates;
extern QuovantGetIdiomFactsFn g_pfnGetIdiomFacts;
extern QuovantGetIdiomCountFn g_pfnGetIdiomCount;
extern QuovantGetIdiomFactsAtFn g_pfnGetIdiomFactsAt;
extern QuovantGetIdiomChainFn g_pfnGetIdiomChain;
extern QuovantHasIdiomMeaningsFn g_pfnHasIdiomMeanings;

// Opens the library at `path` (UTF-8; a bare file name is searched for the
// platform's usual way), binds GetIdioms (and the idiom knowledge where the
// library has it) and readies the dictionary. True only when GetIdioms is
// ready; the library stays loaded until the process ends.
bool BindLibrary(const char *path);

#endif
