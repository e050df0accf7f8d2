// Where the demo host shows what a save of an offline file changed: in a window, since the host
// is a windowed program that an engineer starts from Explorer as often as from a console; and on
// the standard output, or on the console of the command prompt that started it, for scripts.
#pragma once

#include <windows.h>

#include <string>

namespace host {

// Up to kChangesBoxLines lines in a message box; more in a dialog with a read-only edit box
// (control kIdChangesText) that scrolls. Returns once the engineer has closed it.
constexpr int kChangesBoxLines = 20;
constexpr int kIdChangesText = 100;
void ShowChangesWindow(HWND owner, const std::string& caption, const std::string& text);

// To the standard output and error when the host has them (redirected), else to the console of
// the process that started the host, if any. UTF-8 text.
void PrintWhereSeen(const std::string& out, const std::string& err);

}  // namespace host
