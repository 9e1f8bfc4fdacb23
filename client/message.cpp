// Filling a message's numbered places.
#include "message.h"

std::string FilledMessage(std::string_view message, std::initializer_list<std::string_view> values)
{
    std::string filled;
    filled.reserve(message.size());
    for (std::size_t i = 0; i < message.size(); ++i) {
        const bool marked = message[i] == '%' && i + 1 < message.size() && message[i + 1] >= '1' && message[i + 1] <= '9';
        const std::size_t place = marked ? static_cast<std::size_t>(message[i + 1] - '1') : values.size();
        if (place < values.size()) {
            filled += values.begin()[place];
            ++i;
        } else {
            filled += message[i];
        }
    }
    return filled;
}
