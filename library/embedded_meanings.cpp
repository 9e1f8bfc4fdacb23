// The meanings and readings streams that travel inside the programs that
// offer the idiom knowledge (libQuovant.so and the console tool), offered
// for unpacking on first use.
#include <cstddef>

#include "embedded.h"
#include "meanings.h"
#include "readings.h"

extern const unsigned char MEANINGS_STREAM[];
extern const std::size_t MEANINGS_STREAM_SIZE;
extern const unsigned char READINGS_STREAM[];
extern const std::size_t READINGS_STREAM_SIZE;

void OfferEmbeddedMeanings()
{
    OfferMeanings(MEANINGS_STREAM, MEANINGS_STREAM_SIZE);
}

void OfferEmbeddedReadings()
{
    OfferReadings(READINGS_STREAM, READINGS_STREAM_SIZE);
}
