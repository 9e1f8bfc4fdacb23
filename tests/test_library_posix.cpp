// libQuovant.so as a front end meets it: bound at run time with dlopen,
// initialised with InitIdioms, queried through GetIdioms; and the test
// builds with a damaged stream, which must refuse to initialise.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

#include "quovant.h"
#include "quovant_knowledge.h"
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
    return QueryAsTheWindowsDo(lib.getIdioms, text);
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

// The idiom knowledge as a caller binds it; meanings unpacked on first use.
TEST(Library, KnowsWhatAPlayerAsks)
{
    for (const char *path : {QUOVANT_GOOD_LIBRARY, QUOVANT_BAD_MEANINGS_LIBRARY}) {
        const bool damaged = path == std::string(QUOVANT_BAD_MEANINGS_LIBRARY);
        const Library lib = Open(path);
        ASSERT_NE(lib.initIdioms, nullptr);
        EXPECT_EQ(lib.initIdioms(), 1) << path << ": damaged meanings do not stop the dictionary";
        auto facts = reinterpret_cast<QuovantGetIdiomFactsFn>(dlsym(lib.handle, "GetIdiomFacts"));
        auto hasMeanings = reinterpret_cast<QuovantHasIdiomMeaningsFn>(dlsym(lib.handle, "HasIdiomMeanings"));
        ASSERT_NE(facts, nullptr);
        ASSERT_NE(hasMeanings, nullptr);
        QuovantFacts f{};
        ASSERT_EQ(facts(u"一心一意", &f), QUOVANT_FOUND) << path;
        EXPECT_EQ(ToUtf8(f.readings), "yi");
        EXPECT_GT(f.followers, 8u);
        EXPECT_EQ(hasMeanings(), damaged ? 0 : 1) << path;
        EXPECT_EQ(ToUtf8(f.meaning), damaged ? "<null>" : "只有一个心眼儿，没有别的考虑。") << path;
        EXPECT_EQ(Query(lib, u"一心一意"), AFTER_YI) << path;
    }
}

}  // namespace
