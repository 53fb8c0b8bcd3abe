// Window geometry is given in twips; Qt works in logical pixels.
#pragma once

namespace talvair::platform {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace talvair::platform
