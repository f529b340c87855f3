#include "common/testsupport.h"
#include "config/ui/modal.h"

#include <QElapsedTimer>
#include <QTimer>

TEST(ModalTest, OffscreenAModalWindowReturnsAtOnceAsIfClosed)
{
    ASSERT_TRUE(IsOffscreen());
    QDialog dialog;
    // Were the dialog really shown, this would accept it as soon as its event loop ran.
    QTimer::singleShot(0, &dialog, &QDialog::accept);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ExecModal(dialog), QDialog::Rejected);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(dialog.isVisible());
}
