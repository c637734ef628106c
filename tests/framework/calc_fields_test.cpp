// Persistent and default fields, and calculated fields: where they come from, how they bind to
// the source's columns, and when OnCalcFields computes them.

#include <gtest/gtest.h>

#include "framework/errors.h"
#include "tests/framework/framework_helpers.h"

namespace vornelle::testing {
namespace {

template <typename F>
TField& AddField(TDataSet& ds, const std::string& name, TFieldKind kind = fkData, int size = 0) {
  auto field = std::make_unique<F>();
  field->SetFieldName(name);
  field->SetFieldKind(kind);
  if (size) field->SetSize(size);
  return ds.Fields().Add(std::move(field));
}

// Numbers with DOUBLE = 2 * N computed, all fields persistent.
std::unique_ptr<TMemoryDataSet> WithDouble(int rows, int* calculations = nullptr) {
  auto ds = Numbers(rows);
  AddField<TIntegerField>(*ds, "DOUBLE", fkCalculated);
  AddField<TIntegerField>(*ds, "N");
  AddField<TStringField>(*ds, "NAME", fkData, 10);
  ds->OnCalcFields = [calculations](TDataSet& d) {
    if (calculations) ++*calculations;
    EXPECT_EQ(d.State(), dsCalcFields);
    TField& n = d.FieldByName("N");
    if (!n.IsNull()) d.FieldByName("DOUBLE").SetAsInteger(2 * n.AsInteger());
  };
  return ds;
}

TEST(PersistentFields, ReplaceTheDefaultOnesAndBindByName) {
  auto only_calc = Numbers(2);
  AddField<TIntegerField>(*only_calc, "DOUBLE", fkCalculated);
  only_calc->Open();
  EXPECT_EQ(only_calc->Fields().Count(), 1);  // no default fields beside a persistent one
  EXPECT_FALSE(only_calc->DefaultFields());
  EXPECT_EQ(only_calc->FindField("N"), nullptr);

  auto ds = WithDouble(3);
  ds->Open();
  EXPECT_EQ(ds->Fields().Count(), 3);
  EXPECT_EQ(ds->Fields()[0].FieldName(), "DOUBLE");  // the user's order, not the source's
  EXPECT_EQ(ds->FieldByName("DOUBLE").FieldNo(), -1);
  EXPECT_EQ(ds->FieldByName("N").FieldNo(), 1);
  EXPECT_EQ(ds->FieldByName("NAME").FieldNo(), 2);
  EXPECT_EQ(ds->CalcFieldsSize(), 5);
  EXPECT_EQ(N(*ds), 1);
  EXPECT_EQ(ds->FieldByName("NAME").AsString(), "row 1");

  TField* n = ds->FindField("N");
  ds->Close();
  EXPECT_EQ(ds->Fields().Count(), 3);  // persistent fields outlive closing
  EXPECT_EQ(n->FieldNo(), 0);
  ds->Open();
  EXPECT_EQ(ds->FindField("N"), n);
  EXPECT_EQ(n->AsInteger(), 1);
}

TEST(PersistentFields, DefaultFieldsComeAndGoWithOpening) {
  auto ds = Numbers(1);
  ds->Open();
  EXPECT_TRUE(ds->DefaultFields());
  EXPECT_EQ(ds->Fields().Count(), 2);
  EXPECT_EQ(ds->FieldByName("NAME").Size(), 10);
  ds->Close();
  EXPECT_EQ(ds->Fields().Count(), 0);
  EXPECT_FALSE(ds->DefaultFields());
  ds->Open();
  EXPECT_EQ(N(*ds), 1);
}

TEST(PersistentFields, ANameOrTypeTheSourceLacksKeepsTheDatasetClosed) {
  auto ds = Numbers(1);
  TField& wrong = AddField<TIntegerField>(*ds, "NAME");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Open(); }),
            "Type mismatch for field 'NAME', expecting: Integer actual: String");
  EXPECT_FALSE(ds->Active());
  ds->Fields().Remove(wrong);
  AddField<TIntegerField>(*ds, "MISSING");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Open(); }), "Field 'MISSING' not found");
  EXPECT_FALSE(ds->Active());
  ds->Fields().Remove(*ds->FindField("MISSING"));
  AddField<TIntegerField>(*ds, "N");
  ds->Open();
  EXPECT_EQ(N(*ds), 1);
}

