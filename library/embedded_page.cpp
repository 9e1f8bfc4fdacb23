// The streams that travel inside the page's module: the readings, the
// commonness figures and the customary readings, offered for unpacking on first use. The meanings and
// the English do not travel inside it: the page fetches them as files of
// their own after its first answer and offers them then (OfferIdiomStream),
// so that the first answer comes sooner.
#include <cstddef>

#include "commonness.h"
#include "embedded.h"
#include "player.h"
#include "readings.h"

extern const unsigned char READINGS_STREAM[];
extern const std::size_t READINGS_STREAM_SIZE;
extern const unsigned char COMMONNESS_STREAM[];
extern const std::size_t COMMONNESS_STREAM_SIZE;
extern const unsigned char CUSTOMARY_STREAM[];
extern const std::size_t CUSTOMARY_STREAM_SIZE;

void OfferEmbeddedTexts()
{
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
