// The meanings, English, readings, commonness and customary readings
// streams that travel inside
// the programs that offer the idiom knowledge (libQuovant.so and the console
// tool), offered for unpacking on first use.
#include <cstddef>

#include "commonness.h"
#include "embedded.h"
#include "player.h"
#include "readings.h"
#include "texts.h"

extern const unsigned char MEANINGS_STREAM[];
extern const std::size_t MEANINGS_STREAM_SIZE;
extern const unsigned char ENGLISH_STREAM[];
extern const std::size_t ENGLISH_STREAM_SIZE;
extern const unsigned char READINGS_STREAM[];
extern const std::size_t READINGS_STREAM_SIZE;
extern const unsigned char COMMONNESS_STREAM[];
extern const std::size_t COMMONNESS_STREAM_SIZE;
extern const unsigned char CUSTOMARY_STREAM[];
extern const std::size_t CUSTOMARY_STREAM_SIZE;

void OfferEmbeddedTexts()
{
    OfferTexts(TEXT_MEANINGS, MEANINGS_STREAM, MEANINGS_STREAM_SIZE);
    OfferTexts(TEXT_ENGLISH, ENGLISH_STREAM, ENGLISH_STREAM_SIZE);
}

void OfferEmbeddedReadings()
{
    OfferReadings(READINGS_STREAM, READINGS_STREAM_SIZE);
}

void OfferEmbeddedCommonness()
{
    OfferCommonness(COMMONNESS_STREAM, COMMONNESS_STREAM_SIZE);
}

void OfferEmbeddedCustomaryReadings()
{
    OfferCustomaryReadings(CUSTOMARY_STREAM, CUSTOMARY_STREAM_SIZE);
}
