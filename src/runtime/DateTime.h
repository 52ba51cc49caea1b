/** @file DateTime.h Dates and times as the game formats them. */
#pragma once
#include <string>

namespace rt {

/// A local date and time broken down.
struct DateTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

/// The current local date and time, taken from the runtime clock (Clock.h).
DateTime Now();
/// "yyyy/mm/dd hh:mm:ss"
std::string FormatDateTime(const DateTime& t);
/// "yyyy/mm/dd"
std::string FormatDate(const DateTime& t);
/// "hh:mm:ss"
std::string FormatTime(const DateTime& t);
/// "yyyymmddhhmmss", for file names.
std::string FormatStamp(const DateTime& t);

}  // namespace rt
