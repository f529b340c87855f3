#pragma once
// The program's version, written with the minor number as two digits: 1.00, 1.05, 2.10.
#include <QString>

namespace ProgramVersion {

constexpr int Major = 1;
constexpr int Minor = 0;

inline QString Text()
{
    return QString::number(Major) + QLatin1Char('.') +
           QStringLiteral("%1").arg(Minor, 2, 10, QLatin1Char('0'));
}

}  // namespace ProgramVersion
