// The designer's property inspector over real pages and printables, with a
// scripted stand-in for the designer: which rows each selection shows, how
// the rows are drawn and selected, and what applying a value changes.
#include "layouts/designinspector.h"

#include "layouts/core/inspectorvalues.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/colors.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/stdctrls/paintbox.h"
#include "classlib/system/formatsettings.h"
#include "components/vtbtnedit.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrexprlabel.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrmemo.h"
#include "reportengine/printables/qrshape.h"
#include "reportengine/printables/qrsysdata.h"
#include "reportengine/printables/vtqrlabel.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/qrsubdetail.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"
#include "support/barcode/components/stdbbarcode.h"
#include "tests/support/formfixture.h"
#include "textreport/engine/zrbands.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"

namespace {

using test_support::Owned;

// The designer as the inspector sees it: a selection, the layout's kind,
// and a record of what the inspector asked of it.
class ScriptedDesigner : public TInspectorHost {
public:
  int SelectedCount() override { return static_cast<int>(selection.size()); }
  TControl* SelectedControl(int Index) override { return selection.at(Index); }
  void UpdateSelection() override { ++updates; }
  bool IsTextLayout() override { return text; }
  bool IsInvoiceLayout() override { return invoice; }
  TQuickRep* CurrentGraphicPage() override { return page; }
  TComponent* DesignRoot() override { return root; }
  AnsiString Translate(const AnsiString& Text) override { return Text; }
  void ShowInfo(const AnsiString& Text) override { infos.push_back(Text); }
  void SetLayoutModified() override { modified = true; }
  void SizeStageToPage() override { ++stageSizings; }
  void BandsChanged() override { ++bandChanges; }
  void ComponentRenamed(TComponent* Component, const AnsiString& OldName) override {
    renames.push_back(OldName + ">" + Component->Name());
  }
  void SelectComponent(TComponent* Component) override { selected = Component; }

  std::vector<TControl*> selection;
  bool text = false;
  bool invoice = false;
  TQuickRep* page = nullptr;
  TComponent* root = nullptr;
  std::vector<AnsiString> infos;
  std::vector<AnsiString> renames;
  TComponent* selected = nullptr;
  bool modified = false;
  int updates = 0;
  int stageSizings = 0;
  int bandChanges = 0;
};

// A designer's inspector panel and paint box on a form of their own, which
// also owns the layout's pages and printables.
class InspectorRig {
public:
  InspectorRig() : form(new TForm(nullptr)) {
    form->SetBounds(0, 0, 800, 700);
    panel = new TPanel(form.get());
    panel->SetName("Panel3");
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 233, 680);
    paintBox = new TPaintBox(form.get());
    paintBox->SetName("PaintBox1");
    paintBox->SetParent(panel);
    paintBox->SetBounds(0, 30, 233, 640);
    designer.root = form.get();
    inspector = new TDesignInspector(form.get(), &designer, panel, paintBox);
  }

  template <class C>
  C* Add(TWinControl* Parent, const char* Name) {
    auto* c = new C(form.get());
    c->SetName(Name);
    c->SetParent(Parent);
    return c;
  }
  TQuickRep* GraphicPage() {
    auto* page = Add<TQuickRep>(form.get(), "Report1");
    page->SetUnits(MM);
    page->Page()->SetPaperSize(TQRPaperSize::A4);
    designer.page = page;
    return page;
  }
  TQRBand* Band(TQuickRep* Page, const char* Name = "DetailBand1") {
    auto* band = Add<TQRBand>(Page, Name);
    band->SetBandType(rbDetail);
    return band;
  }
  TZReport* TextPage() {
    designer.text = true;
    return Add<TZReport>(form.get(), "Report1");
  }

  void Select(std::vector<TControl*> controls, int row = 1) {
    designer.selection = std::move(controls);
    inspector->SelectRow(row);
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const TInspectorRow& row : inspector->InspectorRows())
      captions.push_back(row.Caption);
    return captions;
  }
  // The 1-based row of a caption (the first of that caption), 0 when absent.
  int RowOf(const char* caption) const {
    const auto& rows = inspector->InspectorRows();
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i].Caption == caption)
        return static_cast<int>(i) + 1;
    return 0;
  }
  int RowOfKey(const char* key) const {
    const auto& rows = inspector->InspectorRows();
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i].Key == key)
        return static_cast<int>(i) + 1;
    return 0;
  }
  // Selects the row of Key and hands the editor Text as typed, then Enter.
  void Type(const char* key, const AnsiString& text) {
    const int row = RowOfKey(key);
    ASSERT_GT(row, 0) << key;
    inspector->SelectRow(row);
    auto* editor = inspector->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    editor->SetText(text);
    WORD enter = VK_RETURN;
    editor->OnKeyDown(editor, enter, TShiftState());
  }
  void Choose(const char* key, int index) {
    const int row = RowOfKey(key);
    ASSERT_GT(row, 0) << key;
    inspector->SelectRow(row);
    auto* combo = dynamic_cast<TComboBox*>(inspector->ActiveEditor());
    ASSERT_NE(combo, nullptr) << key;
    combo->SetItemIndex(index);
    inspector->PropEditorChange(combo);
  }

  Owned<TForm> form;
  TPanel* panel = nullptr;
  TPaintBox* paintBox = nullptr;
  ScriptedDesigner designer;
  TDesignInspector* inspector = nullptr;
};

