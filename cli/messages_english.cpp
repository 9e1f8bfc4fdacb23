// The tool's messages where the platform has no gettext (MinGW): English.
#include "messages.h"

#include <cstring>

void InitMessages()
{
}

const char *Tr(const char *message)
{
    return message;
}

std::string SystemErrorText(int error)
{
    return std::strerror(error);
}
