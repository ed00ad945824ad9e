// The About window as Help > About shows it, inspected from inside its own
// wait loop and closed each way a user can; and the version reader on real
// files.
#include "document_fixture.h"

#include <functional>
#include <vector>

#include "about/about_layout.h"
#include "about/about_texts.h"
#include "about/about_window_win.h"
#include "about/version_info_win.h"
#include "app/commands.h"
#include "platform/program_file_win.h"
#include "support/about_expected.h"
#include "ui/link_opener_win.h"

namespace quillet {
namespace {

std::vector<std::string>& Opened() {
    static std::vector<std::string> opened;
    return opened;
}

bool RecordOpen(const std::string& target) {
    Opened().push_back(target);
    return true;
}

// A bitmap's pixels, read back as top-down rows of blue, green, red.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;
    Rgb At(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {bgr[i + 2], bgr[i + 1], bgr[i]};
    }
};

Pixels ReadBitmap(HBITMAP bitmap) {
    Pixels pixels;
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) return pixels;
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 24;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned char> rows(static_cast<std::size_t>((info.bmWidth * 3 + 3) & ~3) * info.bmHeight);
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::GetDIBits(dc, bitmap, 0, info.bmHeight, rows.data(), &request, DIB_RGB_COLORS);
    ::DeleteDC(dc);
    for (int y = 0; y < info.bmHeight; ++y) {
        const unsigned char* row = rows.data() + static_cast<std::size_t>(y) * ((info.bmWidth * 3 + 3) & ~3);
        pixels.bgr.insert(pixels.bgr.end(), row, row + info.bmWidth * 3);
    }
    return pixels;
}

// The window's own picture of a control, as WM_PRINTCLIENT draws it.
Pixels PrintClient(HWND control) {
    RECT client{};
    ::GetClientRect(control, &client);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    Pixels pixels = ReadBitmap(bitmap);
    ::DeleteObject(bitmap);
    return pixels;
}

int CountColour(const Pixels& pixels, Rgb colour, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) count += pixels.At(x, y) == colour ? 1 : 0;
    }
    return count;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// Runs `whileOpen` on this thread from inside the About window's wait loop,
// once the window is up; it must close the window. Should it not, the window
// is closed after a while all the same, so that a failure cannot hang the run.
class AboutWindowTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        Opened().clear();
        SetShellOpenForTesting(RecordOpen);
    }
    void TearDown() override {
        SetShellOpenForTesting(nullptr);
        DocumentTest::TearDown();
    }

    void RunAbout(std::function<void(HWND about)> whileOpen) {
        Pending() = std::move(whileOpen);
        Rescued() = false;
        const UINT_PTR inspect = ::SetTimer(nullptr, 0, 50, OnInspectTimer);
        const UINT_PTR rescue = ::SetTimer(nullptr, 0, 15000, OnRescueTimer);
        DispatchMenuEvent(Context(), menu_id::kAbout);
        ::KillTimer(nullptr, inspect);
        ::KillTimer(nullptr, rescue);
        EXPECT_FALSE(Pending()) << "the About window never showed";
        EXPECT_FALSE(Rescued()) << "the About window did not close as asked";
    }

    void ExpectMainWindowBack() const {
        EXPECT_EQ(nullptr, ::FindWindowA(kAboutWindowClass, nullptr));
        EXPECT_TRUE(::IsWindowEnabled(Main()));
        EXPECT_EQ(Main(), ::GetActiveWindow());
        EXPECT_EQ(Editor(), ::GetFocus());
    }

private:
    static std::function<void(HWND)>& Pending() {
        static std::function<void(HWND)> pending;
        return pending;
    }
    static void CALLBACK OnInspectTimer(HWND, UINT, UINT_PTR, DWORD) {
        HWND about = ::FindWindowA(kAboutWindowClass, nullptr);
        if (!about || !::IsWindowVisible(about) || !Pending()) return;
        const std::function<void(HWND)> whileOpen = std::move(Pending());
        Pending() = nullptr;
        whileOpen(about);
    }
    static bool& Rescued() {
        static bool rescued = false;
        return rescued;
    }
    static void CALLBACK OnRescueTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (HWND about = ::FindWindowA(kAboutWindowClass, nullptr)) {
            Rescued() = true;
            ::PostMessageA(about, WM_CLOSE, 0, 0);
        }
    }
};

