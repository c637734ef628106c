#pragma once
// Command-line parsing for vornelle-db: positional arguments and --options, and the error a
// command raises when it was used wrongly.

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vornelle::tools {

// A usage error: reported with the command's usage line, exit status 1.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure of the tool's own checks (a value that does not fit its field, a lock that could
// not be had): reported as it is, exit status 1.
class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Args {
 public:
  // `flags` take no value; `options` take the next argument as their value.
  Args(const std::vector<std::string>& argv, const std::set<std::string>& flags,
       const std::set<std::string>& options);

  const std::vector<std::string>& positional() const { return positional_; }
  bool Flag(const std::string& name) const { return flags_.count(name) > 0; }
  std::string Option(const std::string& name, const std::string& fallback = {}) const;
  bool Has(const std::string& name) const { return options_.count(name) > 0; }

  // Throws UsageError unless the number of positional arguments is within [min, max].
  void Expect(std::size_t min, std::size_t max) const;

 private:
  std::vector<std::string> positional_;
  std::set<std::string> flags_;
  std::map<std::string, std::string> options_;
};

}  // namespace vornelle::tools
