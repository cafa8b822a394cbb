#include "ui/button_looks.h"
#include "ui/control_ids.h"
#include "ui/scale.h"
#include "ui/theme.h"

ButtonLook LookForControl(int controlId, int activeTab) {
    if (controlId >= kIdFirstTab && controlId <= kIdLastTab) {
        return controlId - kIdFirstTab == activeTab ? ButtonLook::Accent : ButtonLook::Chip;
    }
    if (controlId >= kIdFirstRow && controlId <= kIdLastRow)
        return ButtonLook::Row;
    if (controlId == kIdSaveSettings)
        return ButtonLook::Accent;
    if ((controlId >= kIdFirstPreset && controlId <= kIdLastPreset) ||
        (controlId >= kIdSelectIso && controlId <= kIdEditControllerBindings)) {
        return ButtonLook::Chip;
    }
    return controlId == kIdPlay ? ButtonLook::Primary : ButtonLook::Quiet;
}

namespace {

LookColours Primary(const ButtonState& s) {
    std::uint32_t face = Palette::Gold;
    // Disabled wins over pressed, pressed over hovered.
    if (s.disabled) {
        face = Palette::Stone;
    } else if (s.pressed) {
        face = Palette::GoldDark;
    } else if (s.hovered) {
        face = Palette::GoldLight;
    }
    const std::uint32_t text = s.disabled ? Palette::StonePale : Palette::InkOnGold;
    return {true, face, face, 12, text, text, Palette::GoldDim, Palette::Night, Palette::GoldInk, 0, false};
}

LookColours Accent(const ButtonState& s) {
    const std::uint32_t face = s.disabled ? Palette::Stone : Palette::Gold;
    const std::uint32_t text = s.disabled ? Palette::TextDim : Palette::InkOnGold;
    return {true, face, face, 8, text, text, Palette::GoldDim, Palette::Night, Palette::GoldInk, 0, false};
}

LookColours Chip(const ButtonState& s) {
    const std::uint32_t face = s.hovered ? Palette::SlateHover : Palette::Slate;
    const std::uint32_t text = s.disabled ? Palette::TextDim : Palette::TextBright;
    return {
        true, face, Palette::SlateEdge, 8, text, text, Palette::TextMuted, Palette::Night, Palette::GoldInk,
        0,    false};
}

LookColours Row(const ButtonState& s) {
    LookColours colours = Chip(s);
    colours.value = s.disabled ? Palette::TextMuted : Palette::Gold;
    return colours;
}

LookColours Quiet(const ButtonState& s, bool isSettingsButton) {
    const bool boxed = !s.disabled && (s.hovered || isSettingsButton);
    const std::uint32_t text = s.disabled ? Palette::TextFaint : Palette::TextMuted;
    return {boxed,
            Palette::Slate,
            Palette::SlateEdge,
            8,
            text,
            text,
            Palette::SlateEdge,
            Palette::Night,
            Palette::GoldInk,
            0,
            false};
}

// System colours only. Faces are button faces with button text, the emphasised ones highlighted;
// what is unavailable is gray text; a look without a face shows window text on the window.
LookColours HighContrast(ButtonLook look, const ButtonState& s, bool isSettingsButton,
                         const SystemColours& c) {
    LookColours l{};
    l.background = c.window;
    l.corner = look == ButtonLook::Primary ? 12 : 8;
    l.wideFocusRing = true;
    l.hasFace = true;
    l.faceFill = c.buttonFace;
    l.faceBorder = s.hovered ? c.hotLight : c.buttonText;
    l.text = c.buttonText;
    l.stateBorder = s.pressed ? 2 : 0;
    if (look == ButtonLook::Primary || look == ButtonLook::Accent)
        l.stateBorder = 2;
    const bool highlighted =
        !s.disabled && ((look == ButtonLook::Primary && s.pressed) || look == ButtonLook::Accent);
    if (highlighted) {
        l.faceFill = c.highlight;
        l.faceBorder = c.buttonText;
        l.text = c.highlightText;
    }
    if (look == ButtonLook::Quiet) {
        l.hasFace = !s.disabled && (s.hovered || isSettingsButton || s.pressed);
        if (!l.hasFace)
            l.text = c.windowText;
    }
    if (s.disabled) {
        l.faceBorder = c.grayText;
        l.text = c.grayText;
    }
    l.value = l.text;
    l.glyph = l.text;
    l.focusRing = l.text;
    return l;
}

} // namespace

LookColours ResolveLook(ButtonLook look, const ButtonState& state, bool isSettingsButton) {
    switch (look) {
    case ButtonLook::Primary: return Primary(state);
    case ButtonLook::Accent: return Accent(state);
    case ButtonLook::Chip: return Chip(state);
    case ButtonLook::Row: return Row(state);
    case ButtonLook::Quiet: break;
    }
    return Quiet(state, isSettingsButton);
}

LookColours ResolveLook(ButtonLook look, const ButtonState& state, bool isSettingsButton,
                        const ColourScheme& scheme) {
    if (scheme.highContrast)
        return HighContrast(look, state, isSettingsButton, scheme.system);
    return ResolveLook(look, state, isSettingsButton);
}

const wchar_t* PlayCaption(bool disabled) {
    return disabled ? L"Preparing..." : L"Play";
}

PixelRect CaptionRect(ButtonLook look, const PixelRect& item, int uiScale) {
    PixelRect rect = item;
    if (look == ButtonLook::Primary)
        rect.left += ScaledAt(24, uiScale);
    if (look == ButtonLook::Quiet)
        rect.left += ScaledAt(8, uiScale);
    return rect;
}

RowColumns ComputeRowColumns(const PixelRect& item, int uiScale) {
    const long long width = static_cast<long long>(item.right) - item.left;
    const int split = item.left + static_cast<int>(width * 55 / 100);
    return {{item.left + ScaledAt(12, uiScale), item.top, split, item.bottom},
            {split, item.top, item.right - ScaledAt(12, uiScale), item.bottom}};
}

PlayArrow ComputePlayArrow(const PixelRect& item, int uiScale) {
    const int cx = item.right - ScaledAt(30, uiScale);
    const int cy = (item.top + item.bottom) / 2;
    const int reach = ScaledAt(7, uiScale);
    return {{{cx - reach, cy, cx + reach, cy},
             {cx + reach, cy, cx, cy - reach},
             {cx + reach, cy, cx, cy + reach}},
            ScaledAt(2, uiScale)};
}
