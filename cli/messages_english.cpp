// The tool's messages where the platform has no gettext (MinGW): English.
#include "messages.h"

void InitMessages()
{
}

const char *Tr(const char *message)
{
    return message;
}