class DesignInspectorTest : public testing::Test, public InspectorRig {};

// ---- The row sets -------------------------------------------------------------------------

// The captions of each row of the list, by its number.
const std::map<std::string, std::vector<std::string>>& RowCaptions() {
  static const std::map<std::string, std::vector<std::string>> rows = {
      {"1", {"Fatura Ayarlari"}},
      {"2", {"Fatura Ayarlari"}},
      {"3", {"Detay Basligi", "Detay", "Sayfa Alti", "Sayfa Basligi", "Detay Ozeti", "Baslik"}},
      {"4", {"Sayfa Basligi", "Baslik", "Detay Basligi", "Detay", "Detay Ozeti", "Sayfa Alti"}},
      {"5", {"Yukseklik", "Genislik", "Sol Bosluk", "Ust Bosluk", "Alt Bosluk", "Sag Bosluk"}},
      {"5a", {"Sayfa"}}, {"5b", {"Sayfa Boyutu"}}, {"5c", {"Sutun Sayisi"}}, {"5d", {"Sutun Araligi"}},
      {"6", {"Sol Bosluk", "Ust Bosluk", "Alt Bosluk", "Sag Bosluk"}},
      {"7", {"Tablo"}}, {"8", {"Tablo"}}, {"9", {"Tablo", "Alan"}}, {"10", {"Alan"}},
      {"11", {"Sistem Bilgisi"}}, {"12", {"Sistem Bilgisi"}}, {"13", {"Metin"}}, {"14", {"Font"}},
      {"15", {"Renk"}}, {"16", {"Yazi"}}, {"17", {"Resim"}}, {"18", {"Sol", "Ust"}}, {"19", {"Font"}},
      {"20", {"Genislik", "Yukseklik"}}, {"21", {"Sol Bosluk", "Ust Bosluk", "Genislik", "Yukseklik"}},
      {"22", {"Genislik", "Yukseklik"}}, {"23", {"Hizalama"}}, {"24", {"Hizalama"}},
      {"25", {"Alt Cizgi", "Ust Cizgi", "Sol Cizgi", "Sag Cizgi"}}, {"25a", {"Cizgi Rengi", "Cizgi Genisligi"}},
      {"26", {"Alt Cizgi", "Ust Cizgi", "Sol Cizgi", "Sag Cizgi"}}, {"27", {"Transparan"}},
      {"28", {"Kaydirma"}}, {"29", {"Otomatik Boyut"}}, {"30", {"Resim Ortalama"}}, {"31", {"Resim Sigdir"}},
      {"32", {"Sekil"}}, {"33", {"Dolgu Stili", "Dolgu Rengi"}}, {"34", {"Kalem Stili", "Kalem Rengi", "Kalem Boyutu"}},
      {"35", {"Link Band"}}, {"36", {"Master"}}, {"37", {"Alt Band"}}, {"38", {"Ust Band"}}, {"39", {"Alt Detay"}},
      {"40", {"Karakter"}}, {"41", {"Parametre"}}, {"42", {"Expression"}}, {"43", {"Yaz Resetle"}},
      {"44", {"Gosterim Formati"}}, {"45", {"Nesne Adi"}}, {"46", {"Yazdirma"}}, {"47", {"Yazdirma"}},
      {"48", {"Dozuri Tipi"}}, {"49", {"Dozuri"}}, {"50", {"Bar Genisligi"}}, {"51", {"Cizgi Bosluk Orani"}},
      {"52", {"Kod Göster"}}, {"53", {"Yeni Sayfa Ac"}}, {"54", {"Parent Font"}},
      {"55", {"Genislik", "Yukseklik", "Sol Bosluk", "Ust Bosluk", "Y.Cizgi Yuksekligi"}},
  };
  return rows;
}

