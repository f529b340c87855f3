#pragma once
// The units the window layouts are given in: sizes in twips (15 to a pixel) and colours as
// Windows colour values 0x00BBGGRR. Every conversion of either goes through here.
#include <QColor>

#include <cstdint>

namespace WinUnits {

constexpr int TwipsPerPixel = 15;

// Whole pixels of a size in twips (rounded to the nearest pixel).
int TwipsToPixels(int twips);

// The colour of a Windows colour value: red in the low byte, blue in the third.
QColor ToColor(std::uint32_t bgr);

}  // namespace WinUnits
