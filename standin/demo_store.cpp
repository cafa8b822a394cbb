#include "demo_store.h"
#include "platform.h"

namespace standin {

namespace {

std::wstring StateFolder(const Context& context) {
    return context.PathOf(L"private\\standin");
}
std::wstring StatePath(const Context& context, const wchar_t* name) {
    return StateFolder(context) + L"\\" + name;
}

} // namespace

DemoSettings LoadSettings(const Context& context) {
    DemoSettings settings = DefaultSettings();
    if (const auto text = ReadWholeFile(StatePath(context, L"settings.txt")))
        ParseSettings(*text, settings);
    return settings;
}

bool StoreSettings(const Context& context, const DemoSettings& settings) {
    MakeDirectories(StateFolder(context));
    return StoreFile(StatePath(context, L"settings.txt"), SerializeSettings(settings));
}

DemoLocations LoadLocations(const Context& context) {
    DemoLocations locations;
    if (const auto text = ReadWholeFile(StatePath(context, L"locations.txt")))
        locations = ParseLocations(*text);
    if (locations.gameFolder.empty()) {
        const std::wstring folder = context.PathOf(L"game");
        MakeDirectories(folder);
        locations.gameFolder = ToUtf8(folder);
    }
    return locations;
}

bool StoreLocations(const Context& context, const DemoLocations& locations) {
    MakeDirectories(StateFolder(context));
    return StoreFile(StatePath(context, L"locations.txt"), SerializeLocations(locations));
}

bool IsInstalled(const Context& context) {
    return PathExists(StatePath(context, L"installed"));
}

void MarkInstalled(const Context& context) {
    MakeDirectories(StateFolder(context));
    StoreFile(StatePath(context, L"installed"), "setup complete\n");
}

} // namespace standin
