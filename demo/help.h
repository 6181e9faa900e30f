// The demo's Help menu: the About box of the demo and the library's
// information entry at the right end of the menu bar.
#pragma once
#include <windows.h>

// The menu bar of the gallery frame: a Help menu with the About entry.
HMENU CreateHelpMenuBar();

// Adds the information entry once the frame has its menu bar.
void AddInformationEntry(HWND frame);

// Handles a command of the menu bar; false for one that isn't the menu's.
bool HelpCommand(HWND frame, UINT id);

// The status-line hint for a menu item: its command id, or for a pop-up
// menu its position on the menu bar.
const char* MenuHint(UINT item, bool popup);

// Closes the help window the information entry may have opened.
void CloseHelp(HWND frame);

// Writes a picture of the demo's About box (the library's dialog filled with
// the demo's version texts) to a PNG file; returns the exit code.
int AboutScreenshot(HINSTANCE instance, const char* path);
