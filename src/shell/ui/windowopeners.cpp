#include "shell/ui/windowopeners.h"

#include <utility>

namespace WindowOpeners {

namespace {
Opener& editOpener()
{
    static Opener opener;
    return opener;
}

Opener& showOpener()
{
    static Opener opener;
    return opener;
}

Opener& outputOpener()
{
    static Opener opener;
    return opener;
}

void open(const Opener& opener, QWidget* owner)
{
    if (opener) opener(owner);
}
}  // namespace

void setEditWindowOpener(Opener opener)
{
    editOpener() = std::move(opener);
}
void setShowWindowOpener(Opener opener)
{
    showOpener() = std::move(opener);
}
void setOutputWindowOpener(Opener opener)
{
    outputOpener() = std::move(opener);
}

void OpenEditWindow(QWidget* owner)
{
    open(editOpener(), owner);
}
void OpenShowWindow(QWidget* owner)
{
    open(showOpener(), owner);
}
void OpenOutputWindow(QWidget* owner)
{
    open(outputOpener(), owner);
}

}  // namespace WindowOpeners
