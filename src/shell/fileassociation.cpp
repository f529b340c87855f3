#include "shell/fileassociation.h"

#include "config/registry.h"
#include "config/settings.h"
#include "shell/desktopentry.h"
#include "shell/externaltool.h"

#include "race/pathutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace FileAssociation {

const FileType LapData = {"lap", "application/x-splitduel-lapdata", "ラップデータ"};
const FileType Automation = {"sda", "application/x-splitduel-automation",
                             "SplitDuel自動処理スクリプト"};

namespace {

QString DataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString MimeFolder()
{
    return QDir(DataHome()).filePath(QStringLiteral("mime"));
}

// Our globs outweigh the default 50, so ".sda" wins over an older type of the same extension.
QString MimeTypeXml(const FileType& type)
{
    return QStringLiteral(
               "  <mime-type type=\"%1\">\n"
               "    <comment>%2</comment>\n"
               "    <glob pattern=\"*.%3\" weight=\"80\"/>\n"
               "  </mime-type>\n")
        .arg(QString::fromUtf8(type.mimeType), QString::fromUtf8(type.description),
             QString::fromUtf8(type.extension));
}

QString MimePackage()
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info "
               "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n") +
           MimeTypeXml(LapData) + MimeTypeXml(Automation) + QStringLiteral("</mime-info>\n");
}

QString DesktopEntryText(const QString& programPath)
{
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Version=1.0\n"
               "Name=SplitDuel\n"
               "Exec=%1\n"
               "Terminal=false\n"
               "MimeType=%2;%3;\n"
               "Categories=Utility;\n")
        .arg(DesktopEntry::ExecLine(programPath), QString::fromUtf8(LapData.mimeType),
             QString::fromUtf8(Automation.mimeType));
}

// These files belong to the desktop, which reads them as UTF-8.
bool WriteUtf8File(const QString& path, const QString& text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    return CbasGeneral::WriteFileBytes(path, text.toUtf8(), CbasGeneral::LinkRule::FollowAny);
}

// Whether a file of the type would be opened by the program: asked for an empty sample file.
bool OpensWithProgram(const QTemporaryDir& dir, const FileType& type, const QString& program)
{
    const QString sample =
        dir.filePath(QStringLiteral("Kanrenduke_temp.") + QString::fromUtf8(type.extension));
    QFile file(sample);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.close();
    const QString found = CbasWinAPI::FindAssociatedProgram(sample);
    QFile::remove(sample);
    return found == program;
}

}  // namespace

QString DesktopEntryName()
{
    return QStringLiteral("splitduel.desktop");
}

QString DesktopEntryPath()
{
    return QDir(DataHome()).filePath(QStringLiteral("applications/") + DesktopEntryName());
}

QString MimePackagePath()
{
    return QDir(MimeFolder()).filePath(QStringLiteral("packages/splitduel.xml"));
}

}  // namespace FileAssociation

bool AssociationNeedsAsking()
{
    using namespace FileAssociation;
    if (basSettings::SettingsFile().Item(QStringLiteral("Kanrenduke")) == QLatin1String("False")) {
        return false;
    }
    // The sample files go to a temporary folder: the program folder may not be writable.
    QTemporaryDir dir;
    if (!dir.isValid()) return true;
    const QString program = basSettings::ProgramPath();
    const bool lapOk = OpensWithProgram(dir, LapData, program);
    const bool sdaOk = OpensWithProgram(dir, Automation, program);
    return !(lapOk && sdaOk);
}

void RegisterFileAssociations()
{
    using namespace FileAssociation;
    if (!WriteUtf8File(MimePackagePath(), MimePackage())) return;
    if (!WriteUtf8File(DesktopEntryPath(), DesktopEntryText(basSettings::ProgramPath()))) return;
    ExternalTool::Run(QStringLiteral("update-mime-database"), {MimeFolder()});
    ExternalTool::Run(QStringLiteral("xdg-mime"), {QStringLiteral("default"), DesktopEntryName(),
                                                   QString::fromUtf8(LapData.mimeType),
                                                   QString::fromUtf8(Automation.mimeType)});
}
