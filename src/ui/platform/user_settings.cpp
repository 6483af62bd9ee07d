#include "ui/platform/user_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QSettings Settings() { return QSettings(QStringLiteral("orvanta"), QStringLiteral("orvanta")); }

} // namespace

QStringList Recent_Files() { return Settings().value(QStringLiteral("files/recent")).toStringList(); }

QString Last_Folder() { return Settings().value(QStringLiteral("files/lastFolder"), QDir::homePath()).toString(); }

void Remember_Folder(const QString &path)
{
    Settings().setValue(QStringLiteral("files/lastFolder"), QFileInfo(path).absolutePath());
}

void Remember_File(const QString &path, int keep)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList files = Recent_Files();
    files.removeAll(full);
    files.prepend(full);
    while (files.size() > keep)
        files.removeLast();
    Settings().setValue(QStringLiteral("files/recent"), files);
    Remember_Folder(full);
}
