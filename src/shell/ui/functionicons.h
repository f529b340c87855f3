#pragma once
// The pictures of the main window, drawn in code: one per function button and the lap-chart
// emblems that decorate the two panels.
#include <QIcon>
#include <QPixmap>

// The picture of function button 0 … 8 (new, open, edit, save, show, output, exit, close, exit).
QIcon FunctionIcon(int index);

// A small lap chart: a few runners' lines crossing over the legs.
QPixmap LapChartEmblem(int width, int height);

// A control flag: the white and orange square split along its diagonal.
QPixmap ControlFlagEmblem(int size);
