// Writing LZMA-alone streams as the library's loader reads them: properties
// 0x5D, an 8 MiB dictionary, the exact uncompressed size in the header and
// no end marker. Used by the stream generator and by tests that need
// streams of their own.
#ifndef QUOVANT_STREAM_WRITER_H
#define QUOVANT_STREAM_WRITER_H

#include <string>

// The stream for `raw`, or the empty string when liblzma fails. The same
// input always gives the same bytes.
std::string CompressStream(const std::string &raw);

#endif
