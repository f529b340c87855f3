#pragma once
// The Windows Japanese fonts named by settings, layouts and print settings, and the installed
// IPA fonts that stand in for them. The half-width spellings appear in files edited by hand.
#include <QString>

#include <iterator>

namespace FontNames {

struct Substitution {
    const char* windowsName;
    const char* installedName;
};

inline constexpr Substitution kSubstitutions[] = {
    {"ＭＳ ゴシック", "IPAGothic"}, {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ 明朝", "IPAMincho"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},  {"MS Gothic", "IPAGothic"},        {"MS PGothic", "IPAPGothic"},
    {"MS Mincho", "IPAMincho"},     {"MS PMincho", "IPAPMincho"},
};

// The installed family that stands in for a Windows font name (letter case ignored); any other
// name comes back as it is.
inline QString InstalledFamily(const QString& name)
{
    for (const Substitution& s : kSubstitutions)
        if (name.compare(QString::fromUtf8(s.windowsName), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(s.installedName);
    return name;
}

}  // namespace FontNames
