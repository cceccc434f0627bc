#pragma once
// Where the name balloon opens and how it is shaped: a rounded body with an arrow that
// points at the hovered icon, on the side facing the middle of the icon's monitor, and
// moved along the box as far as it takes to keep the body inside that monitor's work area.

#include <array>

#include "base/monitors.h"
#include "base/types.h"

namespace kivolt {

inline constexpr Colour kBalloonColour = rgb(32, 32, 32);
inline constexpr Colour kBalloonTextColour = rgb(249, 249, 249);
inline constexpr int kBalloonBodyHeight = 25;
inline constexpr int kBalloonWindowHeight = 50;
inline constexpr int kBalloonCorner = 6;
inline constexpr Point kBalloonTextOffset{4, 3};

struct BalloonInput {
    int textWidth = 0;     // measured width of the name; W = textWidth + 8
    bool measured = true;  // false when no drawing context could be opened: W = 0
    int orientation = 0;
    Point box;             // MainWindow's top-left corner on screen
    Point cell;            // the hovered shortcut's cellX, cellY
    int itemSize = 32;
    Monitor monitor;       // the monitor the hovered icon is on
    Point anchor;          // used only for orientations other than 0 and 1
};

struct BalloonGeometry {
    int bodyWidth = 0;          // W
    Point body;                 // BL, BT inside the window
    Point window;               // screen position
    Size client;                // W + BL + 20 by 50
    std::array<Point, 4> arrow; // polygon in client coordinates
};

BalloonGeometry balloonGeometry(const BalloonInput& in);

}  // namespace kivolt
