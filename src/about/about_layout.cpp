#include "about/about_layout.h"

#include "platform/window_place.h"

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
    const ScreenPoint centred = CentredOver(over.x, over.y, over.width, over.height, width, height);
    return {static_cast<int>(centred.x), static_cast<int>(centred.y) - kRaise};
}

}  // namespace quillet
