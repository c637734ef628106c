// Blob fields: the value is read and written through a stream the dataset makes.

#include "framework/dataset.h"
#include "framework/errors.h"
#include "framework/field_types.h"
#include "framework/messages.h"

namespace vornelle::framework {

namespace {

TDataSet& DataSetOf(const TField& field) {
  if (!field.DataSet()) DatabaseErrorFmt(msg::kFieldNoDataSet, field.DisplayName().c_str());
  return *field.DataSet();
}

}  // namespace

std::string TBlobField::AsString() const {
  TDataSet& dataset = DataSetOf(*this);
  if (!dataset.ActiveBuffer()) return {};
  auto stream = dataset.CreateBlobStream(const_cast<TBlobField&>(*this), bmRead);
  return stream->ReadAll();
}

void TBlobField::SetAsString(const std::string& value) {
  TDataSet& dataset = DataSetOf(*this);
  dataset.CheckFieldWrite(*this);
  auto stream = dataset.CreateBlobStream(*this, bmWrite);
  stream->WriteAll(value);
  stream->Finish();  // a value that cannot be kept fails the assignment
}

Variant TBlobField::Value() const {
  if (IsNull()) return {};
  return AsString();
}

void TBlobField::LoadFromStream(platform::TStream& stream) { SetAsString(stream.ReadAll()); }

void TBlobField::SaveToStream(platform::TStream& stream) const { stream.WriteAll(AsString()); }

}  // namespace vornelle::framework
