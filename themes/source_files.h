#pragma once
// Theme material from files a user was given (a theme text, a fortune file, a calendar file and
// the files it includes), read so that such a file reaches nothing it should not: only regular
// files, opened without waiting (a FIFO would wait for ever), at most kMaxSourceBytes in all (a
// device such as /dev/zero never ends), and an included file only where its folder allows,
// following links only as long as they stay there.

#include <cstddef>
#include <optional>
#include <string>

#include "themes/calendar_source.h"

namespace vornelle::themes {

// Far more than the text of a year of messages: the largest calendar and fortune files that
// are distributed are a few hundred KiB.
inline constexpr std::size_t kMaxSourceBytes = 16 << 20;

class SourceFiles : public CalendarFiles {
 public:
  Found Locate(const std::string& path, const std::string& folder) override;
  // Each file read counts towards the bound, which the files of one source share.
  std::optional<std::string> Read(const std::string& file, std::string& problem) override;

 private:
  std::size_t read_ = 0;
};

}  // namespace vornelle::themes
