#include "e2e/screen_capture.h"

#include <set>

namespace quillet::e2e {

std::size_t Picture::CountColours(std::size_t limit) const {
    std::set<uint32_t> colours;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bgr.data() + static_cast<std::size_t>(y) * Stride();
        for (int x = 0; x < width && colours.size() < limit; ++x) {
            colours.insert(row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16));
        }
    }
    return colours.size();
}

Picture CaptureScreen(const RECT& rect) {
    Picture picture;
    picture.width = rect.right - rect.left;
    picture.height = rect.bottom - rect.top;
    if (picture.width <= 0 || picture.height <= 0) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;  // bottom-up, as a BMP file keeps it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section && bits) {
        HGDIOBJ old = ::SelectObject(memory, section);
        ::BitBlt(memory, 0, 0, picture.width, picture.height, screen, rect.left, rect.top,
                 SRCCOPY | CAPTUREBLT);
        ::GdiFlush();
        const auto* first = static_cast<const uint8_t*>(bits);
        picture.bgr.assign(first, first + static_cast<std::size_t>(picture.Stride()) * picture.height);
        ::SelectObject(memory, old);
    }
    if (section) ::DeleteObject(section);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (picture.bgr.empty()) return {};
    return picture;
}

bool WriteBmp(const Picture& picture, const std::string& path) {
    if (picture.bgr.empty()) return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(picture.bgr.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;

    HANDLE out = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = ::WriteFile(out, &file, sizeof file, &written, nullptr) &&
              ::WriteFile(out, &header, sizeof header, &written, nullptr) &&
              ::WriteFile(out, picture.bgr.data(), header.biSizeImage, &written, nullptr);
    ::CloseHandle(out);
    return ok;
}

std::string ArtifactsFolder() {
    char folder[MAX_PATH * 4] = {};
    DWORD length = ::GetEnvironmentVariableA("QUILLET_ARTIFACTS", folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) {
        length = ::GetCurrentDirectoryA(sizeof folder, folder);
    }
    std::string path(folder, length);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path;
}

}  // namespace quillet::e2e