void ExpectWindowItself(HWND about, HWND mainWindow) {
    EXPECT_EQ("'Quillet'", test::WindowText(about));
    const LONG_PTR style = ::GetWindowLongPtrA(about, GWL_STYLE);
    EXPECT_EQ(WS_CAPTION | WS_SYSMENU,
              style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));
    EXPECT_TRUE(::GetWindowLongPtrA(about, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(nullptr, ::GetWindow(about, GW_OWNER));
    EXPECT_FALSE(::IsWindowEnabled(mainWindow));
    RECT client{};
    ::GetClientRect(about, &client);
    EXPECT_EQ(420, client.right);
    EXPECT_EQ(325, client.bottom);
    RECT frame{};
    RECT over{};
    ::GetWindowRect(about, &frame);
    ::GetWindowRect(mainWindow, &over);
    const AboutRect mainPlace{over.left, over.top, over.right - over.left, over.bottom - over.top};
    const AboutPoint expected =
        AboutWindowPosition(mainPlace, frame.right - frame.left, frame.bottom - frame.top);
    EXPECT_EQ(expected.x, frame.left);
    EXPECT_EQ(expected.y, frame.top);
}

void ExpectControlsInPlace(HWND about, const std::vector<HWND>& children) {
    ASSERT_EQ(std::size(test::kAboutControls), children.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
        const test::ExpectedControl& want = test::kAboutControls[i];
        RECT r{};
        ::GetWindowRect(children[i], &r);
        ::MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(want.className, ClassOf(children[i])) << i;
        EXPECT_EQ(want.x, r.left) << i;
        EXPECT_EQ(want.y, r.top) << i;
        EXPECT_EQ(want.width, r.right - r.left) << i;
        EXPECT_EQ(want.height, r.bottom - r.top) << i;
    }
}

void ExpectTextsFontsAndFocus(HWND body, HWND link, HWND ok) {
    const std::string version = VersionInfoText(ProgramFilePath(), kAboutVersionEntries, true);
    EXPECT_NE(std::string::npos, version.find("\nProductName:\tQuillet\n"));
    EXPECT_EQ(AboutBody(version), test::WindowText(body));
    EXPECT_EQ("Visit Ferrowin Software", test::WindowText(link));
    EXPECT_EQ("OK", test::WindowText(ok));
    EXPECT_EQ(ok, ::GetFocus());
    EXPECT_EQ(BS_DEFPUSHBUTTON, ::GetWindowLongPtrA(ok, GWL_STYLE) & BS_TYPEMASK);

    // The stock GUI font everywhere, underlined on the link.
    const auto gui = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    for (HWND control : {body, ok}) EXPECT_EQ(gui, ::SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA guiFont{};
    LOGFONTA linkFont{};
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(gui), sizeof guiFont, &guiFont);
    const auto linkFontHandle = reinterpret_cast<HGDIOBJ>(::SendMessageA(link, WM_GETFONT, 0, 0));
    ::GetObjectA(linkFontHandle, sizeof linkFont, &linkFont);
    EXPECT_TRUE(linkFont.lfUnderline);
    EXPECT_EQ(guiFont.lfHeight, linkFont.lfHeight);
    EXPECT_STREQ(guiFont.lfFaceName, linkFont.lfFaceName);

    // Blue text on the dialog colour, the hand over it.
    const Pixels linkPicture = PrintClient(link);
    EXPECT_GT(CountColour(linkPicture, kLinkColour, 0, 0, linkPicture.width, linkPicture.height), 20);
    ::SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_HAND), ::GetCursor());
}

Pixels ImageOf(HWND imageControl) {
    return ReadBitmap(reinterpret_cast<HBITMAP>(::SendMessageA(imageControl, STM_GETIMAGE, IMAGE_BITMAP, 0)));
}

// The gradient where nothing covers it, the icon, white texts, the note
// ending at x 400.
void ExpectBanner(const Pixels& banner) {
    ASSERT_EQ(420, banner.width);
    ASSERT_EQ(70, banner.height);
    for (const test::BannerSample& s : test::kBannerSamples) {
        const Rgb expected{static_cast<std::uint8_t>(s.red), static_cast<std::uint8_t>(s.green),
                           static_cast<std::uint8_t>(s.blue)};
        EXPECT_EQ(expected, banner.At(s.x, s.y)) << s.x << "," << s.y;
    }
    int iconPixels = 0;
    for (int y = 5; y < 53; ++y) {
        for (int x = 10; x < 58; ++x) iconPixels += banner.At(x, y) == BannerColour(x, y) ? 0 : 1;
    }
    EXPECT_GT(iconPixels, 200);
    EXPECT_GT(CountColour(banner, kBannerTextColour, 70, 10, 130, 28), 10);   // "About "
    EXPECT_GT(CountColour(banner, kBannerTextColour, 70, 28, 200, 60), 40);   // the title
    EXPECT_GT(CountColour(banner, kBannerTextColour, 250, 35, 400, 55), 40);  // the address
    EXPECT_GT(CountColour(banner, kBannerTextColour, 390, 35, 400, 55), 0);
    EXPECT_EQ(0, CountColour(banner, kBannerTextColour, 400, 0, 420, 70));
}

