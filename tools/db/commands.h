#pragma once
// The commands of vornelle-db. Each takes its arguments after the command name and returns the
// exit status; failures are thrown (UsageError, ToolError, engine::ETavrinError) and end with
// the command's error status.

#include <string>
#include <vector>

#include "platform/locale.h"

namespace vornelle::tools {

using Arguments = std::vector<std::string>;

int InfoCommand(const Arguments& args);
int ListCommand(const Arguments& args);
int EvalCommand(const Arguments& args);
int LocateCommand(const Arguments& args);
int CreateCommand(const Arguments& args);
int AppendCommand(const Arguments& args);
int ReplaceCommand(const Arguments& args);
int DeleteCommand(const Arguments& args);
int RecallCommand(const Arguments& args);
int PackCommand(const Arguments& args);
int DayCommand(const Arguments& args);
int FindCommand(const Arguments& args);
// day --from --to: the days' panes from `from` to `to` of the theme `files`, each after its
// date (or a JSON list of days); 1 when a theme could not be read or `failed` already.
int PrintDayRange(const platform::CalendarDate& from, const platform::CalendarDate& to,
                  const std::vector<std::string>& files, bool json, bool failed);
int ThemesCommand(const Arguments& args);
int ThemeCommand(const Arguments& args);

}  // namespace vornelle::tools
