#include "reports/viewerpage.h"

#include "race/pathutil.h"
#include "race/version.h"
#include "reports/analysisjson.h"
#include "reports/embeddedfiles.h"
#include "reports/viewerdata.h"

#include <QCryptographicHash>

#include <cstring>

namespace basExport {

namespace {

// The viewer's modules, joined in the order of the build into one function scope.
QByteArray script()
{
    QByteArray joined = "(function () {\n'use strict';\n";
    for (const Embedded::EmbeddedFile* file = Embedded::ViewerFiles; file->name; ++file) {
        const size_t length = std::strlen(file->name);
        if (length > 3 && std::strcmp(file->name + length - 3, ".js") == 0)
            joined += QByteArray(file->data, file->size) + '\n';
    }
    return joined + "}());\n";
}

struct PageParts {
    QByteArray head;  // everything before the data
    QByteArray tail;  // everything after it
};

// The page around its data, made once. The content security policy lets only the page's own
// script run (by its hash) and allows no request at all.
const PageParts& pageParts()
{
    static const PageParts parts = [] {
        const QByteArray code = script();
        const QByteArray hash =
            "sha256-" + QCryptographicHash::hash(code, QCryptographicHash::Sha256).toBase64();
        QByteArray page = Embedded::FileBytes(Embedded::ViewerFiles, "page.html");
        page.replace("@VERSION@", ProgramVersion::Text().toUtf8());
        page.replace("@SCRIPTHASH@", hash);
        page.replace("@STYLE@", Embedded::FileBytes(Embedded::ViewerFiles, "viewer.css"));
        // The skeleton holds the data before the script; the script goes in last, so that no
        // marker is ever looked for in its text.
        const QByteArray dataMarker = "@DATA@", scriptMarker = "@SCRIPT@";
        const int dataAt = page.indexOf(dataMarker);
        const int scriptAt = page.indexOf(scriptMarker);
        const int between = dataAt + dataMarker.size();
        PageParts p;
        p.head = page.left(dataAt);
        p.tail =
            page.mid(between, scriptAt - between) + code + page.mid(scriptAt + scriptMarker.size());
        return p;
    }();
    return parts;
}

}  // namespace

QByteArray ViewerPage(const Race& race, const QStringList& classNames)
{
    const PageParts& parts = pageParts();
    return parts.head + ScriptSafeJson(ViewerJson(race, classNames)) + parts.tail;
}

bool WriteViewerPage(const Race& race, const QString& path, const QStringList& classNames)
{
    // An unchanged page keeps its file and its time (the shared writer leaves it alone), so a
    // web server or a copy sees no change.
    return CbasGeneral::WriteFileBytes(path, ViewerPage(race, classNames));
}

QString ViewerFileName(const QString& stem)
{
    return stem + QStringLiteral("_viewer.html");
}

}  // namespace basExport
