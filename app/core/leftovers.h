#pragma once
// What a killed program leaves in a folder: the half-copied samples of a first start
// (".garden.dbf.partial") and unfinished settings files ("Vornel.Ini.tmp-XXXXXX").

#include <chrono>
#include <filesystem>

namespace vornelle::app {

// Removes such leftovers from `folder` once they are older than `age`: a younger one may
// belong to a program that is writing it now. Whatever cannot be removed is left.
void RemoveStaleLeftovers(const std::filesystem::path& folder,
                          std::chrono::seconds age = std::chrono::minutes(1));

}  // namespace vornelle::app