void ExpectSeparator(const Pixels& separator) {
    ASSERT_EQ(410, separator.width);
    ASSERT_EQ(2, separator.height);
    EXPECT_EQ(410, CountColour(separator, SeparatorColour(0), 0, 0, 410, 1));
    EXPECT_EQ(410, CountColour(separator, SeparatorColour(1), 0, 1, 410, 2));
}

TEST_F(AboutWindowTest, WindowControlsTextsAndPictures) {
    RunAbout([this](HWND about) {
        ExpectWindowItself(about, Main());
        const std::vector<HWND> children = Children(about);
        ExpectControlsInPlace(about, children);
        if (children.size() == std::size(test::kAboutControls)) {
            ExpectTextsFontsAndFocus(children[2], children[4], children[5]);
            ExpectBanner(ImageOf(children[0]));
            ExpectSeparator(ImageOf(children[3]));
            const Pixels icon = ImageOf(children[1]);
            EXPECT_EQ(32, icon.width);
            EXPECT_EQ(32, icon.height);
        }
        ::PostMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    });
    ExpectMainWindowBack();
    EXPECT_TRUE(Opened().empty());
}

TEST_F(AboutWindowTest, EachWayToCloseGivesTheMainWindowBack) {
    struct Way {
        const char* name;
        void (*close)(HWND about);
        bool opensLink;
    };
    const Way ways[] = {
        {"OK button", [](HWND about) { ::PostMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }, false},
        {"Enter", [](HWND) { ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1); }, false},
        {"close box", [](HWND about) { ::PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
        {"Esc", [](HWND) { ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); }, false},
        {"link",
         [](HWND about) {
             HWND link = ::FindWindowExA(about, nullptr, "QuilletLinkLabel", nullptr);
             ::PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12));
             ::PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(10, 12));
         },
         true},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Opened().clear();
        RunAbout([this, &way](HWND about) {
            // Meanwhile the main window's close request and commands are dropped.
            ::SendMessageA(Main(), WM_CLOSE, 0, 0);
            ::SendMessageA(Main(), WM_COMMAND, menu_id::kNew, 0);
            // A release that ends outside the link does not fire it.
            HWND link = ::FindWindowExA(about, nullptr, "QuilletLinkLabel", nullptr);
            ::SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(210, 12));
            way.close(about);
        });
        ExpectMainWindowBack();
        EXPECT_FALSE(QuitPosted());
        const std::vector<std::string> opened = {"http://quillet.example.org"};
        EXPECT_EQ(way.opensLink ? opened : std::vector<std::string>{}, Opened());
    }
}

TEST_F(AboutWindowTest, AQuitWhileOpenClosesItAndIsPassedOn) {
    RunAbout([](HWND) { ::PostQuitMessage(3); });
    EXPECT_EQ(nullptr, ::FindWindowA(kAboutWindowClass, nullptr));
    EXPECT_TRUE(::IsWindowEnabled(Main()));
    EXPECT_TRUE(QuitPosted());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

TEST(VersionInfoText, TheProgramsOwnVersionResource) {
    const bool loadedBefore = ::GetModuleHandleA("version.dll") != nullptr;
    const std::string self = ProgramFilePath();
    const std::vector<std::string> named = Lines(VersionInfoText(self, 0x00A3, true));
    ASSERT_EQ(4u, named.size());
    EXPECT_EQ(0u, named[0].find("FileVersion:\t"));
    const std::string version = named[0].substr(13);
    EXPECT_FALSE(version.empty());
    EXPECT_EQ(std::string::npos, version.find_first_not_of("0123456789.")) << version;
    EXPECT_EQ("FileDescription:\tQuillet text editor", named[1]);
    EXPECT_EQ("ProductName:\tQuillet", named[2]);
    EXPECT_EQ("CompanyName:\tFerrowin Software", named[3]);
    EXPECT_EQ(version + "\nQuillet text editor\nQuillet\nFerrowin Software",
              VersionInfoText(self, 0x00A3, false));
    EXPECT_EQ("", VersionInfoText(self, 0, true));
    const std::string language = VersionInfoText(self, 0x1000, true);
    EXPECT_EQ(0u, language.find("Language:\t"));
    EXPECT_GT(language.size(), 10u);
    EXPECT_EQ(loadedBefore, ::GetModuleHandleA("version.dll") != nullptr) << "Version.dll was not released";
}

TEST(VersionInfoText, FilesWithoutAVersionResourceGiveNothing) {
    test::TempFolder folder;
    const std::string text = folder.File("plain.exe");
    test::WriteFileBytes(text, "MZ not really a program");
    const std::string empty = folder.File("empty.exe");
    test::WriteFileBytes(empty, "");
    for (const std::string& path : {text, empty, folder.File("missing.exe"), folder.Path(), std::string()}) {
        EXPECT_EQ("", VersionInfoText(path, 0x1FFF, true)) << path;
        EXPECT_EQ("", VersionInfoText(path, 0x1000, false)) << path;
    }
}

}  // namespace
}  // namespace quillet
