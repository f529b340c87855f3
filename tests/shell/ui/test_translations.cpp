// Qt's own dialog texts come in Japanese once the translations are installed.
#include "common/testsupport.h"
#include "shell/ui/translations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

TEST(TranslationsTest, QtDialogsSpeakJapanese)
{
    QTranslator* translator = InstallQtTranslations();
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translations are not installed";
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));

    // The labels of the file dialog built by Qt itself ("Look in:", "File name:").
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_FALSE(labels.contains(QStringLiteral("Look in:"))) << labels.join('|').toStdString();
    EXPECT_FALSE(labels.contains(QStringLiteral("File &name:"))) << labels.join('|').toStdString();

    // What the file list says of a folder and of the kinds of files.
    const QTemporaryDir dir;
    EXPECT_EQ(QFileIconProvider().type(QFileInfo(dir.path())), QStringLiteral("フォルダー"));
    EXPECT_EQ(QMimeDatabase().mimeTypeForName(QStringLiteral("image/png")).comment(),
              QStringLiteral("PNG 画像"));
    EXPECT_TRUE(QCoreApplication::removeTranslator(translator));
    delete translator;
    QLocale::setDefault(QLocale::c());
}
