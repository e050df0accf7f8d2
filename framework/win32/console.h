// The console of a command-line program: UTF-8 output, so that units such as "°C" read right,
// and line ends written as "\n" alone, so that the output is the same bytes on every platform.
#pragma once

void PrepareConsoleOutput();
