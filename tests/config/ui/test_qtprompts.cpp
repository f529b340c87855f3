#include "common/testsupport.h"
#include "config/ui/qtprompts.h"

#include <QAbstractButton>
#include <QDir>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

using Prompts::Answer;
using Prompts::Buttons;
using Prompts::FileDialogRequest;
using Prompts::Icon;

namespace {

const QString kOpenFilter = QStringLiteral(
    "LAP形式 (*.lap)|*.lap|CSV形式 (*.csv)|*.csv|テキスト形式 (*.txt)|*.txt|全てのファイル "
    "(*.*)|*.*");

}  // namespace

TEST(QtPromptsTest, MessageBoxesCarryTheCaptionTheIconAndTheButtons)
{
    const struct {
        Icon icon;
        QMessageBox::Icon expected;
    } icons[] = {{Icon::None, QMessageBox::NoIcon},
                 {Icon::Information, QMessageBox::Information},
                 {Icon::Exclamation, QMessageBox::Warning},
                 {Icon::Critical, QMessageBox::Critical},
                 {Icon::Question, QMessageBox::Question}};
    for (const auto& c : icons) {
        auto box = QtPrompts::buildMessageBox(QStringLiteral("ファイルを読み込めませんでした"),
                                              Buttons::Ok, c.icon);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("SplitDuel"));
        EXPECT_EQ(box->text(), QStringLiteral("ファイルを読み込めませんでした"));
        EXPECT_EQ(box->icon(), c.expected);
        EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

TEST(QtPromptsTest, SaveQuestionsOfferYesNoCancelAndClosingMeansCancel)
{
    auto box = QtPrompts::buildMessageBox(QStringLiteral("終了する前にデータを保存しますか？"),
                                          Buttons::YesNoCancel, Icon::Information);
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::Cancel));

    auto yesNo = QtPrompts::buildMessageBox(QStringLiteral("?"), Buttons::YesNo, Icon::Question);
    EXPECT_EQ(yesNo->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(yesNo->escapeButton(), yesNo->button(QMessageBox::No));

    EXPECT_EQ(QtPrompts::answerOf(QMessageBox::Yes), Answer::Yes);
    EXPECT_EQ(QtPrompts::answerOf(QMessageBox::No), Answer::No);
    EXPECT_EQ(QtPrompts::answerOf(QMessageBox::Ok), Answer::Ok);
    EXPECT_EQ(QtPrompts::answerOf(QMessageBox::Cancel), Answer::Cancel);
}

TEST(QtPromptsTest, InputBoxesShowPromptAndDefault)
{
    auto dialog = QtPrompts::buildInputDialog(QStringLiteral("大会名"), QString(),
                                              QStringLiteral("春の大会"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("SplitDuel"));
    EXPECT_EQ(dialog->labelText(), QStringLiteral("大会名"));
    EXPECT_EQ(dialog->textValue(), QStringLiteral("春の大会"));
    EXPECT_EQ(dialog->inputMode(), QInputDialog::TextInput);
}

TEST(QtPromptsTest, FiltersBecomeQtNameFiltersWithoutRepeatingThePatterns)
{
    EXPECT_EQ(QtPrompts::nameFilters(kOpenFilter),
              (QStringList{"LAP形式 (*.lap)", "CSV形式 (*.csv)", "テキスト形式 (*.txt)",
                           "全てのファイル (*)"}));
    EXPECT_EQ(QtPrompts::nameFilters(QStringLiteral("画像|*.png;*.PNG|ラップ|*.lap|全て|*.*")),
              (QStringList{"画像 (*.png *.PNG)", "ラップ (*.lap)", "全て (*)"}));
    EXPECT_EQ(QtPrompts::nameFilters(QString()), QStringList());
}

TEST(QtPromptsTest, TheOpenDialogWantsAnExistingFile)
{
    FileDialogRequest request;
    request.title = QStringLiteral("ラップファイル");
    request.filter = kOpenFilter;
    auto dialog = QtPrompts::buildFileDialog(request);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ラップファイル"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->nameFilters().size(), 4);
    EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("LAP形式 (*.lap)"));
    EXPECT_GE(dialog->width(), 800);
    EXPECT_GE(dialog->height(), 500);
    if (const QTreeView* details = dialog->findChild<QTreeView*>()) {  // Qt's own dialog
        EXPECT_GE(details->header()->sectionSize(0), 300);
    }
    // "全てのファイル" lists every file, names without a dot too.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"race.lap", "README"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // Qt takes the patterns from the parentheses of the filter.
    const QString filter = dialog->nameFilters().at(3);
    const qsizetype open = filter.lastIndexOf('(');
    const QStringList patterns =
        filter.mid(open + 1, filter.size() - open - 2).split(' ', Qt::SkipEmptyParts);
    const QStringList all = QDir(dir.path()).entryList(patterns, QDir::Files, QDir::Name);
    EXPECT_EQ(all, (QStringList{"README", "race.lap"}));  // names sorted by code point
}

