// Date and time texts.
#include "host/date_time.hpp"

#include <cstdio>

namespace zav3::host {

namespace {
std::tm local(std::time_t when) {
  std::tm parts{};
  localtime_r(&when, &parts);
  return parts;
}
}  // namespace

Bytes dateText(std::time_t when) {
  const std::tm t = local(when);
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  return text;
}

Bytes timeText(std::time_t when) {
  const std::tm t = local(when);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

}  // namespace zav3::host
