// The run-time variables of bound text labels: names, controllers, masks,
// totals, labels the data set cannot serve, and the clean-up after a run.
#include <gtest/gtest.h>

#include "layouts/runnerbinding.h"
#include "layouts/text/textfieldvariables.h"
#include "layouts/vtrapor.h"
#include "textpagefixture.h"

namespace {

using namespace text_pages;

class TextFieldVariablesTest : public TextPageFixture, public testing::Test {
protected:
  TextFieldVariablesTest() {
    page = NewPage("Report1");
    detail = Band(page, zbtDetail);
    AddRows({{"Elma", "", "12:30:15"}});
  }
  bool Bind(TComponent* label) {
    return BindTextLabelFromHint(label, [this](const AnsiString& name) { return AskDataSet(name); });
  }
  TZReport* page = nullptr;
  TZRCustomBand* detail = nullptr;
};

TEST_F(TextFieldVariablesTest, ABoundLabelShowsItsFieldThroughANamedVariableOfItsReport) {
  TZRLabel* label = Label(detail, "Etiket1", 0, 10, "", FieldHint("METIN1"));
  ASSERT_TRUE(Bind(label));
  auto* field = dynamic_cast<TZRField*>(label->Variable());
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->Name(), "gfield_Etiket1");
  EXPECT_EQ(field->Owner(), page);
  EXPECT_EQ(field->Controller(), page);
  EXPECT_EQ(field->DataSet(), table);
  EXPECT_EQ(field->DataField(), "METIN1");
  EXPECT_EQ(page->FindComponent("gfield_Etiket1"), field);
}

// A label the sub-detail prints, on it or on one of its bands, reads the
// sub-detail's records.
TEST_F(TextFieldVariablesTest, ALabelOnASubDetailFollowsTheSubDetail) {
  detail->SetHasController(true);
  auto* sub = dynamic_cast<TZRSubDetail*>(page->FindBand(zbtController));
  ASSERT_NE(sub, nullptr);
  sub->SetWidth(20);
  TZRCustomBand* subHeader = Band(sub, zbtHeader);
  TZRLabel* onSub = Label(sub, "AltEtiket", 0, 10, "", FieldHint("METIN1"));
  TZRLabel* onSubBand = Label(subHeader, "AltBaslik", 0, 10, "", FieldHint("METIN1"));
  ASSERT_TRUE(Bind(onSub));
  ASSERT_TRUE(Bind(onSubBand));
  EXPECT_EQ(onSub->Variable()->Controller(), sub);
  EXPECT_EQ(onSubBand->Variable()->Controller(), sub);
  EXPECT_EQ(onSub->Variable()->Owner(), page);
}

