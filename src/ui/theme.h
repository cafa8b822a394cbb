#pragma once
#include <cstdint>

// The palette, as the platform's 0x00BBGGRR colour values. No other fixed colour exists.
namespace Palette {
inline constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}
inline constexpr std::uint32_t Night = Rgb(13, 18, 26);
inline constexpr std::uint32_t NightDeep = Rgb(10, 16, 24);
inline constexpr std::uint32_t Slate = Rgb(21, 29, 40);
inline constexpr std::uint32_t SlateHover = Rgb(27, 38, 52);
inline constexpr std::uint32_t SlateLine = Rgb(32, 43, 56);
inline constexpr std::uint32_t SlateEdge = Rgb(43, 55, 71);
inline constexpr std::uint32_t Gold = Rgb(218, 186, 123);
inline constexpr std::uint32_t GoldLight = Rgb(235, 204, 145);
inline constexpr std::uint32_t GoldDark = Rgb(182, 150, 91);
inline constexpr std::uint32_t GoldDim = Rgb(145, 119, 70);
inline constexpr std::uint32_t GoldInk = Rgb(41, 37, 29);
inline constexpr std::uint32_t InkOnGold = Rgb(29, 28, 24);
inline constexpr std::uint32_t Stone = Rgb(75, 75, 67);
inline constexpr std::uint32_t StoneLight = Rgb(91, 85, 67);
inline constexpr std::uint32_t StonePale = Rgb(176, 176, 163);
inline constexpr std::uint32_t TextBright = Rgb(238, 242, 247);
inline constexpr std::uint32_t TextMuted = Rgb(146, 159, 177);
inline constexpr std::uint32_t TextDim = Rgb(113, 124, 139);
inline constexpr std::uint32_t TextFaint = Rgb(85, 98, 113);
inline constexpr std::uint32_t Alert = Rgb(241, 157, 139);
} // namespace Palette

// The seven DrawTextW flag sets every painter uses.
enum TextPreset : unsigned {
    TextLeft = 0x824,       // DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX
    TextCenter = 0x825,     // TextLeft | DT_CENTER
    TextRight = 0x826,      // TextLeft | DT_RIGHT
    TextLeftClip = 0x8824,  // TextLeft | DT_END_ELLIPSIS
    TextRightClip = 0x8826, // TextRight | DT_END_ELLIPSIS
    TextPath = 0x4824,      // TextLeft | DT_PATH_ELLIPSIS
    TextWrap = 0x810,       // DT_WORDBREAK | DT_NOPREFIX
};

// The colour a painted text has: the colour scheme in force maps it (the window's palette, or the
// system's colours in high contrast).
enum class TextColour : std::uint8_t { Bright, Muted, Gold, Alert };

// Font roles: logical size at 96 DPI, weight and face.
enum FontRole : int {
    BodyFont,
    HeadlineFont,
    TitleFont,
    TitleLeadFont,
    CaptionFont,
    MonoFont,
    PlayFont,
    kFontRoleCount
};

struct FontRoleDefinition {
    int size;
    int weight;
    const wchar_t* face;
};
inline constexpr FontRoleDefinition kFontRoles[kFontRoleCount] = {
    {14, 400, L"Segoe UI"}, {34, 600, L"Segoe UI"}, {27, 400, L"Georgia"},  {21, 400, L"Georgia"},
    {11, 400, L"Segoe UI"}, {12, 400, L"Consolas"}, {17, 600, L"Segoe UI"},
};
