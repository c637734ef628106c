#include "framework/types.h"

#include <cstdio>

namespace vornelle::framework {

std::string VarToStr(const Variant& v) {
  struct Visitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(const std::string& s) const { return s; }
    std::string operator()(int64_t i) const { return std::to_string(i); }
    std::string operator()(double d) const {
      char text[32];
      std::snprintf(text, sizeof text, "%.15g", d);
      return text;
    }
    std::string operator()(bool b) const { return b ? "True" : "False"; }
    std::string operator()(TDateValue d) const { return platform::DateToStr(d.value); }
  };
  return std::visit(Visitor{}, v);
}

}  // namespace vornelle::framework
