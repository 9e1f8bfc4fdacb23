// The tool's messages through glibc's gettext, from the catalogue beside the
// program.
#include <libintl.h>

#include <clocale>
#include <filesystem>
#include <system_error>

#include "messages.h"

namespace {

const char TEXT_DOMAIN[] = "quovant";

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
}

const char *Tr(const char *message)
{
    return dgettext(TEXT_DOMAIN, message);
}
