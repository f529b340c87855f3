#pragma once
// A race as a value: its header and its classes in class order, with their runners. A load
// builds one aside and hands it over whole to a document (racedocument.h).
#include "race/race.h"

struct Race {
    RaceHeader RaceInfo;
    ClassCollection ClassList;  // also the class-name order
};
