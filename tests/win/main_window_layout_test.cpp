// The main window's layout on a started window: the editor fills the space
// between the button row and the status bar, the right-hand buttons follow
// the right edge, everything else stays put.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "support/main_window_probe.h"

namespace quillet {
namespace {

using test::ClientSize;
using test::Place;
using test::PlaceInParent;
using test::SetClientSize;

// Buttons that keep their creation place, by identifier and x.
const int kFixedButtons[][2] = {{5, 5}, {1, 30}, {2, 55}, {14, 180}, {13, 205}, {3, 230}, {7, 255}};
// The right-hand group: identifier and distance of the left edge from the
// client's right edge.
const int kRightButtons[][2] = {{6, 31}, {10, 56}, {11, 81}, {8, 108}};

class MainWindowLayoutTest : public test::StartedMainWindowTest {
protected:
    void SetUp() override { Start(); }

    long StatusBarHeight() { return PlaceInParent(Main().statusBar).height; }

    // Checks every child against the layout for the window's current client
    // size.
    void ExpectLaidOut() {
        const SIZE client = ClientSize(Main().window);
        const long w = client.cx;
        const long editorHeight = client.cy - StatusBarHeight() - 35 + 1;
        SCOPED_TRACE("client " + std::to_string(w) + " x " + std::to_string(client.cy));
        EXPECT_EQ(PlaceInParent(Main().editor), (Place{0, 35, w, std::max(0L, editorHeight)}));
        EXPECT_EQ(PlaceInParent(Main().frame), (Place{0, -5, w - 2, 40}));
        for (const auto& button : kRightButtons) {
            EXPECT_EQ(PlaceInParent(Main().buttons[button[0]]), (Place{w - button[1], 5, 24, 24}))
                << "button " << button[0];
        }
        ExpectFixedButtonsInPlace();
        const Place status = PlaceInParent(Main().statusBar);
        EXPECT_EQ(status.x, 0);
        EXPECT_EQ(status.width, w);
        EXPECT_EQ(status.y + status.height, client.cy);
    }

    void ExpectFixedButtonsInPlace() {
        for (const auto& button : kFixedButtons) {
            EXPECT_EQ(PlaceInParent(Main().buttons[button[0]]), (Place{button[1], 5, 24, 24}))
                << "button " << button[0];
        }
    }
};

TEST_F(MainWindowLayoutTest, StartUpShowsTheWindowLaidOutWithTheHiddenButtonGone) {
    EXPECT_TRUE(::IsWindowVisible(Main().window));
    EXPECT_FALSE(::IsWindowVisible(Main().buttons[12]));
    EXPECT_EQ(PlaceInParent(Main().buttons[12]), (Place{280, 5, 24, 24}));
    EXPECT_EQ(ClientSize(Main().window).cx, 600);
    ExpectLaidOut();
    // At the default width the editor's last pixel row lies under the status
    // bar's first.
    EXPECT_EQ(PlaceInParent(Main().editor).y + PlaceInParent(Main().editor).height,
              PlaceInParent(Main().statusBar).y + 1);
}

TEST_F(MainWindowLayoutTest, EveryResizeLaysTheChildrenOut) {
    const SIZE sizes[] = {{800, 600}, {401, 300}, {1000, 700}, {300, 200}, {601, 384}};
    for (const SIZE& size : sizes) {
        SetClientSize(Main().window, size.cx, size.cy);
        ASSERT_EQ(ClientSize(Main().window).cx, size.cx);
        ExpectLaidOut();
    }
}

TEST_F(MainWindowLayoutTest, WideningBy100MovesOnlyTheRightGroup) {
    SetClientSize(Main().window, 500, 400);
    const Place editor = PlaceInParent(Main().editor);
    const Place frame = PlaceInParent(Main().frame);
    Place right[4];
    for (int i = 0; i < 4; ++i) right[i] = PlaceInParent(Main().buttons[kRightButtons[i][0]]);

    SetClientSize(Main().window, 600, 400);
    EXPECT_EQ(PlaceInParent(Main().editor), (Place{editor.x, editor.y, editor.width + 100, editor.height}));
    EXPECT_EQ(PlaceInParent(Main().frame), (Place{frame.x, frame.y, frame.width + 100, frame.height}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(PlaceInParent(Main().buttons[kRightButtons[i][0]]),
                  (Place{right[i].x + 100, right[i].y, right[i].width, right[i].height}));
    }
    ExpectFixedButtonsInPlace();
}

TEST_F(MainWindowLayoutTest, ANarrowWindowLetsTheRightGroupRunOverTheLeft) {
    SetClientSize(Main().window, 200, 300);
    const long w = ClientSize(Main().window).cx;
    ASSERT_LE(w, 255);
    EXPECT_EQ(PlaceInParent(Main().buttons[8]).x, w - 108);
    EXPECT_LT(PlaceInParent(Main().buttons[8]).x, 255);  // over button 7
    ExpectLaidOut();
}

TEST_F(MainWindowLayoutTest, AClientTooShortForTheEditorGivesItNoHeight) {
    SetClientSize(Main().window, 400, 20);
    const SIZE client = ClientSize(Main().window);
    ASSERT_LE(client.cy, StatusBarHeight() + 34) << "the window could not be made that short";
    // The computed height is zero or less; the window system stores it as 0.
    EXPECT_EQ(PlaceInParent(Main().editor), (Place{0, 35, client.cx, 0}));
    ExpectLaidOut();

    SetClientSize(Main().window, 400, 300);  // and grows back
    ExpectLaidOut();
    EXPECT_GT(PlaceInParent(Main().editor).height, 0);
}

TEST_F(MainWindowLayoutTest, ResizesRunTheLayoutWhileAnotherWindowIsInTheForeground) {
    HWND other = ::CreateWindowExA(0, "STATIC", "another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                   50, 200, 100, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    test::ComeToFront(other);
    test::PumpMessages(50);
    if (::GetForegroundWindow() != other) {
        ::DestroyWindow(other);
        GTEST_SKIP() << "this display does not let the test change the foreground window";
    }
    SetClientSize(Main().window, 700, 500);
    EXPECT_EQ(::GetForegroundWindow(), other);
    ExpectLaidOut();
    ::DestroyWindow(other);
}

TEST_F(MainWindowLayoutTest, MaximisingAndRestoringLayOutEachTime) {
    ::ShowWindow(Main().window, SW_MAXIMIZE);
    ASSERT_TRUE(::IsZoomed(Main().window));
    ExpectLaidOut();
    ::ShowWindow(Main().window, SW_RESTORE);
    EXPECT_EQ(ClientSize(Main().window).cx, 600);
    ExpectLaidOut();
}

TEST_F(MainWindowLayoutTest, MinimisingLeavesTheChildrenWhereTheyAre) {
    SetClientSize(Main().window, 640, 420);
    const Place editor = PlaceInParent(Main().editor);
    const Place frame = PlaceInParent(Main().frame);
    const Place paste = PlaceInParent(Main().buttons[6]);

    ::ShowWindow(Main().window, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(Main().window));
    EXPECT_EQ(PlaceInParent(Main().editor), editor);
    EXPECT_EQ(PlaceInParent(Main().frame), frame);
    EXPECT_EQ(PlaceInParent(Main().buttons[6]), paste);

    ::ShowWindow(Main().window, SW_RESTORE);
    ASSERT_FALSE(::IsIconic(Main().window));
    EXPECT_EQ(ClientSize(Main().window).cx, 640);
    ExpectLaidOut();
}

}  // namespace
}  // namespace quillet
