// The program's text is UTF-8 in std::string; Qt's is QString. One pair of
// conversions for every place the two meet.
#pragma once

#include <QString>

#include <string>

inline QString Q(const std::string &s) { return QString::fromStdString(s); }
inline std::string S(const QString &s) { return s.toStdString(); }
