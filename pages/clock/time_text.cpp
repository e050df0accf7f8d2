#include "pages/clock/time_text.h"

#include "nvdata/number_text.h"

std::string QuarterHoursToText(uint8_t quarterHours) {
  const uint16_t count = static_cast<uint16_t>(static_cast<int8_t>(quarterHours));
  const int hours = count / 4;
  const int minutes = (count % 4) * 15;
  return FormatFixed0(hours) + ":" + TwoDigits(minutes);
}

bool IsValidTimeText(std::string_view text) {
  const size_t length = text.size();
  if (length != 4 && length != 5) return false;
  if (text.find(' ') != std::string_view::npos) return false;
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon != length - 3) return false;
  const std::string_view hoursText = text.substr(0, colon);
  const std::string_view minutesText = text.substr(length - 2);
  if (hoursText == "24" && minutesText != "00") return false;
  const int32_t hours = TruncToInt32(Atof(hoursText));
  const int32_t minutes = TruncToInt32(Atof(minutesText));
  return hours >= 0 && hours <= 24 && minutes >= 0 && minutes <= 59;
}

uint8_t TextToQuarterHours(std::string_view text) {
  const size_t colon = text.find(':');
  const std::string_view hoursText = text.substr(0, colon);
  const std::string_view minutesText =
      colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
  const double hours = Atof(hoursText);
  const double quarters = Atof(minutesText) * 0.06666666666666667;
  return static_cast<uint8_t>(TruncToInt32(hours * 4 + quarters) & 0xFF);
}

std::string CalendarRefusal(int errors, int formatErrors) {
  std::string summary = FormatFixed0(errors) + " errors occured, data not written to NV";
  if (formatErrors != 0) summary += ". (Correct time format is 'H:MM' or 'HH:MM')";
  return summary;
}
