#include "ui/layout.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quillet {
namespace {

TEST(Buttons, CreationOrderAndPlaces) {
    int previousId = 0;
    for (const ButtonPlace& b : kButtons) {
        EXPECT_GT(b.id, previousId) << "created in the order of their identifiers";
        previousId = b.id;
        EXPECT_NE(b.id, 4);
        EXPECT_NE(b.id, 9);
        EXPECT_LE(b.bitmapWidth, kButtonSize) << b.id;
        EXPECT_LE(b.bitmapHeight, kButtonSize) << b.id;
        // The right-hand group starts where a layout at width 601 puts it,
        // except button 8, which the first layout moves from 490 to 493.
        if (b.offsetFromRight != 0 && b.id != 8) {
            EXPECT_EQ(b.xAtCreation, 601 - b.offsetFromRight) << b.id;
        }
    }
    EXPECT_EQ(kButtons[2].bitmapWidth, 16);   // 3: letter W, 16 by 12
    EXPECT_EQ(kButtons[2].bitmapHeight, 12);
    EXPECT_EQ(kButtons[5].bitmapWidth, 17);   // 7: 17 by 17
    EXPECT_EQ(kButtons[9].bitmapHeight, 16);  // 12: 18 by 16
    EXPECT_EQ(kButtons[9].xAtCreation, 280);
    EXPECT_EQ(kButtons[6].xAtCreation, 490);
}

TEST(ComputeLayout, FollowsTheClientArea) {
    const LayoutResult r = ComputeLayout({601, 400, 20, kEditorAtCreation.y});
    EXPECT_EQ(r.editorWidth, 601);
    EXPECT_EQ(r.editorHeight, 400 - 20 - 35 + 1);
    EXPECT_EQ(r.frameWidth, 599);
    const ButtonX expected[] = {{6, 570}, {10, 545}, {11, 520}, {8, 493}};
    for (std::size_t i = 0; i < r.rightButtons.size(); ++i) {
        EXPECT_EQ(r.rightButtons[i].id, expected[i].id);
        EXPECT_EQ(r.rightButtons[i].x, expected[i].x);
    }
}

TEST(ComputeLayout, WideningMovesTheRightGroupByTheSameAmount) {
    const LayoutResult a = ComputeLayout({700, 500, 22, kEditorAtCreation.y});
    const LayoutResult b = ComputeLayout({800, 500, 22, kEditorAtCreation.y});
    EXPECT_EQ(b.editorWidth - a.editorWidth, 100);
    EXPECT_EQ(b.frameWidth - a.frameWidth, 100);
    EXPECT_EQ(b.editorHeight, a.editorHeight);
    for (std::size_t i = 0; i < a.rightButtons.size(); ++i) {
        EXPECT_EQ(b.rightButtons[i].x - a.rightButtons[i].x, 100);
    }
}

TEST(ComputeLayout, TinyClientGivesNonPositiveEditorHeightAsComputed) {
    EXPECT_EQ(ComputeLayout({300, 54, 20, kEditorAtCreation.y}).editorHeight, 0);
    EXPECT_EQ(ComputeLayout({0, 0, 20, kEditorAtCreation.y}).editorHeight, -54);
    EXPECT_EQ(ComputeLayout({0, 0, 20, kEditorAtCreation.y}).frameWidth, -2);
}

TEST(UsableGeometry, FallsBackOnlyForANonPositiveClientArea) {
    const int menu = 19;
    struct Case {
        Geometry stored;
        bool usable;
    } cases[] = {
        {{100, 100, 600, 450}, true},
        {{-20, -5, 1, 20}, true},
        {{0, 0, 0, 0}, false},
        {{10, 10, 0, 450}, false},
        {{10, 10, -5, 450}, false},
        {{10, 10, 600, 19}, false},
        {{10, 10, 600, 18}, false},
        {{10, 10, 600, INT32_MIN}, false},
        {{10, 10, INT32_MAX, INT32_MAX}, true},
    };
    for (const Case& c : cases) {
        const Geometry g = UsableGeometry(c.stored, menu);
        const Geometry want = c.usable ? c.stored : kDefaultGeometry;
        EXPECT_EQ(g.x, want.x);
        EXPECT_EQ(g.y, want.y);
        EXPECT_EQ(g.width, want.width);
        EXPECT_EQ(g.height, want.height) << c.stored.width << "x" << c.stored.height;
    }
}

void ExpectRect(const ScreenRect& r, long l, long t, long rt, long b) {
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rt);
    EXPECT_EQ(r.bottom, b);
}

