#pragma once
// Running the desktop's command-line tools (xdg-mime, update-mime-database).
#include <QString>
#include <QStringList>

namespace ExternalTool {

// Runs the program with the arguments and waits at most timeoutMs. True when it ran and exited
// with status 0; its standard output goes to output when given.
bool Run(const QString& program, const QStringList& arguments, QString* output = nullptr,
         int timeoutMs = 30000);

}  // namespace ExternalTool
