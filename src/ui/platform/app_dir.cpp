#include "ui/platform/app_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString App_Path_For(const QString &executableDir)
{
    const QString installed = QDir::cleanPath(executableDir + QStringLiteral("/../share/orvanta"));
    if (QFileInfo(installed).isDir())
        return installed;
    return QDir::cleanPath(executableDir);
}

QString App_Path() { return App_Path_For(QCoreApplication::applicationDirPath()); }
