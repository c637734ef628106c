// Field objects: typed reads and writes per field class, the conversions each offers and the
// errors of those it does not, nulls, sizes, names and labels, read-only fields.

#include <gtest/gtest.h>

#include "framework/errors.h"
#include "tests/framework/framework_helpers.h"

namespace vornelle::testing {
namespace {

using platform::EConvertError;

// One record of every field type, open and in edit state.
class FieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetShortDateFormat({"dd.MM.yyyy", '.'});
    ds_.AddRow({std::string("text"), int64_t{7}, 2.5, TDateValue{platform::EncodeDate(2024, 2, 29)}, true,
                std::string("memo")});
    ds_.AddRow({});  // all null
    ds_.Open();
    ds_.Edit();
  }
  TField& F(const char* name) { return ds_.FieldByName(name); }

  TMemoryDataSet ds_{{{"S", ftString, 6}, {"I", ftInteger}, {"F", ftFloat}, {"D", ftDate},
                      {"B", ftBoolean}, {"M", ftMemo}}};
};

TEST_F(FieldTest, IntegerFieldReadsAndWritesEveryNumberForm) {
  TField& i = F("I");
  EXPECT_EQ(i.AsInteger(), 7);
  EXPECT_EQ(i.AsString(), "7");
  EXPECT_EQ(i.AsFloat(), 7.0);
  EXPECT_EQ(i.Value(), Variant(int64_t{7}));

  i.SetAsString(" -42 ");
  EXPECT_EQ(i.AsInteger(), -42);
  i.SetAsString("+13");
  EXPECT_EQ(i.AsInteger(), 13);
  i.SetAsFloat(2.5);  // rounds half away from zero
  EXPECT_EQ(i.AsInteger(), 3);
  i.SetAsFloat(-2.5);
  EXPECT_EQ(i.AsInteger(), -3);
  i.SetAsFloat(2147483647.0);
  EXPECT_EQ(i.AsInteger(), 2147483647);
  i.SetAsString("  ");  // blank clears
  EXPECT_TRUE(i.IsNull());
}

TEST_F(FieldTest, IntegerFieldRefusesWhatIsNotAnIntegerAndKeepsItsValue) {
  TField& i = F("I");
  EXPECT_EQ(ErrorText<EConvertError>([&] { i.SetAsString("abc"); }), "'abc' is not a valid integer value");
  EXPECT_EQ(ErrorText<EConvertError>([&] { i.SetAsString("12abc"); }), "'12abc' is not a valid integer value");
  EXPECT_EQ(ErrorText<EConvertError>([&] { i.SetAsString("1.5"); }), "'1.5' is not a valid integer value");
  EXPECT_EQ(ErrorText<EConvertError>([&] { i.SetAsString("+-5"); }), "'+-5' is not a valid integer value");
  EXPECT_EQ(ErrorText<EConvertError>([&] { i.SetAsString("2147483648"); }),
            "'2147483648' is not a valid integer value");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { i.SetAsFloat(3e9); }),
            "3000000000 is not a valid value for field 'I'");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { i.SetValue(int64_t{1} << 40); }),
            "1099511627776 is not a valid value for field 'I'");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { (void)i.AsBoolean(); }),
            "Field 'I' cannot be read or written as Boolean");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { i.SetAsDateTime(1); }),
            "Field 'I' cannot be read or written as DateTime");
  EXPECT_EQ(i.AsInteger(), 7);
}

