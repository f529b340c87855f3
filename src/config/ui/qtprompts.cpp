#include "config/ui/qtprompts.h"

#include <QApplication>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QRegularExpression>
#include <QTreeView>

using Prompts::Answer;
using Prompts::Buttons;
using Prompts::Icon;

namespace {

const QString kCaption = QStringLiteral("SplitDuel");

// Where an input box appears: 600 by 2400 twips (40 by 160 pixels) from the top-left corner of
// the window that asks.
const QPoint kInputOffset(40, 160);

QMessageBox::Icon BoxIcon(Icon icon)
{
    switch (icon) {
        case Icon::None:
            return QMessageBox::NoIcon;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(Buttons buttons)
{
    switch (buttons) {
        case Buttons::Ok:
            return QMessageBox::Ok;
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The button that closing the box (Esc, the window's close button) stands for.
QMessageBox::StandardButton EscapeButton(Buttons buttons)
{
    switch (buttons) {
        case Buttons::Ok:
            return QMessageBox::Ok;
        case Buttons::YesNo:
            return QMessageBox::No;
        default:
            return QMessageBox::Cancel;
    }
}

// The first button is the default, as in the message boxes of Windows.
QMessageBox::StandardButton DefaultButton(Buttons buttons)
{
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? QMessageBox::Ok
                                                                  : QMessageBox::Yes;
}

QWidget* AskingWindow()
{
    return QApplication::activeWindow();
}

// "LAP形式 (*.lap)" with the pattern "*.lap" stays as it is; a description without its
// patterns gets them appended, since Qt reads the patterns from the parentheses. "*.*" means
// every file, names without a dot too, which Qt spells "*".
QString NameFilter(const QString& description, const QString& pattern)
{
    QString patterns = pattern;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns = patterns.simplified();
    const QString given = QLatin1Char('(') + patterns + QLatin1Char(')');
    QString text = description.trimmed();
    if (text.endsWith(given)) text = text.left(text.size() - given.size()).trimmed();
    QStringList list = patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& p : list)
        if (p == QLatin1String("*.*")) p = QStringLiteral("*");
    list.removeDuplicates();
    return text + QStringLiteral(" (") + list.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// The size column in the units of the desktop's own file windows ("12.5 KB", 1 KB = 1024 bytes)
// instead of Qt's "KiB", which the translations leave in English.
class FileSizeNames : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        constexpr int kSizeColumn = 1;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || index.column() != kSizeColumn || !files)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (files->isDir(source)) return QString();
        return QLocale().formattedDataSize(files->size(source), 1,
                                           QLocale::DataSizeTraditionalFormat);
    }
};

// Large enough that the name, size, type and date columns can be read.
constexpr QSize kFileDialogSize(800, 500);

// Qt's own dialog opens its detail columns narrow; they share the larger dialog instead, and
// sizes read as in the desktop's file windows.
void LayOutDetails(QFileDialog& dialog)
{
    dialog.setProxyModel(new FileSizeNames(&dialog));
    dialog.resize(kFileDialogSize);
    QTreeView* details = dialog.findChild<QTreeView*>();
    if (!details) return;
    const int widths[] = {300, 90, 140, 150};  // name, size, type, date modified
    for (int column = 0; column < 4; ++column)
        details->header()->resizeSection(column, widths[column]);
}

// The extension a save dialog gives a name typed without one: that of the filter's first
// pattern when it is a plain "*.ext" (patterns as in the filter text: "*.lap", "*.htm;*.html");
// none for "*.*" and other wildcards.
QString PatternSuffix(const QString& pattern)
{
    const QString first =
        pattern.split(QRegularExpression(QStringLiteral("[; ]")), Qt::SkipEmptyParts).value(0);
    if (!first.startsWith(QLatin1String("*."))) return QString();
    const QString suffix = first.mid(2);
    if (suffix.isEmpty() || suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')))
        return QString();
    return suffix;
}

}  // namespace

std::unique_ptr<QMessageBox> QtPrompts::buildMessageBox(const QString& text, Buttons buttons,
                                                        Icon icon, QWidget* parent)
{
    auto box =
        std::make_unique<QMessageBox>(BoxIcon(icon), kCaption, text, BoxButtons(buttons), parent);
    box->setDefaultButton(DefaultButton(buttons));
    box->setEscapeButton(EscapeButton(buttons));
    return box;
}

Answer QtPrompts::answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

Answer QtPrompts::ask(const QString& text, Buttons buttons, Icon icon)
{
    auto box = buildMessageBox(text, buttons, icon, AskingWindow());
    box->exec();
    QAbstractButton* clicked = box->clickedButton();
    if (!clicked) return answerOf(EscapeButton(buttons));
    return answerOf(box->standardButton(clicked));
}

std::unique_ptr<QInputDialog> QtPrompts::buildInputDialog(const QString& prompt,
                                                          const QString& title,
                                                          const QString& defaultText,
                                                          QWidget* parent)
{
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setWindowTitle(title.isEmpty() ? kCaption : title);
    dialog->setLabelText(prompt);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextValue(defaultText);
    if (parent) dialog->move(parent->frameGeometry().topLeft() + kInputOffset);
    return dialog;
}

std::optional<QString> QtPrompts::input(const QString& prompt, const QString& title,
                                        const QString& defaultText)
{
    auto dialog = buildInputDialog(prompt, title, defaultText, AskingWindow());
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    return dialog->textValue();
}

QStringList QtPrompts::nameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters.append(NameFilter(parts[i], parts[i + 1]));
    return filters;
}

std::unique_ptr<QFileDialog> QtPrompts::buildFileDialog(const Prompts::FileDialogRequest& request,
                                                        QWidget* parent)
{
    auto dialog = std::make_unique<QFileDialog>(parent, request.title);
    LayOutDetails(*dialog);
    const bool save = request.mode == Prompts::FileDialogRequest::Mode::Save;
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Open: the file must exist. Save: the folder must exist; overwriting is confirmed.
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        const int index = request.filterIndex >= 1 && request.filterIndex <= filters.size()
                              ? request.filterIndex
                              : 1;
        dialog->selectNameFilter(filters[index - 1]);
        // The save button proposes the loaded path without its extension, so a name without
        // one is given the extension of the chosen type (as the file dialog of Windows does)
        // rather than saved as an extensionless file beside the original.
        if (save) {
            const QStringList parts = request.filter.split(QLatin1Char('|'));
            QStringList suffixes;
            for (int i = 1; i < parts.size(); i += 2) suffixes.append(PatternSuffix(parts[i]));
            QFileDialog* d = dialog.get();
            d->setDefaultSuffix(suffixes.value(index - 1));
            QObject::connect(d, &QFileDialog::filterSelected, d,
                             [d, filters, suffixes](const QString& filter) {
                                 d->setDefaultSuffix(suffixes.value(filters.indexOf(filter)));
                             });
        }
    }
    // A folder is where the dialog starts, with no name proposed; a path proposes its name in
    // its folder.
    if (QFileInfo(request.fileName).isDir())
        dialog->setDirectory(request.fileName);
    else if (!request.fileName.isEmpty())
        dialog->selectFile(request.fileName);
    return dialog;
}

Prompts::FileDialogResult QtPrompts::fileDialog(const Prompts::FileDialogRequest& request)
{
    auto dialog = buildFileDialog(request, AskingWindow());
    Prompts::FileDialogResult result{QString(), request.filterIndex};
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return result;
    result.path = dialog->selectedFiles().first();
    const int chosen = nameFilters(request.filter).indexOf(dialog->selectedNameFilter());
    if (chosen >= 0) result.filterIndex = chosen + 1;
    return result;
}

std::unique_ptr<QFileDialog> QtPrompts::buildFolderDialog(const QString& title,
                                                          const QString& startFolder,
                                                          QWidget* parent)
{
    auto dialog =
        std::make_unique<QFileDialog>(parent, title.isEmpty() ? kCaption : title, startFolder);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    LayOutDetails(*dialog);
    return dialog;
}

QString QtPrompts::browseFolder(const QString& title, const QString& startFolder)
{
    auto dialog = buildFolderDialog(title, startFolder, AskingWindow());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return QString();
    return dialog->selectedFiles().first();
}
