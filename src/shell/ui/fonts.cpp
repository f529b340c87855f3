#include "shell/ui/fonts.h"

#include <QFontDatabase>

namespace {

// The Windows Japanese fonts named by settings and layouts, and their IPA equivalents. The
// half-width spellings appear in files edited by hand.
const struct {
    const char* windowsName;
    const char* ipaName;
} kSubstitutions[] = {
    {"ＭＳ ゴシック", "IPAGothic"}, {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ 明朝", "IPAMincho"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},  {"MS Gothic", "IPAGothic"},        {"MS PGothic", "IPAPGothic"},
    {"MS Mincho", "IPAMincho"},     {"MS PMincho", "IPAPMincho"},
};

}  // namespace

void InstallFontSubstitutions()
{
    for (const auto& s : kSubstitutions) {
        QFont::insertSubstitution(QString::fromUtf8(s.windowsName), QString::fromUtf8(s.ipaName));
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
