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
  // `day` is the day to show and `today` the clock's, both YYYY-MM-DD.
  OnceADay(const std::string& day, const std::string& today);
  ~OnceADay();
  OnceADay(const OnceADay&) = delete;
  OnceADay& operator=(const OnceADay&) = delete;

  bool Shown() const { return shown_; }
  // Marks the day shown: only once the messages have been written. A day later than today, or
  // earlier than the day marked, leaves the mark as it is: looking ahead or back is not the
  // day's print.
  void MarkShown();

 private:
  // Finds the folder's state file, takes its lock and reads it.
  void Check(const std::string& day);
  void Lock();
  void CannotKeep(const std::string& file, const std::string& reason);

  std::string record_;  // the day and the folder, as the state file holds them
  std::string day_, today_;
  std::string marked_;  // the day the state file holds for this folder; empty for none
  std::string file_;    // empty when there is nowhere to keep it
  bool existed_ = false;
  bool shown_ = false;
  bool said_ = false;
  int lock_ = -1;
};

}  // namespace vornelle::tools
