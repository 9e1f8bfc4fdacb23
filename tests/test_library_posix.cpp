// libQuovant.so as a front end meets it: bound at run time with dlopen,
// initialised with InitIdioms, queried through GetIdioms; and the test
// builds with a damaged stream, which must refuse to initialise.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

#include "quovant.h"
#include "examples.h"
#include "support.h"

namespace {

struct Library {
    void *handle;
    QuovantGetIdiomsFn getIdioms;
    QuovantInitIdiomsFn initIdioms;
};

// Each path is opened privately and never closed, as a front end does.
Library Open(const char *path)
{
    void *handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(handle, nullptr) << dlerror();
    if (handle == nullptr)
        return {};
    return {handle, reinterpret_cast<QuovantGetIdiomsFn>(dlsym(handle, "GetIdioms")),
            reinterpret_cast<QuovantInitIdiomsFn>(dlsym(handle, "InitIdioms"))};
}

std::string Query(const Library &lib, const char16_t *text)
{
    char16_t buffer[260] = {};
    std::u16string(text).copy(buffer, 259);
    return ToUtf8(lib.getIdioms(buffer));
}

TEST(Library, AnswersOnlyAfterInitIdioms)
{
    const Library lib = Open(QUOVANT_GOOD_LIBRARY);
    ASSERT_NE(lib.getIdioms, nullptr);
    ASSERT_NE(lib.initIdioms, nullptr);
    EXPECT_EQ(Query(lib, u"一心一意"), "<null>") << "before InitIdioms";
    EXPECT_EQ(lib.initIdioms(), 1);
    EXPECT_EQ(lib.initIdioms(), 1) << "the same answer on a later call";
    EXPECT_EQ(Query(lib, u"一心一意"), AFTER_YI);
    EXPECT_EQ(Query(lib, u"lv"), AFTER_LV);
    EXPECT_EQ(Query(lib, u"   "), "<null>");
}

TEST(Library, DamagedStreamsRefuseToInitialise)
{
    for (const char *path : {QUOVANT_BAD_PINYIN_LIBRARY, QUOVANT_BAD_IDIOMS_LIBRARY}) {
        const Library lib = Open(path);
        ASSERT_NE(lib.initIdioms, nullptr) << path;
        EXPECT_EQ(lib.initIdioms(), 0) << path;
        EXPECT_EQ(lib.initIdioms(), 0) << path << ": the same answer on a later call";
        EXPECT_EQ(Query(lib, u"一心一意"), "<null>") << path;
        EXPECT_EQ(Query(lib, u"yi"), "<null>") << path;
    }
}

}  // namespace
