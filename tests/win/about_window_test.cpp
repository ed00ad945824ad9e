// The About window as Help > About shows it, inspected from inside its own
// wait loop and closed each way a user can; and the version reader on real
// files.
#include "document_fixture.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "about/about_layout.h"
#include "about/about_texts.h"
#include "about/about_window_win.h"
#include "about/version_info_win.h"
#include "platform/function_by_name_win.h"
#include "platform/program_file_win.h"
#include "platform/win_handles.h"
#include "support/about_expected.h"
#include "support/recorded_links.h"

namespace quillet {
namespace {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<RGBQUAD> quads;  // top-down rows
    Rgb At(int x, int y) const {
        const RGBQUAD& q = quads[static_cast<std::size_t>(y) * width + x];
        return {q.rgbRed, q.rgbGreen, q.rgbBlue};
    }
    int Count(Rgb colour, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) count += At(x, y) == colour ? 1 : 0;
        }
        return count;
    }
};

Pixels ReadBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) return {};
    Pixels pixels{info.bmWidth, info.bmHeight,
                  std::vector<RGBQUAD>(static_cast<std::size_t>(info.bmWidth) * info.bmHeight)};
    BITMAPINFO request{};
    request.bmiHeader = {sizeof request.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.quads.data(), &request, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels ImageOf(HWND imageControl) {
    return ReadBitmap(reinterpret_cast<HBITMAP>(::SendMessageA(imageControl, STM_GETIMAGE, IMAGE_BITMAP, 0)));
}

// A control's picture of itself, as WM_PRINTCLIENT draws it.
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

// RunAbout runs `whileOpen` on this thread from inside the About window's
// wait loop, once the window is up; it must close the window. Should it not,
// a later timer closes it, so that a fault fails the test instead of hanging.
class AboutWindowTest : public DocumentTest {
protected:
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

    test::RecordedLinks opened_;

private:
    static std::function<void(HWND)>& Pending() {
        static std::function<void(HWND)> pending;
        return pending;
    }
    static bool& Rescued() {
        static bool rescued = false;
        return rescued;
    }
    static void CALLBACK OnInspectTimer(HWND, UINT, UINT_PTR, DWORD) {
        HWND about = ::FindWindowA(kAboutWindowClass, nullptr);
        if (!about || !::IsWindowVisible(about) || !Pending()) return;
        const std::function<void(HWND)> whileOpen = std::exchange(Pending(), nullptr);
        whileOpen(about);
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
    const LONG_PTR frameStyles = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(WS_CAPTION | WS_SYSMENU, ::GetWindowLongPtrA(about, GWL_STYLE) & frameStyles);
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

std::vector<HWND> ControlsInPlace(HWND about) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(about, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const test::ExpectedControl& want = test::kAboutControls[std::min(children.size(), std::size_t{5})];
        char className[64] = {};
        ::GetClassNameA(child, className, sizeof className);
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_STREQ(want.className, className) << children.size();
        const RECT place{want.x, want.y, want.x + want.width, want.y + want.height};
        EXPECT_TRUE(::EqualRect(&place, &r)) << children.size() << ": " << r.left << "," << r.top << " to "
                                             << r.right << "," << r.bottom;
        children.push_back(child);
    }
    EXPECT_EQ(std::size(test::kAboutControls), children.size());
    return children;
}

void ExpectTextsFontsAndFocus(HWND body, HWND link, HWND ok) {
    const std::string version = VersionInfoText(ProgramFilePath(), kAboutVersionEntries, true);
    EXPECT_NE(std::string::npos, version.find("\nProductName:\tQuillet\n"));
    EXPECT_EQ(AboutBody(version), test::WindowText(body));
    EXPECT_EQ("Visit Ferrowin Software", test::WindowText(link));
    EXPECT_EQ("OK", test::WindowText(ok));
    EXPECT_EQ(ok, ::GetFocus());
    EXPECT_EQ(BS_DEFPUSHBUTTON, ::GetWindowLongPtrA(ok, GWL_STYLE) & BS_TYPEMASK);
    const auto gui = reinterpret_cast<LRESULT>(::GetStockObject(DEFAULT_GUI_FONT));
    for (HWND control : {body, ok}) EXPECT_EQ(gui, ::SendMessageA(control, WM_GETFONT, 0, 0));
    // The link: underlined, blue text, the hand over it.
    LOGFONTA linkFont{};
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(link, WM_GETFONT, 0, 0)), sizeof linkFont, &linkFont);
    EXPECT_TRUE(linkFont.lfUnderline);
    const Pixels picture = PrintClient(link);
    EXPECT_GT(picture.Count(kLinkColour, 0, 0, picture.width, picture.height), 20);
    ::SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_HAND), ::GetCursor());
}

// The gradient where nothing covers it; the icon; white texts, the note
// ending at x 400; the separator's two rows.
void ExpectPictures(const Pixels& banner, const Pixels& separator) {
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
    EXPECT_GT(banner.Count(kBannerTextColour, 70, 10, 130, 28), 10);   // "About "
    EXPECT_GT(banner.Count(kBannerTextColour, 70, 28, 200, 60), 40);   // the title
    EXPECT_GT(banner.Count(kBannerTextColour, 250, 35, 400, 55), 40);  // the address
    EXPECT_GT(banner.Count(kBannerTextColour, 390, 35, 400, 55), 0);
    EXPECT_EQ(0, banner.Count(kBannerTextColour, 400, 0, 420, 70));
    ASSERT_EQ(410, separator.width);
    ASSERT_EQ(2, separator.height);
    EXPECT_EQ(410, separator.Count(SeparatorColour(0), 0, 0, 410, 1));
    EXPECT_EQ(410, separator.Count(SeparatorColour(1), 0, 1, 410, 2));
}

