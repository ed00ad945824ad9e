// Where the About window and its parts go, and the colours it paints.
#pragma once

#include <cstdint>

namespace quillet {

struct AboutRect {
    int x;
    int y;
    int width;
    int height;
};

inline constexpr int kAboutClientWidth = 420;
inline constexpr int kAboutClientHeight = 325;

// The controls, in client coordinates, in the order they are made.
namespace about_place {
inline constexpr AboutRect kBanner{0, 0, 420, 70};
inline constexpr AboutRect kIcon{20, 100, 32, 32};
inline constexpr AboutRect kBody{70, 100, 330, 145};
inline constexpr AboutRect kSeparator{10, 260, 410, 2};
inline constexpr AboutRect kLink{20, 275, 200, 24};
inline constexpr AboutRect kOkButton{330, 288, 80, 24};
}  // namespace about_place

// What the banner holds besides its gradient: the program's icon stretched
// to 48 by 48, the caption and the title on the left, the maker's address
// ending at x 400.
namespace banner {
inline constexpr AboutRect kIcon{10, 5, 48, 48};
inline constexpr int kTextLeft = 70;
inline constexpr int kCaptionTop = 10;
inline constexpr int kTitleTop = 28;
inline constexpr int kNoteRight = 400;
inline constexpr int kNoteTop = 35;
inline constexpr int kSmallPoints = 10;  // caption and note
inline constexpr int kLargePoints = 16;  // title
}  // namespace banner

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Rgb& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

inline constexpr Rgb kBannerTextColour{255, 255, 255};
inline constexpr Rgb kLinkColour{0, 0, 255};

// The banner's gradient at (x, y): two bands, blue throughout, red and green
// rising to the right in the upper band (x / 2.5, rounded) and falling in the
// lower one from row 60 (225 - x / 5, rounded down).
Rgb BannerColour(int x, int y);

// The separator's two rows: grey over white.
Rgb SeparatorColour(int row);

// The left end of the banner note that is textWidth pixels wide.
int BannerNoteLeft(int textWidth);

struct AboutPoint {
    int x;
    int y;
};

// The top-left corner of the About window, width by height: centred over
// `over`, kept at non-negative screen coordinates, then raised 50 pixels
// (which may take it above the screen's top).
AboutPoint AboutWindowPosition(const AboutRect& over, int width, int height);

}  // namespace quillet
