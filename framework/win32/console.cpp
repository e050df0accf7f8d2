#include "framework/win32/console.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

void PrepareConsoleOutput() {
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}
