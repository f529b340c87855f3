#include "shell/ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);

// Texts of Qt that its Japanese translations leave in English: what a file dialog says of a
// folder or a drive.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        struct Text {
            const char* context;
            const char* source;
            const char* japanese;
        };
        static const Text texts[] = {
            {"QAbstractFileIconProvider", "Folder", "フォルダー"},
            {"QAbstractFileIconProvider", "Drive", "ドライブ"},
            {"QAbstractFileIconProvider", "Unknown", "不明"},
        };
        for (const Text& t : texts)
            if (std::strcmp(context, t.context) == 0 && std::strcmp(sourceText, t.source) == 0)
                return QString::fromUtf8(t.japanese);
        return QString();
    }
};

}  // namespace

void PreferJapaneseLocale()
{
    if (!qEnvironmentVariableIsEmpty("LC_ALL")) return;
    qputenv("LC_TIME", "ja_JP.UTF-8");
    qputenv("LC_MESSAGES", "ja_JP.UTF-8");
}

QTranslator* InstallQtTranslations()
{
    QCoreApplication* app = QCoreApplication::instance();
    QLocale::setDefault(kJapanese);
    QCoreApplication::installTranslator(new MissingQtTexts(app));
    // Owned by the application, so it lives as long as the texts are needed.
    auto* translator = new QTranslator(app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(kJapanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}
