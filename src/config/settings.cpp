#include "config/settings.h"

#include "race/pathutil.h"
#include "race/textutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <memory>
#include <utility>

namespace basSettings {

namespace {

const QString kSettingsFileName = QStringLiteral("SplitDuel.ini");
const QString kOutputFolderKey = QStringLiteral("HtmlFolder");

QString& programPathOverride()
{
    static QString path;
    return path;
}

QString& settingsFolderOverride()
{
    static QString folder;
    return folder;
}

std::unique_ptr<IniFile>& settingsSlot()
{
    static std::unique_ptr<IniFile> file;
    return file;
}

// A folder the program can create its settings file in (or whose settings file it can change).
bool CanWriteSettingsIn(const QString& folder)
{
    const QFileInfo dir(folder);
    if (folder.isEmpty() || !dir.isDir() || !dir.isWritable()) return false;
    const QFileInfo file(QDir(folder).filePath(kSettingsFileName));
    return !file.exists() || file.isWritable();
}

// A program installed by the package manager (under /usr) never keeps its settings beside
// itself, not even when it runs as root and could write there: the package owns that folder.
bool IsSystemProgramFolder(const QString& folder)
{
    const QString path = QDir::cleanPath(folder) + QLatin1Char('/');
    for (const char* prefix : {"/usr/", "/bin/", "/sbin/"})
        if (path.startsWith(QLatin1String(prefix))) return true;
    return false;
}

QString UserSettingsFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("SplitDuel"));
}

std::unique_ptr<IniFile> OpenSettingsFile()
{
    QDir().mkpath(SettingsFolder());
    auto file = std::make_unique<IniFile>();
    file->setFileName(SettingsFilePath());
    return file;
}

// Decimal text of major + minor / 100, as the version is written: 1, 1.05, 2.1.
QString VersionText()
{
    return QString::number(MajorVersion + MinorVersion / 100.0, 'g', 15);
}

}  // namespace

QString ProgramPath()
{
    if (!programPathOverride().isEmpty()) return programPathOverride();
    return QCoreApplication::applicationFilePath();
}

void OverrideProgramPath(const QString& path)
{
    programPathOverride() = path;
}

QString ProgramFolder()
{
    return QFileInfo(ProgramPath()).absolutePath();
}

QString SettingsFolder()
{
    if (!settingsFolderOverride().isEmpty()) return settingsFolderOverride();
    const QString folder = ProgramFolder();
    if (IsSystemProgramFolder(folder)) return UserSettingsFolder();
    return CanWriteSettingsIn(folder) ? folder : UserSettingsFolder();
}

QString SettingsFilePath()
{
    return CbasGeneral::AddPathSeparator(SettingsFolder()) + kSettingsFileName;
}

IniFile& SettingsFile()
{
    if (!settingsSlot()) settingsSlot() = OpenSettingsFile();
    return *settingsSlot();
}

QString StoredSetting(const QString& key)
{
    const QString path = CbasGeneral::AddPathSeparator(SettingsFolder()) + kSettingsFileName;
    if (!QFileInfo(path).isFile()) return QString();
    IniFile file;
    file.setFileName(path);
    return file.Item(key);
}

QString OutputFolder()
{
    const QString stored = SettingsFile().Item(kOutputFolderKey);
    return stored.isEmpty() ? stored : CbasGeneral::ResolveRelativePath(stored, ProgramFolder());
}

void SetOutputFolder(const QString& folder)
{
    SettingsFile().setItem(kOutputFolderKey,
                           CbasGeneral::MakeRelativePath(folder, ProgramFolder()));
}

void LoadSettings()
{
    settingsSlot().reset();  // the previous store saves itself
    settingsSlot() = OpenSettingsFile();
    IniFile& settings = *settingsSlot();
    if (CbasGeneral::Val(settings.Item(QStringLiteral("Version"))) < 1) {
        WriteDefaultPrintSettings(DefaultSettings::SplitSheetPrint);
    }
    settings.setItem(QStringLiteral("Version"), VersionText());
    settings.Save();
}

namespace {

// The split-sheet print layout's defaults, in their fixed order.
void writeSplitSheetPrintDefaults()
{
    static const std::pair<const char*, const char*> defaults[] = {
        {"WidthSkhClassInterval", "10"},
        {"WidthSkhClassLabel", "25"},
        {"WidthSkhLapLabel", "22"},
        {"WidthSkhData", "21"},
        {"WidthSkhDataAnaMode", "19"},
        {"WidthSkhRank", "5.5"},
        {"WidthSkhAnalyze", "8"},
        {"WidthSkhDataInterval", "2"},
        {"WidthSkhRowInterval", "10"},
        {"HeightSkhNameDataInterval", "5"},
        {"HeightSkhSecondDataInterval", "1"},
        {"FontSkhClass", "ＭＳ ゴシック,60,False,False"},
        {"FontSkhNamae", "ＭＳ Ｐ明朝,12,False,False"},
        {"FontSkhNamaeLabel", "ＭＳ ゴシック,12,False,False"},
        {"FontSkhShozoku", "ＭＳ Ｐ明朝,9,False,False"},
        {"FontSkhShozokuLabel", "ＭＳ ゴシック,9,False,False"},
        {"FontSkhData", "ＭＳ Ｐ明朝,12,False,False"},
        {"FontSkhDataLabel", "ＭＳ ゴシック,12,False,False"},
        {"FontSkhRank", "ＭＳ 明朝,9,False,False"},
        {"FontSkhSecondData", "ＭＳ Ｐ明朝,8,False,True"},
        {"FontSkhRelative", "ＭＳ Ｐ明朝,8,False,True"},
        {"FontSkhMissTime", "ＭＳ Ｐ明朝,8,False,False"},
        {"FontSkhSecondDataLabel", "ＭＳ ゴシック,8,False,True"},
    };
    IniFile& settings = SettingsFile();
    for (const auto& [key, value] : defaults) {
        settings.setItem(QString::fromUtf8(key), QString::fromUtf8(value));
    }
}

}  // namespace

void WriteDefaultPrintSettings(DefaultSettings mode)
{
    switch (mode) {
        case DefaultSettings::Nothing:
            return;
        case DefaultSettings::SplitSheetPrint:
            writeSplitSheetPrintDefaults();
            return;
    }
}

void ResetSettings(const QString& folder)
{
    settingsSlot().reset();
    settingsFolderOverride() = folder;
}

}  // namespace basSettings
