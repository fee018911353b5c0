// A text page on a test form with a label table (METIN1, QR_EK, GIRIS_SAAT,
// TARIH, FIYAT), and helpers to give it bands and labels the way a loaded
// layout has them: bound through their hints.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/numericfields.h"
#include "classlib/data/rxmemorydata.h"
#include "layouts/core/bindinghints.h"
#include "tests/support/formfixture.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"
#include "textreport/engine/zrvariables.h"

namespace text_pages {

struct Row {
  const char* Metin1;
  const char* QrEk = "";
  const char* Saat = "";
};

class TextPageFixture {
public:
  TextPageFixture() {
    table = new TRxMemoryData(form.Host());
    table->SetName("Etiket");
    table->FieldDefs()->Add("METIN1", ftString, 30);
    table->FieldDefs()->Add("QR_EK", ftString, 60);
    table->FieldDefs()->Add("GIRIS_SAAT", ftString, 10);
    table->FieldDefs()->Add("TARIH", ftString, 10);
    table->FieldDefs()->Add("FIYAT", ftFloat, 0);
    table->FieldDefs()->Add("saat_kucuk", ftString, 10);
  }

  TZReport* NewPage(const char* name, int width = 40, int height = 12) {
    auto* page = new TZReport(form.Host());
    page->SetName(name);
    page->SetParent(form.Host());
    page->SetWidth(width);
    page->SetHeight(height);
    page->Options()->SetOEMConvert(false);
    return page;
  }

  void AddRows(const std::vector<Row>& rows) {
    table->Open();
    for (const Row& row : rows) {
      table->Append();
      table->FieldByName("METIN1")->SetAsString(row.Metin1);
      table->FieldByName("QR_EK")->SetAsString(row.QrEk);
      table->FieldByName("GIRIS_SAAT")->SetAsString(row.Saat);
      table->FieldByName("TARIH")->SetAsString(row.Saat);
      table->FieldByName("saat_kucuk")->SetAsString(row.Saat);
      table->FieldByName("FIYAT")->SetAsFloat(1.5);
      table->Post();
    }
    table->First();
  }

  static TZRCustomBand* Band(TZRCustomController* controller, TZRBandType kind, int height = 1) {
    if (auto* page = dynamic_cast<TZReport*>(controller))
      page->Bands()->SetHas(kind, true);
    else
      static_cast<TZRSubDetail*>(controller)->Bands()->SetHas(kind, true);
    TZRCustomBand* band = controller->FindBand(kind);
    band->SetHeight(height);
    // Bands are laid out across the page only on a design surface.
    band->SetWidth(controller->Width());
    return band;
  }

  template <class L = TZRLabel>
  L* Label(TWinControl* parent, const char* name, int left, int width, const AnsiString& caption = "",
           const AnsiString& hint = "") {
    auto* label = new L(form.Host());
    label->SetName(name);
    label->SetParent(parent);
    label->SetLeft(left);
    label->SetTop(0);
    label->SetWidth(width);
    if (!caption.empty())
      label->SetCaption(caption);
    label->SetHint(hint);
    return label;
  }

  // The hint the designer's data-field dialog writes.
  static AnsiString FieldHint(const char* field) {
    TBindingHint hint;
    hint.SetValue(HintDataSet, "ETIKET");
    hint.SetValue(HintDataField, field);
    return hint.Text();
  }

  // The host's answer to a data set name.
  TDataSet* AskDataSet(const AnsiString& name) const { return name == "ETIKET" ? table : nullptr; }

  test_support::FormFixture form;
  TRxMemoryData* table = nullptr;
};

}  // namespace text_pages
