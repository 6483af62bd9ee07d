#include "gui/platform/fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

void Install_Korean_Fonts()
{
    // Gulim and Dotum are both plain sans-serif Korean faces.
    const QStringList sans = {QStringLiteral("NanumGothic"), QStringLiteral("NanumBarunGothic"),
                              QStringLiteral("Noto Sans CJK KR"), QStringLiteral("UnDotum")};
    for (const char *name : {kGulim, kDotum, "Gulim", "Dotum", "GulimChe", "DotumChe"})
        QFont::insertSubstitutions(QString::fromUtf8(name), sans);
}

namespace {

// The first installed font a design family is substituted by. Asking for the
// installed family itself spares Qt a search of every font on the system
// for a family that is not there, which costs more than the rest of the
// first window's text.
QString Installed_Family(const QString &design)
{
    static QHash<QString, QString> resolved;
    if (auto found = resolved.constFind(design); found != resolved.cend())
        return *found;
    for (const QString &substitute : QFont::substitutes(design))
        if (QFontDatabase::hasFamily(substitute))
            return *resolved.insert(design, substitute);
    // Nothing installed to stand in (or no substitutions yet): Qt's own
    // matching is all there is, and a later call may find one.
    return design;
}

} // namespace

QFont Design_Font(const char *family, double pointSize, bool bold)
{
    QFont font(Installed_Family(QString::fromUtf8(family)));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
