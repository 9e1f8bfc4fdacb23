// Loading a dictionary: unpack, check, key and index first, install last.
#include "load.h"

#include <cstdlib>
#include <memory>

#include "dictionary.h"
#include "index.h"
#include "unpack.h"

namespace {

// An unpacked table's buffer, freed unless it is installed.
using Buffer = std::unique_ptr<unsigned char, decltype(&std::free)>;

// Unpacks a stream of Entry records, checks them with `check`, and hands
// the buffer, its records and their count to `install`, which takes the
// buffer over once nothing can fail any more. 1 on success, else 0.
template <typename Entry, typename Check, typename Install>
int Load(const unsigned char *data, std::size_t length, Check check, Install install)
{
    unsigned char *bytes = nullptr;
    std::size_t size = 0;
    if (UnpackBlob(data, length, sizeof(Entry), &bytes, &size) != 0)
        return 0;
    Buffer buffer(bytes, &std::free);
    auto *entries = reinterpret_cast<Entry *>(bytes);
    const std::size_t count = size / sizeof(Entry);
    return check(entries, count) && install(buffer, entries, count) ? 1 : 0;
}

}  // namespace

int LoadPinyinTableFrom(const unsigned char *data, std::size_t length)
{
    return Load<PinyinEntry>(data, length, CheckPinyinRecords,
                             [](Buffer &buffer, PinyinEntry *entries, std::size_t count) {
                                 buffer.release();
                                 InstallPinyinTable(entries, count);
                                 return true;
                             });
}

int LoadIdiomTableFrom(const unsigned char *data, std::size_t length)
{
    return Load<IdiomEntry>(data, length, CheckIdiomRecords,
                            [](Buffer &buffer, IdiomEntry *entries, std::size_t count) {
                                KeyIdioms(entries, count);
                                IdiomIndex index;
                                if (!IndexOf(entries, count, index))
                                    return false;  // without memory for it, nothing changes
                                buffer.release();
                                InstallIdiomTable(entries, count);
                                InstallIdiomIndex(std::move(index));
                                return true;
                            });
}
