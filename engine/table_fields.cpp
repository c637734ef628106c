#include "engine/table_fields.h"

#include <cstring>
#include <vector>

#include "engine/internal.h"

namespace vornelle::engine {

namespace {

constexpr uint8_t kSystemField = 0x01, kNullableField = 0x02, kAutoincrementField = 0x08;

// One descriptor as the header holds it.
struct Described {
  std::string name;
  char type;
  uint8_t length, decimals, flags;
  uint32_t at;  // the descriptor's file offset
};

std::string TypeContext(const WorkArea& wa, const Described& d) {
  return "Field: " + d.name + " [" + std::string(1, d.type) + "] in " + wa.file_name;
}

// How the engine presents a field of the stored type, and where its value lies in its bytes.
// False for a type the family does not have.
bool Classify(const WorkArea& wa, const Described& d, FieldDesc& f) {
  const bool vfp = wa.IsVisualFoxPro(), level7 = wa.IsLevel7();
  f.stored_type = d.type;
  switch (d.type) {
    case 'C':
    case 'D':
    case 'F':
    case 'L':
    case 'N': f.type = d.type; return true;
    case 'B':
      if (vfp) {  // Visual FoxPro's double
        f.type = 'F', f.storage = Storage::kDoubleLE;
        return true;
      }
      [[fallthrough]];
    case 'M':
    case 'G':
    case 'P':
    case 'b':
    case 'g':
    case 'p':
      f.type = 'M';
      f.storage = d.length == 4 ? Storage::kBlockLE : Storage::kText;
      return true;
    case 'W':  // Visual FoxPro's blob
      f.type = 'M', f.storage = Storage::kBlockLE;
      return vfp;
    case 'I':
    case '+':
      f.type = 'N', f.storage = level7 ? Storage::kInt32BE : Storage::kInt32LE;
      f.autoincrement = d.type == '+' || (vfp && (d.flags & kAutoincrementField) != 0);
      // Visual FoxPro keeps the next value and the step in the descriptor's bytes 19 to 23.
      if (vfp && f.autoincrement) f.counter_at = d.at + 19;
      return true;
    case 'Y': f.type = 'N', f.storage = Storage::kCurrency; return true;
    case 'O': f.type = 'F', f.storage = level7 ? Storage::kDoubleBE : Storage::kDoubleLE; return true;
    case 'T': f.type = 'C', f.storage = Storage::kDateTimeLE; return true;
    case '@': f.type = 'C', f.storage = level7 ? Storage::kTimestampBE : Storage::kDateTimeLE; return true;
    case 'V':
      // Outside Visual FoxPro a V field is read as text, as other readers read it.
      f.type = 'C', f.storage = vfp ? Storage::kVarBytes : Storage::kText;
      return true;
    case 'Q': f.type = 'C', f.storage = Storage::kVarBytes; return vfp;
    default: return false;
  }
}

// The width a binary value needs; 0 for a field of any width.
int FixedWidth(const FieldDesc& f) {
  switch (f.storage) {
    case Storage::kInt32LE:
    case Storage::kInt32BE:
    case Storage::kBlockLE: return 4;
    case Storage::kCurrency:
    case Storage::kDoubleLE:
    case Storage::kDoubleBE:
    case Storage::kDateTimeLE:
    case Storage::kTimestampBE: return 8;
    default: return 0;
  }
}

uint32_t HeaderCount(const WorkArea& wa) {
  const uint8_t* h = wa.header;
  if (wa.IsDbase2()) return h[1] | (h[2] << 8);
  return h[4] | (h[5] << 8) | (h[6] << 16) | (static_cast<uint32_t>(h[7]) << 24);
}

// Whether the file holds exactly the header's records of `length` bytes (with or without the
// end mark): then its size proves the record length.
bool SizeProves(const WorkArea& wa, int64_t file_size, int64_t length) {
  const int64_t count = HeaderCount(wa);
  const int64_t data = file_size - wa.header_length;
  return count > 0 && length > 1 && (data == count * length || data == count * length + 1);
}

}  // namespace

DescriptorProblem ReadFieldDescriptors(WorkArea& wa, const uint8_t* bytes, int max_fields,
                                       const DescriptorLayout& layout, int64_t file_size) {
  std::vector<Described> described;
  for (int i = 0; i < max_fields; ++i) {
    const uint8_t* d = bytes + static_cast<std::ptrdiff_t>(i) * layout.width;
    if (d[0] == 0x0D) break;
    Described one;
    for (int c = 0; c < layout.name_end && d[c] != 0; ++c) one.name += static_cast<char>(d[c]);
    one.name = UpperAscii(one.name);
    one.type = static_cast<char>(d[layout.type_at]);
    one.length = d[layout.length_at];
    one.decimals = d[layout.decimals_at];
    one.flags = layout.flags_at >= 0 && wa.IsVisualFoxPro() ? d[layout.flags_at] : 0;
    one.at = static_cast<uint32_t>(layout.first + i * layout.width);
    described.push_back(std::move(one));
  }
  if (described.empty()) return {222, "Error reading " + wa.file_name + " [Use/OpenDbf]"};

  // FoxPro and Clipper keep the high byte of a wide C field's width in its decimals byte. Some
  // writers put a real decimal count there: the width that makes the fields fill the record
  // wins, and the file's size decides when the header's record length fits neither.
  int64_t plain = 1, wide = 1;
  for (const Described& d : described) {
    plain += d.length;
    wide += d.length + (d.type == 'C' ? 256 * d.decimals : 0);
  }
  bool use_wide = false;
  if (plain != wa.record_length) {
    if (wide == wa.record_length) {
      use_wide = true;
    } else if (SizeProves(wa, file_size, plain) && !SizeProves(wa, file_size, wa.record_length)) {
      wa.record_length = static_cast<uint16_t>(plain);
    } else if (wide <= 0xFFFF && SizeProves(wa, file_size, wide) &&
               !SizeProves(wa, file_size, wa.record_length)) {
      use_wide = true;
      wa.record_length = static_cast<uint16_t>(wide);
    } else {
      return {210, wa.file_name + " is not a dBASE database. (its fields describe " + std::to_string(plain) +
                       " of the " + std::to_string(wa.record_length) + " bytes of a record) [USE/OpenDBF]"};
    }
  }

  int null_bits = 0;
  uint32_t offset = 1;
  std::vector<FieldDesc> fields;
  for (const Described& d : described) {
    FieldDesc f;
    f.name = d.name;
    f.length = static_cast<uint16_t>(d.length + (use_wide && d.type == 'C' ? 256 * d.decimals : 0));
    f.decimals = use_wide && d.type == 'C' ? 0 : d.decimals;
    f.offset = static_cast<uint16_t>(offset);
    offset += f.length;
    if ((d.flags & kSystemField) != 0) {
      // Hidden from the user; Visual FoxPro's null flags say which values are null.
      if (d.type == '0') wa.null_flags_offset = f.offset, wa.null_flags_length = f.length;
      continue;
    }
    if (!Classify(wa, d, f))
      return {211, TypeContext(wa, d) + " is not a valid field type"};
    if (const int width = FixedWidth(f); width != 0 && f.length != width)
      return {211, TypeContext(wa, d) + " is " + std::to_string(f.length) + " bytes wide, not " +
                       std::to_string(width)};
    // Visual FoxPro numbers its null flags' bits in field order: a varchar's length bit first,
    // then the null bit of a field that may be null.
    if (f.storage == Storage::kVarBytes) f.length_bit = static_cast<int16_t>(null_bits++);
    if ((d.flags & kNullableField) != 0) f.null_bit = static_cast<int16_t>(null_bits++);
    f.quick_type = f.storage == Storage::kText && f.null_bit < 0 ? f.type : '\0';
    fields.push_back(std::move(f));
  }
  if (fields.empty()) return {222, "Error reading " + wa.file_name + " [Use/OpenDbf]"};
  if (fields.size() > 255)
    return {210, wa.file_name + " is not a dBASE database. (Number of fields is out of range) [Use/OpenDbf]"};
  if (null_bits > wa.null_flags_length * 8) {
    // Flags the table has no room for: its null flags say nothing.
    for (FieldDesc& f : fields) {
      f.null_bit = f.length_bit = -1;
      f.quick_type = f.storage == Storage::kText ? f.type : '\0';
    }
  }
  wa.fields = std::move(fields);
  return {};
}

}  // namespace vornelle::engine
