// The lines of a trace of the node traffic as the trace summary reads them: a line split into
// its time, sheet tag, tab and event; a host call's event taken apart; the node's NVs by name
// and the settings a write carries, as the settings dictionary knows them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One line: "09:05:07.800 #4321.3 [Pump, BL1] read 31 size 32 status 1 FAILED". The sheet's
// tag is missing from traces written before sheets were tagged.
struct TraceEntry {
  uint32_t msOfDay = 0;
  std::string time;  // "09:05:07.800"
  std::string tag;   // "#4321.3", or empty
  std::string tab;   // "Pump, BL1", "-"
  std::string event;
};

// False for a line that is not a trace line.
bool SplitTraceLine(const std::string& line, TraceEntry& out);

// A host call: "write 41 size 2 status 1 after 5 ms FAILED: 01 2C", "read 45 size 31 status 0:
// (31 x 00)", "name size 32 status 0: 48 44 (30 x 00) "HD7_3"".
struct TraceCall {
  std::string kind;  // "read", "write" or "name"
  int index = -1;    // none for the name
  long status = 0;
  long tookMs = 0;
  bool hasBytes = false;
  std::vector<uint8_t> bytes;  // as far as the line shows them
  std::string hexText;         // the bytes as the line writes them
};

// False for an event that is not a host call as the trace writes one.
bool ParseTraceCall(const std::string& event, TraceCall& out);

// A pause: "pause 200 ms".
bool ParseTracePause(const std::string& event, long& ms);

// The NV by name where it has one, with its host index: "nciSwitchExt1 (41)", "nviPluginCnf
// part 3 (46)" (`part` 1 to 12, else unknown), "part selector (45)", "node name", "31".
std::string TraceNvName(int index, int part);

// The record of the settings file that a call to `index` (with `part` selected) reads or
// writes; -1 for an NV no settings file holds.
int TraceRecordOf(int index, int part);

// The settings the bytes of `record` hold, one line each with name, value and unit; with
// `before`, only those whose value differs from it, as "old → new".
std::vector<std::string> TraceSettings(int record, const std::vector<uint8_t>& bytes,
                                       const std::vector<uint8_t>* before);
