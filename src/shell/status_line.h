#pragma once

// Set while the status line reports something that needs the player's attention.
extern int gAttentionFlag;

void SetStatus(const wchar_t* text);
void SetStatusAlert(const wchar_t* text);
// Either of the two, by alert; a null text leaves the status line as it is.
void ShowStatusReport(const wchar_t* text, bool alert);
