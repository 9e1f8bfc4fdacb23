/*
 * quovant_knowledge.h: what a player of the idiom chain game needs to know
 * about the idioms of the Quovant library: which idioms can follow a text,
 * how many idioms can follow each of them, what playing one leads to, its
 * meaning, and shortest chains between idioms.
 *
 * Exported by libQuovant.so beside GetIdioms and InitIdioms (run InitIdioms
 * first); on Windows linked into the console tool, never in Quovant.dll.
 * What a caller must know:
 *   - Text is UTF-16, NUL-terminated. Idioms are compared as whole texts.
 *   - Texts handed back point into the library's dictionary and stay valid
 *     until the dictionary is replaced (only tests and benchmarks do that).
 *   - Output buffers belong to the caller, who gives their capacity.
 *   - Any number of threads may call these functions at once. The first
 *     call after a dictionary is installed builds the analysis (a few
 *     milliseconds) while the others wait for it; meanings are unpacked,
 *     once, when first needed. GetIdioms keeps its own rule (one caller at a
 *     time: its result buffer is shared), and installing a dictionary while
 *     other threads ask is the caller's fault.
 *   - Outcomes count an idiom played twice as allowed: in a real game, where
 *     it is not, they are a strong guide, not a proof.
 */
#ifndef QUOVANT_KNOWLEDGE_H
#define QUOVANT_KNOWLEDGE_H

#include <stddef.h>

#include "quovant.h"

#ifdef __cplusplus
extern "C" {
#endif

/* What playing an idiom leads to for the player who plays it, with best play
 * after it: the opponent is left losing (WIN), winning (LOSS), or play can go
 * on for ever (DRAW). */
#define QUOVANT_LOSS (-1)
#define QUOVANT_DRAW 0
#define QUOVANT_WIN 1

/* One idiom and what is known of it. */
typedef struct QuovantFacts {
    const QuovantChar *idiom;    /* the idiom */
    const QuovantChar *readings; /* its first character's readings ("he huo hu"), or null */
    const QuovantChar *meaning;  /* its meaning, or null when it has none or meanings are unavailable */
    unsigned long followers;     /* how many idioms can follow it; 0: a dead end, which wins at once */
    int outcome;                 /* QUOVANT_WIN, QUOVANT_LOSS or QUOVANT_DRAW for the player who plays it */
} QuovantFacts;

/* The idioms that can follow `text` (trimmed as GetIdioms trims it; ASCII
 * text is a pinyin reading), in GetIdioms' order without its limit of eight,
 * each once, leaving out the `playedCount` idioms of `played` (may be null
 * when 0). Writes the first `capacity` of them to `out` (may be null when 0)
 * and returns how many there are in all; -1 when the dictionary is not ready
 * or memory ran out. */
QUOVANT_API long GetIdiomCandidates(const QuovantChar *text, const QuovantChar *const *played,
                                    size_t playedCount, QuovantFacts *out, size_t capacity);

/* The facts of `idiom`, an idiom of the dictionary written exactly (not
 * trimmed), into `*out`. Returns 1; 0 when `idiom` is not an idiom of the
 * dictionary (null included); -1 when the dictionary is not ready. */
QUOVANT_API int GetIdiomFacts(const QuovantChar *idiom, QuovantFacts *out);

/* How many idioms the dictionary has, each counted once; -1 when the
 * dictionary is not ready. */
QUOVANT_API long GetIdiomCount(void);

/* The facts of the idiom numbered `index` (0 to GetIdiomCount() - 1, in the
 * dictionary's order) into `*out`. Returns 1; 0 when there is no such idiom;
 * -1 when the dictionary is not ready. */
QUOVANT_API int GetIdiomFactsAt(size_t index, QuovantFacts *out);

/* Results of GetIdiomChain; the two UNKNOWN values may be ORed together. */
#define QUOVANT_CHAIN_FOUND 0
#define QUOVANT_CHAIN_NONE 1
#define QUOVANT_CHAIN_UNKNOWN_FROM 2
#define QUOVANT_CHAIN_UNKNOWN_TO 4

/* A shortest chain from the idiom `from` to the idiom `to` (written exactly),
 * each idiom one that can follow the one before; the same two idioms always
 * give the same chain. On QUOVANT_CHAIN_FOUND sets `*length` to the number of
 * idioms from `from` to `to` (1 when they are the same) and writes the first
 * `capacity` of them to `chain`. Otherwise returns QUOVANT_CHAIN_NONE when
 * `to` cannot be reached, the UNKNOWN values for texts that are not idioms
 * of the dictionary, or -1 when the dictionary is not ready. */
QUOVANT_API int GetIdiomChain(const QuovantChar *from, const QuovantChar *to, const QuovantChar **chain,
                              size_t capacity, size_t *length);

/* 1 when meanings are available; 0 when their stream is damaged or missing.
 * Unpacks them on the first call. */
QUOVANT_API int HasIdiomMeanings(void);

/* Function pointer types for callers that bind the library at run time. */
typedef long (*QuovantGetIdiomCandidatesFn)(const QuovantChar *, const QuovantChar *const *, size_t,
                                            QuovantFacts *, size_t);
typedef int (*QuovantGetIdiomFactsFn)(const QuovantChar *, QuovantFacts *);
typedef long (*QuovantGetIdiomCountFn)(void);
typedef int (*QuovantGetIdiomFactsAtFn)(size_t, QuovantFacts *);
typedef int (*QuovantGetIdiomChainFn)(const QuovantChar *, const QuovantChar *, const QuovantChar **, size_t,
                                      size_t *);
typedef int (*QuovantHasIdiomMeaningsFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* QUOVANT_KNOWLEDGE_H */
