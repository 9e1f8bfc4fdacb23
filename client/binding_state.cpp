// The bound library's functions, shared by every way of binding it (at run
// time on Linux and Windows, or linked in by the Windows console tool).
#include "binding.h"

QuovantGetIdiomsFn g_pfnGetIdioms = nullptr;
QuovantGetIdiomCandidatesFn g_pfnGetIdiomCandidates = nullptr;
QuovantGetIdiomFactsFn g_pfnGetIdiomFacts = nullptr;
QuovantGetIdiomCountFn g_pfnGetIdiomCount = nullptr;
QuovantGetIdiomFactsAtFn g_pfnGetIdiomFactsAt = nullptr;
QuovantGetIdiomChainFn g_pfnGetIdiomChain = nullptr;
QuovantHasIdiomMeaningsFn g_pfnHasIdiomMeanings = nullptr;
