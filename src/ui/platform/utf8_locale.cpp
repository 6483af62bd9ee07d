#include "ui/platform/utf8_locale.h"

#include <clocale>
#include <vector>

#include <langinfo.h>
#include <strings.h>

namespace {

bool Ctype_Is_Utf8()
{
    const char *codeset = nl_langinfo(CODESET);
    return strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0;
}

} // namespace

std::string Use_Utf8_Ctype()
{
    const std::string current = std::setlocale(LC_CTYPE, nullptr);
    if (Ctype_Is_Utf8())
        return current;
    // ko_KR.eucKR@variant becomes ko_KR.UTF-8; C and POSIX have no language.
    const std::string language = current.substr(0, current.find_first_of(".@"));
    std::vector<std::string> names;
    if (language != "C" && language != "POSIX")
        names.push_back(language + ".UTF-8");
    names.push_back("C.UTF-8");
    for (const std::string &name : names)
        if (std::setlocale(LC_CTYPE, name.c_str()) && Ctype_Is_Utf8())
            return name;
    std::setlocale(LC_CTYPE, current.c_str());
    return current;
}
