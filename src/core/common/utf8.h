// UTF-8 as RFC 3629 defines it, and the checks that outside text goes
// through before it reaches a register.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// No overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
bool Valid_Utf8(std::string_view text);

// The number of characters (code points) of valid UTF-8 text.
std::size_t Code_Points(std::string_view text);

// A C0 control (tab and line breaks included), DEL, or a C1 control
// (U+0080..U+009F): nothing that can be typed into an entry field.
// The text must be valid UTF-8.
bool Has_Control_Character(std::string_view text);

// The text in double quotes, cut after its first `limit` characters with
// "…" so that a message never quotes a whole oversized field. Control
// characters are shown as U+FFFD, so a message cannot split a line either.
std::string Quote_Excerpt(std::string_view text, std::size_t limit = 40);
