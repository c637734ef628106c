#pragma once
// A file's content replaced as a whole.

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace vornelle::platform {

// The new content goes to a temporary file beside the target ("<target>.tmp-XXXXXX"), is
// synced and renamed over the target, and the folder is synced, so a failed or interrupted
// write leaves the old file as it was. When the folder refuses the temporary file (no write
// permission, a read-only mount) but the target exists, the target is rewritten in place
// instead: written, cut to length and synced.
//
// `mode` is the old file's permission bits, which the new one keeps, or nothing for a new file
// (created under the umask). False, with errno, when the content could not be written.
bool ReplaceFileContent(const std::string& target, std::string_view bytes, std::optional<mode_t> mode);

// A new file of the caller's own, named `prefix`, six random letters and digits, `suffix`:
// created exclusively and never through a link, so that nothing already under the name (a
// link planted there included) is opened or written. The write-only descriptor, with the name
// in `name`; -1 with errno when none could be made.
int CreateUniqueFile(const std::string& prefix, const std::string& suffix, mode_t mode, std::string* name);

}  // namespace vornelle::platform
