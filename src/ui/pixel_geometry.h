#pragma once

// Device-pixel shapes for the pure geometry units (no platform header). Rectangles follow the
// platform's convention: right and bottom are exclusive.
struct PixelRect {
    int left, top, right, bottom;
    bool operator==(const PixelRect&) const = default;
};

struct PixelPoint {
    int x, y;
    bool operator==(const PixelPoint&) const = default;
};

// A straight stroke from (x1, y1) to (x2, y2); the end point itself is not painted.
struct PixelSegment {
    int x1, y1, x2, y2;
    bool operator==(const PixelSegment&) const = default;
};
