#include "resources/strings.h"

#include <map>

namespace {

const std::map<int, std::string>& Table() {
  static const std::map<int, std::string> table = {
      {1, "HD7_3 Control"},
      {2, "HD7_3 Property Page"},
      {200, "Node Information"},
      {201, "Import / Export"},
      {202, "Disp."},
      {203, "Set Time"},
      {204, "Calender Start / Stop"},
      {205, "Calender Start / Stop"},
      {206, "Calender Pir"},
      {207, "Calender Pir"},
      {208, "Status Switch"},
      {209, "Status Switch"},
      {210, "Analog Valve"},
      {211, "Analog Valve"},
      {212, "Pump"},
      {213, "Pump"},
      {214, "Externded operation"},
      {215, "Externded operation"},
      {216, "Antifrost"},
      {217, "Antifrost"},
      {218, "Temperatures"},
      {219, "Temperatures"},
      {220, "Settings Temperatures"},
      {221, "Settings Temperatures"},
      {222, "Night lowering / Sommer stop"},
      {223, "Night lowering / Winter stop"},
      {224, "Exercise / Digital Valve"},
      {225, "Exercise / Digital Valve"},
      {226, "PID"},
      {227, "PID"},
      {228, "Outdoor Temperatures"},
      {229, "Pressure"},
      {230, "Dewpoint"},
      {232, "Page33"},
      {233, "Page34"},
      {234, "Page35"},
  };
  return table;
}

}  // namespace

std::string ResString(int id) {
  auto it = Table().find(id);
  return it == Table().end() ? std::string() : it->second;
}