TEST_F(AboutWindowTest, WindowControlsTextsAndPictures) {
    RunAbout([this](HWND about) {
        ExpectWindowItself(about, Main());
        const std::vector<HWND> controls = ControlsInPlace(about);
        if (controls.size() == std::size(test::kAboutControls)) {
            ExpectTextsFontsAndFocus(controls[2], controls[4], controls[5]);
            ExpectPictures(ImageOf(controls[0]), ImageOf(controls[3]));
            EXPECT_EQ(32, ImageOf(controls[1]).width);
        }
        ::PostMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    });
    ExpectMainWindowBack();
    EXPECT_TRUE(opened_.Targets().empty());
}

TEST_F(AboutWindowTest, EachWayToCloseGivesTheMainWindowBack) {
    struct Way {
        const char* name;
        void (*close)(HWND about, HWND link);
        bool opensLink;
    };
    const Way ways[] = {
        {"OK", [](HWND about, HWND) { ::PostMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }, false},
        {"Enter", [](HWND, HWND) { ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1); }, false},
        {"close box", [](HWND about, HWND) { ::PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
        {"Esc", [](HWND, HWND) { ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); }, false},
        {"link",
         [](HWND, HWND link) {
             ::PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12));
             ::PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(10, 12));
         },
         true},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        opened_.Targets().clear();
        RunAbout([this, &way](HWND about) {
            // Meanwhile the main window's close request and commands are dropped.
            ::SendMessageA(Main(), WM_CLOSE, 0, 0);
            ::SendMessageA(Main(), WM_COMMAND, menu_id::kNew, 0);
            // A release that ends outside the link does not fire it.
            HWND link = ::FindWindowExA(about, nullptr, "QuilletLinkLabel", nullptr);
            ::SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(210, 12));
            way.close(about, link);
        });
        ExpectMainWindowBack();
        EXPECT_FALSE(QuitPosted());
        const std::vector<std::string> maker = {"http://quillet.example.org"};
        EXPECT_EQ(way.opensLink ? maker : std::vector<std::string>{}, opened_.Targets());
    }
}

TEST_F(AboutWindowTest, AQuitWhileOpenClosesItAndIsPassedOn) {
    RunAbout([](HWND) { ::PostQuitMessage(3); });
    EXPECT_EQ(nullptr, ::FindWindowA(kAboutWindowClass, nullptr));
    EXPECT_TRUE(::IsWindowEnabled(Main()));
    EXPECT_TRUE(QuitPosted());
}

TEST(VersionInfoText, TheProgramsOwnVersionResource) {
    const bool loadedBefore = ::GetModuleHandleA("version.dll") != nullptr;
    const std::string self = ProgramFilePath();
    const std::string named = VersionInfoText(self, 0x00A3, true);
    const std::string version = named.substr(13, named.find('\n') - 13);  // after "FileVersion:\t"
    EXPECT_EQ(std::string::npos, version.find_first_not_of("0123456789.")) << version;
    const std::string values = "Quillet text editor\nProductName:\tQuillet\nCompanyName:\tFerrowin Software";
    EXPECT_EQ("FileVersion:\t" + version + "\nFileDescription:\t" + values, named);
    EXPECT_EQ(version + "\nQuillet text editor\nQuillet\nFerrowin Software",
              VersionInfoText(self, 0x00A3, false));
    EXPECT_EQ("", VersionInfoText(self, 0, true));
    const std::string language = VersionInfoText(self, 0x1000, true);
    EXPECT_EQ(loadedBefore, ::GetModuleHandleA("version.dll") != nullptr) << "Version.dll was not released";
    // The resource's translation is 0x0409 with code page 1200: the name is
    // the system's own for 0x0409 ("English (United States)" on Windows,
    // "English" under Wine), whatever the code page.
    UniqueLibrary versionLibrary(::LoadLibraryA("version.dll"));
    using LanguageName = DWORD(WINAPI*)(DWORD, LPSTR, DWORD);
    const auto languageName = FunctionByName<LanguageName>(versionLibrary.Get(), "VerLanguageNameA");
    ASSERT_NE(nullptr, languageName);
    char name[128] = {};
    ASSERT_GT(languageName(0x0409, name, sizeof name), 0u);
    EXPECT_EQ("Language:\t" + std::string(name), language);
}

TEST(VersionInfoText, FilesWithoutAVersionResourceGiveNothing) {
    test::TempFolder folder;
    test::WriteFileBytes(folder.File("plain.exe"), "MZ not really a program");
    test::WriteFileBytes(folder.File("empty.exe"), "");
    const std::string paths[] = {folder.File("plain.exe"), folder.File("empty.exe"), folder.File("missing.exe"),
                                 folder.Path(), ""};
    for (const std::string& path : paths) {
        EXPECT_EQ("", VersionInfoText(path, 0x1FFF, true)) << path;
    }
}

}  // namespace
}  // namespace quillet
