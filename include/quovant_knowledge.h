/*
 * quovant_knowledge.h: what a player of the idiom chain game needs to know
 * about the idioms of the Quovant library: which idioms can follow a text
 * under the rule being played, how many idioms can follow each of them in
 * the game as it stands, what playing one leads to, its reading and
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
 *     call under a rule after a dictionary is installed builds that rule's
 *     analysis (a few milliseconds) while the others wait for it; meanings,
 *     readings, English and commonness are unpacked, once, when first needed. There is no
 *     process-wide rule: each call names its own. GetIdioms keeps its own
 *     rule (one caller at a time: its result buffer is shared), and
 *     installing a dictionary while other threads ask is the caller's fault.
 *   - Outcomes count an idiom played twice as allowed: in a real game, where
 *     it is not, they are a strong guide, not a proof, unless marked proven
 *     (an exact search of the rest of the game without repeats finished
 *     within a fixed number of steps).
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

/* Rules of what may follow a text A (the first argument of the ByRule
 * functions); within a result, the idioms that begin with A's last
 * character come first, then the others, each in the dictionary's order.
 *   CLASSIC  an idiom that begins with A's last character, or whose first
 *            character has exactly the same readings (GetIdioms' rule);
 *   CHAR     an idiom that begins with A's last character;
 *   SOUND    an idiom whose first syllable, as read in it, is A's last
 *            syllable as read in A, tone ignored: after 三思而行 (xíng),
 *            兴高采烈 follows and 行家里手 (háng) does not. For a text that is
 *            no idiom, any reading of its last character counts;
 *   TONE     the same with the same tone.
 * Under CLASSIC and CHAR, ASCII text is a pinyin reading as GetIdioms takes
 * it; under SOUND and TONE, text written as one syllable in Latin letters
 * ("xing", "xing2", "xíng") is that syllable, its tone counting under TONE.
 * ORed with QUOVANT_FOUR_ONLY, idioms that are not four characters long are
 * left out, as candidates and as followers. */
#define QUOVANT_RULE_CLASSIC 0
#define QUOVANT_RULE_CHAR 1
#define QUOVANT_RULE_SOUND 2
#define QUOVANT_RULE_TONE 3
#define QUOVANT_RULE_MASK 3
#define QUOVANT_FOUR_ONLY 0x10

/* ORed with a rule in GetIdiomCandidatesByRule alone (and then not an error
 * there): the order of the candidates, the rule's unless one is asked for,
 * and whether their outcomes are proven (at most one order: both are no
 * rule). With a capacity, every candidate
 * is ranked by its outcome as the guide has it, and only those written are
 * proven, so that a short list stays as quick as the rule's order.
 *   ORDER_COMMON  known idioms (QUOVANT_COMMONNESS_KNOWN and up) first, then
 *                 the others, each part in the rule's order;
 *   ORDER_BEST    wins first (dead ends among them), then draws, then losses,
 *                 the more common first within each, the rule's order last;
 *   GUIDE_ONLY    no outcome proven: the guide's, quickly, for callers that
 *                 look through many lists. */
#define QUOVANT_ORDER_COMMON 0x20
#define QUOVANT_ORDER_BEST 0x40
#define QUOVANT_GUIDE_ONLY 0x80

/* True when `idiom` is four characters long (four units, then the
 * terminator; at most five units are read), the idioms that
 * QUOVANT_FOUR_ONLY keeps. The facts functions answer for every idiom under
 * any rule, so a caller that lets only these be played asks it. */
static inline int QuovantIsFourCharacters(const QuovantChar *idiom)
{
    return idiom[0] != 0 && idiom[1] != 0 && idiom[2] != 0 && idiom[3] != 0 && idiom[4] == 0;
}

/* How common an idiom is: a figure from 0 (rare) to QUOVANT_COMMONNESS_MAX,
 * made from how often its text is met in a large body of writing and
 * whether a learners' dictionary lists it. From QUOVANT_COMMONNESS_KNOWN on,
 * an idiom counts as known to players: about the most common quarter of the
 * dictionary (the JSON answers' "known", whether a text is an idiom of the
 * dictionary at all, is another matter). */
#define QUOVANT_COMMONNESS_MAX 100
#define QUOVANT_COMMONNESS_KNOWN 30
#define QUOVANT_COMMONNESS_UNAVAILABLE (-1) /* the figures' stream is damaged, missing or not this dictionary's */

