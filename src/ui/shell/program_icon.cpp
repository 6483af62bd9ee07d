#include "ui/shell/program_icon.h"

#include <QImage>
#include <QPixmap>

QIcon Program_Icon()
{
    const QImage icon(reinterpret_cast<const uchar *>(kProgramIcon), kIconSize, kIconSize,
                      QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(icon));
}
