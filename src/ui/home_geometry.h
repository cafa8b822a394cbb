#pragma once

struct Box {
    int x, y, width, height;
};

// Where the home page's controls go for a client size and scale.
struct HomeGeometry {
    int contentLeft, contentWidth;
    Box play, statusLine, settings, toggle, outputPane, launchDetails, openLog;
    Box statusLineOnSettingsPage;
};
HomeGeometry ComputeHomeGeometry(int clientWidth, int clientHeight, int uiScale);
