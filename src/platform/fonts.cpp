#include "platform/fonts.h"

#include <QStringList>

void Install_Korean_Fonts()
{
    // Gulim and Dotum are both plain sans-serif Korean faces.
    const QStringList sans = {QStringLiteral("NanumGothic"), QStringLiteral("NanumBarunGothic"),
                              QStringLiteral("Noto Sans CJK KR"), QStringLiteral("UnDotum")};
    for (const char *name : {kGulim, kDotum, "Gulim", "Dotum", "GulimChe", "DotumChe"})
        QFont::insertSubstitutions(QString::fromUtf8(name), sans);
}

QFont Design_Font(const char *family, double pointSize, bool bold)
{
    QFont font(QString::fromUtf8(family));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