TEST_F(FieldTest, FloatFieldConvertsThroughFifteenDigitsAndRoundsToIntegers) {
  TField& f = F("F");
  EXPECT_EQ(f.AsString(), "2.5");
  EXPECT_EQ(f.AsInteger(), 3);
  EXPECT_EQ(f.Value(), Variant(2.5));
  f.SetAsFloat(0.1 + 0.2);
  EXPECT_EQ(f.AsString(), "0.3");
  f.SetAsFloat(1.0 / 3);
  EXPECT_EQ(f.AsString(), "0.333333333333333");
  f.SetAsString(" 1e3 ");
  EXPECT_EQ(f.AsFloat(), 1000.0);
  f.SetAsString("-0.75");
  EXPECT_EQ(f.AsInteger(), -1);
  f.SetAsInteger(-9);
  EXPECT_EQ(f.AsString(), "-9");

  EXPECT_EQ(ErrorText<EConvertError>([&] { f.SetAsString("1,5"); }), "'1,5' is not a valid floating point value");
  EXPECT_EQ(ErrorText<EConvertError>([&] { f.SetAsString("inf"); }), "'inf' is not a valid floating point value");
  EXPECT_EQ(ErrorText<EConvertError>([&] { f.SetAsString("+-1"); }), "'+-1' is not a valid floating point value");
  f.SetAsFloat(5e9);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { (void)f.AsInteger(); }), "5000000000 is not a valid value for field 'F'");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { f.SetAsBoolean(true); }), "Field 'F' cannot be read or written as Boolean");
}

TEST_F(FieldTest, StringFieldIsCutToItsSizeAndConvertsTextOnRead) {
  TField& s = F("S");
  EXPECT_EQ(s.DataSize(), 7);
  s.SetAsString("abcdefghij");
  EXPECT_EQ(s.AsString(), "abcdef");
  EXPECT_EQ(F("I").AsInteger(), 7);  // the cut text did not run into the next column

  s.SetAsInteger(-1234);
  EXPECT_EQ(s.AsString(), "-1234");
  EXPECT_EQ(s.AsInteger(), -1234);
  s.SetAsFloat(2.25);
  EXPECT_EQ(s.AsString(), "2.25");
  EXPECT_EQ(s.AsFloat(), 2.25);
  s.SetAsBoolean(true);
  EXPECT_EQ(s.AsString(), "T");
  s.SetAsBoolean(false);
  EXPECT_EQ(s.AsString(), "F");
  for (const char* yes : {"t", "Y", "true", "YES", " yes "}) {
    s.SetAsString(yes);
    EXPECT_TRUE(s.AsBoolean()) << yes;
  }
  s.SetAsString("No");
  EXPECT_FALSE(s.AsBoolean());
  s.SetAsString("   ");  // blanks read as zero and false
  EXPECT_EQ(s.AsInteger(), 0);
  EXPECT_EQ(s.AsFloat(), 0.0);
  EXPECT_FALSE(s.AsBoolean());

  s.SetAsString("abc");
  EXPECT_EQ(ErrorText<EConvertError>([&] { (void)s.AsInteger(); }), "'abc' is not a valid integer value");
  EXPECT_EQ(ErrorText<EConvertError>([&] { (void)s.AsFloat(); }), "'abc' is not a valid floating point value");
  s.SetAsString("maybe");
  EXPECT_EQ(ErrorText<EConvertError>([&] { (void)s.AsBoolean(); }), "'maybe' is not a valid boolean value for field 'S'");
}