std::vector<std::string> CaptionsOfRows(const std::vector<std::string>& numbers) {
  std::vector<std::string> captions;
  for (const std::string& n : numbers)
    for (const std::string& c : RowCaptions().at(n))
      captions.push_back(c);
  return captions;
}

struct RowSetCase {
  const char* name;
  bool text;
  bool invoice;
  // Makes the one control to select on a page of the layout's kind.
  std::function<TControl*(InspectorRig&, TWinControl* page)> make;
  std::vector<std::string> rows;
};

class RowSetRig : public InspectorRig {
public:
  void Run(const RowSetCase& c) {
    designer.invoice = c.invoice;
    TWinControl* page = c.text ? static_cast<TWinControl*>(TextPage()) : GraphicPage();
    Select({c.make(*this, page)});
    EXPECT_EQ(Captions(), CaptionsOfRows(c.rows));
    EXPECT_EQ(inspector->RowCount(), static_cast<int>(CaptionsOfRows(c.rows).size()));
  }
  template <class C>
  static std::function<TControl*(InspectorRig&, TWinControl*)> OnBand(const char* name) {
    return [name](InspectorRig& t, TWinControl* page) -> TControl* {
      return t.Add<C>(t.Band(static_cast<TQuickRep*>(page)), name);
    };
  }
  template <class C>
  static std::function<TControl*(InspectorRig&, TWinControl*)> OnTextBand(const char* name) {
    return [name](InspectorRig& t, TWinControl* page) -> TControl* {
      auto* report = static_cast<TZReport*>(page);
      report->Bands()->SetHas(zbtDetail, true);
      return t.Add<C>(report->FindBand(zbtDetail), name);
    };
  }
};

TEST(DesignInspectorRows, ASingleControlOfEachClassShowsItsRowsInOrder) {
  const auto page = [](InspectorRig&, TWinControl* p) -> TControl* { return p; };
  const RowSetCase cases[] = {
      {"TQuickRep invoice", false, true, page, {"1", "3", "5", "5a", "5b", "5c", "5d", "7", "14", "25", "25a"}},
      {"TQuickRep", false, false, page, {"3", "5", "5a", "5b", "5c", "5d", "7", "14", "25", "25a"}},
      {"TQRBand", false, false,
       [](InspectorRig& t, TWinControl* p) -> TControl* { return t.Band(static_cast<TQuickRep*>(p)); },
       {"14", "15", "22", "25", "25a", "35", "45", "53", "54"}},
      {"TQRSubDetail", false, false,
       [](InspectorRig& t, TWinControl* p) -> TControl* { return t.Add<TQRSubDetail>(p, "QRSubDetail1"); },
       {"7", "14", "15", "22", "25", "25a", "35", "36", "37", "38", "45", "53", "54"}},
      {"TQRLabel", false, false, RowSetRig::OnBand<TQRLabel>("QRLabel1"),
       {"13", "14", "15", "21", "23", "25", "25a", "27", "28", "29", "41", "45", "46", "54"}},
      {"TVtQrLabel", false, false, RowSetRig::OnBand<TVtQrLabel>("VtQrLabel1"),
       {"13", "14", "15", "21", "23", "25", "25a", "27", "29", "45"}},
      {"TQRDBText", false, false, RowSetRig::OnBand<TQRDBText>("QRDBText1"),
       {"7", "10", "14", "15", "21", "23", "25", "25a", "27", "28", "29", "40", "44", "45", "46", "54"}},
      {"TVtQrDBText", false, false, RowSetRig::OnBand<TVtQrDBText>("VtQrDBText1"),
       {"7", "10", "13", "14", "15", "21", "23", "25", "25a", "27", "29", "45"}},
      {"TQRExpr", false, false, RowSetRig::OnBand<TQRExpr>("QRExpr1"),
       {"14", "15", "21", "23", "25", "25a", "27", "28", "29", "36", "42", "43", "44", "45", "46", "54"}},
      {"TQRSysData", false, false, RowSetRig::OnBand<TQRSysData>("QRSysData1"),
       {"11", "14", "15", "21", "23", "25", "25a", "27", "29", "45", "46", "54"}},
      {"TQRMemo", false, false, RowSetRig::OnBand<TQRMemo>("QRMemo1"),
       {"14", "15", "16", "21", "23", "25", "25a", "27", "28", "29", "45", "46", "54"}},
      {"TQRShape", false, false, RowSetRig::OnBand<TQRShape>("QRShape1"), {"21", "25", "25a", "32", "33", "34", "45"}},
      {"TQRImage", false, false, RowSetRig::OnBand<TQRImage>("QRImage1"),
       {"17", "21", "25", "25a", "29", "30", "31", "41", "45"}},
      {"TQRDBImage", false, false, RowSetRig::OnBand<TQRDBImage>("QRDBImage1"), {"7", "10", "21", "25", "25a", "30", "45"}},
      {"TStBarCode", false, false, RowSetRig::OnBand<TStBarCode>("StBarCode1"),
       {"14", "15", "45", "48", "49", "50", "51", "52", "54", "55"}},
      {"TStDbBarCode", false, false, RowSetRig::OnBand<TStDbBarCode>("StDbBarCode1"),
       {"8", "10", "14", "15", "45", "48", "49", "50", "51", "52", "54", "55"}},
      // The text page's margins (row 6) show, as the row list has them.
      {"TZReport invoice", true, true, page, {"2", "4", "6", "7", "14", "20", "45"}},
      {"TZReport", true, false, page, {"4", "6", "7", "14", "20", "45"}},
      {"TZRBand", true, false,
       [](InspectorRig&, TWinControl* p) -> TControl* {
         auto* report = static_cast<TZReport*>(p);
         report->Bands()->SetHas(zbtDetail, true);
         return report->FindBand(zbtDetail);
       },
       {"20", "26", "39", "45"}},
      {"TZRSubDetail", true, false,
       [](InspectorRig& t, TWinControl* p) -> TControl* { return t.Add<TZRSubDetail>(p, "ZRSubDetail1"); },
       {"7", "20", "26", "39", "45"}},
      {"TZRLabel", true, false, RowSetRig::OnTextBand<TZRLabel>("ZRLabel1"),
       {"9", "13", "18", "19", "20", "24", "26", "28", "29", "41", "45", "47"}},
      {"TZRSystemLabel", true, false, RowSetRig::OnTextBand<TZRSystemLabel>("ZRSystemLabel1"),
       {"12", "18", "19", "20", "24", "26", "28", "29", "45"}},
      {"TZRTotalLabel", true, false, RowSetRig::OnTextBand<TZRTotalLabel>("ZRTotalLabel1"),
       {"9", "18", "19", "20", "24", "26", "28", "29", "45", "47"}},
  };
  for (const RowSetCase& c : cases) {
    SCOPED_TRACE(c.name);
    RowSetRig fresh;
    fresh.Run(c);
  }
}

