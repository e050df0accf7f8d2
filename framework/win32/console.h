// The console of a command-line program: UTF-8 output, so that units such as "°C" read right.
#pragma once

void UseUtf8Console();
