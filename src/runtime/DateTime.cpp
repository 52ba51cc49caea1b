/** @file DateTime.cpp Local dates and the game's date formats. */
#include "runtime/DateTime.h"

#include <cstdio>
#include <ctime>

#include "runtime/Clock.h"

namespace rt {

DateTime Now() {
  std::time_t t = static_cast<std::time_t>(Clock().WallSeconds());
  std::tm tm{};
  localtime_r(&t, &tm);
  return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string FormatDateTime(const DateTime& t) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

std::string FormatDate(const DateTime& t) {
  char buf[20];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", t.year, t.month, t.day);
  return buf;
}

std::string FormatTime(const DateTime& t) {
  char buf[20];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

std::string FormatStamp(const DateTime& t) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

}  // namespace rt
