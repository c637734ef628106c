#include "themes/table_pack.h"

#include <filesystem>

#include "engine/engine.h"
#include "platform/file.h"
#include "themes/theme_error.h"
#include "themes/import_leftovers.h"

namespace vornelle::themes {

engine::PackResult PackTableFile(const std::string& table) {
  const std::filesystem::path path = platform::FullPath(engine::TableFileName(table));
  ClearImportLeftovers(path.parent_path());
  ImportFolder scratch(path.parent_path());
  engine::PackResult result;
  if (!engine::PackTable(path.string(), scratch.Path().string(), &result))
    throw ThemeError(table + " was not packed: " + engine::FetchMessage());
  return result;
}

}  // namespace vornelle::themes
