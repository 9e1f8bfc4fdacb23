// The tool's messages through glibc's gettext, from the catalogue beside the
// program.
#include <libintl.h>

#include <clocale>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "messages.h"

namespace {

const char TEXT_DOMAIN[] = "quovant";
const char SYSTEM_DOMAIN[] = "libc";  // glibc's own messages, strerror's among them

}  // namespace

void InitMessages()
{
    std::setlocale(LC_ALL, "");
    // Numbers are written the same in every language.
    std::setlocale(LC_NUMERIC, "C");
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        bindtextdomain(TEXT_DOMAIN, (program.parent_path().parent_path() / "share" / "locale").c_str());
    // Translations come as UTF-8 whatever the locale's own encoding, as all
    // the tool's other text does.
    bind_textdomain_codeset(TEXT_DOMAIN, "UTF-8");
    bind_textdomain_codeset(SYSTEM_DOMAIN, "UTF-8");
}

const char *Tr(const char *message)
{
    // gettext gives the catalogue's header for the empty message.
    return message[0] == '\0' ? message : dgettext(TEXT_DOMAIN, message);
}

std::string SystemErrorText(int error)
{
    // The English text, translated from glibc's catalogue as UTF-8, so that
    // a locale of another encoding never mixes encodings in a line.
    const locale_t english = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (english == static_cast<locale_t>(0))
        return std::strerror(error);
    const std::string text = dgettext(SYSTEM_DOMAIN, strerror_l(error, english));
    freelocale(english);
    return text;
}
