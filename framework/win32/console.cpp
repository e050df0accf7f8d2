#include "framework/win32/console.h"

#include <windows.h>

void UseUtf8Console() {
  SetConsoleOutputCP(CP_UTF8);
}
