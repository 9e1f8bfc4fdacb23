// Loading a dictionary from the streams it is given: unpacking and checking
// (unpack.h), keying the idioms, indexing them, and installing the tables.
// A table is installed only when every step succeeded, with its index.
#ifndef QUOVANT_LOAD_H
#define QUOVANT_LOAD_H

#include <cstddef>

// Unpacks and checks a pinyin stream of `length` bytes and installs it as
// the pinyin table. Returns non-zero on success; 0 on failure, with the table
// left as it was.
int LoadPinyinTableFrom(const unsigned char *data, std::size_t length);

// Unpacks and checks an idiom stream of `length` bytes, keys its idioms by
// the pinyin table, indexes them and installs it as the idiom table. Returns
// non-zero on success; 0 on failure, with the table and its index left as
// they were.
int LoadIdiomTableFrom(const unsigned char *data, std::size_t length);

#endif
