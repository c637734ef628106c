// CreateDbf: a new, empty table of the engine's default kind, with its memo file when needed.

#include <cstring>

#include "engine/internal.h"
#include "engine/memo.h"
#include "engine/memo_internal.h"
#include "engine/record_io.h"
#include "engine/table.h"
#include "platform/file.h"

namespace vornelle::engine {

namespace {

bool IsMemoType(char t) { return t == 'M' || t == 'B' || t == 'G' || t == 'P'; }

}  // namespace

void CreateDbf(const std::string& file_name, const std::vector<FieldSpec>& specs) {
  ClearLastError();
  const uint8_t kind = State().switches.default_memo_type;
  const bool level7 = kind == kMemoLevel7;
  const bool extended_types = kind == kMemoDbase4 || level7;
  const auto invalid = [] { Report(211, "Invalid dBASE field definition [CreateDBF]"); };
  if (specs.empty() || specs.size() > 255) return invalid();

  const int desc_width = level7 ? 48 : 32;
  const int first = level7 ? 68 : 32;
  const std::size_t header_length = first + desc_width * specs.size() + 1;
  std::vector<uint8_t> header(header_length, 0);
  bool needs_memo = false;
  uint32_t record_length = 1;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    const FieldSpec& spec = specs[i];
    char type = static_cast<char>(std::toupper(static_cast<unsigned char>(spec.type)));
    std::string name = UpperAscii(Trim(spec.name).substr(0, 10));
    bool valid = std::strchr("CDFLMN", type) != nullptr ||
                 (extended_types && std::strchr("BGP", type) != nullptr);
    if (type == 0 || !valid || name.empty()) return invalid();
    if (IsMemoType(type)) needs_memo = true;
    if (type == 'F' && kind == kMemoDbase3) type = 'N';
    uint8_t length, decimals = 0;
    switch (type) {
      case 'C':
      case 'F':
      case 'N':
        if (spec.length == 0) return invalid();
        length = spec.length;
        if (type != 'C') decimals = spec.decimals;
        break;
      case 'D': length = 8; break;
      case 'L': length = 1; break;
      default: length = 10; break;
    }
    record_length += length;
    uint8_t* d = header.data() + first + desc_width * i;
    std::memcpy(d, name.data(), name.size());
    if (level7) {
      d[32] = static_cast<uint8_t>(type), d[33] = length, d[34] = decimals;
    } else {
      d[11] = static_cast<uint8_t>(type), d[16] = length, d[17] = decimals;
    }
  }
  if (record_length > 0xFFFF) return invalid();
  header[header_length - 1] = 0x0D;
  header[0] = needs_memo ? kind : (level7 ? 0x04 : 0x03);
  header[8] = static_cast<uint8_t>(header_length & 0xFF);
  header[9] = static_cast<uint8_t>(header_length >> 8);
  header[10] = static_cast<uint8_t>(record_length & 0xFF);
  header[11] = static_cast<uint8_t>(record_length >> 8);
  if (level7) std::memcpy(header.data() + 32, "DBWINWE0", 8);

  // A scratch work area of its own: no work area is opened or changed.
  WorkArea scratch;
  scratch.file_name = WithDefaultExtension(file_name, "DBF");
  scratch.version = header[0];
  scratch.header_length = static_cast<uint16_t>(header_length);
  scratch.record_length = static_cast<uint16_t>(record_length);
  scratch.exclusive = true;
  std::memcpy(scratch.header, header.data(), 32);
  int rc = scratch.file.Create(scratch.file_name);
  std::size_t put = 0;
  if (rc == 0) rc = scratch.file.WriteAt(0, header.data(), header.size(), &put);
  if (rc == 0 && put < header.size()) rc = 101;
  if (rc != 0) {
    scratch.file.Close();
    Report(rc, "Error writing " + scratch.file_name + ". [CreateDbf]");
    return;
  }
  scratch.file_state = FileState::Appended;
  scratch.record_count = 0;
  CloseTableFile(scratch);
  if (LastError() != 0) return;
  if (needs_memo)
    CreateMemofile(MemoFileName(scratch.file_name, kind), kind, kDefaultBlockSize);
}

}  // namespace vornelle::engine
