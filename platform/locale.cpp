#include "platform/locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <ctime>
#include <optional>

namespace vornelle::platform {

namespace {

std::optional<ShortDateFormat> g_override;

// Reads one langinfo item from the environment's locale without touching the process locale.
std::string LangInfo(int category_mask, nl_item item) {
  locale_t loc = newlocale(category_mask, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) loc = newlocale(category_mask, "C", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return {};
  std::string value = nl_langinfo_l(item, loc);
  freelocale(loc);
  return value;
}

}  // namespace

CalendarDate Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

ShortDateFormat PatternFromStrftime(const std::string& fmt) {
  ShortDateFormat out;
  out.pattern.clear();
  bool separator_seen = false;
  auto literal = [&](char c) {
    out.pattern += c;
    if (!separator_seen && !std::isalnum(static_cast<unsigned char>(c)) && c != ' ') {
      out.separator = c;
      separator_seen = true;
    }
  };
  for (std::size_t i = 0; i < fmt.size(); ++i) {
    char c = fmt[i];
    if (c != '%' || i + 1 == fmt.size()) {
      literal(c);
      continue;
    }
    char spec = fmt[++i];
    if ((spec == 'E' || spec == 'O') && i + 1 < fmt.size()) spec = fmt[++i];  // alternative forms
    switch (spec) {
      case 'd': out.pattern += "dd"; break;
      case 'e': out.pattern += "d"; break;
      case 'm': out.pattern += "MM"; break;
      case 'b':
      case 'h': out.pattern += "MMM"; break;
      case 'B': out.pattern += "MMMM"; break;
      case 'y': out.pattern += "yy"; break;
      case 'Y':
      case 'C': out.pattern += "yyyy"; break;
      case 'D': out.pattern += "MM/dd/yy"; if (!separator_seen) { out.separator = '/'; separator_seen = true; } break;
      case 'F': out.pattern += "yyyy-MM-dd"; if (!separator_seen) { out.separator = '-'; separator_seen = true; } break;
      case 'x': out.pattern += "MM/dd/yy"; break;
      case '%': literal('%'); break;
      default: break;  // weekday names and the like carry no date order
    }
  }
  if (out.pattern.empty()) out.pattern = "MM/dd/yy";
  return out;
}

ShortDateFormat GetShortDateFormat() {
  if (g_override) return *g_override;
  return PatternFromStrftime(LangInfo(LC_TIME_MASK, D_FMT));
}

void SetShortDateFormat(const ShortDateFormat& format) { g_override = format; }

NumberSeparators GetNumberSeparators() {
  NumberSeparators out;
  std::string radix = LangInfo(LC_NUMERIC_MASK, RADIXCHAR);
  std::string thousands = LangInfo(LC_NUMERIC_MASK, THOUSEP);
  if (radix.size() == 1) out.decimal = radix[0];
  if (thousands.size() == 1) out.thousands = thousands[0];
  return out;
}

}  // namespace vornelle::platform
