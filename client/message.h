// Messages for people with numbered places, %1 to %9, filled in one pass,
// and the mark of a message that a program may show translated. Plain C++,
// for every front end.
#ifndef QUOVANT_CLIENT_MESSAGE_H
#define QUOVANT_CLIENT_MESSAGE_H

#include <initializer_list>
#include <string>
#include <string_view>

// Marks an English message for the tool's translation catalogue where it is
// written (xgettext finds it); the tool translates it where it says it.
#define N_(message) message

// `message` with %1 replaced by the first of `values`, %2 by the second...;
// what replaces a place is never read again (a player may type "%2"). A
// place without a value is left as it stands.
std::string FilledMessage(std::string_view message, std::initializer_list<std::string_view> values);

#endif
