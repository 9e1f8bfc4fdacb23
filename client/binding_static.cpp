// The binding of a program that links the library in (the Windows console
// tool, which carries the dictionary, the meanings and the idiom knowledge
// itself, since Quovant.dll exports GetIdioms alone, and the page's
// module): the table points at the functions linked in, and InitIdioms
// readies the dictionary built into the program, whose file name the build
// gives as QUOVANT_PROGRAM_FILE.
#include "binding.h"
#include "product.h"

const char LIBRARY_FILE_NAME[] = QUOVANT_PROGRAM_FILE;
const char16_t BINDING_FAILURE_TEXT[] = u"" QUOVANT_DAMAGED_DICTIONARY_TEXT(QUOVANT_PROGRAM_FILE);
const char BINDING_FAILURE_ERROR[] = "the dictionary built into " QUOVANT_PROGRAM_FILE " is damaged";

bool BindLibrary(const char *)
{
    if (InitIdioms() != 1)
        return false;
#define QUOVANT_LINK(name) g_library.name = name;
    QUOVANT_EXPORTS(QUOVANT_LINK)
#undef QUOVANT_LINK
    return true;
}