TEST_F(FieldTest, DatesGoThroughTheShortDateFormat) {
  TField& d = F("D");
  const TDateTime leap_day = platform::EncodeDate(2024, 2, 29);
  EXPECT_EQ(d.AsDateTime(), leap_day);
  EXPECT_EQ(d.AsString(), "29.02.2024");
  EXPECT_EQ(d.AsFloat(), leap_day);
  EXPECT_EQ(d.Value(), Variant(TDateValue{leap_day}));

  d.SetAsString("1.3.2023");
  EXPECT_EQ(d.AsDateTime(), platform::EncodeDate(2023, 3, 1));
  d.SetAsDateTime(leap_day + 0.75);  // the time of day is dropped
  EXPECT_EQ(d.AsDateTime(), leap_day);

  platform::SetShortDateFormat({"M/d/yyyy", '/'});
  EXPECT_EQ(d.AsString(), "2/29/2024");
  d.SetAsString("12/24/2023");
  EXPECT_EQ(d.AsDateTime(), platform::EncodeDate(2023, 12, 24));
  TField& s = F("S");
  s.SetAsDateTime(leap_day);
  EXPECT_EQ(s.AsString(), "2/29/2");  // a six-character field keeps what fits
  EXPECT_EQ(ErrorText<EConvertError>([&] { d.SetAsString("13/45/2023"); }), "'13/45/2023' is not a valid date");
  EXPECT_EQ(ErrorText<EConvertError>([&] { d.SetAsDateTime(platform::EncodeDate(1, 1, 1) - 1); }),
            "Invalid argument to date encode");
  EXPECT_EQ(d.AsDateTime(), platform::EncodeDate(2023, 12, 24));
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { (void)d.AsInteger(); }), "Field 'D' cannot be read or written as Integer");
  d.SetAsString(" ");
  EXPECT_TRUE(d.IsNull());
}

TEST_F(FieldTest, BooleanFieldReadsTrueAndFalseAndTheLetters) {
  TField& b = F("B");
  EXPECT_TRUE(b.AsBoolean());
  EXPECT_EQ(b.AsString(), "True");
  EXPECT_EQ(b.Value(), Variant(true));
  b.SetAsString("n");
  EXPECT_EQ(b.AsString(), "False");
  EXPECT_FALSE(b.IsNull());
  b.SetAsString("Yes");
  EXPECT_TRUE(b.AsBoolean());
  EXPECT_EQ(ErrorText<EConvertError>([&] { b.SetAsString("2"); }), "'2' is not a valid boolean value for field 'B'");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { b.SetAsInteger(1); }), "Field 'B' cannot be read or written as Integer");
  b.SetAsString("");
  EXPECT_TRUE(b.IsNull());
}

TEST_F(FieldTest, NullReadsAsEmptyZeroAndFalse) {
  ds_.Cancel();
  ds_.Next();  // the record of nulls
  for (const char* name : {"S", "I", "F", "D", "B", "M"}) {
    TField& f = F(name);
    EXPECT_TRUE(f.IsNull()) << name;
    EXPECT_EQ(f.AsString(), "") << name;
    EXPECT_TRUE(VarIsNull(f.Value())) << name;
  }
  EXPECT_EQ(F("I").AsInteger(), 0);
  EXPECT_EQ(F("F").AsFloat(), 0.0);
  EXPECT_EQ(F("D").AsDateTime(), 0.0);
  EXPECT_FALSE(F("B").AsBoolean());
  EXPECT_EQ(F("S").AsInteger(), 0);

  ds_.Prior();
  ds_.Edit();
  for (const char* name : {"S", "I", "F", "D", "B"}) {
    F(name).Clear();
    EXPECT_TRUE(F(name).IsNull()) << name;
  }
  ds_.Post();
  EXPECT_TRUE(VarIsNull(ds_.Stored(0, 1)));
}

TEST_F(FieldTest, SetValueConvertsByTheVariantsType) {
  F("S").SetValue(int64_t{42});
  EXPECT_EQ(F("S").AsString(), "42");
  F("S").SetValue(true);
  EXPECT_EQ(F("S").AsString(), "T");
  F("S").SetValue(TDateValue{platform::EncodeDate(2001, 2, 3)});
  EXPECT_EQ(F("S").AsString(), "03.02.");
  F("I").SetValue(std::string("12"));
  EXPECT_EQ(F("I").AsInteger(), 12);
  F("I").SetValue(7.6);
  EXPECT_EQ(F("I").AsInteger(), 8);
  F("F").SetValue(int64_t{1} << 40);  // beyond 32 bits, still a number to a float field
  EXPECT_EQ(F("F").AsFloat(), 1099511627776.0);
  F("D").SetValue(TDateValue{platform::EncodeDate(2001, 2, 3) + 0.5});
  EXPECT_EQ(F("D").AsString(), "03.02.2001");
  F("B").SetValue(false);
  EXPECT_EQ(F("B").AsString(), "False");
  F("B").SetValue(Variant{});
  EXPECT_TRUE(F("B").IsNull());
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { F("D").SetValue(int64_t{5}); }),
            "Field 'D' cannot be read or written as Integer");
  EXPECT_EQ(ErrorText<EConvertError>([&] { F("I").SetValue(std::string("x")); }), "'x' is not a valid integer value");
}

