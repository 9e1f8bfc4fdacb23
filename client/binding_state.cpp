// The bound library's table, shared by every way of binding it.
#include "binding.h"

QuovantLibrary g_library = {};

bool HasIdiomKnowledge()
{
    return g_library.GetIdiomCandidates != nullptr && g_library.GetIdiomFacts != nullptr &&
           g_library.GetIdiomCount != nullptr && g_library.GetIdiomFactsAt != nullptr &&
           g_library.GetIdiomChain != nullptr && g_library.HasIdiomMeanings != nullptr &&
           g_library.GetIdiomCandidatesByRule != nullptr && g_library.GetIdiomFactsByRule != nullptr &&
           g_library.GetIdiomFactsAtByRule != nullptr && g_library.GetIdiomChainByRule != nullptr;
}
