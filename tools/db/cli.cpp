#include "tools/db/cli.h"

namespace vornelle::tools {

Args::Args(const std::vector<std::string>& argv, const std::set<std::string>& flags,
           const std::set<std::string>& options) {
  bool options_end = false;
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (options_end || a.size() < 2 || a.compare(0, 2, "--") != 0) {
      positional_.push_back(a);
      continue;
    }
    if (a == "--") {
      options_end = true;
      continue;
    }
    std::string name = a, value;
    bool inline_value = false;
    if (std::size_t eq = a.find('='); eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      inline_value = true;
    }
    if (flags.count(name) && !inline_value) {
      flags_.insert(name);
    } else if (options.count(name)) {
      if (!inline_value) {
        if (i + 1 >= argv.size()) throw UsageError(name + " needs a value");
        value = argv[++i];
      }
      options_[name] = value;
    } else {
      throw UsageError("unknown option " + name);
    }
  }
}

std::string Args::Option(const std::string& name, const std::string& fallback) const {
  auto it = options_.find(name);
  return it == options_.end() ? fallback : it->second;
}

void Args::Expect(std::size_t min, std::size_t max) const {
  if (positional_.size() < min) throw UsageError("missing arguments");
  if (positional_.size() > max) throw UsageError("too many arguments");
}

}  // namespace vornelle::tools
