#pragma once
#include "context.h"
#include "demo_locations.h"
#include "demo_settings.h"

// Where a demo installation keeps its state: private\standin of the player folder.
namespace standin {

DemoSettings LoadSettings(const Context& context);
bool StoreSettings(const Context& context, const DemoSettings& settings);
// The game folder defaults to BaseDirectory\game, created on first use.
DemoLocations LoadLocations(const Context& context);
bool StoreLocations(const Context& context, const DemoLocations& locations);
bool IsInstalled(const Context& context);
void MarkInstalled(const Context& context);

std::uint32_t RunLaunchDemo(const Context& context);

} // namespace standin
