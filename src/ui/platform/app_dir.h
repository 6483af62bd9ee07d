// Where the program reads its help documents and placement file from.
#pragma once

#include <QString>

// The executable's own folder in the build tree; ../share/orvanta beside an
// installed executable. Needs a QCoreApplication.
QString App_Path();

// The same rule on a given executable folder, for tests.
QString App_Path_For(const QString &executableDir);
