#pragma once
// Packing a table from vornelle-db and the theme editor: the engine's pack, written in an
// import folder of its own beside the table.

#include <string>

#include "engine/table_pack.h"

namespace vornelle::themes {

// Packs `table` (engine/table_pack.h), first clearing what stopped imports left beside it.
// ETavrinError (kSharingViolation when another program has the table open) or ThemeError when
// it cannot; the table is then as it was.
engine::PackResult PackTableFile(const std::string& table);

}  // namespace vornelle::themes
