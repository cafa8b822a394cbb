#pragma once
#include <string>

// The windows and dialogs of the demo installation.
namespace standin {

// The "game": a small dark window with a Quit button; returns when the user closes it.
void RunGameWindow();

// The controller editor; returns the layout chosen when the window is closed.
int RunControllerEditor(int controllerLayout);

// File dialogs; false when the user cancels. path holds the previous choice on entry.
bool ChooseIsoFile(std::wstring& path);
bool ChooseGameFolder(std::wstring& path);

} // namespace standin
