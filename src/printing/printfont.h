#pragma once
// The font descriptions of the print layout: "name,size,bold,italic" with the flags written
// "True" or "False". The Windows Japanese font names of the settings print with the IPA fonts.
#include <QFont>
#include <QString>

struct PrintFont {
    QString name;      // as stored; a leading "@" asks for vertical writing in reverse order
    double size = 10;  // points
    bool bold = false;
    bool italic = false;

    // The description with the size multiplied by scale; missing or unreadable fields keep the
    // values of fallback.
    static PrintFont Parse(const QString& text, const PrintFont& fallback, double scale = 1);
    // "name,size,True|False,True|False".
    QString ToText() const;
    // The Qt font: the family the name stands for, the size in points.
    QFont ToQFont() const;
};

// The installed family that prints a font name of the settings: "ＭＳ ゴシック" and
// "MS Gothic" print with IPAGothic, "ＭＳ Ｐ明朝" with IPAPMincho and so on; a leading "@"
// is dropped; other names are returned as they are.
QString PrintFontFamily(const QString& name);
