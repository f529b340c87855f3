// Lap files damaged after they were written: NUL blocks, an end in the middle of a line.
#include "lapfiles/lapdamage.h"
#include "race/textcodec.h"

#include "common/testsupport.h"

TEST(LapDamage, NulBlocksAndLinesCutShortAreDamage)
{
    const QString text = QStringLiteral(
        "$LAPFILE Ver=2\r\n$LAPFILE Rev=2\r\n$名称=春の大会\r\n$日時=\r\n$場所=\r\n$備考=\r\n\r\n"
        "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎\r\n"
        "M21,鈴木 次郎,,10:02:00,0,00:11:00,n/a,00:12:00\r\n");
    const QByteArray whole = TextCodec::toCp932(text);
    const QString nul = QStringLiteral("NUL バイトが含まれています");
    const QString cut = QStringLiteral("ファイルが行の途中で終わっています");
    const struct {
        const char* what;
        QByteArray bytes;
        QString damage;
    } cases[] = {
        {"as written", whole, QString()},
        {"last line whole, no line end (an editor's save)", whole.chopped(2), QString()},
        {"UTF-8, last line whole", "\xEF\xBB\xBF" + text.toUtf8().chopped(2), QString()},
        {"NUL block inside", whole.left(99) + QByteArray(512, '\0') + whole.mid(99), nul},
        {"cut inside the last time", whole.chopped(5), cut},
        {"cut before the last fields", whole.chopped(22), cut},
        {"cut after the column header", whole.left(whole.indexOf("M21") - 2), cut},
        {"UTF-8 cut inside the last time", "\xEF\xBB\xBF" + text.toUtf8().chopped(5), cut},
    };
    for (const auto& c : cases) EXPECT_EQ(basConvert::LapFileDamage(c.bytes), c.damage) << c.what;
}