TEST_F(DesignInspectorTest, ALabelAndAShapeShowOnlyWhatBothPublish) {
  TQRBand* band = Band(GraphicPage());
  Select({Add<TQRLabel>(band, "QRLabel1"), Add<TQRShape>(band, "QRShape1")});
  // A shape publishes no Caption and no Color of its own (its colours are
  // its brush's and pen's); single rows are absent from a selection of two.
  // The parameter row asks only that the first be a label.
  EXPECT_EQ(Captions(), CaptionsOfRows({"21", "25", "25a", "41"}));
  EXPECT_EQ(RowOf("Metin"), 0);
  EXPECT_EQ(RowOf("Renk"), 0);
  EXPECT_EQ(RowOf("Nesne Adi"), 0);
  // A label and a data text share their colour, without the label's text.
  Select({Add<TQRLabel>(band, "QRLabel2"), Add<TQRDBText>(band, "QRDBText1")});
  EXPECT_GT(RowOf("Renk"), 0);
  EXPECT_EQ(RowOf("Metin"), 0);
  EXPECT_EQ(RowOf("Nesne Adi"), 0);
}

TEST_F(DesignInspectorTest, ValuesAreTheFirstSelectedControls) {
  TQRBand* band = Band(GraphicPage());
  auto* first = Add<TQRDBText>(band, "QRDBText1");
  auto* second = Add<TQRDBText>(band, "QRDBText2");
  first->Size()->SetLeft(12.5);
  first->SetHint("DATASET=ETIKET\r\nDATAFIELD=METIN3\r\n");
  first->SetTransparent(true);
  second->Size()->SetLeft(40);
  second->SetHint("DATASET=STOK\r\nDATAFIELD=ADI\r\n");
  {
    FormatSettingsScope turkish(TurkishFormatSettings());
    Select({first, second});
  }
  const auto& rows = inspector->InspectorRows();
  EXPECT_EQ(rows[RowOfKey("Size.Left") - 1].Value, "12,5000 mm");
  EXPECT_EQ(rows[RowOf("Tablo") - 1].Value, "ETIKET");
  EXPECT_EQ(rows[RowOf("Alan") - 1].Value, "METIN3");
  EXPECT_EQ(rows[RowOf("Transparan") - 1].Value, "Var");
  EXPECT_EQ(rows[RowOf("Kaydirma") - 1].Value, first->WordWrap() ? "Var" : "Yok");
  // The translated booleans.
  inspector->TextYes = "Yes";
  Select({first, second});
  EXPECT_EQ(inspector->InspectorRows()[RowOf("Transparan") - 1].Value, "Yes");
}

