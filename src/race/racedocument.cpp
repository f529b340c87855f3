#include "race/racedocument.h"

RaceDocument::RaceDocument(QObject* parent) : QObject(parent)
{
}

void RaceDocument::resetRace()
{
    race_ = Race();
    currentFilePath_.clear();
    dataModified_ = false;
    emit changed();
}

void RaceDocument::replaceRace(Race race, const QString& path)
{
    race_ = std::move(race);
    currentFilePath_ = path;
    emit changed();
}

void RaceDocument::setCurrentFilePath(const QString& path)
{
    if (path == currentFilePath_) return;
    currentFilePath_ = path;
    emit changed();
}

void RaceDocument::restoreHeader(const RaceHeader& header)
{
    race_.RaceInfo = header;
    emit changed();
}

void RaceDocument::setDataModified(bool modified)
{
    if (modified == dataModified_) return;
    dataModified_ = modified;
    emit changed();
}

bool RaceDocument::edit(const std::function<bool(Race&)>& edit)
{
    if (!edit(race_)) return false;
    dataModified_ = true;
    emit changed();
    return true;
}