/* One idiom and what is known of it, under a rule and in a position. */
typedef struct QuovantFacts {
    const QuovantChar *idiom;    /* the idiom */
    const QuovantChar *readings; /* its first character's readings ("he huo hu"), or null */
    const QuovantChar *meaning;  /* its meaning, or null when it has none or meanings are unavailable */
    unsigned long followers;     /* how many idioms not played can follow it (itself too, where it can follow
                                    itself); 0: a dead end, which wins at once */
    int outcome;                 /* QUOVANT_WIN, QUOVANT_LOSS or QUOVANT_DRAW for the player who plays it */
    const QuovantChar *reading;  /* how it is read, with tone marks ("yán chū fǎ suí"), or null when unknown */
    int proven;                  /* 1 when `outcome` is exact for a game without repeats; 0 for the guide */
    const QuovantChar *english;  /* its English gloss, or null when it has none or the English is unavailable */
    int commonness;              /* how common it is, 0 to QUOVANT_COMMONNESS_MAX, or QUOVANT_COMMONNESS_UNAVAILABLE */
    int origin;                  /* QUOVANT_FROM_DICTIONARY, or one of the player's own idioms (below) */
} QuovantFacts;

/* Where an idiom comes from (QuovantFacts.origin). */
#define QUOVANT_FROM_DICTIONARY 0       /* the library's dictionary */
#define QUOVANT_FROM_PLAYER 1           /* the player's own, read as the player wrote it */
#define QUOVANT_FROM_PLAYER_CUSTOMARY 2 /* the player's own, each character read by its most customary reading */

/* Results of the functions below, each with one meaning. A function that
 * counts returns the count (0 or more) instead of QUOVANT_FOUND; every
 * failure, whatever the function, is negative. */
#define QUOVANT_FOUND 0          /* the answer is written */
#define QUOVANT_NO_CHAIN 1       /* both idioms are known and no chain leads from the first to the second */
#define QUOVANT_UNKNOWN_IDIOM 2  /* the idiom asked of (a chain's `from`) is no idiom of the dictionary */
#define QUOVANT_UNKNOWN_TO 4     /* a chain's `to` is no idiom of the dictionary (ORed with the one above) */
#define QUOVANT_NO_RULE (-1)     /* `rules` is no rule */
#define QUOVANT_NOT_READY (-2)   /* no dictionary is loaded */
#define QUOVANT_NO_READINGS (-3) /* the readings a rule of sound needs are damaged or missing */
#define QUOVANT_NO_MEMORY (-4)   /* memory ran out (asking again may succeed) */

/* The idioms that can follow `text` under `rules` (text trimmed as
 * GetIdioms trims it), in the rule's order or the one ORed in, each once, in the game where
 * the `playedCount` idioms of `played` (may be null when 0; texts that are
 * no idiom are ignored) have been played: they are left out of the list and
 * out of the game, so each candidate's followers and outcome are those of
 * the position (and its outcome exact where a search without repeats
 * finished). Writes the first `capacity` of them to `out` (may be null when
 * 0; only those have their outcomes proven) and returns how many there are
 * in all, or a failure. */
QUOVANT_API long GetIdiomCandidatesByRule(int rules, const QuovantChar *text, const QuovantChar *const *played,
                                          size_t playedCount, QuovantFacts *out, size_t capacity);

/* The facts of `idiom` under `rules` before any idiom is played, into
 * `*out`: `idiom` is written exactly (not trimmed; null is no idiom).
 * Returns QUOVANT_FOUND, QUOVANT_UNKNOWN_IDIOM or a failure. */
QUOVANT_API int GetIdiomFactsByRule(int rules, const QuovantChar *idiom, QuovantFacts *out);

/* The facts of the idiom numbered `index` (0 to GetIdiomCount() - 1, in the
 * dictionary's order) under `rules` into `*out`. So that the whole
 * dictionary can be gone through quickly, the outcome is the guide's (never
 * proven). Returns QUOVANT_FOUND, QUOVANT_UNKNOWN_IDIOM when there is no
 * such idiom, or a failure. */
QUOVANT_API int GetIdiomFactsAtByRule(int rules, size_t index, QuovantFacts *out);

/* A shortest chain from the idiom `from` to the idiom `to` (written exactly),
 * each idiom one that can follow the one before under `rules`; the same two
 * idioms always give the same chain. On QUOVANT_FOUND sets `*length` to the
 * number of idioms from `from` to `to` (1 when they are the same) and writes
 * the first `capacity` of them to `chain`. Otherwise returns
 * QUOVANT_NO_CHAIN when `to` cannot be reached, QUOVANT_UNKNOWN_IDIOM and
 * QUOVANT_UNKNOWN_TO ORed for texts that are not idioms of the dictionary,
 * or a failure. */
QUOVANT_API int GetIdiomChainByRule(int rules, const QuovantChar *from, const QuovantChar *to,
                                    const QuovantChar **chain, size_t capacity, size_t *length);

/* How many idioms the dictionary has, each counted once, or a failure. */
QUOVANT_API long GetIdiomCount(void);

