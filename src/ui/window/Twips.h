#pragma once
// The window is laid out in twips; 15 twips make one logical pixel (96 dpi),
// which Qt scales on high-density screens.
#include <QRect>

namespace modLumentorMGW {

constexpr int TwipsPerPixel = 15;

constexpr int Twips(int twips) { return twips / TwipsPerPixel; }

inline QRect Twips(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

} // namespace modLumentorMGW
