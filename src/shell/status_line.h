#pragma once

// Set while the status line reports something that needs the player's attention.
extern int gAttentionFlag;

void SetStatus(const wchar_t* text);
void SetStatusAlert(const wchar_t* text);