TEST_F(FieldTest, OnChangeFollowsEveryStoredValue) {
  std::vector<std::string> changes;
  F("I").OnChange = [&](TField& f) { changes.push_back(f.AsString()); };
  F("I").SetAsInteger(1);
  F("I").SetAsString("2");
  F("I").Clear();
  EXPECT_EQ(changes, (std::vector<std::string>{"1", "2", ""}));
  EXPECT_TRUE(ds_.Modified());
}

TEST(FieldSizes, EachClassTakesTheSizesItCanHold) {
  TStringField s;
  s.SetSize(8192);
  EXPECT_EQ(s.DataSize(), 8193);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { s.SetSize(8193); }), "Invalid field size");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { s.SetSize(-1); }), "Invalid field size");
  EXPECT_EQ(s.Size(), 8192);
  TIntegerField i;
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { i.SetSize(4); }), "Invalid field size");
  i.SetSize(0);
  TMemoField m;
  m.SetSize(240);
  EXPECT_EQ(m.DataSize(), 4);
  EXPECT_TRUE(m.IsBlob());
  EXPECT_FALSE(s.IsBlob());
}

TEST(FieldNames, LabelsStandInForNamesInMessages) {
  TMemoryDataSet ds({{"CUSTNAME", ftString, 10, true}, {"N", ftInteger}});
  ds.AddRow({std::string("ann"), int64_t{1}});
  ds.Open();
  TField& name = ds.FieldByName("custname");  // names compare without case
  EXPECT_EQ(name.DisplayName(), "CUSTNAME");
  name.SetDisplayLabel("Customer name");
  EXPECT_EQ(name.DisplayName(), "Customer name");
  EXPECT_EQ(name.FieldName(), "CUSTNAME");
  EXPECT_EQ(ds.FindField("nope"), nullptr);
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds.FieldByName("NOPE"); }), "Field 'NOPE' not found");

  name.SetReadOnly(true);
  EXPECT_FALSE(name.CanModify());
  EXPECT_TRUE(ds.FieldByName("N").CanModify());
  ds.Edit();
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { name.SetAsString("bob"); }), "Field 'Customer name' cannot be modified");
  EXPECT_EQ(name.AsString(), "ann");
  name.SetReadOnly(false);
  name.Clear();
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds.Post(); }), "Field 'Customer name' must have a value");

  ds.Cancel();
  ds.read_only = true;
  EXPECT_FALSE(ds.FieldByName("N").CanModify());
}

TEST(FieldNames, DuplicateNamesAndFieldsWithoutADatasetAreRefused) {
  TMemoryDataSet ds({{"N", ftInteger}});
  auto first = std::make_unique<TIntegerField>();
  first->SetFieldName("N");
  ds.Fields().Add(std::move(first));
  auto second = std::make_unique<TIntegerField>();
  second->SetFieldName("n");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { ds.Fields().Add(std::move(second)); }), "Duplicate field name 'n'");
  EXPECT_EQ(ds.Fields().Count(), 1);

  TIntegerField loose;
  loose.SetFieldName("LOOSE");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { (void)loose.AsInteger(); }), "Field 'LOOSE' has no dataset");
  EXPECT_EQ(ErrorText<EDatabaseError>([&] { loose.SetAsInteger(1); }), "Field 'LOOSE' has no dataset");
}

}  // namespace
}  // namespace vornelle::testing
