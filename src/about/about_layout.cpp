#include "about/about_layout.h"

namespace quillet {
namespace {

constexpr int kLowerBandTop = 60;
constexpr int kRaise = 50;

std::uint8_t Level(int value) {
    if (value < 0) return 0;
    return static_cast<std::uint8_t>(value > 255 ? 255 : value);
}

}  // namespace

Rgb BannerColour(int x, int y) {
    // x / 2.5 rounded to the nearest is (4x + 5) / 10 in whole numbers; it
    // never falls on a half.
    const int level = y < kLowerBandTop ? (4 * x + 5) / 10 : 225 - x / 5;
    return {Level(level), Level(level), 255};
}

Rgb SeparatorColour(int row) { return row == 0 ? Rgb{160, 160, 160} : Rgb{255, 255, 255}; }

int BannerNoteLeft(int textWidth) { return banner::kNoteRight - textWidth; }

AboutPoint AboutWindowPosition(const AboutRect& over, int width, int height) {
    const int x = over.x + (over.width - width) / 2;
    const int y = over.y + (over.height - height) / 2;
    return {x < 0 ? 0 : x, (y < 0 ? 0 : y) - kRaise};
}

}  // namespace quillet
