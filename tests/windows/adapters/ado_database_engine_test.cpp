// The ADO and JRO adapter against scripted automation objects: what real
// providers answer but the end-to-end stand-ins do not, and how failures
// become the launcher's errors.

#include <gtest/gtest.h>

#include <optional>

#include "platform/error.h"
#include "row_name.h"
#include "scripted_dispatch.h"
#include "windows/ado_database_engine.h"

namespace korvane::windows::test {
namespace {

Variant Typed(VARTYPE type, LONGLONG value = 0) {
  Variant typed;
  typed.Raw().vt = type;
  typed.Raw().llVal = value;  // the low part for narrower types
  return typed;
}

class AdoAdapterTest : public testing::Test {
 protected:
  AdoAdapterTest() {
    factory.created[u"ADODB.Connection"] = connection;
    factory.created[u"ADODB.Recordset"] = recordset;
    recordset->On(L"Fields", {Returns(ObjectValue(fields))});
    fields->On(L"Item", {Returns(ObjectValue(field))});
  }

  ComPtr<ScriptedDispatch> connection = MakeScripted(), recordset = MakeScripted(),
                           fields = MakeScripted(), field = MakeScripted();
  ScriptedFactory factory;
  AdoDatabaseEngine engine{factory};
};

// A field's value is read as text; Null is no text and raises.
TEST_F(AdoAdapterTest, FieldValuesBecomeTextAndNullRaises) {
  auto opened = engine.CreateRecordset();
  field->On(L"Value", {Returns(Variant(42))});
  EXPECT_EQ(opened->FirstFieldText(), u"42");
  field->On(L"Value", {Returns(Typed(VT_NULL))});
  EXPECT_THROW(opened->FirstFieldText(), Error);
}

// The schema's rows but its saved queries (VIEW) are the tables; the
// schema rowset is let go.
TEST_F(AdoAdapterTest, CatalogListsTheSchemaRowsButViews) {
  auto schema = MakeScripted(), name = MakeScripted(), type = MakeScripted();
  connection->On(L"OpenSchema", {Returns(ObjectValue(schema))});
  schema->On(L"EOF", {Returns(Typed(VT_BOOL)), Returns(Typed(VT_BOOL)), Returns(Typed(VT_BOOL)),
                      Returns(Typed(VT_BOOL, VARIANT_TRUE))});
  schema->On(L"Fields", {Returns(ObjectValue(fields))});
  fields->On(L"Item", {Returns(ObjectValue(name)), Returns(ObjectValue(type))});
  name->On(L"Value", {Returns(Variant(Text(u"代码"))), Returns(Variant(Text(u"MSysObjects"))),
                      Returns(Variant(Text(u"现金科目")))});
  type->On(L"Value", {Returns(Variant(Text(u"TABLE"))), Returns(Variant(Text(u"ACCESS TABLE"))),
                      Returns(Variant(Text(u"VIEW")))});
  // Item answers the name field, then the type field, then again.
  std::vector<Answer> items;
  for (int row = 0; row < 3; ++row) {
    items.push_back(Returns(ObjectValue(name)));
    items.push_back(Returns(ObjectValue(type)));
  }
  fields->On(L"Item", items);

  const ULONG held = schema->References();
  EXPECT_EQ(engine.CreateCatalog()->TableNames(), (std::vector<Text>{u"代码", u"MSysObjects"}));
  EXPECT_EQ(schema->References(), held);
}

// The count as the provider delivers it: Jet gives VT_I4, others wider or
// narrower integers; what holds no whole number raises. Its recordset is
// let go either way.
struct CountValue {
  const char* name;
  VARTYPE type;
  LONGLONG value;
  std::optional<std::int64_t> rows;
};

class CountValueTest : public AdoAdapterTest, public testing::WithParamInterface<CountValue> {};

TEST_P(CountValueTest, IsReadAsANumberOrRaises) {
  connection->On(L"Execute", {Returns(ObjectValue(recordset))});
  field->On(L"Value", {Returns(Typed(GetParam().type, GetParam().value))});
  const ULONG held = recordset->References();
  auto catalog = engine.CreateCatalog();
  if (GetParam().rows) {
    EXPECT_EQ(catalog->RowCount(u"代码"), *GetParam().rows);
  } else {
    EXPECT_THROW(catalog->RowCount(u"代码"), Error);
  }
  EXPECT_EQ(recordset->References(), held);
}

INSTANTIATE_TEST_SUITE_P(Types, CountValueTest,
                         testing::Values(CountValue{"I4", VT_I4, 70000, 70000},
                                         CountValue{"I2", VT_I2, 7, 7},
                                         CountValue{"I8", VT_I8, 5000000000LL, 5000000000LL},
                                         CountValue{"Null", VT_NULL, 0, std::nullopt},
                                         CountValue{"Empty", VT_EMPTY, 0, std::nullopt},
                                         CountValue{"Double", VT_R8, 0, std::nullopt}),
                         RowName());

// How a failing call becomes the launcher's error: with DISP_E_EXCEPTION
// the codes and texts come in EXCEPINFO, otherwise the texts (if any)
// through IErrorInfo; without texts the number and the class stand in.
struct ErrorCase {
  const char* name;
  Answer answer;
  HRESULT number;
  std::u16string description;  // empty: any non-empty text
  std::u16string source;
};

class ErrorMappingTest : public AdoAdapterTest, public testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorMappingTest, CarriesNumberDescriptionAndSource) {
  const ErrorCase& mapping = GetParam();
  connection->On(L"Open", {mapping.answer});
  try {
    engine.CreateConnection()->Open(u"", u"", u"", -1);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), static_cast<std::int32_t>(mapping.number));
    if (mapping.description.empty()) {
      EXPECT_FALSE(error.Description().empty());
    } else {
      EXPECT_EQ(error.Description(), mapping.description);
    }
    EXPECT_EQ(error.Source(), mapping.source);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ErrorMappingTest,
    testing::Values(
        ErrorCase{"ExceptionWithTexts",
                  {.failure = DISP_E_EXCEPTION,
                   .scode = E_FAIL,
                   .description = L"找不到文件 'D:\\a.mdb'。",
                   .source = L"Microsoft JET Database Engine"},
                  E_FAIL,
                  u"找不到文件 'D:\\a.mdb'。",
                  u"Microsoft JET Database Engine"},
        // Wine's ADO without Jet: an exception without any text.
        ErrorCase{"ExceptionWithoutTexts",
                  {.failure = DISP_E_EXCEPTION, .scode = CO_E_CLASSSTRING},
                  CO_E_CLASSSTRING,
                  u"",
                  u"ADODB.Connection"},
        ErrorCase{"ExceptionWithNumberOnly",
                  {.failure = DISP_E_EXCEPTION, .wCode = 3024},
                  3024,
                  u"",
                  u"ADODB.Connection"},
        ErrorCase{"FailureWithErrorInfo",
                  {.failure = E_FAIL,
                   .description = L"Operation is not allowed.",
                   .source = L"ADODB.Connection.2"},
                  E_FAIL,
                  u"Operation is not allowed.",
                  u"ADODB.Connection.2"},
        ErrorCase{"FailureWithoutTexts",
                  {.failure = static_cast<HRESULT>(0x800A0E7D)},
                  static_cast<HRESULT>(0x800A0E7D),
                  u"",
                  u"ADODB.Connection"},
        ErrorCase{
            "UnknownMember", {.unknownName = true}, DISP_E_UNKNOWNNAME, u"", u"ADODB.Connection"}),
    RowName());

}  // namespace
}  // namespace korvane::windows::test
