// The designer's print-option, invoice-settings and label-sheet dialogs:
// what they show for a page or a selection, what "Tamam" writes back, the
// values they refuse (with the page left as it was), and a look at each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/bitmap.h"
#include "design/dsnunit.h"
#include "layouts/dialogcaption.h"
#include "layouts/faturaayarf.h"
#include "layouts/k_etiketf.h"
#include "layouts/printoptf.h"
#include "layouts/vtrapor.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "tests/support/formfixture.h"
#include "tests/support/screenshot.h"
#include "textreport/engine/zreport.h"

namespace {

using test_support::KeepScreenshot;
using test_support::Owned;

// A controller that counts its switches.
class CountingController : public TStageController {
public:
  bool Active() const override { return active; }
  void SetActive(bool Value) override { switches.push_back(Value); active = Value; }
  void UnselectAll() override {}
  int SelectedCount() const override { return -1; }
  TControl* SelectedControl(int) const override { return nullptr; }
  void UpdateSelection() override {}
  void DeleteSelected() override {}
  void CutToClipboard() override {}
  void CopyToClipboard() override {}
  void PasteFromClipboard() override {}
  bool active = true;
  std::vector<bool> switches;
};

class DesignDialogs : public testing::Test {
protected:
  DesignDialogs() : scope(dialogs), host(new TForm(nullptr)) {}

  // A graphic page in millimetres: 12 mm top margin, A4 (297 mm) unless
  // Custom is asked for.
  TQuickRep* GraphicPage(bool withDetail, bool custom = false) {
    auto* page = new TQuickRep(host.get());
    page->SetName("Report" + std::to_string(++pages));
    page->SetParent(host.get());
    page->SetUnits(MM);
    page->Page()->SetPaperSize(custom ? TQRPaperSize::Custom : TQRPaperSize::A4);
    page->Page()->SetTopMargin(12);
    if (withDetail)
      page->Bands()->SetHasDetail(true);
    return page;
  }
  TZReport* TextPage(int lines) {
    auto* page = new TZReport(host.get());
    page->SetName("Report" + std::to_string(++pages));
    page->SetParent(host.get());
    page->SetWidth(80);
    page->SetHeight(lines);
    page->Margins()->SetTop(1);
    page->Margins()->SetBottom(1);
    return page;
  }
  // Shows Dialog modally through the scripted service; Drive runs while it
  // is up and must end it.
  template <class F>
  TModalResult Run(F& dialog, const std::function<void(F&)>& Drive) {
    dialogs.OnModalForm = [&](TCustomForm& form) {
      form.Show();
      test_support::Pump();
      Drive(static_cast<F&>(form));
      form.Hide();
    };
    return dialog.ShowModal();
  }
  static double Height(TQRCustomBand* band) { return static_cast<double>(band->Size()->Height()); }

