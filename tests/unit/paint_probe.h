#pragma once
// A 32-bit memory canvas for probing what a painter drew, and the fonts painters select.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdint>
#include <initializer_list>
#include "ui/colour_scheme.h"
#include "ui/drawing.h"
#include "ui/scale.h"
#include "ui/theme.h"

class MemoryCanvas {
  public:
    MemoryCanvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down: row 0 first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        previous_ = SelectObject(dc_, bitmap_);
        // A colour no painter uses, so untouched pixels show.
        Fill(RGB(255, 0, 255));
    }
    ~MemoryCanvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_; }
    bool ok() const { return bits_ != nullptr; }

    void Fill(COLORREF colour) {
        RECT all{0, 0, width_, height_};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
        GdiFlush();
    }

    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t v = bits_[static_cast<std::size_t>(y) * width_ + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

    // The pixel of the rectangle that differs most from background (the core of drawn text or
    // a stroke); background itself when nothing else is there.
    COLORREF Ink(const RECT& area, COLORREF background) const {
        COLORREF best = background;
        int bestDistance = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF c = At(x, y);
                const int d = Distance(c, background);
                if (d > bestDistance) {
                    bestDistance = d;
                    best = c;
                }
            }
        }
        return best;
    }

    // Rows of the rectangle holding any pixel other than background.
    int InkRows(const RECT& area, COLORREF background) const {
        int rows = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (At(x, y) != background) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    }

    static int Distance(COLORREF a, COLORREF b) {
        const int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b),
                  db = GetBValue(a) - GetBValue(b);
        return dr * dr + dg * dg + db * db;
    }

    // The candidate nearest to colour: anti-aliased text is judged by which palette colour its
    // strongest pixel is closest to.
    static COLORREF Nearest(COLORREF colour, std::initializer_list<COLORREF> candidates) {
        COLORREF best = *candidates.begin();
        for (COLORREF c : candidates) {
            if (Distance(colour, c) < Distance(colour, best))
                best = c;
        }
        return best;
    }

  private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Builds the seven fonts at a scale for the painters and restores whatever was there before.
class ScopedScaleAndFonts {
  public:
    explicit ScopedScaleAndFonts(int uiScale) : savedScale_(gUiScale) {
        gUiScale = uiScale;
        for (int role = 0; role < kFontRoleCount; ++role) {
            saved_[role] = gFonts[role];
            gFonts[role] =
                CreateUiFont(kFontRoles[role].size, kFontRoles[role].weight, kFontRoles[role].face);
        }
    }
    ~ScopedScaleAndFonts() {
        for (int role = 0; role < kFontRoleCount; ++role) {
            if (gFonts[role] != nullptr)
                DeleteObject(gFonts[role]);
            gFonts[role] = saved_[role];
        }
        gUiScale = savedScale_;
    }
    ScopedScaleAndFonts(const ScopedScaleAndFonts&) = delete;
    ScopedScaleAndFonts& operator=(const ScopedScaleAndFonts&) = delete;

  private:
    int savedScale_;
    HFONT saved_[kFontRoleCount];
};

// Eight system colours unlike each other and unlike the palette, as a high-contrast scheme would
// have them, so each probe names where its colour came from.
inline constexpr SystemColours kProbeSystemColours{Palette::Rgb(0, 0, 0),      Palette::Rgb(255, 255, 255),
                                                   Palette::Rgb(26, 235, 255), Palette::Rgb(40, 0, 40),
                                                   Palette::Rgb(0, 0, 96),     Palette::Rgb(255, 255, 128),
                                                   Palette::Rgb(63, 242, 63),  Palette::Rgb(255, 255, 0)};

// Paints in high contrast (the system cannot be switched to it here) and restores the scheme after.
class ScopedHighContrast {
  public:
    explicit ScopedHighContrast(const SystemColours& colours = kProbeSystemColours) : saved_(gColourScheme) {
        gColourScheme = ChooseColourScheme(true, colours);
    }
    ~ScopedHighContrast() { gColourScheme = saved_; }
    ScopedHighContrast(const ScopedHighContrast&) = delete;
    ScopedHighContrast& operator=(const ScopedHighContrast&) = delete;

  private:
    ColourScheme saved_;
};

// How many pixels of the canvas have exactly one of the palette's colours.
inline int PalettePixels(const MemoryCanvas& canvas, int width, int height) {
    using namespace Palette;
    const COLORREF palette[] = {Night,      NightDeep, Slate,     SlateHover, SlateLine,
                                SlateEdge,  Gold,      GoldLight, GoldDark,   GoldDim,
                                GoldInk,    InkOnGold, Stone,     StoneLight, StonePale,
                                TextBright, TextMuted, TextDim,   TextFaint,  Alert};
    int count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = canvas.At(x, y);
            for (COLORREF p : palette)
                count += c == p ? 1 : 0;
        }
    }
    return count;
}
