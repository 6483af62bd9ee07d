#include "core/common/text.h"

#include <cerrno>
#include <cstring>

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

std::string System_Error_Text(int error)
{
    const char *korean = nullptr;
    switch (error) {
    case EACCES:
    case EPERM:
        korean = "권한이 없습니다";
        break;
    case EROFS:
        korean = "읽기 전용 파일 시스템입니다";
        break;
    case ENOSPC:
    case EDQUOT:
        korean = "저장 공간이 부족합니다";
        break;
    case ENOENT:
        korean = "파일이나 폴더가 없습니다";
        break;
    case EISDIR:
        korean = "폴더입니다";
        break;
    case ENOTDIR:
        korean = "경로의 한 부분이 폴더가 아닙니다";
        break;
    case ELOOP:
        korean = "링크가 너무 많이 이어집니다";
        break;
    default:
        break;
    }
    const std::string system = std::strerror(error);
    return korean ? std::string(korean) + " (" + system + ")" : system;
}
