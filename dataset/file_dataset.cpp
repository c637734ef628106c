// TTzFileDataSet: opening the table file, and creating it from DbfFields when it is missing.

#include "dataset/file_dataset.h"

#include <filesystem>

#include "dataset/field_spec.h"
#include "dataset/messages.h"
#include "dataset/text.h"
#include "engine/engine.h"
#include "platform/codepage.h"
#include "platform/file.h"
#include "platform/format.h"
#include "platform/message_box.h"

namespace vornelle::dataset {

namespace {

void ShowOemMessage(const std::string& text) { platform::ShowMessage(platform::OemToAnsi(text)); }

// Puts a switch back when the scope ends, also when an exception passes.
template <typename T>
class KeepValue {
 public:
  explicit KeepValue(T& place) : place_(place), saved_(place) {}
  ~KeepValue() { place_ = saved_; }
  KeepValue(const KeepValue&) = delete;
  KeepValue& operator=(const KeepValue&) = delete;

 private:
  T& place_;
  T saved_;
};


}  // namespace

TTzFileDataSet::TTzFileDataSet() = default;

void TTzFileDataSet::CloseCursor() {
  TableClosedUnderStreams();
  TTzCDataSet::CloseCursor();
}

void TTzFileDataSet::SetExclusive(bool on) {
  if (on == exclusive_) return;
  if (Loading()) {
    exclusive_ = on;
    return;
  }
  const bool was_open = Active();
  Close();
  exclusive_ = on;
  if (was_open) Open();
}

bool TTzFileDataSet::CreateTableFromFields() {
  const std::vector<std::string>& lines = DbfFields();
  if (lines.empty()) {
    ShowOemMessage(msg::kNoFieldList);
    return false;
  }
  std::vector<engine::FieldSpec> specs;
  for (const std::string& line : lines) {
    if (!HasThreeCommas(line)) return false;
    std::optional<TFieldSpecLine> spec = ParseFieldSpec(line);
    if (!spec) continue;
    const std::string correction = CorrectFieldDef(Name(), *spec);
    if (!correction.empty()) ShowOemMessage(correction);
    specs.push_back({spec->name, spec->type, static_cast<uint8_t>(std::min(spec->width, 255)),
                     static_cast<uint8_t>(std::min(spec->decimals, 255))});
  }
  const bool auto_check = engine::SetAutoCheck(false);
  engine::ClearLastError();
  try {
    engine::CreateDbf(DbfFileName(), specs);
  } catch (...) {
    engine::SetAutoCheck(auto_check);
    throw;
  }
  engine::SetAutoCheck(auto_check);
  return engine::LastError() == 0;
}

bool TTzFileDataSet::OpenDbfFile(const std::string& name) {
  const std::string path = platform::ResolveCase(platform::FullPath(name));
  if (create_if_not_found_ && !std::filesystem::exists(path) && !CreateTableFromFields())
    ShowOemMessage(platform::Format(msg::kCouldNotCreate, DbfFileName().c_str()));

  // The name and the options go to the engine apart, so that no part of a file name is taken
  // for an option.
  const engine::UseOptions options{exclusive_, TrimControls(Name())};

  engine::EngineSwitches& switches = engine::Switches();
  KeepValue<std::optional<uint8_t>> keep_mode(switches.open_mode_override);
  {
    KeepValue<bool> keep_count(switches.count_from_size);
    switches.count_from_size = auto_fix_rec_count_;
    if (ReadOnly())
      switches.open_mode_override =
          platform::mode::kReadOnly |
          (exclusive_ ? platform::mode::kShareCompat : platform::mode::kDenyNone);
    engine::UseTable(name, options);
  }
  // The index step would run here; without an index layer a table opens as if it declared
  // no index, whatever its header says.
  return engine::LastError() == 0;
}

void TTzFileDataSet::DirectOpenClose(bool /*opening*/) {
  if (!Active()) engine::Report(1103, msg::kMustBeActive + Name());
}

bool TTzFileDataSet::IsSequenced() {
  SelectWorkArea("IsSequenced");
  const engine::WorkArea* wa = engine::Current();
  return !(wa->filter || wa->host_filter);
}

}  // namespace vornelle::dataset
