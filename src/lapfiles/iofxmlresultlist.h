#pragma once
// The result list itself: its event with the races of the event, and its class results with
// the persons' and relay teams' results of the race read.
#include "lapfiles/importedrace.h"
#include "lapfiles/raceformat.h"

#include <QXmlStreamReader>

namespace basConvert::IofXml {

// Reads the result list whose root element the reader has just entered, for the race of the
// event that the race asks for (raceNumber), else the first one.
ReadOutcome ReadResultList(QXmlStreamReader& xml, ImportedRace& race);

}  // namespace basConvert::IofXml
