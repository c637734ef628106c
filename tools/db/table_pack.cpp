#include "tools/db/table_pack.h"

#include <filesystem>

#include "engine/engine.h"
#include "platform/file.h"
#include "tools/db/cli.h"
#include "tools/db/import_leftovers.h"

namespace vornelle::tools {

engine::PackResult PackTableFile(const std::string& table) {
  const std::filesystem::path path = platform::FullPath(engine::TableFileName(table));
  ClearImportLeftovers(path.parent_path());
  ImportFolder scratch(path.parent_path());
  engine::PackResult result;
  if (!engine::PackTable(path.string(), scratch.Path().string(), &result))
    throw ToolError(table + " was not packed: " + engine::FetchMessage());
  return result;
}

}  // namespace vornelle::tools
