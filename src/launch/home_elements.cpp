#include "launch/home_elements.h"
#include <cwchar>
#include "launch/estimate_text.h"
#include "text/format_text.h"

namespace {

constexpr const wchar_t* kEditionLine = L"OSTRAVIC";
constexpr const wchar_t* kTitleLead = L"THARN OF";
constexpr const wchar_t* kTitle = L"EMBERFALL";
constexpr const wchar_t* kTagline = L"A JOURNEY BEYOND THE EMBERS";
constexpr const wchar_t* kLauncherLabel = L"GAME LAUNCHER";
constexpr const wchar_t* kWelcome = L"Pick up where you left off. Your settings stay with you.";
constexpr const wchar_t* kToggleHint = L"Use this if the game has trouble starting.";
constexpr const wchar_t* kFooter = L"F1 in game  /  Graphics, controls & networking";
constexpr const wchar_t* kProgressName = L"Overall progress";

void SpacedText(ScreenElements& out, const wchar_t* name, const PixelRect& rect, TextColour colour,
                TextPreset preset) {
    if (ScreenElement* e = AppendText(out, name, rect, CaptionFont, colour, preset))
        e->letterSpaced = true;
}

const wchar_t* Headline(const HomeView& view) {
    if (view.attention)
        return L"Launch needs attention";
    return view.helperRunning ? L"Preparing your game" : L"Ready to play";
}

// The estimate text is formed as one text whose line break starts the memory figures; each line
// becomes an element of its own, the second painted where the first ends.
void DescribeEstimate(const CanvasGeometry& g, const HomeView& view, const LaunchProgress& p,
                      std::uint64_t nowTick, int bodyLineHeight, ScreenElements& out) {
    const PixelRect& band = g.estimateBand;
    if (!p.progressStarted) {
        AppendText(out, kWelcome, band, BodyFont, TextColour::Muted, TextWrap);
        return;
    }
    wchar_t text[kEstimateTextUnits];
    const std::uint64_t seconds = EstimateSeconds(view.helperRunning, nowTick, p.startTick, p.elapsedSeconds);
    FormatEstimateText(text, kEstimateTextUnits, p.highestPermille, seconds, p.peakCommittedMiB,
                       p.memoryLimitMiB);
    const wchar_t* lineBreak = std::wcschr(text, L'\n');
    const std::size_t firstLength =
        lineBreak != nullptr ? static_cast<std::size_t>(lineBreak - text) : std::wcslen(text);
    PixelRect first = band;
    if (lineBreak != nullptr && band.top + bodyLineHeight < band.bottom)
        first.bottom = band.top + bodyLineHeight;
    AppendText(out, StoreText(out, text, firstLength), first, BodyFont, TextColour::Muted, TextWrap);
    if (lineBreak == nullptr)
        return;
    const PixelRect second{band.left, first.bottom, band.right, band.bottom};
    if (ScreenElement* e =
            AppendText(out, StoreText(out, lineBreak + 1), second, BodyFont, TextColour::Muted, TextWrap)) {
        e->followsPrevious = true;
    }
}

void DescribeProgressBar(const CanvasGeometry& g, const LaunchProgress& p, ScreenElements& out) {
    ScreenElement* bar = AppendElement(out, ElementRole::ProgressBar, kProgressName, g.progressTrack);
    if (bar == nullptr)
        return;
    if (!p.progressStarted) {
        bar->state = kElementIndeterminate;
        bar->description = L"Indeterminate";
        return;
    }
    wchar_t percent[16];
    FormatText(percent, 16, L"%u%%", static_cast<unsigned>(p.highestPermille / 10));
    bar->value = StoreText(out, percent);
}

} // namespace

void DescribeCanvasFrame(const CanvasGeometry& g, const wchar_t* versionChip, ScreenElements& out) {
    SpacedText(out, kEditionLine, g.editionLine, TextColour::Gold, TextLeft);
    if (ScreenElement* e =
            AppendText(out, kTitleLead, g.titleLead, TitleLeadFont, TextColour::Bright, TextCenter))
        e->letterSpaced = true;
    AppendText(out, kTitle, g.title, TitleFont, TextColour::Bright, TextCenter);
    AppendText(out, kTagline, g.tagline, CaptionFont, TextColour::Muted, TextLeft);
    SpacedText(out, kLauncherLabel, g.launcherLabel, TextColour::Muted, TextLeft);
    AppendText(out, versionChip, g.versionChip, CaptionFont, TextColour::Gold, TextCenter);
}

void DescribeHomePage(const CanvasGeometry& g, const HomeView& view, const LaunchProgress& progress,
                      std::uint64_t nowTick, int bodyLineHeight, ScreenElements& out) {
    AppendText(out, Headline(view), g.headline, HeadlineFont, TextColour::Bright, TextLeft);
    DescribeEstimate(g, view, progress, nowTick, bodyLineHeight, out);
    if (ShowsProgressBar(view))
        DescribeProgressBar(g, progress, out);
    if (!view.detailsVisible)
        AppendText(out, kToggleHint, g.toggleHint, CaptionFont, TextColour::Muted, TextWrap);
    AppendText(out, kFooter, g.footer, CaptionFont, TextColour::Muted, TextLeft);
}