TEST(MoveOntoWorkArea, ShiftsKeepingTheSize) {
    const ScreenRect work{0, 0, 1920, 1040};
    // Already inside: unchanged.
    ExpectRect(MoveOntoWorkArea({100, 100, 700, 550}, work), 100, 100, 700, 550);
    // Off to the right and below: pushed back in from those sides.
    ExpectRect(MoveOntoWorkArea({3000, 2000, 3600, 2450}, work), 1320, 590, 1920, 1040);
    // Off to the left and above.
    ExpectRect(MoveOntoWorkArea({-900, -700, -300, -250}, work), 0, 0, 600, 450);
    // Larger than the work area: its top-left corner goes to the area's.
    ExpectRect(MoveOntoWorkArea({-50, 30, 2950, 2030}, work), 0, 0, 3000, 2000);
}

TEST(MoveOntoWorkArea, WorkAreaNotAtTheOrigin) {
    const ScreenRect work{-1280, 40, 0, 1024};
    ExpectRect(MoveOntoWorkArea({100, 0, 700, 450}, work), -600, 40, 0, 490);
}

// A window's coordinates are 32-bit on Windows; the widest possible window
// must neither overflow nor lose its place.
TEST(MoveOntoWorkArea, ExtremeCoordinatesDoNotOverflow) {
    const ScreenRect r =
        MoveOntoWorkArea({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 800, 600});
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_GE(r.right, 800);
    EXPECT_GE(r.bottom, 600);
}

}  // namespace
}  // namespace quillet

namespace quillet {
namespace {

// A minimised window's restored rectangle comes in work-area coordinates; the
// stored place must be on the screen, wherever the taskbar sits.
TEST(RestoredGeometry, AddsTheWorkAreasOffsetFromItsMonitor) {
    const int frameWidth = 16;
    const int frameHeight = 39;  // borders and caption, no menu bar
    const struct Case {
        const char* taskbar;
        ScreenRect workArea;
        ScreenRect monitor;
        long x;
        long y;
    } cases[] = {
        {"none", {0, 0, 1280, 1024}, {0, 0, 1280, 1024}, 100, 50},
        {"at the top", {0, 40, 1280, 1024}, {0, 0, 1280, 1024}, 100, 90},
        {"at the left", {62, 0, 1280, 1024}, {0, 0, 1280, 1024}, 162, 50},
        {"left of a monitor left of the primary", {-1240, 0, 0, 1024}, {-1280, 0, 0, 1024}, 140, 50},
        {"top of a monitor above the primary", {0, -994, 1280, 0}, {0, -1024, 1280, 0}, 100, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taskbar);
        const Geometry g = RestoredGeometry({100, 50, 100 + 616, 50 + 489}, c.workArea, c.monitor,
                                            frameWidth, frameHeight);
        EXPECT_EQ(g.x, c.x);
        EXPECT_EQ(g.y, c.y);
        EXPECT_EQ(g.width, 600);
        EXPECT_EQ(g.height, 450);
    }
}

TEST(RestoredGeometry, ExtremeRectanglesStayWithin32Bits) {
    const Geometry g = RestoredGeometry({INT32_MAX - 10, INT32_MIN, INT32_MAX, INT32_MAX},
                                        {100, 100, 200, 200}, {0, 0, 200, 200}, 0, 0);
    EXPECT_EQ(g.x, INT32_MAX);
    EXPECT_EQ(g.y, INT32_MIN + 100);
    EXPECT_EQ(g.width, 10);
    EXPECT_EQ(g.height, INT32_MAX);
}

}  // namespace
}  // namespace quillet
