// Window geometry is given in twips; Qt works in logical pixels.
#pragma once

#include <QRect>

namespace talvair::platform {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }
// Twips to whole pixels, to the nearest (TwipsToPixels cuts); 0 for a value that is not finite.
int PixelsOf(double twips);

// A rectangle given in twips, in pixels.
inline QRect PixelRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

}  // namespace talvair::platform
