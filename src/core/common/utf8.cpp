#include "core/common/utf8.h"

#include <algorithm>

namespace {

// The length of the sequence starting at s[i] and its code point, or 0 for
// an ill-formed one.
std::size_t Sequence(std::string_view s, std::size_t i, char32_t &cp)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    // RFC 3629, section 4: the second byte's range depends on the first.
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        cp = c & 0x0F;
        if (c == 0xE0)
            low = 0xA0; // overlong
        else if (c == 0xED)
            high = 0x9F; // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        cp = c & 0x07;
        if (c == 0xF0)
            low = 0x90; // overlong
        else if (c == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char b = byte(i + k);
        if (k == 1 ? (b < low || b > high) : (b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    return length;
}

bool Is_Control(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

} // namespace

bool Valid_Utf8(std::string_view text)
{
    char32_t cp;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Sequence(text, i, cp);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::size_t Code_Points(std::string_view text)
{
    // Every character has one byte that is not a continuation byte.
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool Has_Control_Character(std::string_view text)
{
    char32_t cp;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Sequence(text, i, cp);
        if (n == 0)
            return false; // not UTF-8, which Valid_Utf8 tells
        if (Is_Control(cp))
            return true;
        i += n;
    }
    return false;
}

std::string Quote_Excerpt(std::string_view text, std::size_t limit)
{
    std::string out(1, '"');
    std::size_t i = 0, count = 0;
    char32_t cp;
    for (; i < text.size() && count < limit; ++count) {
        const std::size_t n = Sequence(text, i, cp);
        if (n == 0 || Is_Control(cp))
            out += "\xEF\xBF\xBD"; // U+FFFD
        else
            out.append(text.substr(i, n));
        i += n == 0 ? 1 : n;
    }
    if (i < text.size())
        out += "…";
    return out += '"';
}
