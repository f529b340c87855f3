#pragma once
// The prompt service with real Qt windows: message boxes with the caption "SplitDuel", input
// boxes, the open/save dialog and the folder browser.
#include "race/prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <memory>

class QtPrompts : public Prompts::PromptService {
public:
    Prompts::Answer ask(const QString& text, Prompts::Buttons buttons, Prompts::Icon icon) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    Prompts::FileDialogResult fileDialog(const Prompts::FileDialogRequest& request) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;

    // The windows, built but not shown (so tests can inspect them).
    static std::unique_ptr<QMessageBox> buildMessageBox(const QString& text,
                                                        Prompts::Buttons buttons,
                                                        Prompts::Icon icon,
                                                        QWidget* parent = nullptr);
    static Prompts::Answer answerOf(QMessageBox::StandardButton button);
    static std::unique_ptr<QInputDialog> buildInputDialog(const QString& prompt,
                                                          const QString& title,
                                                          const QString& defaultText,
                                                          QWidget* parent = nullptr);
    static std::unique_ptr<QFileDialog> buildFileDialog(const Prompts::FileDialogRequest& request,
                                                        QWidget* parent = nullptr);
    static std::unique_ptr<QFileDialog> buildFolderDialog(const QString& title,
                                                          const QString& startFolder,
                                                          QWidget* parent = nullptr);
    // "LAP形式 (*.lap)|*.lap|全て (*.*)|*.*" as Qt name filters, one per description.
    static QStringList nameFilters(const QString& filter);
};
