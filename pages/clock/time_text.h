// Times of day as the node keeps them in its calendars: one byte of quarter hours since
// midnight (0 is 0:00, 96 is 24:00, the end of the day), shown and typed as "H:MM". Shared by
// the week calendar and PIR calendar pages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "H:MM": hours unpadded, minutes two digits. A byte of 128 or more is taken as a signed
// number widened to an unsigned 16-bit count, so 255 shows as "16383:45".
std::string QuarterHoursToText(uint8_t quarterHours);

// "H:MM" or "HH:MM" with hours 0 to 24 and minutes 0 to 59, "24" only with "00", and no blank.
// Each half is taken as a number the way atof takes it, so "ab:cd" passes as midnight.
bool IsValidTimeText(std::string_view text);

// The quarter-hour byte of a text that IsValidTimeText accepted; minutes that are not a
// multiple of 15 are rounded down to the quarter (8:20 gives 33, that is 8:15).
uint8_t TextToQuarterHours(std::string_view text);

// The message that closes a refused calendar write: the count of errors, and the format hint
// when a time text could not be read.
std::string CalendarRefusal(int errors, int formatErrors);
