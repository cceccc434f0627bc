#include "ui/balloon_geometry.h"

#include <gtest/gtest.h>

namespace kivolt {
namespace {

constexpr Monitor kScreen{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};

BalloonInput horizontalExample(int boxY) {
    BalloonInput in;
    in.textWidth = 60;
    in.orientation = 1;
    in.box = {100, boxY};
    in.cell = {104, 5};
    in.itemSize = 32;
    in.monitor = kScreen;
    return in;
}

TEST(BalloonGeometry, HorizontalUpperHalfPointsUpAtTheIcon) {
    const BalloonGeometry g = balloonGeometry(horizontalExample(50));
    EXPECT_EQ(g.bodyWidth, 68);
    EXPECT_EQ(g.body, (Point{0, 20}));
    EXPECT_EQ(g.window, (Point{186, 87}));
    EXPECT_EQ(g.client, (Size{88, 50}));
    const std::array<Point, 4> arrow{{{24, 20}, {44, 20}, {34, 0}, {34, 0}}};
    EXPECT_EQ(g.arrow, arrow);
    // The tip lands on the middle of the icon's bottom edge.
    EXPECT_EQ(g.window.x + g.arrow[2].x, 100 + 104 + 16);
}

TEST(BalloonGeometry, HorizontalLowerHalfOpensAbove) {
    const BalloonGeometry g = balloonGeometry(horizontalExample(1000));
    EXPECT_EQ(g.body, (Point{0, 0}));
    EXPECT_EQ(g.window.y, 955);
    EXPECT_EQ(g.window.y + g.arrow[2].y, 995);
    // Exactly at the middle counts as the lower half.
    EXPECT_EQ(balloonGeometry(horizontalExample(540)).window.y, 540 + 5 - 50);
    EXPECT_EQ(balloonGeometry(horizontalExample(539)).window.y, 539 + 5 + 32);
}

TEST(BalloonGeometry, VerticalSidesAndOtherOrientations) {
    BalloonInput in;
    in.textWidth = 40;
    in.orientation = 0;
    in.box = {10, 200};
    in.cell = {5, 62};
    in.itemSize = 32;
    in.monitor = kScreen;
    BalloonGeometry g = balloonGeometry(in);
    EXPECT_EQ(g.body, (Point{28, 0}));
    EXPECT_EQ(g.window, (Point{10 + 5 + 32, 200 + 62 + 16 - 12}));
    EXPECT_EQ(g.client, (Size{48 + 28 + 20, 50}));
    const std::array<Point, 4> left{{{0, 12}, {32, 0}, {32, 23}, {0, 12}}};
    EXPECT_EQ(g.arrow, left);

    in.box.x = 960;
    g = balloonGeometry(in);
    EXPECT_EQ(g.body, (Point{0, 0}));
    EXPECT_EQ(g.window.x, 960 + 5 - 68);
    const std::array<Point, 4> right{{{46, 0}, {68, 12}, {68, 12}, {46, 23}}};
    EXPECT_EQ(g.arrow, right);

    in.orientation = 7;
    in.anchor = {321, 123};
    g = balloonGeometry(in);
    EXPECT_EQ(g.window, (Point{321, 123}));
    const std::array<Point, 4> none{};
    EXPECT_EQ(g.arrow, none);
}

TEST(BalloonGeometry, StaysInTheWorkAreaOfTheIconsMonitorAndPointsAtTheIcon) {
    // A long name on an icon at the left edge: the body moves right, the arrow stays put.
    BalloonInput in = horizontalExample(50);
    in.box = {0, 50};
    in.cell = {20, 5};
    in.textWidth = 200;
    BalloonGeometry g = balloonGeometry(in);
    EXPECT_EQ(g.window, (Point{0, 87}));
    const std::array<Point, 4> up{{{26, 20}, {46, 20}, {36, 0}, {36, 0}}};
    EXPECT_EQ(g.arrow, up);

    // An icon at the very right edge (a box pushed out by a move): the arrow's base stops at
    // the body's end, the tip still points at the icon.
    in.box = {1880, 50};
    g = balloonGeometry(in);
    EXPECT_EQ(g.window.x, 1920 - 208);
    EXPECT_EQ(g.window.x + g.arrow[2].x, 1880 + 20 + 16);
    EXPECT_EQ(g.arrow[1].x, 208);

    // A vertical box just above the taskbar: the body stays above it.
    in.orientation = 0;
    in.box = {10, 1000};
    in.cell = {5, 20};
    in.textWidth = 40;
    g = balloonGeometry(in);
    EXPECT_EQ(g.window.y, 1040 - 25);
    const std::array<Point, 4> left{{{0, 21}, {32, 0}, {32, 23}, {0, 21}}};
    EXPECT_EQ(g.arrow, left);
    EXPECT_EQ(g.window.y + g.arrow[0].y, 1000 + 20 + 16);

    // On a monitor right of the primary, its own middle decides the side.
    in.monitor = {{1920, 0, 1920, 1080}, {1920, 0, 1920, 1040}};
    in.box = {2000, 400};
    g = balloonGeometry(in);
    EXPECT_EQ(g.body, (Point{28, 0}));
    EXPECT_EQ(g.window.x, 2000 + 5 + 32);
}

TEST(BalloonGeometry, EmptyAndUnmeasuredNames) {
    BalloonInput in = horizontalExample(50);
    in.textWidth = 0;
    EXPECT_EQ(balloonGeometry(in).bodyWidth, 8);
    in.measured = false;
    EXPECT_EQ(balloonGeometry(in).bodyWidth, 0);
}

}  // namespace
}  // namespace kivolt
