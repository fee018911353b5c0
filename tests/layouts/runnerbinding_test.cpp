// Binding components of a loaded layout to the host's data: data sets, data
// fields and masks written into published properties, a data set the host
// does not know remembered, and nothing asked without a report component.
#include "layouts/runnerbinding.h"

#include <gtest/gtest.h>

#include <vector>

#include "classlib/classes/typinfo.h"
#include "classlib/data/rxmemorydata.h"
#include "layouts/vtrapor.h"

// A data-bound printable's stand-in: it publishes what bound printables do.
class TBoundSample : public TComponent {
  DECLARE_CLASS(TBoundSample, TComponent)

public:
  explicit TBoundSample(TComponent* AOwner) : TComponent(AOwner) {}
  AnsiString Hint;
  TDataSet* DataSet = nullptr;
  AnsiString DataField;
  AnsiString Mask;
};

BEGIN_PUBLISHED(TBoundSample)
  PROPERTY(Hint, Hint, Hint),
  PROPERTY(DataSet, DataSet, DataSet),
  PROPERTY(DataField, DataField, DataField),
  PROPERTY(Mask, Mask, Mask),
END_PUBLISHED

// Publishes a Hint only.
class THintOnlySample : public TComponent {
  DECLARE_CLASS(THintOnlySample, TComponent)

public:
  explicit THintOnlySample(TComponent* AOwner) : TComponent(AOwner) {}
  AnsiString Hint;
};

BEGIN_PUBLISHED(THintOnlySample)
  PROPERTY(Hint, Hint, Hint),
END_PUBLISHED

namespace {

class RunnerBindingTest : public testing::Test {
protected:
  RunnerBindingTest() : owner(new TComponent(nullptr)), rapor(new TVtRapor(owner)), etiket(new TRxMemoryData(owner)) {
    rapor->SetHassasiyet("#,##0.00");
    rapor->OnGetDataSet = [this](TObject*, AnsiString Name, TDataSet*& DataSet) {
      asked.push_back(Name);
      if (Name == "ETIKET")
        DataSet = etiket;
    };
  }
  ~RunnerBindingTest() override { owner->Free(); }

  TBoundSample* Sample(const AnsiString& Hint, const AnsiString& Mask = "") {
    auto* s = new TBoundSample(owner);
    s->Hint = Hint;
    s->Mask = Mask;
    return s;
  }

  TComponent* owner;
  TVtRapor* rapor;
  TRxMemoryData* etiket;
  std::vector<AnsiString> asked;
};

TEST_F(RunnerBindingTest, WritesTheHostsDataSetAndTheFieldIntoThePublishedProperties) {
  TBoundSample* s = Sample("DATASET=ETIKET\r\nDATAFIELD=METIN2\r\nGRUPADI=ETIKET");
  TLayoutBinder binder(rapor);
  binder.Bind(s);
  EXPECT_EQ(s->DataSet, etiket);
  EXPECT_EQ(s->DataField, "METIN2");
  EXPECT_FALSE(binder.DataSetMissing());
  EXPECT_EQ(asked, std::vector<AnsiString>{"ETIKET"});
}

TEST_F(RunnerBindingTest, ADataSetLineWithoutAFieldBindsTheDataSetOnly) {
  TBoundSample* s = Sample("DATASET=ETIKET");
  s->DataField = "ESKI";
  TLayoutBinder binder(rapor);
  binder.Bind(s);
  EXPECT_EQ(s->DataSet, etiket);
  EXPECT_EQ(s->DataField, "ESKI");
}

TEST_F(RunnerBindingTest, AnUnknownDataSetIsRememberedAndTheWalkGoesOn) {
  TBoundSample* first = Sample("DATASET=FATURA\r\nDATAFIELD=TUTAR");
  TBoundSample* second = Sample("DATASET=ETIKET\r\nDATAFIELD=METIN1");
  TBoundSample* third = Sample("DATASET=CARI");
  TLayoutBinder binder(rapor);
  for (TComponent* c : {static_cast<TComponent*>(first), static_cast<TComponent*>(second),
                        static_cast<TComponent*>(third)})
    binder.Bind(c);
  EXPECT_TRUE(binder.DataSetMissing());
  EXPECT_EQ(binder.MissingDataSetName(), "FATURA");
  EXPECT_EQ(first->DataSet, nullptr);
  EXPECT_EQ(first->DataField, "TUTAR");
  EXPECT_EQ(second->DataSet, etiket);
  EXPECT_EQ(asked, (std::vector<AnsiString>{"FATURA", "ETIKET", "CARI"}));
}

TEST_F(RunnerBindingTest, AnEmptyMaskTakesTheDefaultAndAGivenOneStays) {
  TBoundSample* empty = Sample("");
  TBoundSample* given = Sample("", "0.0");
  TLayoutBinder binder(rapor);
  binder.Bind(empty);
  binder.Bind(given);
  EXPECT_EQ(empty->Mask, "#,##0.00");
  EXPECT_EQ(given->Mask, "0.0");
  EXPECT_TRUE(asked.empty());
}

TEST_F(RunnerBindingTest, WithoutAReportComponentNothingIsAskedAndEveryNamedDataSetIsMissing) {
  TBoundSample* s = Sample("DATASET=ETIKET\r\nDATAFIELD=METIN1");
  TLayoutBinder binder(nullptr);
  binder.Bind(s);
  EXPECT_TRUE(binder.DataSetMissing());
  EXPECT_EQ(s->DataSet, nullptr);
  EXPECT_EQ(s->DataField, "METIN1");
  EXPECT_EQ(s->Mask, "");
  EXPECT_TRUE(asked.empty());
}

TEST_F(RunnerBindingTest, AComponentWithoutADataSetPropertyAsksNothingAndMissesNothing) {
  auto* s = new THintOnlySample(owner);
  s->Hint = "DATASET=FATURA";
  TLayoutBinder binder(rapor);
  binder.Bind(s);
  EXPECT_FALSE(binder.DataSetMissing());
  EXPECT_TRUE(asked.empty());
}

TEST(RunnerClassTest, ClassesAreKnownByTheirOwnAndTheirAncestorsNames) {
  TBoundSample sample(nullptr);
  EXPECT_TRUE(IsInstanceOf(&sample, "TBoundSample"));
  EXPECT_TRUE(IsInstanceOf(&sample, "TComponent"));
  EXPECT_FALSE(IsInstanceOf(&sample, "TQRLabel"));
  EXPECT_FALSE(IsInstanceOf(nullptr, "TObject"));
}

}  // namespace