/* The functions above under the classic rule, all lengths. */
QUOVANT_API long GetIdiomCandidates(const QuovantChar *text, const QuovantChar *const *played, size_t playedCount,
                                    QuovantFacts *out, size_t capacity);
QUOVANT_API int GetIdiomFacts(const QuovantChar *idiom, QuovantFacts *out);
QUOVANT_API int GetIdiomFactsAt(size_t index, QuovantFacts *out);
QUOVANT_API int GetIdiomChain(const QuovantChar *from, const QuovantChar *to, const QuovantChar **chain,
                              size_t capacity, size_t *length);

/* 1 when meanings are available; 0 when their stream is damaged or missing.
 * Unpacks them on the first call. */
QUOVANT_API int HasIdiomMeanings(void);

/* The streams a caller may offer the library in place of its own. */
#define QUOVANT_STREAM_MEANINGS 1 /* the idioms' meanings (the page fetches them after it starts) */
#define QUOVANT_STREAM_ENGLISH 2  /* the idioms' English glosses (likewise) */

/* Offers the LZMA stream of `size` bytes at `data` as the library's stream
 * of `kind`, unpacked when first needed; what was unpacked of that kind
 * before is forgotten, and texts handed back from it are no longer valid.
 * The bytes stay the caller's, who keeps them readable and unchanged while
 * the library may use them. Like installing a dictionary, not while other
 * threads ask. Returns 1; 0 when `kind` is no stream (nothing is offered). */
QUOVANT_API int OfferIdiomStream(int kind, const unsigned char *data, size_t size);

/* Why SetPlayerIdioms took or left each idiom it was given. */
#define QUOVANT_PLAYER_ADDED 0         /* it is one of the player's idioms now */
#define QUOVANT_PLAYER_NOT_IDIOM 1     /* not 3 to 13 Chinese characters in at most 13 units (a "，" between two allowed) */
#define QUOVANT_PLAYER_IN_DICTIONARY 2 /* the dictionary has it already */
#define QUOVANT_PLAYER_REPEATED 3      /* given earlier in the same list */
#define QUOVANT_PLAYER_BAD_READING 4   /* its reading is not one syllable with its tone per character */
#define QUOVANT_PLAYER_NO_READING 5    /* given without a reading, and a character has no customary one */

/* Makes the `count` texts of `idioms` the player's own idioms, in place of
 * those set before: idioms everywhere, after the dictionary's, under every
 * rule. Each is written exactly, and read as `readings` (may be null; an
 * entry may be null or blank) gives it: one syllable with its tone per
 * character, separated by spaces ("wan4 li3 tiao1 yi1", "wàn lǐ tiāo yī";
 * tone 0 or 5 is the neutral tone); without one, each character by its most
 * customary reading. Writes why each was taken or left to `results` (may be
 * null) and returns how many were taken, or QUOVANT_NOT_READY or
 * QUOVANT_NO_MEMORY (then nothing changed). Installs a new table: texts
 * handed back before are no longer valid, and, like installing a
 * dictionary, not while other threads ask. */
QUOVANT_API long SetPlayerIdioms(const QuovantChar *const *idioms, const QuovantChar *const *readings, size_t count,
                                 int *results);

/* Function pointer types for callers that bind the library at run time. */
typedef long (*QuovantGetIdiomCandidatesFn)(const QuovantChar *, const QuovantChar *const *, size_t,
                                            QuovantFacts *, size_t);
typedef int (*QuovantGetIdiomFactsFn)(const QuovantChar *, QuovantFacts *);
typedef long (*QuovantGetIdiomCountFn)(void);
typedef int (*QuovantGetIdiomFactsAtFn)(size_t, QuovantFacts *);
typedef int (*QuovantGetIdiomChainFn)(const QuovantChar *, const QuovantChar *, const QuovantChar **, size_t,
                                      size_t *);
typedef int (*QuovantHasIdiomMeaningsFn)(void);
typedef int (*QuovantOfferIdiomStreamFn)(int, const unsigned char *, size_t);
typedef long (*QuovantSetPlayerIdiomsFn)(const QuovantChar *const *, const QuovantChar *const *, size_t, int *);
typedef long (*QuovantGetIdiomCandidatesByRuleFn)(int, const QuovantChar *, const QuovantChar *const *, size_t,
                                                  QuovantFacts *, size_t);
typedef int (*QuovantGetIdiomFactsByRuleFn)(int, const QuovantChar *, QuovantFacts *);
typedef int (*QuovantGetIdiomFactsAtByRuleFn)(int, size_t, QuovantFacts *);
typedef int (*QuovantGetIdiomChainByRuleFn)(int, const QuovantChar *, const QuovantChar *, const QuovantChar **,
                                            size_t, size_t *);

#ifdef __cplusplus
}
#endif

#endif /* QUOVANT_KNOWLEDGE_H */
