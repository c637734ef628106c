#pragma once
// What the framework's tests share: small datasets, a grid-like link, an event log, a string
// stream and a way to catch an error's text.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/data_link.h"
#include "tests/framework/memory_dataset.h"

namespace vornelle::testing {

// N = 1 .. count and NAME = "row N".
inline std::unique_ptr<TMemoryDataSet> Numbers(int count) {
  auto ds = std::make_unique<TMemoryDataSet>(
      std::vector<TMemoryDataSet::Column>{{"N", ftInteger}, {"NAME", ftString, 10}});
  for (int i = 1; i <= count; ++i) ds->AddRow({int64_t{i}, "row " + std::to_string(i)});
  return ds;
}

inline int N(const TDataSet& ds) { return ds.FieldByName("N").AsInteger(); }

// The text of the E that `operation` raises; a marker when it raises nothing.
template <typename E, typename F>
std::string ErrorText(F&& operation) {
  try {
    operation();
  } catch (const E& error) {
    return error.what();
  }
  return "<no error>";
}

// A control showing `rows` records: it notes what it hears and reads what its rows show.
class GridLink : public TDataLink {
 public:
  explicit GridLink(int rows) { SetBufferCount(rows); }
  std::vector<int> Rows() {
    std::vector<int> out;
    const int active = ActiveRecord();
    for (int row = 0; row < RecordCount(); ++row) {
      SetActiveRecord(row);
      out.push_back(DataSet()->FieldByName("N").AsInteger());
    }
    SetActiveRecord(active);
    return out;
  }
  std::vector<std::string> heard;
  // What UpdateData writes into NAME, when set.
  std::string pending_name;

 protected:
  void ActiveChanged() override { heard.push_back(Active() ? "active" : "inactive"); }
  void DataSetChanged() override { heard.push_back("changed"); }
  void DataSetScrolled(int distance) override { heard.push_back("scrolled " + std::to_string(distance)); }
  void RecordChanged(TField* field) override {
    heard.push_back(field ? "field " + field->FieldName() : "record");
  }
  void EditingChanged() override { heard.push_back(Editing() ? "editing" : "not editing"); }
  void UpdateData() override {
    heard.push_back("update data");
    if (!pending_name.empty()) DataSet()->FieldByName("NAME").SetAsString(pending_name);
    pending_name.clear();
  }
};

// Notes the editing and scrolling events of a dataset by name, in the order they fire. (Not
// closing: a dataset closes itself when destroyed, after a log declared below it is gone.)
inline void LogEvents(TDataSet& ds, std::vector<std::string>& log) {
  auto note = [&log](const char* name) { return [&log, name](TDataSet&) { log.push_back(name); }; };
  ds.BeforeInsert = note("BeforeInsert");
  ds.AfterInsert = note("AfterInsert");
  ds.BeforeEdit = note("BeforeEdit");
  ds.AfterEdit = note("AfterEdit");
  ds.BeforePost = note("BeforePost");
  ds.AfterPost = note("AfterPost");
  ds.BeforeCancel = note("BeforeCancel");
  ds.AfterCancel = note("AfterCancel");
  ds.BeforeDelete = note("BeforeDelete");
  ds.AfterDelete = note("AfterDelete");
  ds.BeforeScroll = note("BeforeScroll");
  ds.AfterScroll = note("AfterScroll");
  ds.OnNewRecord = note("OnNewRecord");
}

// A stream over a string, for the blob fields' stream methods.
class StringStream : public platform::TStringStream {
 public:
  using TStringStream::TStringStream;
  const std::string& Text() const { return DataString(); }
};

}  // namespace vornelle::testing
