// Running out of memory at any allocation is a failure of the library's
// entries, never a crash: a load that runs out leaves the dictionary as it
// was, and the knowledge answers -1 and builds the next time. Each case makes
// every allocation from the k-th on fail, for every k until one is enough.
#include <gtest/gtest.h>

#include "embedded.h"
#include "examples.h"
#include "failing_malloc.h"
#include "load.h"
#include "quovant_knowledge.h"
#include "support.h"

namespace {

TEST(OutOfMemory, ALoadWithoutMemoryLeavesTheDictionaryAsItWas)
{
    ASSERT_TRUE(LoadEmbeddedDictionary());
    int refusals = 0;
    for (long k = 0;; ++k) {
        const IdiomTable before = g_idiomTable;
        int loaded = 0;
        bool refused = false;
        {
            OutOfMemory failing(k);
            loaded = LoadIdiomTableFrom(IDIOM_STREAM, IDIOM_STREAM_SIZE);
            refused = OutOfMemory::Refused();
        }
        if (!refused) {
            ASSERT_EQ(loaded, 1) << "with every allocation it needs";
            break;
        }
        ++refusals;
        ASSERT_EQ(loaded, 0) << "allocation " << k << " refused";
        ASSERT_EQ(g_idiomTable.entries, before.entries) << "allocation " << k << " refused";
        ASSERT_EQ(QueryAsTheWindowsDo(GetIdioms, u"一心一意"), AFTER_YI) << "allocation " << k << " refused";
    }
    EXPECT_GT(refusals, 5);
}

TEST(OutOfMemory, TheKnowledgeWithoutMemorySaysSoAndBuildsNextTime)
{
    const auto yi = reinterpret_cast<const QuovantChar *>(u"一心一意");
    int refusals = 0;
    for (long k = 0;; ++k) {
        ASSERT_TRUE(LoadEmbeddedDictionary());  // a new dictionary: nothing built from it yet
        QuovantFacts facts{};
        int answer = 0;
        bool refused = false;
        {
            OutOfMemory failing(k);
            answer = GetIdiomFacts(yi, &facts);
            refused = OutOfMemory::Refused();
        }
        if (!refused) {
            ASSERT_EQ(answer, QUOVANT_FOUND) << "with every allocation it needs";
            break;
        }
        ++refusals;
        ASSERT_EQ(answer, QUOVANT_NO_MEMORY) << "allocation " << k << " refused";
        ASSERT_EQ(GetIdiomFacts(yi, &facts), QUOVANT_FOUND) << "after allocation " << k << " was refused";
        ASSERT_EQ(facts.followers, YI_FOLLOWERS);
    }
    EXPECT_GT(refusals, 5);
}

}  // namespace
