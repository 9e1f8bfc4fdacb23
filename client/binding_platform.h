// What each platform's loader gives the run-time binding (binding.cpp):
// binding_posix.cpp with dlopen, binding_win32.cpp with LoadLibraryW.
#ifndef QUOVANT_CLIENT_BINDING_PLATFORM_H
#define QUOVANT_CLIENT_BINDING_PLATFORM_H

// Loads the library at `path` (UTF-8), kept until the process ends; null
// when it cannot be loaded (on Windows also when its dictionary is damaged).
void *OpenLibrary(const char *path);

// The address of the exported function `name`, or null.
void (*FindFunction(void *library, const char *name))();

// True where loading the library does not ready its dictionary, so that
// InitIdioms must (a shared object's load cannot fail).
extern const bool LIBRARY_NEEDS_INIT;

#endif
