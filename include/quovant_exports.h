/*
 * quovant_exports.h: the functions that libQuovant.so exports, named once
 * for every program that binds them by name and for the build, which makes
 * the shared object's export list from this list. X(Name) stands for the
 * function Name of quovant.h or quovant_knowledge.h, whose pointer type is
 * QuovantNameFn. Quovant.dll exports GetIdioms alone.
 */
#ifndef QUOVANT_EXPORTS_H
#define QUOVANT_EXPORTS_H

#define QUOVANT_EXPORTS(X)      \
    X(GetIdioms)                \
    X(InitIdioms)               \
    X(GetIdiomCandidates)       \
    X(GetIdiomFacts)            \
    X(GetIdiomCount)            \
    X(GetIdiomFactsAt)          \
    X(GetIdiomChain)            \
    X(HasIdiomMeanings)         \
    X(GetIdiomCandidatesByRule) \
    X(GetIdiomFactsByRule)      \
    X(GetIdiomFactsAtByRule)    \
    X(GetIdiomChainByRule)      \
    X(OfferIdiomStream)         \
    X(SetPlayerIdioms)

#endif /* QUOVANT_EXPORTS_H */