// Sizes read as in the desktop's file windows, not in Qt's untranslated "KiB".
TEST(QtPromptsTest, TheDetailViewGivesSizesInKilobytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::pair<const char*, int> files[] = {{"small.lap", 300}, {"race.lap", 2560}};
    for (const auto& [name, bytes] : files) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(bytes, 'x'));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("old")));
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));  // as the program sets it
    FileDialogRequest request;
    request.filter = kOpenFilter;
    auto dialog = QtPrompts::buildFileDialog(request);
    auto* model = dialog->findChild<QFileSystemModel*>();
    const QTreeView* details = dialog->findChild<QTreeView*>();
    if (!model || !details) GTEST_SKIP() << "not Qt's own file dialog";
    dialog->setDirectory(dir.path());
    // The model reads the folder in a thread of its own.
    const QAbstractItemModel* shown = details->model();
    QElapsedTimer waited;
    waited.start();
    while (shown->rowCount(details->rootIndex()) < 3 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QStringList rows;
    for (int row = 0; row < shown->rowCount(details->rootIndex()); ++row) {
        const QModelIndex name = shown->index(row, 0, details->rootIndex());
        rows << name.data().toString() + " | " + name.siblingAtColumn(1).data().toString();
    }
    rows.sort();
    QLocale::setDefault(before);
    EXPECT_EQ(rows, QStringList({"old | ", "race.lap | 2.5 KB", "small.lap | 300 バイト"}));
}

TEST(QtPromptsTest, TheSaveDialogSelectsTheRequestedFilterAndConfirmsOverwriting)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = QStringLiteral("ラップファイル");
    request.filter = QStringLiteral(
        "LAP形式 (*.lap)|*.lap|CSV形式[横型] (*.csv)|*.csv|CSV形式[縦型] (*.csv)|*.csv");
    request.filterIndex = 3;
    auto dialog = QtPrompts::buildFileDialog(request);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("CSV形式[縦型] (*.csv)"));
}

// The save button proposes the loaded path without its extension: a name typed or kept without
// one gets the extension of the chosen type, and a name that has one keeps it.
TEST(QtPromptsTest, TheSaveDialogGivesANameWithoutExtensionThatOfTheChosenFilter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filter = QStringLiteral(
        "LAP形式 (*.lap)|*.lap|CSV形式[横型] (*.csv)|*.csv|全てのファイル (*.*)|*.*");
    request.fileName = dir.filePath(QStringLiteral("race"));
    auto dialog = QtPrompts::buildFileDialog(request);
    EXPECT_EQ(dialog->selectedFiles().value(0), dir.filePath(QStringLiteral("race.lap")));

    dialog->selectNameFilter(dialog->nameFilters().at(1));
    emit dialog->filterSelected(dialog->nameFilters().at(1));
    EXPECT_EQ(dialog->selectedFiles().value(0), dir.filePath(QStringLiteral("race.csv")));

    dialog->selectNameFilter(dialog->nameFilters().at(2));
    emit dialog->filterSelected(dialog->nameFilters().at(2));
    EXPECT_EQ(dialog->selectedFiles().value(0), dir.filePath(QStringLiteral("race")));

    request.fileName = dir.filePath(QStringLiteral("race.txt"));
    request.filterIndex = 1;
    auto named = QtPrompts::buildFileDialog(request);
    EXPECT_EQ(named->selectedFiles().value(0), dir.filePath(QStringLiteral("race.txt")));

    // The open dialog never invents a name.
    request.mode = FileDialogRequest::Mode::Open;
    EXPECT_TRUE(QtPrompts::buildFileDialog(request)->defaultSuffix().isEmpty());
}

TEST(QtPromptsTest, TheFolderBrowserShowsFoldersOnly)
{
    auto dialog = QtPrompts::buildFolderDialog(QStringLiteral("出力フォルダ"), QString());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("出力フォルダ"));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
}
