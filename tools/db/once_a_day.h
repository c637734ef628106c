#pragma once
// vornelle-db day --once: whether the day's messages of the current folder were shown already,
// kept in a small file per folder in $XDG_STATE_HOME/vornelle (~/.local/state/vornelle).

#include <string>

namespace vornelle::tools {

// Holds the folder's lock from the check until it is destroyed, so that of two shells
// starting together only one prints. State that cannot be kept never stops the messages: the
// reason is said once on stderr, and what could not be read counts as not shown.
class OnceADay {
 public:
  // `day` is the day to show, YYYY-MM-DD.
  explicit OnceADay(const std::string& day);
  ~OnceADay();
  OnceADay(const OnceADay&) = delete;
  OnceADay& operator=(const OnceADay&) = delete;

  bool Shown() const { return shown_; }
  // Marks the day shown: only once the messages have been written.
  void MarkShown();

 private:
  // Finds the folder's state file, takes its lock and reads it.
  void Check(const std::string& day);
  void Lock();
  void CannotKeep(const std::string& file, const std::string& reason);

  std::string record_;  // the day and the folder, as the state file holds them
  std::string file_;    // empty when there is nowhere to keep it
  bool existed_ = false;
  bool shown_ = false;
  bool said_ = false;
  int lock_ = -1;
};

}  // namespace vornelle::tools