TEST_F(DesignInspectorTest, ABarcodeShowsItsPixelsInMillimetresOfThePage) {
  TQuickRep* page = GraphicPage();
  page->Page()->SetLength(297);
  page->SetHeight(1123);
  ASSERT_EQ(page->Height(), 1123);
  auto* barcode = Add<TStBarCode>(Band(page), "StBarCode1");
  barcode->SetWidth(150);
  for (const auto& [settings, shown] : {std::pair{TurkishFormatSettings(), "39,6705"},
                                        std::pair{USFormatSettings(), "39.6705"}}) {
    FormatSettingsScope scope(settings);
    Select({barcode});
    EXPECT_EQ(inspector->InspectorRows()[RowOfKey("Width") - 1].Value, shown);
  }
  FormatSettingsScope turkish(TurkishFormatSettings());
  Select({barcode});
  Type("Width", "20");
  EXPECT_EQ(barcode->Width(), 76);
  EXPECT_TRUE(designer.modified);
  EXPECT_EQ(inspector->InspectorRows()[RowOfKey("Width") - 1].Value, "20,0997");
}

// ---- Drawing and row selection ------------------------------------------------------------

TEST_F(DesignInspectorTest, RowsAreDrawnWithTheirDividingLines) {
  auto* label = Add<TQRLabel>(Band(GraphicPage()), "QRLabel1");
  Select({label});
  TBitmap& bitmap = inspector->InspectorBitmap();
  EXPECT_EQ(bitmap.Width(), paintBox->Width());
  EXPECT_EQ(bitmap.Height(), paintBox->Height());
  TCanvas& canvas = bitmap.Canvas();
  const int lastBottom = inspector->RowCount() * InspectorRowHeight - 1;
  struct Pixel {
    int x, y;
    TColor color;
  };
  const Pixel pixels[] = {
      {InspectorValueLeft, 5, clBtnShadow},          {InspectorValueLeft + 1, 5, clBtnHighlight},
      {50, InspectorRowHeight - 1, clBtnShadow},     {200, lastBottom, clBtnShadow},
      {InspectorValueLeft, lastBottom + 5, clBtnFace}, {3, 2, clBtnFace},
  };
  for (const Pixel& p : pixels) {
    SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
    EXPECT_EQ(canvas.GetPixel(p.x, p.y), ColorToRGB(p.color));
  }
  // Some ink in the caption column of the first row ("Metin").
  bool ink = false;
  for (int x = InspectorCaptionX; x < InspectorValueLeft && !ink; ++x)
    for (int y = 3; y < 17 && !ink; ++y)
      ink = canvas.GetPixel(x, y) != ColorToRGB(clBtnFace);
  EXPECT_TRUE(ink);
}

