#include "about/about_window_win.h"

#include <optional>

#include "about/about_images_win.h"
#include "about/about_layout.h"
#include "about/about_link_win.h"
#include "about/about_texts.h"
#include "about/version_info_win.h"
#include "platform/link_opener_win.h"
#include "platform/message_loop_win.h"
#include "platform/modal_win.h"
#include "platform/program_file_win.h"
#include "platform/win_handles.h"
#include "platform/window_parts_win.h"
#include "program/resource_ids.h"

namespace quillet {
namespace {

constexpr DWORD kAboutStyle = WS_CAPTION | WS_SYSMENU;
constexpr int kLinkId = 100;

enum class Outcome { Open, Closed, LinkFired };

// What one opening owns: the pictures and the link's font live until the
// window is gone.
struct AboutWindow {
    Outcome outcome = Outcome::Open;
    ScopedGdiObject banner;
    ScopedGdiObject icon;
    ScopedGdiObject separator;
    ScopedGdiObject linkFont;
};

AboutWindow* StateOf(HWND window) {
    return reinterpret_cast<AboutWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Finish(HWND window, Outcome outcome) {
    AboutWindow* state = StateOf(window);
    if (state && state->outcome == Outcome::Open) state->outcome = outcome;
}

LRESULT CALLBACK AboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return 0;
        if (LOWORD(wParam) == kLinkId) Finish(window, Outcome::LinkFired);
        // OK, or Enter and Esc as the dialog keys give them.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) Finish(window, Outcome::Closed);
        return 0;
    case WM_CLOSE:  // the close box and Alt+F4: the loop closes the window
        Finish(window, Outcome::Closed);
        return 0;
    case WM_DESTROY:
        Finish(window, Outcome::Closed);
        break;
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterAboutWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.lpfnWndProc = AboutWindowProc;
    windowClass.hIcon = ::LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(QUILLET_ICON));
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszClassName = kAboutWindowClass;
    return RegisterWindowClassOnce(windowClass);
}

AboutRect ScreenRectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Hidden, at its place: centred over the main window, then raised.
HWND CreateAboutWindow(HWND mainWindow, const std::string& title, AboutWindow& state) {
    if (!RegisterAboutWindowClass()) return nullptr;
    RECT frame{0, 0, kAboutClientWidth, kAboutClientHeight};
    ::AdjustWindowRectEx(&frame, kAboutStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const AboutPoint place = AboutWindowPosition(ScreenRectOf(mainWindow), width, height);
    return ::CreateWindowExA(0, kAboutWindowClass, title.c_str(), kAboutStyle, place.x, place.y, width,
                             height, nullptr, nullptr, ProgramInstance(), &state);
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, const AboutRect& place,
                 int id) {
    return CreateChildWindow(parent, className, text, style, 0, place.x, place.y, place.width, place.height, id);
}

void CreateImage(HWND parent, const AboutRect& place, const ScopedGdiObject& picture) {
    HWND image = CreateChild(parent, "Static", "", SS_BITMAP, place, 0);
    if (image && picture) {
        ::SendMessageA(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.Get()));
    }
}

ScopedGdiObject UnderlinedGuiFont() {
    LOGFONTA font{};
    if (!::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return ScopedGdiObject();
    font.lfUnderline = TRUE;
    return ScopedGdiObject(::CreateFontIndirectA(&font));
}

void CreateControls(HWND window, const std::string& texts, AboutWindow& state) {
    state.banner = PaintBanner(AboutTextOf(texts, AboutText::Caption), AboutTextOf(texts, AboutText::Title),
                               AboutTextOf(texts, AboutText::BannerNote));
    state.icon = PaintIconImage();
    state.separator = PaintSeparator();
    CreateImage(window, about_place::kBanner, state.banner);
    CreateImage(window, about_place::kIcon, state.icon);
    CreateChild(window, "Static", AboutTextOf(texts, AboutText::Body).c_str(), SS_LEFT | SS_NOPREFIX,
                about_place::kBody, 0);
    CreateImage(window, about_place::kSeparator, state.separator);
    const std::string linkText = AboutTextOf(texts, AboutText::LinkText);
    if (!linkText.empty()) {
        state.linkFont = UnderlinedGuiFont();
        const HGDIOBJ font = state.linkFont ? state.linkFont.Get() : ::GetStockObject(DEFAULT_GUI_FONT);
        CreateLinkLabel(window, kLinkId, about_place::kLink, linkText, static_cast<HFONT>(font));
    }
    CreateChild(window, "Button", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, about_place::kOkButton, IDOK);
}

// Runs until one of the three ways to close; the dialog keys (Enter, Esc,
// Tab) work as in a dialog box.
class AboutLoop final : public LoopOwner {
public:
    AboutLoop(HWND window, const AboutWindow& state) : window_(window), state_(state) {}
    bool KeepsRunning() const override { return state_.outcome == Outcome::Open; }
    bool TakesMessage(MSG& message) override { return ::IsDialogMessageA(window_, &message) != FALSE; }

private:
    HWND window_;
    const AboutWindow& state_;
};

}  // namespace

void RunAboutWindow(HWND mainWindow, const std::string& joinedTexts) {
    AboutWindow state;
    // The main window is disabled before the About window is made, so that
    // the About window is the one left enabled.
    std::optional<ModalScope> modal(std::in_place);
    HWND window = CreateAboutWindow(mainWindow, AboutTextOf(joinedTexts, AboutText::Title), state);
    if (window) {
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        CreateControls(window, joinedTexts, state);
        ::ShowWindow(window, SW_SHOWNORMAL);
        ::SetFocus(::GetDlgItem(window, IDOK));
        AboutLoop loop(window, state);
        RunMessageLoop(loop);
        if (state.outcome == Outcome::LinkFired) OpenLink(AboutTextOf(joinedTexts, AboutText::LinkTarget));
    }
    // The main window is enabled before the About window goes, so that the
    // system hands the activation back to it rather than to another program.
    modal.reset();
    if (window) ::DestroyWindow(window);
    ::SetActiveWindow(mainWindow);
}

void OnAbout(const CommandContext& context) {
    const std::string version = VersionInfoText(ProgramFilePath(), kAboutVersionEntries, true);
    RunAboutWindow(context.mainWindow, JoinAboutTexts(AboutTexts(version)));
}

}  // namespace quillet
