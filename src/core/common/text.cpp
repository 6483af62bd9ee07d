#include "core/common/text.h"

std::string_view Trim_Blanks(std::string_view text)
{
    constexpr std::string_view blanks = " \t";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string Get_Field(std::string_view text, std::string_view delimiter, int n)
{
    if (text.empty())
        return {};
    if (delimiter.empty())
        return std::string(Trim_Blanks(text));
    std::size_t start = 0;
    for (int field = 0;; ++field) {
        const auto end = text.find(delimiter, start);
        if (field >= n || end == std::string_view::npos)
            return std::string(Trim_Blanks(text.substr(start, end == std::string_view::npos ? end : end - start)));
        start = end + delimiter.size();
    }
}
