#include "about/about_images_win.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdint>

#include "about/about_layout.h"
#include "platform/program_file_win.h"

namespace quillet {
namespace {

constexpr int kSystemIconIndex = 55;

// A picture whose pixels can be written directly as well as drawn on.
struct Canvas {
    ScopedGdiObject bitmap;
    std::uint8_t* bits = nullptr;  // top-down rows of blue, green, red
    int stride = 0;

    void Set(int x, int y, Rgb colour) const {
        std::uint8_t* pixel = bits + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3;
        pixel[0] = colour.blue;
        pixel[1] = colour.green;
        pixel[2] = colour.red;
    }
};

Canvas MakeCanvas(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    Canvas canvas;
    void* bits = nullptr;
    canvas.bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (canvas.bitmap) canvas.bits = static_cast<std::uint8_t*>(bits);
    canvas.stride = (width * 3 + 3) & ~3;
    return canvas;
}

UniqueIcon SmallIconOf(const std::string& file, int index) {
    HICON small = nullptr;
    if (::ExtractIconExA(file.c_str(), index, nullptr, &small, 1) == 0) return UniqueIcon();
    return UniqueIcon(small);
}

ScopedGdiObject MakeBannerFont(HDC dc, int points) {
    const int height = -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    return ScopedGdiObject(::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_DONTCARE, nullptr));
}

// A font that could not be made leaves the one in use.
void UseFont(HDC dc, const ScopedGdiObject& font) {
    if (font) ::SelectObject(dc, font.Get());
}

void DrawBannerTexts(HDC dc, const std::string& caption, const std::string& title, const std::string& note) {
    const ScopedGdiObject smallFont = MakeBannerFont(dc, banner::kSmallPoints);
    const ScopedGdiObject largeFont = MakeBannerFont(dc, banner::kLargePoints);
    const HGDIOBJ original = ::GetCurrentObject(dc, OBJ_FONT);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(kBannerTextColour.red, kBannerTextColour.green, kBannerTextColour.blue));
    UseFont(dc, smallFont);
    ::TextOutA(dc, banner::kTextLeft, banner::kCaptionTop, caption.c_str(), static_cast<int>(caption.size()));
    UseFont(dc, largeFont);
    ::TextOutA(dc, banner::kTextLeft, banner::kTitleTop, title.c_str(), static_cast<int>(title.size()));
    UseFont(dc, smallFont);
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, note.c_str(), static_cast<int>(note.size()), &extent);
    ::TextOutA(dc, BannerNoteLeft(extent.cx), banner::kNoteTop, note.c_str(), static_cast<int>(note.size()));
    ::SelectObject(dc, original);  // before the fonts go
}

}  // namespace

ScopedGdiObject PaintBanner(const std::string& caption, const std::string& title, const std::string& note) {
    const AboutRect& size = about_place::kBanner;
    Canvas canvas = MakeCanvas(size.width, size.height);
    if (!canvas.bits) return std::move(canvas.bitmap);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) canvas.Set(x, y, BannerColour(x, y));
    }
    const UniqueDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return std::move(canvas.bitmap);
    {
        const ScopedSelect select(dc.Get(), canvas.bitmap.Get());
        if (const UniqueIcon icon = SmallIconOf(ProgramFilePath(), 0)) {
            ::DrawIconEx(dc.Get(), banner::kIcon.x, banner::kIcon.y, icon.Get(), banner::kIcon.width,
                         banner::kIcon.height, 0, nullptr, DI_NORMAL);
        }
        DrawBannerTexts(dc.Get(), caption, title, note);
    }
    ::GdiFlush();
    return std::move(canvas.bitmap);
}

ScopedGdiObject PaintIconImage() {
    const AboutRect& size = about_place::kIcon;
    Canvas canvas = MakeCanvas(size.width, size.height);
    const UniqueDc dc(canvas.bits ? ::CreateCompatibleDC(nullptr) : nullptr);
    if (!dc) return std::move(canvas.bitmap);
    {
        const ScopedSelect select(dc.Get(), canvas.bitmap.Get());
        const RECT all{0, 0, size.width, size.height};
        ::FillRect(dc.Get(), &all, ::GetSysColorBrush(COLOR_3DFACE));
        if (const UniqueIcon icon = SmallIconOf("shell32.dll", kSystemIconIndex)) {
            ::DrawIconEx(dc.Get(), 0, 0, icon.Get(), size.width, size.height, 0, nullptr, DI_NORMAL);
        }
    }
    ::GdiFlush();
    return std::move(canvas.bitmap);
}

ScopedGdiObject PaintSeparator() {
    const AboutRect& size = about_place::kSeparator;
    Canvas canvas = MakeCanvas(size.width, size.height);
    if (!canvas.bits) return std::move(canvas.bitmap);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) canvas.Set(x, y, SeparatorColour(y));
    }
    return std::move(canvas.bitmap);
}

}  // namespace quillet
