#include "dataset/field_spec.h"

#include <algorithm>
#include <cstdlib>

#include "dataset/messages.h"
#include "dataset/text.h"
#include "platform/format.h"

namespace vornelle::dataset {

namespace {

// A decimal integer as dBASE reads one: leading digits after an optional sign; an empty or
// negative number is 0.
int ReadNumber(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(value, 0, 9999));
}

}  // namespace

bool HasThreeCommas(const std::string& line) { return std::count(line.begin(), line.end(), ',') == 3; }

std::optional<TFieldSpecLine> ParseFieldSpec(const std::string& line) {
  std::string items[4];
  std::size_t from = 0;
  for (int k = 0; k < 4; ++k) {
    const std::size_t comma = k < 3 ? line.find(',', from) : std::string::npos;
    items[k] = TrimControls(line.substr(from, comma == std::string::npos ? comma : comma - from));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  TFieldSpecLine spec;
  spec.name = items[0].substr(0, 10);
  spec.type = items[1].empty() ? ' ' : items[1][0];
  spec.width = ReadNumber(items[2]);
  spec.decimals = ReadNumber(items[3]);
  if (spec.type == 'X') return std::nullopt;
  return spec;
}

std::string CorrectFieldDef(const std::string& component, TFieldSpecLine& spec) {
  const TFieldSpecLine written = spec;
  const auto upper = static_cast<char>(std::toupper(static_cast<unsigned char>(written.type)));
  const bool numeric = upper == 'N' || upper == 'F';
  if (upper == 'B' || upper == 'G' || upper == 'P')
    spec.type = 'M';
  else if (std::string("CDFLMN").find(upper) == std::string::npos || upper == ' ')
    spec.type = 'C';
  if (numeric) {
    if (written.width > 20) spec.width = 20;
    if (written.decimals > 18) spec.decimals = 18;
    if (written.decimals != 0 && written.width - written.decimals < 2)
      spec.decimals = std::max(0, written.width - 2);
    // The rules above each read the written values; together they can still leave more
    // decimals than the final width holds, which other dBASE programs refuse.
    if (spec.decimals > 0) spec.decimals = std::clamp(spec.decimals, 0, std::max(0, spec.width - 2));
  }
  if (upper == 'C' && written.width > 254) {
    spec.width = 254;
    spec.decimals = 0;
  }
  if (spec.type == written.type && spec.width == written.width && spec.decimals == written.decimals)
    return {};
  return platform::Format(msg::kFieldCorrected, component.c_str(), written.name.c_str(),
                          std::string(1, written.type).c_str(), written.width, written.decimals,
                          written.name.c_str(), std::string(1, spec.type).c_str(), spec.width,
                          spec.decimals);
}

}  // namespace vornelle::dataset
