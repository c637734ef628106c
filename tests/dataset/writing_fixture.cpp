#include "tests/dataset/writing_fixture.h"

#include <cstring>

#include "engine/engine.h"

namespace vornelle::testing {

namespace {

struct Layout {
  uint16_t header_length = 0;
  uint16_t record_length = 0;
  struct Field {
    std::string name;
    int offset = 0, length = 0;
  };
  std::vector<Field> fields;
};

uint16_t Word(const std::string& bytes, std::size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) |
                               static_cast<uint8_t>(bytes[at + 1]) << 8);
}

// The dBASE III-style header the engine writes for the tables of these tests.
Layout LayoutOf(const std::string& bytes) {
  Layout layout;
  layout.header_length = Word(bytes, 8);
  layout.record_length = Word(bytes, 10);
  int offset = 1;
  for (std::size_t at = 32; at + 32 <= bytes.size() && bytes[at] != '\x0D'; at += 32) {
    Layout::Field f;
    f.name = std::string(bytes.data() + at, strnlen(bytes.data() + at, 11));
    f.length = static_cast<uint8_t>(bytes[at + 16]);
    f.offset = offset;
    offset += f.length;
    layout.fields.push_back(f);
  }
  return layout;
}

}  // namespace

std::string WritingTest::MakeTypes(const std::string& name, const std::vector<TypesRow>& rows) {
  using namespace engine;
  const std::string path = dir_.File(name);
  CreateDbf(path, {{"NAME", 'C', 12, 0}, {"DAY", 'D', 8, 0}, {"PRICE", 'N', 8, 2},
                   {"QTY", 'N', 5, 0}, {"OK", 'L', 1, 0}, {"NOTE", 'M', 10, 0}});
  const bool oem = Switches().oem;
  Switches().oem = true;
  USE(path + " EXCLUSIVE ALIAS MAKER");
  for (const TypesRow& r : rows) {
    ClearRecord();
    char* name_slot = FieldAddress(1);
    std::memset(name_slot + 1, ' ', 12);
    std::memcpy(name_slot + 1, r.name.data(), std::min<std::size_t>(r.name.size(), 12));
    StoreDouble(FieldAddress(3), r.price);
    StoreInt32(FieldAddress(4), r.qty);
    FieldAddress(5)[0] = r.ok ? 1 : 0;
    StoreInt32(FieldAddress(6), r.note.empty() ? 0 : WriteMemoValue(r.note, true));
    Append();
    // Straight into the file: the engine's date text may have no century.
    if (!r.day.empty()) Poke(r.day, 2, RecNo());
    if (r.deleted) DeleteRec();
  }
  CloseArea();
  Switches().oem = oem;
  return path;
}

std::unique_ptr<dataset::TZuViv> WritingTest::OpenTable(const std::string& path) {
  auto table = Component();
  table->SetDbfFileName(path);
  table->SetActive(true);
  return table;
}

std::string WritingTest::StoredRecord(const std::string& path, int32_t recno) {
  const std::string bytes = ReadFileBytes(path);
  const Layout layout = LayoutOf(bytes);
  const std::size_t at =
      layout.header_length + static_cast<std::size_t>(recno - 1) * layout.record_length;
  if (recno < 1 || at + layout.record_length > bytes.size()) return {};
  return bytes.substr(at, layout.record_length);
}

std::string WritingTest::StoredField(const std::string& path, int32_t recno,
                                     const std::string& name) {
  const std::string record = StoredRecord(path, recno);
  if (record.empty()) return {};
  for (const Layout::Field& f : LayoutOf(ReadFileBytes(path)).fields)
    if (f.name == name)
      return record.substr(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.length));
  return {};
}

int32_t WritingTest::HeaderCount(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  return static_cast<int32_t>(Word(bytes, 4) | Word(bytes, 6) << 16);
}

void WritingTest::Watch(dataset::TTzFileDataSet& table, LockEvents& events) {
  table.OnALockFailedOnInsert = [&events](dataset::TTzFileDataSet&, bool&) { ++events.insert; };
  table.OnRLockFailedOnDelete = [&events](dataset::TTzFileDataSet&, bool&) { ++events.del; };
  table.OnRLockFailedOnPost = [&events](dataset::TTzFileDataSet&, bool&) { ++events.post; };
  table.OnRLockFailedOnRestore = [&events](dataset::TTzFileDataSet&, bool&) { ++events.restore; };
}

}  // namespace vornelle::testing