  TScriptedDialogService dialogs;
  TDialogServiceScope scope;
  Owned<TForm> host;
  int pages = 0;
};

// ---- Print option ------------------------------------------------------------------------
TEST_F(DesignDialogs, PrintOptionStartsAtTheFirstComponentsOption) {
  const struct {
    const char* hint;
    int shown;
  } cases[] = {{"PRINTOPTION=1", 1}, {"DATAFIELD=METIN1", 4}, {"PRINTOPTION=x", 4}, {"", 4}, {"PRINTOPTION=3\r\nA=B", 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hint);
    auto* label = new TQRDBText(host.get());
    label->SetHint(c.hint);
    Owned<TPrintOptF> dialog{new TPrintOptF(nullptr)};
    dialog->Selection = {label};
    int shown = -1;
    Run<TPrintOptF>(*dialog, [&](TPrintOptF& f) {
      shown = f.RadioGroup1->ItemIndex();
      f.Button1->Click();
    });
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(label->Hint(), c.hint) << "cancel changes nothing";
  }
}

TEST_F(DesignDialogs, PrintOptionIsWrittenIntoEachComponentsOwnHint) {
  std::vector<TComponent*> texts;
  for (const char* field : {"METIN1", "METIN2", "METIN3"}) {
    auto* text = new TQRDBText(host.get());
    text->SetHint(AnsiString("DATASET=ETIKET\r\nDATAFIELD=") + field);
    texts.push_back(text);
  }
  static_cast<TQRDBText*>(texts[2])->SetHint("DATASET=ETIKET\r\nDATAFIELD=METIN3\r\nPRINTOPTION=0");
  Owned<TPrintOptF> dialog{new TPrintOptF(nullptr)};
  dialog->Selection = texts;
  const TModalResult result = Run<TPrintOptF>(*dialog, [](TPrintOptF& f) {
    f.RadioGroup1->SetItemIndex(2);
    f.Button2->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(static_cast<TQRDBText*>(texts[0])->Hint(), "DATASET=ETIKET\r\nDATAFIELD=METIN1\r\nPRINTOPTION=2\r\n");
  EXPECT_EQ(static_cast<TQRDBText*>(texts[1])->Hint(), "DATASET=ETIKET\r\nDATAFIELD=METIN2\r\nPRINTOPTION=2\r\n");
  EXPECT_EQ(static_cast<TQRDBText*>(texts[2])->Hint(), "DATASET=ETIKET\r\nDATAFIELD=METIN3\r\nPRINTOPTION=2\r\n");
}

TEST_F(DesignDialogs, PrintOptionDialogLooksAsSpecified) {
  Owned<TPrintOptF> dialog{new TPrintOptF(nullptr)};
  Run<TPrintOptF>(*dialog, [](TPrintOptF& f) {
    EXPECT_EQ(f.BorderStyle(), bsToolWindow);
    EXPECT_EQ(f.Label1->Caption(), "Yazdirma Secenekleri");
    EXPECT_EQ(f.RadioGroup1->Caption(), "Yazdirma Secenekleri");
    ASSERT_EQ(f.RadioGroup1->Items()->Count(), 5);
    EXPECT_EQ(f.RadioGroup1->Items()->Strings(0), "Sadece Ilk Sayfaya Yaz");
    EXPECT_EQ(f.RadioGroup1->Items()->Strings(4), "Hicbiri");
    EXPECT_EQ(f.RadioGroup1->ItemIndex(), 4) << "nothing selected: every page";
    EXPECT_EQ(f.Button1->Caption(), "&Vazgec");
    EXPECT_EQ(f.Button2->Caption(), "&Tamam");
    KeepScreenshot(f, "printoptf");
    f.Button1->Click();
  });
}

// ---- Invoice settings ------------------------------------------------------------------
TEST_F(DesignDialogs, InvoiceOnAGraphicPageSetsTheBandsAndAnswersTheKeys) {
  TQuickRep* page = GraphicPage(true);
  page->SetHint("HAREKETBASLANGIC=40\r\nHAREKETALANIYUKSEKLIK=100\r\nHAREKETSAYISI=40");
  Owned<TFaturaAyarF> dialog{new TFaturaAyarF(nullptr)};
  dialog->QuickRep = page;
  double shownLength = 0, shownStart = 0, shownArea = 0, shownCount = 0;
  const TModalResult result = Run<TFaturaAyarF>(*dialog, [&](TFaturaAyarF& f) {
    shownLength = f.ceYukseklik->Value();
    shownStart = f.ceBaslangic->Value();
    shownArea = f.ceHareketAlani->Value();
    shownCount = f.CeHareketSayisi->Value();
    EXPECT_EQ(f.Label5->Caption(), "mm.");
    EXPECT_TRUE(f.CeHareketSayisi->Visible());
    f.ceBaslangic->SetValue(75);
    f.ceHareketAlani->SetValue(200);
    f.CeHareketSayisi->SetValue(25);
    KeepScreenshot(f, "faturaayarf");
    f.Button2->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_DOUBLE_EQ(shownLength, 297);
  EXPECT_DOUBLE_EQ(shownStart, 40);
  EXPECT_DOUBLE_EQ(shownArea, 100);
  EXPECT_DOUBLE_EQ(shownCount, 40);
  ASSERT_NE(page->Bands()->PageHeaderBand(), nullptr) << "a page header is made when missing";
  EXPECT_NEAR(Height(page->Bands()->PageHeaderBand()), 75 - 12, 1e-9);
  EXPECT_NEAR(Height(page->Bands()->DetailBand()), 200, 1e-9);
  EXPECT_EQ(dialog->ResultHint, "HAREKETBASLANGIC=75\r\nHAREKETALANIYUKSEKLIK=200\r\nHAREKETSAYISI=25");
  EXPECT_EQ(page->Hint(), "HAREKETBASLANGIC=40\r\nHAREKETALANIYUKSEKLIK=100\r\nHAREKETSAYISI=40")
      << "the designer merges the answer";
}

TEST_F(DesignDialogs, InvoiceDefaultsAndCustomLength) {
  TQuickRep* page = GraphicPage(true, true);
  page->Page()->SetLength(150);
  Owned<TFaturaAyarF> dialog{new TFaturaAyarF(nullptr)};
  dialog->QuickRep = page;
  double start = 0, area = 0, count = 0;
  Run<TFaturaAyarF>(*dialog, [&](TFaturaAyarF& f) {
    start = f.ceBaslangic->Value();
    area = f.ceHareketAlani->Value();
    count = f.CeHareketSayisi->Value();
    f.ceYukseklik->SetValue(140.5);
    f.ceHareketAlani->SetValue(62.25);
    f.Button2->Click();
  });
  EXPECT_DOUBLE_EQ(start, 50);
  EXPECT_DOUBLE_EQ(area, 150);
  EXPECT_DOUBLE_EQ(count, 20);
  EXPECT_NEAR(static_cast<double>(page->Page()->Length()), 140.5, 1e-9);
  // Shortest decimal form, with the system's decimal separator.
  const AnsiString decimals = FormatSettings.DecimalSeparator == ',' ? "62,25" : "62.25";
  EXPECT_EQ(dialog->ResultHint, "HAREKETBASLANGIC=50\r\nHAREKETALANIYUKSEKLIK=" + decimals + "\r\nHAREKETSAYISI=20");
}

TEST_F(DesignDialogs, InvoiceOnATextPageCountsLines) {
  TZReport* page = TextPage(66);
  Owned<TFaturaAyarF> dialog{new TFaturaAyarF(nullptr)};
  dialog->ZReport = page;
  const TModalResult result = Run<TFaturaAyarF>(*dialog, [&](TFaturaAyarF& f) {
    EXPECT_DOUBLE_EQ(f.ceYukseklik->Value(), 66);
    EXPECT_EQ(f.Label5->Caption(), "st.");
    EXPECT_EQ(f.Label7->Caption(), "st.");
    EXPECT_EQ(f.ceYukseklik->DecimalPlaces(), 0);
    EXPECT_FALSE(f.CeHareketSayisi->Visible());
    EXPECT_FALSE(f.Label4->Visible());
    f.ceBaslangic->SetValue(16);
    f.ceHareketAlani->SetValue(35);
    f.Button2->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(page->FindBand(zbtColumnHeader)->Height(), 15);
  EXPECT_EQ(page->FindBand(zbtDetail)->Height(), 35);
  EXPECT_EQ(page->FindBand(zbtPageFooter)->Height(), 14);
  EXPECT_EQ(page->Height(), 66);
  EXPECT_EQ(dialog->ResultHint, "HAREKETBASLANGIC=16\r\nHAREKETALANIYUKSEKLIK=35\r\nHAREKETSAYISI=35");
}

struct Refusal {
  const char* name;
  bool textPage;
  double length, start, area, count;
  const char* message;
};

TEST_F(DesignDialogs, InvoiceRefusesValuesThatLeaveNoRoom) {
  const Refusal cases[] = {
      {"start above the top margin", false, 297, 11, 200, 20, "Hareket Baslangic Yuksekligi ust bosluktan (12) kucuk olamaz."},
      {"no area", false, 297, 75, 0, 20, "Hareket alani Yuksekligi sifirdan buyuk olmalidir."},
      {"negative area", false, 297, 75, -5, 20, "Hareket alani Yuksekligi sifirdan buyuk olmalidir."},
      {"no line item", false, 297, 75, 200, 0, "Hareket Sayisi en az 1 olmalidir."},
      {"no paper", false, 0, 75, 200, 20, "Kagit Yuksekligi sifirdan buyuk olmalidir."},
      {"text: start above the top margin", true, 66, 0, 35, 0, "Hareket Baslangic Yuksekligi ust bosluktan (1) kucuk olamaz."},
      {"text: no area", true, 66, 16, 0, 0, "Hareket alani Yuksekligi sifirdan buyuk olmalidir."},
      {"text: footer below 0", true, 66, 16, 50, 0,
       "Kagit Yuksekligi; ust bosluk, hareket baslangici, hareket alani ve alt bosluga yetmiyor."},
      {"text: no paper", true, 0, 16, 35, 0, "Kagit Yuksekligi sifirdan buyuk olmalidir."},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.Clear();
    dialogs.AnswerButton(mrOk);
    Owned<TFaturaAyarF> dialog{new TFaturaAyarF(nullptr)};
    TQuickRep* graphic = nullptr;
    TZReport* text = nullptr;
    if (c.textPage)
      dialog->ZReport = text = TextPage(66);
    else
      dialog->QuickRep = graphic = GraphicPage(true, true);
    const double detailBefore = graphic != nullptr ? Height(graphic->Bands()->DetailBand()) : 0;
    TModalResult afterOk = -1;
    const TModalResult result = Run<TFaturaAyarF>(*dialog, [&](TFaturaAyarF& f) {
      f.ceYukseklik->SetValue(c.length);
      f.ceBaslangic->SetValue(c.start);
      f.ceHareketAlani->SetValue(c.area);
      f.CeHareketSayisi->SetValue(c.count);
      f.Button2->Click();
      afterOk = f.ModalResult();
      f.Button1->Click();
    });
    EXPECT_EQ(afterOk, mrNone) << "the dialog stays open";
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(dialogs.Records().size(), 2u);
    EXPECT_EQ(dialogs.Records()[1].Text, c.message);
    EXPECT_EQ(dialog->ResultHint, "");
    if (graphic != nullptr) {
      EXPECT_NEAR(static_cast<double>(graphic->Page()->Length()), 297, 1e-9);
      EXPECT_EQ(graphic->Bands()->PageHeaderBand(), nullptr);
      EXPECT_NEAR(Height(graphic->Bands()->DetailBand()), detailBefore, 1e-9);
    } else {
      EXPECT_EQ(text->Height(), 66);
      EXPECT_EQ(text->FindBand(zbtColumnHeader), nullptr);
      EXPECT_EQ(text->FindBand(zbtDetail), nullptr);
    }
  }
}

// ---- Label sheet ---------------------------------------------------------------------------
TEST_F(DesignDialogs, LabelSheetShowsThePageAndFiresTheFormHook) {
  TQuickRep* page = GraphicPage(true, true);
  TQRPage& p = *page->Page();
  p.SetLeftMargin(3);
  p.SetRightMargin(4);
  p.SetBottomMargin(5);
  p.SetWidth(100);
  p.SetLength(60);
  p.SetColumnSpace(2.5);
  p.SetColumns(3);
  page->Bands()->DetailBand()->Size()->SetHeight(21);
  Owned<TVtRapor> rapor{new TVtRapor(nullptr)};
  TCustomForm* hooked = nullptr;
  rapor->OnFormOpen = [&](TCustomForm* form) { hooked = form; };
  Owned<TK_EtiketF> dialog{new TK_EtiketF(nullptr)};
  dialog->QuickRep = page;
  dialog->VtRapor = rapor.get();
  Run<TK_EtiketF>(*dialog, [&](TK_EtiketF& f) {
    const struct {
      TCurrencyEdit* edit;
      double value;
    } shown[] = {{f.ceSolBosluk, 3}, {f.ceUstBosluk, 12}, {f.ceSagBosluk, 4}, {f.ceAltBosluk, 5},
                 {f.ceGenislik, 100}, {f.ceYukseklik, 60}, {f.ceYatay, 2.5}, {f.ceSutun, 3},
                 {f.ceEtiketYukseklik, 21}};
    for (const auto& s : shown)
      EXPECT_NEAR(s.edit->Value(), s.value, 1e-9) << s.edit->Name();
    KeepScreenshot(f, "k_etiketf");
    f.Button1->Click();
  });
  EXPECT_EQ(hooked, dialog.get());
  EXPECT_NEAR(static_cast<double>(p.Width()), 100, 1e-9) << "cancel changes nothing";
}

TEST_F(DesignDialogs, LabelSheetWritesThePageAndAddsAMissingDetailBand) {
  TQuickRep* page = GraphicPage(false, true);
  ASSERT_EQ(page->Bands()->DetailBand(), nullptr);
  CountingController controller;
  Owned<TK_EtiketF> dialog{new TK_EtiketF(nullptr)};
  dialog->QuickRep = page;
  dialog->Controller = &controller;
  const TModalResult result = Run<TK_EtiketF>(*dialog, [&](TK_EtiketF& f) {
    f.ceSolBosluk->SetValue(6);
    f.ceUstBosluk->SetValue(15);
    f.ceSagBosluk->SetValue(7);
    f.ceAltBosluk->SetValue(8);
    f.ceGenislik->SetValue(210);
    f.ceYukseklik->SetValue(140);
    f.ceYatay->SetValue(3);
    f.ceSutun->SetValue(3);
    f.ceEtiketYukseklik->SetValue(38.5);
    f.Button2->Click();
  });
  EXPECT_EQ(result, mrOk);
  TQRPage& p = *page->Page();
  EXPECT_NEAR(static_cast<double>(p.LeftMargin()), 6, 1e-9);
  EXPECT_NEAR(static_cast<double>(p.TopMargin()), 15, 1e-9);
  EXPECT_NEAR(static_cast<double>(p.RightMargin()), 7, 1e-9);
  EXPECT_NEAR(static_cast<double>(p.BottomMargin()), 8, 1e-9);
  EXPECT_NEAR(static_cast<double>(p.Width()), 210, 1e-9);
  EXPECT_NEAR(static_cast<double>(p.Length()), 140, 1e-9);
  EXPECT_NEAR(static_cast<double>(p.ColumnSpace()), 3, 1e-9);
  EXPECT_EQ(p.Columns(), 3);
  ASSERT_NE(page->Bands()->DetailBand(), nullptr);
  EXPECT_EQ(page->Bands()->DetailBand()->Parent(), page);
  EXPECT_NEAR(Height(page->Bands()->DetailBand()), 38.5, 1e-9);
  EXPECT_EQ(controller.switches, (std::vector<bool>{false, true}));
}

TEST_F(DesignDialogs, LabelSheetSizesCountOnlyOnCustomPaper) {
  TQuickRep* page = GraphicPage(true, false);
  Owned<TK_EtiketF> dialog{new TK_EtiketF(nullptr)};
  dialog->QuickRep = page;
  Run<TK_EtiketF>(*dialog, [&](TK_EtiketF& f) {
    f.ceGenislik->SetValue(50);
    f.ceYukseklik->SetValue(30);
    f.ceSolBosluk->SetValue(1);
    f.Button2->Click();
  });
  EXPECT_NEAR(static_cast<double>(page->Page()->Width()), 210, 1e-9);
  EXPECT_NEAR(static_cast<double>(page->Page()->Length()), 297, 1e-9);
  EXPECT_NEAR(static_cast<double>(page->Page()->LeftMargin()), 1, 1e-9);
}

TEST_F(DesignDialogs, LabelSheetRefusesAPageOrLabelOfNoSize) {
  const struct {
    const char* name;
    double width, length, columns, label;
    const char* message;
  } cases[] = {
      {"no width", 0, 140, 3, 38, "Sayfa Genisligi sifirdan buyuk olmalidir."},
      {"negative length", 210, -1, 3, 38, "Sayfa Yuksekligi sifirdan buyuk olmalidir."},
      {"no column", 210, 140, 0, 38, "Sutun Sayisi en az 1 olmalidir."},
      {"no label height", 210, 140, 3, 0, "Etiket Yuksekligi sifirdan buyuk olmalidir."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.Clear();
    dialogs.AnswerButton(mrOk);
    TQuickRep* page = GraphicPage(false, true);
    CountingController controller;
    Owned<TK_EtiketF> dialog{new TK_EtiketF(nullptr)};
    dialog->QuickRep = page;
    dialog->Controller = &controller;
    const double width = static_cast<double>(page->Page()->Width());
    const TModalResult result = Run<TK_EtiketF>(*dialog, [&](TK_EtiketF& f) {
      f.ceSolBosluk->SetValue(9);
      f.ceGenislik->SetValue(c.width);
      f.ceYukseklik->SetValue(c.length);
      f.ceSutun->SetValue(c.columns);
      f.ceEtiketYukseklik->SetValue(c.label);
      f.Button2->Click();
      EXPECT_EQ(f.ModalResult(), mrNone) << "the dialog stays open";
      f.Button1->Click();
    });
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(dialogs.Records().size(), 2u);
    EXPECT_EQ(dialogs.Records()[1].Text, c.message);
    EXPECT_EQ(page->Bands()->DetailBand(), nullptr);
    EXPECT_NEAR(static_cast<double>(page->Page()->Width()), width, 1e-9);
    EXPECT_NE(static_cast<double>(page->Page()->LeftMargin()), 9);
    EXPECT_TRUE(controller.switches.empty());
  }
}

TEST_F(DesignDialogs, DialogsTakeTheMainFormsCaption) {
  Owned<TForm> main{new TForm(nullptr)};
  main->SetCaption("VORTELIM Dozuri s4.03.01");
  Owned<TPrintOptF> dialog{new TPrintOptF(nullptr)};
  TakeCaptionOf(nullptr, *dialog);
  EXPECT_EQ(dialog->Caption(), "Yazdirma Secenekleri") << "without a main form the caption stays";
  TakeCaptionOf(main.get(), *dialog);
  EXPECT_EQ(dialog->Caption(), "VORTELIM Dozuri s4.03.01");
  // Shown, each dialog asks the application: this test program has no main
  // form, so the dialog's own caption stays.
  ASSERT_EQ(Application->MainForm(), nullptr);
  Owned<TK_EtiketF> sheet{new TK_EtiketF(nullptr)};
  AnsiString shown;
  Run<TK_EtiketF>(*sheet, [&](TK_EtiketF& f) {
    shown = f.Caption();
    f.Button1->Click();
  });
  EXPECT_EQ(shown, "Etiket ayarlari");
}

}  // namespace