TEST(PersistentFields, AStringFieldTakesItsColumnsSize) {
  // A string field made without a size, or with another than the column's, still reads and
  // writes the whole column and nothing beyond it.
  TMemoryDataSet ds({{"NAME", ftString, 10}, {"N", ftInteger}});
  ds.AddRow({std::string("abcdefghij"), int64_t{5}});
  AddField<TStringField>(ds, "NAME");
  AddField<TIntegerField>(ds, "N");
  ds.Open();
  EXPECT_EQ(ds.FieldByName("NAME").AsString(), "abcdefghij");
  ds.Close();
  ds.FieldByName("NAME").SetSize(40);
  ds.Open();
  ds.Edit();
  ds.FieldByName("NAME").SetAsString(std::string(30, 'x'));
  ds.Post();
  EXPECT_EQ(ds.Stored(0, 0), Variant(std::string(10, 'x')));
  EXPECT_EQ(ds.Stored(0, 1), Variant(int64_t{5}));
}

TEST(PersistentFields, FieldsAreAddedAndRemovedOnlyWhileClosed) {
  auto ds = Numbers(1);
  ds->Open();
  auto extra = std::make_unique<TIntegerField>();
  extra->SetFieldName("EXTRA");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Fields().Add(std::move(extra)); }),
            "Cannot perform this operation on an open dataset");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Fields().Remove(ds->FieldByName("N")); }),
            "Cannot perform this operation on an open dataset");
  EXPECT_EQ(ds->Fields().Count(), 2);
  EXPECT_EQ(N(*ds), 1);
}

TEST(CalcFields, ComputedForEveryRecordFetched) {
  auto ds = WithDouble(25);
  TDataSource source(ds.get());
  GridLink grid(10);
  grid.SetDataSource(&source);
  ds->Open();
  for (int row = 0; row < grid.RecordCount(); ++row) {
    grid.SetActiveRecord(row);
    EXPECT_EQ(ds->FieldByName("DOUBLE").AsInteger(), 2 * (row + 1));
  }
  grid.SetActiveRecord(0);
  ds->Last();
  EXPECT_EQ(ds->FieldByName("DOUBLE").AsInteger(), 50);
  EXPECT_TRUE(ds->FieldByName("DOUBLE").Calculated());
}

TEST(CalcFields, RecomputedOnChangesWhileEditingUnlessTurnedOff) {
  int calculations = 0;
  auto ds = WithDouble(3, &calculations);
  ds->Open();
  ds->Edit();
  ds->FieldByName("N").SetAsInteger(21);
  EXPECT_EQ(ds->FieldByName("DOUBLE").AsInteger(), 42);
  ds->Cancel();
  EXPECT_EQ(ds->FieldByName("DOUBLE").AsInteger(), 2);

  ds->SetAutoCalcFields(false);
  ds->Edit();
  calculations = 0;
  ds->FieldByName("N").SetAsInteger(21);
  ds->FieldByName("NAME").SetAsString("x");
  EXPECT_EQ(calculations, 0);
  EXPECT_EQ(ds->FieldByName("DOUBLE").AsInteger(), 2);
  ds->Post();  // the record is read back, and computed then
  EXPECT_EQ(ds->FieldByName("DOUBLE").AsInteger(), 42);

  ds->SetAutoCalcFields(true);
  ds->OnNewRecord = [](TDataSet& d) { d.FieldByName("N").SetAsInteger(50); };
  ds->Append();
  EXPECT_EQ(ds->FieldByName("DOUBLE").AsInteger(), 100);
}

TEST(CalcFields, OnlyCalculatedFieldsAreWrittenWhileCalculating) {
  auto ds = Numbers(2);
  AddField<TIntegerField>(*ds, "N");
  AddField<TStringField>(*ds, "LABEL", fkCalculated, 20);
  std::vector<std::string> refusals;
  ds->OnCalcFields = [&](TDataSet& d) {
    d.FieldByName("LABEL").SetAsString("number " + d.FieldByName("N").AsString());
    try {
      d.FieldByName("N").SetAsInteger(0);
    } catch (const EDatabaseError& error) {
      refusals.push_back(error.what());
    }
  };
  ds->Open();
  EXPECT_EQ(ds->FieldByName("LABEL").AsString(), "number 1");
  EXPECT_EQ(N(*ds), 1);
  ASSERT_FALSE(refusals.empty());
  EXPECT_EQ(refusals[0], "Dataset not in edit or insert mode");
  EXPECT_EQ(ds->Stored(0, 0), Variant(int64_t{1}));
  // Outside the calculation a calculated field is as closed to writing as any other.
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->FieldByName("LABEL").SetAsString("x"); }),
            "Dataset not in edit or insert mode");
}

TEST(CalcFields, AFailingCalculationLeavesTheStateAlone) {
  auto ds = WithDouble(3);
  ds->Open();
  ds->OnCalcFields = [](TDataSet&) { throw EDatabaseError("no result"); };
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds->Next(); }), "no result");
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_NE(ds->ActiveBuffer(), nullptr);
  ds->OnCalcFields = nullptr;
  ds->First();
  EXPECT_EQ(N(*ds), 1);
}

}  // namespace
}  // namespace vornelle::testing
