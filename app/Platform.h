#pragma once

// The few platform calls a production makes besides DemoApp.

// Shows `text` in a modal error box with the caption "Error!".
void showErrorBox(const char* text);
// Asks the running loop to end after the current pass: the quit handler
// when one is set, else the platform's own quit message.
void postQuit();
void platformPostQuit();

// A frame without a window loop (the capture) learns of the quit through a
// handler of its own; nullptr restores the platform's quit message.
using QuitHandler = void (*)();
void setQuitHandler(QuitHandler handler);

// Sets the running frame's window title (for authors' tools; the production
// keeps its own).
void setWindowTitle(const char* text);

// The production's entry, called by the platform's own entry point
// (WinMain or main); its result is the process exit status.
int productionMain();
