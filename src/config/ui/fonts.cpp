#include "config/ui/fonts.h"

#include "race/fontnames.h"

#include <QFontDatabase>

void InstallFontSubstitutions()
{
    for (const auto& s : FontNames::kSubstitutions) {
        QFont::insertSubstitution(QString::fromUtf8(s.windowsName),
                                  QString::fromUtf8(s.installedName));
    }
}

QFont GridFont(int pointSize)
{
    QFont font(QStringLiteral("IPAGothic"), pointSize);
    font.setStyleHint(QFont::Monospace, QFont::PreferMatch);
    font.setFixedPitch(true);
    // Kerning would move characters off the columns the blanks line up.
    font.setKerning(false);
    return font;
}
