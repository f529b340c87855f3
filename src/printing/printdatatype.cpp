#include "printing/printdatatype.h"

namespace CbasPrinter {

const QStringList& PrintDataTypeNames()
{
    static const QStringList names = {
        QStringLiteral("ラップタイム"),
        QStringLiteral("積算タイム"),
        QStringLiteral("ラップタイム + 積算タイム"),
        QStringLiteral("解析データ"),
    };
    return names;
}

std::optional<PrintDataType> PrintDataTypeAt(int index)
{
    if (index < 0 || index >= PrintDataTypeNames().size()) return std::nullopt;
    return static_cast<PrintDataType>(index);
}

QString PrintDataTypeName(int printType, int dataType)
{
    const QStringList& names = PrintDataTypeNames();
    if (printType != 0 || dataType < 0 || dataType >= names.size()) return QString();
    return names[dataType];
}

}  // namespace CbasPrinter