TEST_F(DesignInspectorTest, EachRowGetsItsEditorOverTheValue) {
  TQRBand* band = Band(GraphicPage());
  auto* label = Add<TQRLabel>(band, "QRLabel1");
  label->SetCaption("Merhaba");
  label->SetAlignment(taCenter);
  Select({label});
  struct Case {
    const char* key;
    TWinControl* editor;
    AnsiString text;
  };
  const Case cases[] = {
      {"Caption", inspector->Edit(), "Merhaba"},
      {"Font", inspector->BtnEdit(), "Font"},
      {"Alignment", inspector->ComboAlignment(), "Ortaya"},
      {"Transparent", inspector->ComboBoolean(), label->Transparent() ? "Var" : "Yok"},
      {"Frame.Width", inspector->CeInteger(), ""},
      {"Size.Width", inspector->CEdit(), ""},
      {"ComponentName", inspector->Edit(), "QRLabel1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    const int row = RowOfKey(c.key);
    ASSERT_GT(row, 0);
    inspector->SelectRow(row);
    ASSERT_EQ(inspector->ActiveEditor(), c.editor);
    EXPECT_EQ(c.editor->Left(), InspectorEditorLeft);
    EXPECT_EQ(c.editor->Top(), paintBox->Top() + (row - 1) * InspectorRowHeight);
    EXPECT_EQ(c.editor->Width(), paintBox->Width() - InspectorEditorLeft);
    EXPECT_EQ(c.editor->Height(), InspectorRowHeight);
    EXPECT_TRUE(c.editor->Visible());
    if (!c.text.empty())
      EXPECT_EQ(c.editor->Text(), c.text);
    // Only the current editor shows.
    int shown = 0;
    for (int i = 0; i < inspector->ComponentCount(); ++i)
      if (auto* control = dynamic_cast<TControl*>(inspector->Components(i)); control && control->Visible())
        ++shown;
    EXPECT_EQ(shown, 1);
  }
}

TEST_F(DesignInspectorTest, UpAndDownMoveWithinTheRowsAndNumbersStayInRange) {
  auto* label = Add<TQRLabel>(Band(GraphicPage()), "QRLabel1");
  Select({label});
  const int last = inspector->RowCount();
  ASSERT_GT(last, 2);
  const auto press = [&](WORD key) {
    TWinControl* editor = inspector->ActiveEditor();
    editor->OnKeyDown(editor, key, TShiftState());
    return key;
  };
  EXPECT_EQ(press(VK_UP), 0);  // consumed, also where it does nothing
  EXPECT_EQ(inspector->ActiveRow(), 1);
  EXPECT_EQ(press(VK_DOWN), 0);
  EXPECT_EQ(inspector->ActiveRow(), 2);
  inspector->SelectRow(last);
  press(VK_DOWN);
  EXPECT_EQ(inspector->ActiveRow(), last);
  press(VK_UP);
  EXPECT_EQ(inspector->ActiveRow(), last - 1);
  // Beyond the rows: the last; below them: the first.
  inspector->SelectRow(last + 40);
  EXPECT_EQ(inspector->ActiveRow(), last);
  inspector->SelectRow(-3);
  EXPECT_EQ(inspector->ActiveRow(), 1);
  // A smaller selection, fewer rows: the row follows.
  inspector->SelectRow(last);
  Select({label, Add<TQRShape>(label->Parent(), "QRShape1")}, last);
  EXPECT_EQ(inspector->ActiveRow(), inspector->RowCount());
}

TEST_F(DesignInspectorTest, APressAndADragInThePaintBoxSelectRows) {
  auto* label = Add<TQRLabel>(Band(GraphicPage()), "QRLabel1");
  Select({label});
  paintBox->OnMouseDown(paintBox, mbLeft, TShiftState(), 10, 2 * InspectorRowHeight + 4);
  EXPECT_EQ(inspector->ActiveRow(), 3);
  paintBox->OnMouseMove(paintBox, TShiftState(), 10, 2 * InspectorRowHeight + 4 + 5);  // under 6 pixels
  EXPECT_EQ(inspector->ActiveRow(), 3);
  paintBox->OnMouseMove(paintBox, TShiftState(), 10, 4 * InspectorRowHeight + 1);
  EXPECT_EQ(inspector->ActiveRow(), 5);
  paintBox->OnMouseUp(paintBox, mbLeft, TShiftState(), 10, 4 * InspectorRowHeight + 1);
  paintBox->OnMouseMove(paintBox, TShiftState(), 10, 8 * InspectorRowHeight);
  EXPECT_EQ(inspector->ActiveRow(), 5);
}

TEST_F(DesignInspectorTest, AnEmptiedSelectionKeepsTheRowsAndAppliesNothing) {
  auto* label = Add<TQRLabel>(Band(GraphicPage()), "QRLabel1");
  label->SetCaption("Bir");
  Select({label});
  const int rows = inspector->RowCount();
  inspector->SelectRow(RowOfKey("Caption"));
  designer.selection.clear();
  inspector->SelectRow(1);
  EXPECT_EQ(inspector->RowCount(), rows);
  inspector->Edit()->SetText("Iki");
  inspector->PropEditorChange(inspector->Edit());
  EXPECT_EQ(label->Caption(), "Bir");
  EXPECT_FALSE(designer.modified);
  EXPECT_EQ(designer.updates, 0);
}

// ---- Applying -------------------------------------------------------------------------------

TEST_F(DesignInspectorTest, AValueGoesToEverySelectedControl) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  TQRBand* band = Band(GraphicPage());
  std::vector<TQRDBText*> texts = {Add<TQRDBText>(band, "QRDBText1"), Add<TQRDBText>(band, "QRDBText2"),
                                   Add<TQRDBText>(band, "QRDBText3")};
  Select({texts[0], texts[1], texts[2]});
  Type("Size.Left", "10");
  for (TQRDBText* text : texts)
    EXPECT_DOUBLE_EQ(static_cast<double>(text->Size()->Left()), 10);
  EXPECT_TRUE(designer.modified);
  EXPECT_EQ(designer.updates, 1);
  Type("Karakter", "3");
  for (TQRDBText* text : texts)
    EXPECT_EQ(text->Tag(), 3);
  Choose("Alignment", 1);
  for (TQRDBText* text : texts)
    EXPECT_EQ(text->Alignment(), taRightJustify);
  Choose("Transparent", 1);
  for (TQRDBText* text : texts)
    EXPECT_TRUE(text->Transparent());
  Choose("Frame.DrawTop", 1);
  for (TQRDBText* text : texts)
    EXPECT_TRUE(text->Frame()->DrawTop());
  Type("Mask", "#,##0.00");
  for (TQRDBText* text : texts)
    EXPECT_EQ(text->Mask(), "#,##0.00");
}

