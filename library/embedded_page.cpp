// The streams that travel inside the page's module: the readings, offered
// for unpacking on first use. The meanings and the English do not travel
// inside it: the page fetches them as files of their own after its first
// answer and offers them then (OfferIdiomStream), so that the first answer
// comes sooner.
#include <cstddef>

#include "embedded.h"
#include "readings.h"

extern const unsigned char READINGS_STREAM[];
extern const std::size_t READINGS_STREAM_SIZE;

void OfferEmbeddedTexts()
{
}

void OfferEmbeddedReadings()
{
    OfferReadings(READINGS_STREAM, READINGS_STREAM_SIZE);
}
