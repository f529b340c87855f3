// The two label dialogs: what they show and the answer each button gives.
#include "lapfiles/ui/labeldialogs.h"

#include <gtest/gtest.h>

TEST(LabelDialogs, SplitDialogAnswers)
{
    for (int button : {1, 2}) {
        frmLapLabel dialog;
        dialog.setLapLabelData(QStringLiteral("00:03:00,00:04:00,00:08:00"));
        ASSERT_EQ(dialog.List1->count(), 3);
        EXPECT_EQ(dialog.List1->currentItem()->text(), QStringLiteral("00:08:00"));
        EXPECT_EQ(dialog.Command1->text(), QStringLiteral("総タイム"));
        EXPECT_EQ(dialog.Command2->text(), QStringLiteral("ラスポ→◎のラップ"));
        EXPECT_TRUE(dialog.answer().isEmpty());  // closed without a choice
        (button == 1 ? dialog.Command1 : dialog.Command2)->click();
        EXPECT_EQ(dialog.answer(), button == 1 ? QStringLiteral("総") : QStringLiteral("ラ"));
    }
}

TEST(LabelDialogs, CategoryDialogTakesTypedText)
{
    frmNameLabel dialog;
    dialog.setNameLabelData(QStringLiteral("Aki"));
    EXPECT_EQ(dialog.Label4->text(), QStringLiteral("Aki"));
    ASSERT_EQ(dialog.Combo1->count(), 3);
    EXPECT_EQ(dialog.Combo1->itemText(2), QStringLiteral("年齢"));
    EXPECT_TRUE(dialog.answer().isEmpty());
    dialog.Combo1->setEditText(QStringLiteral(" 所属 "));
    dialog.Command1->click();
    EXPECT_EQ(dialog.answer(), QStringLiteral("所属"));
}
