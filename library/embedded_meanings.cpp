// The meanings stream that travels inside the programs that offer meanings
// (libQuovant.so and the console tool), offered for unpacking on first use.
#include <cstddef>

#include "embedded.h"
#include "meanings.h"

extern const unsigned char MEANINGS_STREAM[];
extern const std::size_t MEANINGS_STREAM_SIZE;

void OfferEmbeddedMeanings()
{
    OfferMeanings(MEANINGS_STREAM, MEANINGS_STREAM_SIZE);
}
