#pragma once
// The race viewer: one self-contained UTF-8 HTML page holding the analysis of the classes and
// the script and style that show it (from src/reports/viewer/), with no request to any other
// place. The page is the same for the same race, so an unchanged race leaves the file as it was.
#include "race/racevalue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace basExport {

// The page for the classes of the race named, in that order.
QByteArray ViewerPage(const Race& race, const QStringList& classNames);

// Writes the page through a temporary file renamed over path; false when it could not be
// written.
bool WriteViewerPage(const Race& race, const QString& path, const QStringList& classNames);

// The file name the output run gives the viewer beside the pages named by the template's stem
// (year prefix and file name): "<stem>_viewer.html".
QString ViewerFileName(const QString& stem);

}  // namespace basExport
