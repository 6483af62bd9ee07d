// Small text helpers shared by every window.
#pragma once

#include <string>
#include <string_view>

// Removes leading and trailing blanks (spaces and tabs).
std::string_view Trim_Blanks(std::string_view text);

// Field n (from 0) of text split at delimiter, matched exactly, without
// surrounding blanks. An empty text gives the empty text; an n past the last
// field gives the last field.
std::string Get_Field(std::string_view text, std::string_view delimiter, int n);

// A system error (an errno value) for a message: the common ones said in
// Korean with the system's own text after it, "권한이 없습니다 (Permission
// denied)", so that the user reads the cause and a search still finds it;
// any other error as the system says it.
std::string System_Error_Text(int error);