TEST_F(DesignInspectorTest, PageRowsChangeThePageAndResizeTheStage) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  TQuickRep* page = GraphicPage();
  Select({page});
  Choose("Page.PaperSize", static_cast<int>(TQRPaperSize::A5));
  EXPECT_EQ(page->Page()->PaperSize(), TQRPaperSize::A5);
  EXPECT_EQ(designer.stageSizings, 1);
  Choose("Page.Orientation", 1);
  EXPECT_EQ(page->Page()->Orientation(), poLandscape);
  EXPECT_EQ(designer.stageSizings, 2);
  Type("Page.LeftMargin", "15,5");
  EXPECT_DOUBLE_EQ(static_cast<double>(page->Page()->LeftMargin()), 15.5);
  EXPECT_EQ(designer.stageSizings, 3);
  Type("Page.Columns", "2");
  EXPECT_EQ(page->Page()->Columns(), 2);
  EXPECT_EQ(inspector->InspectorRows()[RowOfKey("Page.PaperSize") - 1].Value, "A5");
  EXPECT_EQ(inspector->InspectorRows()[RowOfKey("Page.Orientation") - 1].Value, "Yatay");
}

TEST_F(DesignInspectorTest, BandRowsSwitchTheBandsOfEitherPageKind) {
  TZReport* text = TextPage();
  Select({text});
  const int title = RowOf("Baslik");
  ASSERT_GT(title, 0);
  EXPECT_EQ(inspector->InspectorRows()[title - 1].Key, "Bands.HasTitle");
  Choose("Bands.HasTitle", 1);
  EXPECT_TRUE(text->Bands()->Has(zbtHeader));
  EXPECT_NE(text->FindBand(zbtHeader), nullptr);
  EXPECT_TRUE(designer.modified);
  EXPECT_EQ(designer.bandChanges, 1);
  Choose("Bands.HasSummary", 1);
  EXPECT_TRUE(text->Bands()->Has(zbtFooter));

  Owned<TForm> other(new TForm(nullptr));
  auto* graphic = new TQuickRep(other.get());
  designer.text = false;
  designer.page = graphic;
  Select({graphic});
  Choose("Bands.HasTitle", 1);
  EXPECT_TRUE(graphic->Bands()->HasTitle());
  EXPECT_EQ(designer.bandChanges, 3);
}

TEST_F(DesignInspectorTest, TextLayoutRowsSetCharactersAndMargins) {
  TZReport* page = TextPage();
  page->Bands()->SetHas(zbtDetail, true);
  auto* label = Add<TZRLabel>(page->FindBand(zbtDetail), "ZRLabel1");
  Select({label});
  Type("Left", "7");
  EXPECT_EQ(label->Left(), 7);
  Type("Frame.DrawBottom", "1");
  EXPECT_EQ(label->Frame()->Bottom(), 1);
  Choose("Alignment", 2);
  EXPECT_EQ(label->Alignment()->X(), zawCenter);
  Select({page});
  Type("Page.LeftMargin", "4");
  EXPECT_EQ(page->Margins()->Left(), 4);
  const int sized = designer.stageSizings;
  Type("Width", "120");
  EXPECT_EQ(page->Width(), 120);
  EXPECT_EQ(designer.stageSizings, sized + 1);
}

