// TTzDataSet: the record callbacks that move, fetch, count and change records, bookmarks, and
// the search callback.

#include <cstring>

#include "dataset/tz_dataset.h"
#include "engine/engine.h"

namespace vornelle::dataset {

using namespace framework;

namespace {

engine::LocateKey EngineKey(const Variant& value) {
  struct Visitor {
    engine::LocateKey operator()(std::monostate) const { return std::string(); }
    engine::LocateKey operator()(const std::string& s) const { return s; }
    engine::LocateKey operator()(int64_t i) const { return static_cast<double>(i); }
    engine::LocateKey operator()(double d) const { return d; }
    engine::LocateKey operator()(bool b) const { return b; }
    engine::LocateKey operator()(TDateValue d) const { return platform::DecodeDate(d.value); }
  };
  return std::visit(Visitor{}, value);
}

}  // namespace

int16_t TTzDataSet::TziSetToBegin() {
  EnterEngine("TziSetToBegin");
  engine::GoTop();
  at_begin_ = true;
  at_end_ = false;
  return EngineResult();
}

int16_t TTzDataSet::TziSetToEnd() {
  EnterEngine("TziSetToEnd");
  engine::GoBottom();
  at_end_ = true;
  at_begin_ = false;
  return EngineResult();
}

int16_t TTzDataSet::TziGetRecord(TRecordBuffer buffer, int32_t* recno) {
  if (at_begin_) return kBeforeFirst;
  if (at_end_) return kAfterLast;
  EnterEngine("TziGetRecord");
  if (buffer) {
    engine::Skip(0);
    if (const int16_t code = EngineResult()) return code;
    ReadRecordToBuffer(buffer);
  }
  *recno = engine::RecNo();
  return EngineResult();
}

int16_t TTzDataSet::TziGetNextRecord(TRecordBuffer buffer, int32_t* recno) {
  if (at_end_) return kAfterLast;
  EnterEngine("TziGetNextRecord");
  if (at_begin_) {
    engine::Skip(0);  // re-read the record go-to-top found
    at_begin_ = false;
  } else if (!engine::dEOF()) {
    engine::Skip(1);
  }
  if (const int16_t code = EngineResult()) return code;
  if (const engine::WorkArea* wa = engine::Current(); !wa->eof) {
    // Skip left the end flag exact: no need to ask the engine again.
    if (buffer) ReadRecordToBuffer(buffer);
    *recno = wa->recno;
    return 0;
  }
  if (!engine::dBOF()) engine::Skip(-1);  // back onto the last visible record
  at_end_ = true;
  return kAfterLast;
}

int16_t TTzDataSet::TziGetPriorRecord(TRecordBuffer buffer, int32_t* recno) {
  if (at_begin_) return kBeforeFirst;
  EnterEngine("TziGetPriorRecord");
  if (at_end_) {
    engine::Skip(0);
    at_end_ = false;
  } else if (!engine::dBOF()) {
    engine::Skip(-1);
  }
  if (const int16_t code = EngineResult()) return code;
  if (engine::dBOF()) {
    at_begin_ = true;
    return kBeforeFirst;
  }
  if (buffer) ReadRecordToBuffer(buffer);
  *recno = engine::RecNo();
  return 0;
}

int16_t TTzDataSet::SafeGo(int32_t recno) {
  SelectWorkArea("SafeGo");
  if (recno >= 1 && recno <= engine::RecCount()) {
    engine::ClearLastError();
    engine::Go(recno);
    at_begin_ = at_end_ = false;
    return EngineResult();
  }
  // A record that no longer exists leaves the dataset at its end.
  return TziSetToEnd();
}

int32_t TTzDataSet::TziGetRecordCount() {
  SelectWorkArea("TziGetRecordCount");
  return engine::RecCount();
}

int16_t TTzDataSet::TziForceReread() {
  EnterEngine("TziForceReread");
  engine::Skip(0);
  return EngineResult();
}

int16_t TTzDataSet::TziInitRecord() {
  EnterEngine("TziInitRecord");
  engine::ClearRecord();
  return EngineResult();
}

int16_t TTzDataSet::TziAppendRecord(TRecordBuffer buffer) {
  EnterEngine("TziAppendRecord");
  WriteBufferToRecord(buffer);
  s_AppendWithLock();
  at_begin_ = at_end_ = false;
  return EngineResult();
}

int16_t TTzDataSet::TziPostRecord(TRecordBuffer buffer) {
  if (at_begin_) return kBeforeFirst;
  if (at_end_) return kAfterLast;
  EnterEngine("TziPostRecord");
  WriteBufferToRecord(buffer);
  s_ReplaceWithLock();
  return EngineResult();
}

int16_t TTzDataSet::TziDeleteRecord() {
  EnterEngine("TziDeleteRecord");
  s_DeleteWithLock();
  const int16_t code = EngineResult();
  if (code == 0) ResyncAfterChange();
  return code;
}

void TTzDataSet::Restore() {
  CheckBrowseMode();
  if (IsEmpty() || !CanModify()) return;
  DoBeforeRestore();
  UpdateCursorPos();
  EnterEngine("Restore");
  s_RestoreWithLock();
  CheckResult(EngineResult());
  Resync(0);
  DoAfterRestore();
}

int16_t TTzDataSet::TziGoToBookmark(const void* bookmark) {
  int32_t recno = 0;
  std::memcpy(&recno, bookmark, 4);
  return SafeGo(recno);
}

int16_t TTzDataSet::TziSetToBookmark(void* bookmark) {
  SelectWorkArea("TziSetToBookmark");
  const int32_t recno = engine::RecNo();
  std::memcpy(bookmark, &recno, 4);
  return 0;
}

int16_t TTzDataSet::TziCompareBookmarks(int32_t a, int32_t b, int* result) {
  *result = a < b ? -1 : (a > b ? 1 : 0);
  return 0;
}

bool TTzDataSet::TziLocateRecord(const std::string& key_fields,
                                 const std::vector<Variant>& key_values, bool case_insensitive,
                                 bool move, bool exact) {
  SelectWorkArea("TziLocateRecord");
  std::vector<engine::LocateKey> keys;
  keys.reserve(key_values.size());
  for (const Variant& value : key_values) keys.push_back(EngineKey(value));
  const bool found = engine::DatasetLocate(key_fields, keys, case_insensitive, exact, move);
  if (move && found) at_begin_ = at_end_ = false;
  return found;
}

}  // namespace vornelle::dataset
