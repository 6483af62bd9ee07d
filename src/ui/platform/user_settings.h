// What the program keeps for each user between runs: the recent taxpayer
// files and the folder where the file dialogs start.
#pragma once

#include <QString>
#include <QStringList>

// The recent files, newest first.
QStringList Recent_Files();
// The folder of the last file chosen in a file dialog, or opened or saved;
// the home folder before any.
QString Last_Folder();
// The folder of `path` becomes the last folder.
void Remember_Folder(const QString &path);
// `path` becomes the newest recent file (at most `keep` are kept) and its
// folder the last folder.
void Remember_File(const QString &path, int keep);