TEST_F(DesignInspectorTest, ABandLinkChoosesAmongThePagesBands) {
  TQuickRep* page = GraphicPage();
  TQRBand* detail = Band(page);
  auto* prototype = Band(page, "PrototypeBand");
  prototype->SetTag(-100);
  auto* sub = Add<TQRSubDetail>(page, "QRSubDetail1");
  auto* other = Add<TQRSubDetail>(page, "QRSubDetail2");
  Select({sub});
  inspector->SelectRow(RowOfKey("Master"));
  TComboBox* combo = inspector->ComboClass();
  ASSERT_EQ(inspector->ActiveEditor(), combo);
  std::vector<std::string> items;
  for (int i = 0; i < combo->Items()->Count(); ++i)
    items.push_back(combo->Items()->Strings(i));
  EXPECT_EQ(items, (std::vector<std::string>{" ", "Report1", "DetailBand1", "QRSubDetail1", "QRSubDetail2"}));
  EXPECT_EQ(combo->ItemIndex(), 1);  // a sub-detail's master starts as its page
  combo->SetItemIndex(4);
  inspector->PropEditorChange(combo);
  EXPECT_EQ(sub->Master(), other);
  // A plain band cannot be a master: the link stays.
  combo->SetItemIndex(2);
  inspector->PropEditorChange(combo);
  EXPECT_EQ(sub->Master(), other);
  EXPECT_NE(sub->Master(), detail);
  combo->SetItemIndex(0);
  inspector->PropEditorChange(combo);
  EXPECT_EQ(sub->Master(), nullptr);
  EXPECT_EQ(inspector->InspectorRows()[RowOfKey("Master") - 1].Value, "");
}

TEST_F(DesignInspectorTest, RenamingRefusesATakenNameInAnyLetterCase) {
  TQRBand* band = Band(GraphicPage());
  auto* first = Add<TQRLabel>(band, "QRLabel1");
  Add<TQRLabel>(band, "QRLabel2");
  Select({first});
  struct Case {
    const char* typed;
    const char* message;  // nullptr: renamed
    const char* name;
  };
  const Case cases[] = {
      {"qrlabel2", "Bu komponent ismi daha once verilmis", "QRLabel1"},
      {"PaintBox1", "Bu komponent ismi daha once verilmis", "QRLabel1"},
      {"1abc", "Bu komponent ismi gecerli degil", "QRLabel1"},
      {"", "Bu komponent ismi gecerli degil", "QRLabel1"},
      {"Baslik", nullptr, "Baslik"},
      {"BASLIK", nullptr, "BASLIK"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    designer.infos.clear();
    designer.selected = nullptr;
    designer.renames.clear();
    const AnsiString before = first->Name();
    Type("ComponentName", c.typed);
    EXPECT_EQ(first->Name(), c.name);
    if (c.message != nullptr) {
      EXPECT_EQ(designer.infos, std::vector<AnsiString>{c.message});
      EXPECT_EQ(designer.selected, first);
      EXPECT_EQ(inspector->Edit()->Text(), before);
      EXPECT_TRUE(designer.renames.empty());
    } else {
      EXPECT_TRUE(designer.infos.empty());
      EXPECT_EQ(designer.renames, std::vector<AnsiString>{before + ">" + c.name});
    }
  }
}

TEST_F(DesignInspectorTest, ANumberThatDoesNotConvertChangesNothing) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  auto* text = Add<TQRDBText>(Band(GraphicPage()), "QRDBText1");
  text->Size()->SetLeft(12);
  text->SetTag(2);
  Select({text});
  Type("Size.Left", "12abc");
  EXPECT_DOUBLE_EQ(static_cast<double>(text->Size()->Left()), 12);
  EXPECT_FALSE(designer.modified);
  EXPECT_DOUBLE_EQ(inspector->CEdit()->Value(), 12);
  Type("Karakter", "x");
  EXPECT_EQ(text->Tag(), 2);
  EXPECT_EQ(inspector->CeInteger()->Value(), 2);
  EXPECT_FALSE(designer.modified);
}

TEST_F(DesignInspectorTest, ButtonValuesReachTheSelection) {
  TQRBand* band = Band(GraphicPage());
  auto* label = Add<TQRLabel>(band, "QRLabel1");
  auto* memo = Add<TQRMemo>(band, "QRMemo1");
  Select({label});
  inspector->SelectRow(RowOfKey("Color"));
  inspector->BtnEdit()->Font()->SetColor(clRed);
  inspector->PropEditorChange(inspector->BtnEdit());
  EXPECT_EQ(label->Color(), clRed);
  inspector->SelectRow(RowOfKey("Font"));
  inspector->BtnEdit()->Font()->SetName("Courier New");
  inspector->PropEditorChange(inspector->BtnEdit());
  EXPECT_EQ(label->Font()->Name(), "Courier New");
  Select({memo});
  inspector->SelectRow(RowOfKey("Lines"));
  EXPECT_EQ(inspector->BtnEdit()->Text(), "Yazı");
  inspector->BtnEdit()->SetHint("bir\r\niki");
  inspector->PropEditorChange(inspector->BtnEdit());
  EXPECT_EQ(memo->Lines()->Count(), 2);
}

}  // namespace
