#pragma once
// What a killed program leaves in a folder: the half-copied samples of a first start
// (".garden.dbf.Ab12Cd.partial") and unfinished settings files ("Vornel.Ini.tmp-Ab12Cd"), each
// under a name made new for it (platform::CreateUniqueFile).

#include <chrono>
#include <filesystem>
#include <string_view>

namespace vornelle::app {

// Whether `name` is one of those names: ours alone, so that another program's ".partial" file
// or temporary file is never taken for one.
bool IsOurLeftoverName(std::string_view name);

// Removes such leftovers from `folder` once they are older than `age`: a younger one may
// belong to a program that is writing it now. Whatever cannot be removed is left.
void RemoveStaleLeftovers(const std::filesystem::path& folder,
                          std::chrono::seconds age = std::chrono::minutes(1));

}  // namespace vornelle::app