TEST_F(TextFieldVariablesTest, ATotalLabelSumsThroughAnAggregatorOverItsField) {
  Band(page, zbtFooter);
  auto* total = Label<TZRTotalLabel>(page->FindBand(zbtFooter), "Toplam1", 0, 6, "", FieldHint("FIYAT"));
  static_cast<TFloatField*>(table->FieldByName("FIYAT"))->SetDisplayFormat("0.00");
  ASSERT_TRUE(Bind(total));
  auto* aggregator = dynamic_cast<TZRAggregator*>(total->Variable());
  ASSERT_NE(aggregator, nullptr);
  EXPECT_EQ(aggregator->Name(), "gfield_TotalToplam1");
  auto* field = dynamic_cast<TZRField*>(page->FindComponent("gfield_Toplam1"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(aggregator->Variable(), field);
  EXPECT_EQ(field->Format()->DisplayMask(), "0.00");
  EXPECT_EQ(aggregator->Format()->DisplayMask(), "0.00");
}

// A time of day gets "hh:mm:ss" only in a field named for it (SAAT or ZAMAN,
// letter case counts) and only when it is written with ":" and no ".".
TEST_F(TextFieldVariablesTest, ATimeFieldGetsTheTimeMask) {
  struct Case {
    const char* field;
    const char* value;
    const char* mask;
  } cases[] = {
      {"GIRIS_SAAT", "12:30:15", "hh:mm:ss"}, {"GIRIS_SAAT", "12.30", ""}, {"GIRIS_SAAT", "1230", ""},
      {"TARIH", "12:30:15", ""},              {"saat_kucuk", "12:30:15", ""},
  };
  int n = 0;
  for (const Case& c : cases) {
    table->Edit();
    table->FieldByName(c.field)->SetAsString(c.value);
    table->Post();
    const AnsiString name = "Saat" + std::to_string(++n);
    TZRLabel* label = Label(detail, name.c_str(), 0, 10, "", FieldHint(c.field));
    ASSERT_TRUE(Bind(label)) << c.field;
    EXPECT_EQ(label->Variable()->Format()->DisplayMask(), c.mask) << c.field << " = " << c.value;
  }
}

// A total label's variables take the field's own display format and never
// the time mask: a sum of times keeps the field's format.
TEST_F(TextFieldVariablesTest, ATotalLabelOnATimeFieldKeepsTheFieldsFormat) {
  auto* total = Label<TZRTotalLabel>(detail, "ToplamSaat", 0, 8, "", FieldHint("GIRIS_SAAT"));
  ASSERT_TRUE(Bind(total));
  auto* field = dynamic_cast<TZRField*>(page->FindComponent("gfield_ToplamSaat"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->Format()->DisplayMask(), "");
  EXPECT_EQ(total->Variable()->Format()->DisplayMask(), "");
}

// A total label gets its field and aggregator even when the data set lacks
// the field (its count still counts the records); a plain label does not.
TEST_F(TextFieldVariablesTest, ATotalLabelOnAFieldTheDataSetLacksStillGetsItsAggregator) {
  auto* total = Label<TZRTotalLabel>(detail, "Sayac", 0, 6, "", FieldHint("YOK_BOYLE"));
  ASSERT_TRUE(Bind(total));
  auto* aggregator = dynamic_cast<TZRAggregator*>(total->Variable());
  ASSERT_NE(aggregator, nullptr);
  EXPECT_EQ(aggregator->Name(), "gfield_TotalSayac");
  auto* field = dynamic_cast<TZRField*>(page->FindComponent("gfield_Sayac"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(aggregator->Variable(), field);
  EXPECT_EQ(field->DataField(), "YOK_BOYLE");
}

// A field the data set lacks, a data set the host does not give, or a label
// without both keys: no variable and nothing left on the page.
TEST_F(TextFieldVariablesTest, ALabelTheDataCannotServeGetsNoVariable) {
  TBindingHint otherSet;
  otherSet.SetValue(HintDataSet, "FATURA");
  otherSet.SetValue(HintDataField, "METIN1");
  TBindingHint noField;
  noField.SetValue(HintDataSet, "ETIKET");
  const int before = page->ComponentCount();
  for (const AnsiString& hint : {FieldHint("YOK_BOYLE"), otherSet.Text(), noField.Text(), AnsiString()}) {
    TZRLabel* label = Label(detail, "Bos", 0, 5, "", hint);
    EXPECT_FALSE(Bind(label)) << hint;
    EXPECT_EQ(label->Variable(), nullptr) << hint;
    EXPECT_EQ(page->ComponentCount(), before) << hint;
    delete label;
  }
}

// Only a text label or a total label asks the host for its data set: a
// system label with the same hint asks nothing and gets no variable.
TEST_F(TextFieldVariablesTest, OnlyLabelsWithAVariableAskForTheirDataSet) {
  std::vector<AnsiString> asked;
  auto ask = [this, &asked](const AnsiString& name) {
    asked.push_back(name);
    return AskDataSet(name);
  };
  auto* system = Label<TZRSystemLabel>(detail, "Sistem", 0, 10, "", FieldHint("METIN1"));
  EXPECT_FALSE(BindTextLabelFromHint(system, ask));
  EXPECT_TRUE(asked.empty());
  TZRLabel* label = Label(detail, "Etiket1", 0, 10, "", FieldHint("METIN1"));
  EXPECT_TRUE(BindTextLabelFromHint(label, ask));
  EXPECT_EQ(asked, std::vector<AnsiString>{"ETIKET"});
}

// A second bind of the same label replaces its variables instead of
// failing on the taken name.
TEST_F(TextFieldVariablesTest, BindingALabelAgainReplacesItsVariables) {
  auto* total = Label<TZRTotalLabel>(detail, "Toplam1", 0, 6, "", FieldHint("FIYAT"));
  ASSERT_TRUE(Bind(total));
  const int count = page->ComponentCount();
  ASSERT_TRUE(Bind(total));
  EXPECT_EQ(page->ComponentCount(), count);
  EXPECT_EQ(total->Variable(), page->FindComponent("gfield_TotalToplam1"));
}

TEST_F(TextFieldVariablesTest, TheCleanUpFreesOnlyTheRunTimeVariables) {
  TZRLabel* label = Label(detail, "Etiket1", 0, 10, "", FieldHint("METIN1"));
  auto* total = Label<TZRTotalLabel>(detail, "Toplam1", 0, 6, "", FieldHint("FIYAT"));
  ASSERT_TRUE(Bind(label));
  ASSERT_TRUE(Bind(total));
  auto* kept = new TZRField(page);
  kept->SetName("KendiAlanim");
  FreeTextFieldVariables(*page);
  for (int k = 0; k < page->ComponentCount(); ++k)
    EXPECT_NE(page->Components(k)->Name().rfind("gfield", 0), 0u) << page->Components(k)->Name();
  EXPECT_EQ(page->FindComponent("KendiAlanim"), kept);
  EXPECT_EQ(label->Variable(), nullptr);
  EXPECT_EQ(total->Variable(), nullptr);
}

// A text label naming a PARAMETRE shows the host's text, or "ERROR" when
// the host gives none or no report component is there to ask.
TEST_F(TextFieldVariablesTest, AParameterLabelShowsTheHostsTextOrError) {
  auto* rapor = new TVtRapor(form.Host());
  std::vector<AnsiString> asked;
  rapor->OnGetParam = [&asked](TObject*, TComponent*& Component, AnsiString Code, AnsiString& Value) {
    asked.push_back(Component->Name() + " " + Code);
    if (Code == "FIRMA")
      Value = "Dozuri Ticaret";
  };
  struct Case {
    const char* name;
    const char* code;
    bool withRapor;
    const char* caption;
  } cases[] = {
      {"Firma", "FIRMA", true, "Dozuri Ticaret"},
      {"Bilinmeyen", "BILINMEYEN", true, "ERROR"},
      {"Sahipsiz", "FIRMA", false, "ERROR"},
  };
  for (const Case& c : cases) {
    TZRLabel* label = Label(detail, c.name, 0, 20, "Tasarim", AnsiString("PARAMETRE=") + c.code);
    TLayoutBinder binder(c.withRapor ? rapor : nullptr);
    binder.Bind(label);
    EXPECT_EQ(label->Caption(), c.caption) << c.name;
  }
  EXPECT_EQ(asked, (std::vector<AnsiString>{"Firma FIRMA", "Bilinmeyen BILINMEYEN"}));
}

}  // namespace
