#pragma once
// Fonts: the Windows Japanese font names used by the settings and layouts are mapped to the IPA
// fonts, and grids whose texts are aligned with blanks get a truly fixed-pitch font.
#include <QFont>

// Maps "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝" to IPAGothic, IPAPGothic,
// IPAMincho, IPAPMincho. Called once at start, after the application object exists.
void InstallFontSubstitutions();

// IPAGothic: every half-width character has the same advance and a full-width one twice that.
QFont GridFont(int pointSize = 9);
