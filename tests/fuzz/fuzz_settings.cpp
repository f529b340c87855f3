// The settings file reader on any bytes: it never fails, and what it read is kept by a save:
// a second store opened on the saved file answers every key as the first did.
#include "fuzzsupport.h"

#include "config/inifile.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::WriteInput(QStringLiteral("SplitDuel.ini"), data, size);
    QStringList keys;
    QStringList values;
    {
        IniFile first;
        first.setFileName(path);
        // Every key of the file as written, looked up through the store.
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QString text = TextCodec::fromCp932(file.readAll());
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const int equals = line.indexOf(QLatin1Char('='));
            if (equals <= 0) continue;
            keys << CbasGeneral::Trim(line.left(equals));
            values << first.Item(keys.last());
        }
        first.setItem(QStringLiteral("FuzzKey"), QStringLiteral("値"));
        first.Save();
    }
    IniFile second;
    second.setFileName(path);
    for (int i = 0; i < keys.size(); ++i)
        fuzz::Check(second.Item(keys[i]) == values[i], "a saved settings file keeps its values");
    fuzz::Check(second.Item(QStringLiteral("FuzzKey")) == QStringLiteral("値"),
                "a new key reaches the file");
    return 0;
}
