// What the About window must show: its controls' places and sample pixels of
// its banner. Shared by the unit tests of the painting rules and the Wine
// test of the real window; plain data, no Win32.
#pragma once

namespace quillet::test {

struct ExpectedControl {
    const char* className;
    int x;
    int y;
    int width;
    int height;
};

// In creation order: banner, icon, body, separator, link, OK button.
inline constexpr ExpectedControl kAboutControls[] = {
    {"Static", 0, 0, 420, 70},     {"Static", 20, 100, 32, 32},      {"Static", 70, 100, 330, 145},
    {"Static", 10, 260, 410, 2},   {"QuilletLinkLabel", 20, 275, 200, 24}, {"Button", 330, 288, 80, 24},
};

struct BannerSample {
    int x;
    int y;
    int red;
    int green;
    int blue;
};

// Points of the gradient that neither the icon nor a text covers: both ends
// of both bands, and places where x / 2.5 rounds up and down.
inline constexpr BannerSample kBannerSamples[] = {
    {0, 0, 0, 0, 255},       {4, 3, 2, 2, 255},         {62, 2, 25, 25, 255},
    {201, 5, 80, 80, 255},   {419, 0, 168, 168, 255},   {419, 59, 168, 168, 255},
    {5, 58, 2, 2, 255},      {0, 60, 225, 225, 255},    {9, 65, 224, 224, 255},
    {210, 64, 183, 183, 255}, {419, 69, 142, 142, 255},
};

}  // namespace quillet::test
