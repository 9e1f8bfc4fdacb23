/*
 * quovant.h: the public interface of the Quovant idiom library.
 *
 * GetIdioms suggests up to eight idioms that can follow a text in the idiom
 * chain game. What a caller must know:
 *   - Text is UTF-16, NUL-terminated, in and out.
 *   - The caller's buffer must be writable: it is trimmed in place (the white
 *     space of QuovantIsWhiteSpace, at both ends), and holds the trimmed text
 *     when the call returns.
 *   - The result ("idiom idiom ... ", each followed by one space) belongs to
 *     the library and stays valid only until the next call; copy it to keep it.
 *     Null or the empty string both mean that no idiom was found.
 *   - Calls must not overlap: one thread at a time.
 *
 * On Windows the library is Quovant.dll; loading it unpacks the dictionary
 * and the load fails when that is impossible. Elsewhere it is libQuovant.so,
 * and the caller runs InitIdioms once before the first GetIdioms.
 * No result lists more than QUOVANT_MAX_IDIOMS idioms.
 */
#ifndef QUOVANT_H
#define QUOVANT_H

#if defined(_WIN32)
#include <wchar.h>
typedef wchar_t QuovantChar;
#if defined(__i386__) || defined(_M_IX86)
#define QUOVANT_CALL __stdcall
#else
#define QUOVANT_CALL
#endif
#define QUOVANT_API
#else
#if !defined(__cplusplus)
#include <uchar.h>
#endif
typedef char16_t QuovantChar;
#define QUOVANT_CALL
#if defined(QUOVANT_BUILDING)
#define QUOVANT_API __attribute__((visibility("default")))
#else
#define QUOVANT_API
#endif
#endif

/* The most idioms that one GetIdioms result lists. */
#define QUOVANT_MAX_IDIOMS 8

#ifdef __cplusplus
extern "C" {
#endif

/* True for the white space that GetIdioms trims from both ends of a text, on
 * every platform: the Unicode White_Space characters of the Basic
 * Multilingual Plane, the ideographic space U+3000 that Chinese input
 * methods type among them. Callers that trim text as GetIdioms does use it. */
static inline int QuovantIsWhiteSpace(unsigned int c)
{
    return (c >= 0x0009 && c <= 0x000D) || c == 0x0020 || c == 0x0085 || c == 0x00A0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

/* Suggestions that can follow `text` (trimmed in place; may be null). Returns
 * the library's result buffer, possibly empty, or null when the trimmed text
 * is empty or the dictionary is not ready. */
QUOVANT_API QuovantChar *QUOVANT_CALL GetIdioms(QuovantChar *text);

/* Unpacks the dictionary on the first call. Returns 1 when it is ready and 0
 * when it could not be unpacked; every later call gives the same answer.
 * Exported by libQuovant.so; Quovant.dll unpacks its dictionary when it is
 * loaded and does not export it, and a program that links the library in
 * calls it itself. */
QUOVANT_API int InitIdioms(void);

/* Function pointer types for callers that bind the library at run time. */
typedef QuovantChar *(QUOVANT_CALL *QuovantGetIdiomsFn)(QuovantChar *text);
typedef int (*QuovantInitIdiomsFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* QUOVANT_H */
