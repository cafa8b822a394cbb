#pragma once

// Places, shows and hides the home page's controls for the current state; ends with LayoutSettingsPage.
void LayoutHomePage();
