// Pictures of what is on the screen, written as 24-bit BMP files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::e2e {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;  // bottom-up rows of width*3 bytes, each padded to 4
    int Stride() const { return (width * 3 + 3) & ~3; }
    // Distinct colours, counted up to limit.
    std::size_t CountColours(std::size_t limit = 1000) const;
};

// The screen's pixels inside rect (screen coordinates).
Picture CaptureScreen(const RECT& rect);

bool WriteBmp(const Picture& picture, const std::string& path);

// The folder for test artefacts: QUILLET_ARTIFACTS when set, else the
// current folder; with a trailing "\".
std::string ArtifactsFolder();

}  // namespace quillet::e2e
