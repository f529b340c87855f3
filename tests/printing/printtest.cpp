#include "printtest.h"

#include <QRegularExpression>
#include <QStandardPaths>

namespace printtest {

void addClass(const QString& name, const std::vector<Runner>& runners)
{
    clsClassData& cls = testRace().ClassList.add(name);
    const int legs = runners.empty() ? 0 : int(runners.front().legs.size());
    cls.ClassControlCount = legs - 1;
    cls.ClassLastGoalExist = true;
    for (const Runner& r : runners) {
        clsClassDataSub runner;
        runner.Namae = r.name;
        runner.Shozoku = r.club;
        for (int k = 0; k < int(r.legs.size()); ++k)
            runner.setLap(k + 1, r.legs[k] < 0 ? LapMerged : r.legs[k] / 86400.0);
        cls.Add(runner);
    }
}

bool popplerAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

static QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfText(const QString& path)
{
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
}

QImage pdfPage(const QString& path, const QString& base)
{
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), path, base});
    return QImage(base + QStringLiteral(".png"));
}

PdfInfo pdfInfo(const QString& path)
{
    const QString out = run(QStringLiteral("pdfinfo"), {path});
    PdfInfo info;
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
    if (pages.hasMatch()) info.pages = pages.captured(1).toInt();
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(out);
    if (size.hasMatch()) {
        info.widthPt = size.captured(1).toDouble();
        info.heightPt = size.captured(2).toDouble();
    }
    return info;
}

}  // namespace printtest
