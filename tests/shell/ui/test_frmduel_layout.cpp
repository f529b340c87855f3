// The main window as a user meets it: race texts cut to their space without moving the window's
// size, and the keyboard on the function buttons.
#include "dueltest.h"

#include "config/ui/elidedlabel.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>

using namespace basDefinition;

TEST(ElidedLabelTest, CutsToTheWidthWithDotsAndKeepsWholeCharacters)
{
    const QFontMetrics metrics(QApplication::font());
    const QString name = QStringLiteral("第15回 春風カップ オリエンテーリング大会 𠮷野ステージ");
    EXPECT_EQ(ElidedLabel::Fit(name, metrics, metrics.horizontalAdvance(name)), name);
    for (int width : {40, 90, 150, metrics.horizontalAdvance(name) - 1}) {
        const QString shown = ElidedLabel::Fit(name, metrics, width);
        EXPECT_TRUE(shown.endsWith(QStringLiteral(" ..."))) << width;
        EXPECT_LE(metrics.horizontalAdvance(shown), width) << width;
        const QString start = shown.chopped(4);
        EXPECT_TRUE(name.startsWith(start)) << width;
        EXPECT_FALSE(start.back().isHighSurrogate()) << width;
        // One more character would not have fitted.
        const QString longer = name.left(start.size() + 1).trimmed() + QStringLiteral(" ...");
        EXPECT_GT(metrics.horizontalAdvance(longer), width) << width;
    }
    // Cut just after the high half of "𠮷": the pair is never split.
    const qsizetype pair = name.indexOf(QStringLiteral("𠮷"));
    const QString shown = ElidedLabel::Fit(
        name, metrics, metrics.horizontalAdvance(name.left(pair + 1) + QStringLiteral(" ...")));
    EXPECT_FALSE(shown.chopped(4).back().isHighSurrogate());
}

TEST_F(DuelTest, LongRaceTextsAreCutAndTheWindowKeepsItsSize)
{
    // The smallest size of the race panel with a short name: long texts must not change it.
    testRace().RaceInfo.RaceName = QStringLiteral("春");
    testRace().ClassList.add(QStringLiteral("M21"));
    window->ShowRaceInfo();
    const int smallest = window->minimumSizeHint().width();
    testDocument().resetRace();
    window->show();
    window->resize(smallest, 440);
    const QString name = QStringLiteral("とても長い大会名").repeated(12);
    const QString place = QStringLiteral("北の森 東地区 ").repeated(20);
    testRace().RaceInfo.RaceName = name;
    testRace().RaceInfo.RacePlace = place;
    testRace().ClassList.add(QStringLiteral("M21"));
    window->ShowRaceInfo();
    QApplication::processEvents();
    EXPECT_EQ(window->width(), smallest);
    EXPECT_EQ(window->minimumSizeHint().width(), smallest);
    for (ElidedLabel* label : {window->lblRaceName, window->lblRaceTerrain}) {
        EXPECT_TRUE(label->text().endsWith(QStringLiteral(" ..."))) << label->text().toStdString();
        EXPECT_TRUE(label->fullText().startsWith(label->text().chopped(4)));
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        EXPECT_LE(label->geometry().right(), window->PicRaceInfo->width());
    }
    EXPECT_EQ(window->lblRaceName->toolTip(), name);
    EXPECT_EQ(window->lblRaceTerrain->toolTip(), place);

    // A wider window shows more of the name; closing the race leaves the size to the user.
    const int shownBefore = window->lblRaceName->text().size();
    window->resize(smallest + 200, 440);
    QApplication::processEvents();
    EXPECT_GT(window->lblRaceName->text().size(), shownBefore)
        << window->width() << " " << window->lblRaceName->width();
    window->cmbFunc_Click(7);
    QApplication::processEvents();
    window->resize(smallest, 440);
    QApplication::processEvents();
    EXPECT_EQ(window->width(), smallest);
}

TEST_F(DuelTest, EnterAndReturnPressAFocusedFunctionButton)
{
    window->show();
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        const std::size_t before = prompts().fileRequests.size();
        window->cmbFunc[1]->setFocus();  // "開く": asks for a file
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(window->cmbFunc[1], &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(window->cmbFunc[1], &release);
        EXPECT_EQ(prompts().fileRequests.size(), before + 1) << key;
    }
}
