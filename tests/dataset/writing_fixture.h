#pragma once
// The fixture of the writing and search tests: a table with a field of every type made through
// the engine, and the record bytes as the file holds them, read past the engine.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/exception.h"
#include "tests/dataset/dataset_fixture.h"

namespace vornelle::testing {

// A record of the table of every type (ANSI text; the date as YYYYMMDD, "" for none).
struct TypesRow {
  std::string name;
  std::string day;
  double price = 0;
  int32_t qty = 0;
  bool ok = false;
  std::string note;  // "" for no memo
  bool deleted = false;
};

// The message of the platform exception `body` raises (engine, framework or component), or ""
// when it raises none.
template <typename Body>
std::string FailureOf(Body body) {
  try {
    body();
  } catch (const platform::Exception& e) {
    return e.what();
  }
  return {};
}

class WritingTest : public DatasetTest {
 protected:
  // NAME C(12), DAY D, PRICE N(8,2), QTY N(5,0), OK L, NOTE M, in the engine's default kind,
  // with these records (text stored in OEM).
  std::string MakeTypes(const std::string& name, const std::vector<TypesRow>& rows);
  // The component on `path`, opened shared.
  std::unique_ptr<dataset::TZuViv> OpenTable(const std::string& path);

  // Record `recno` (deletion byte first) as the file holds it now.
  static std::string StoredRecord(const std::string& path, int32_t recno);
  // Field `name` of record `recno` as the file holds it now (blank-padded, untranslated).
  static std::string StoredField(const std::string& path, int32_t recno, const std::string& name);
  // The record count in the file's header.
  static int32_t HeaderCount(const std::string& path);

  // Counts the calls of the four lock-failure events; a handler never asks for another try.
  struct LockEvents {
    int insert = 0, del = 0, post = 0, restore = 0;
    int Total() const { return insert + del + post + restore; }
  };
  static void Watch(dataset::TTzFileDataSet& table, LockEvents& events);
};

}  // namespace vornelle::testing
