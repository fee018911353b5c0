// The inspector's button in the designer: the binding pickers over a field
// list of two tables (and one line shared by two groups), the parameter
// picker, the invoice and print-option dialogs, colours, fonts, lines and
// pictures. Every dialog and picker is driven by the scripted service.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>

#include "classlib/classes/strings.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/colors.h"
#include "classlib/stdctrls/radiogroup.h"
#include "components/vtbtnedit.h"
#include "layouts/core/bindinghints.h"
#include "layouts/databaseeditorf.h"
#include "layouts/designinspector.h"
#include "layouts/dizaynanaf.h"
#include "layouts/faturaayarf.h"
#include "layouts/parametreeditorf.h"
#include "layouts/printoptf.h"
#include "layouts/stringlisteditorf.h"
#include "layouts/vtrapor.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrmemo.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrframe.h"
#include "reportengine/report/quickrep.h"
#include "tests/layouts/runnerfixture.h"
#include "tests/support/formfixture.h"
#include "textreport/engine/zrbands.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"

namespace {

using test_support::Pump;

const AnsiString LongFieldCode(120, 'U');

const char* const TwoTableFieldList[] = {
    "// the host's fields",
    "ETIKET|Etiket Yazdirma|ETIKET|Etiket Bilgileri|METIN1|Metin 1|",
    "ETIKET|Etiket Yazdirma|ETIKET|Etiket Bilgileri|METIN2|Metin 2|",
    "ETIKET|Etiket Yazdirma|ETIKET|Etiket Bilgileri|METIN3|Metin 3|",
    "ETIKET|Etiket Yazdirma|ETIKET|Etiket Bilgileri|METIN4|Metin 4|",
    "",
    "ETIKET|Etiket Yazdirma|STOK|Stok Kartlari|STOKKODU|Stok Kodu|",
    "ETIKET|Etiket Yazdirma|STOK|Stok Kartlari|FIYAT|fiyat|",
    "ETIKET,FATURA|Etiket Yazdirma,Fatura|STOK,FATBAS|Stok Kartlari,Fatura Basligi|BELGENO|Belge No|",
};

AnsiString HintOf(TControl* Control) { return GetStrProp(Control, "Hint"); }
TBindingHint BindingOf(TControl* Control) { return TBindingHint(HintOf(Control)); }

std::vector<AnsiString> Column(TRxMemoryData* Table, const char* Field) {
  std::vector<AnsiString> values;
  for (Table->First(); !Table->Eof(); Table->Next())
    values.push_back(Table->FieldByName(Field)->AsString());
  return values;
}

AnsiString Current(TRxMemoryData* Table, const char* Field) { return Table->FieldByName(Field)->AsString(); }

class DesignerButtonTest : public testing::Test {
protected:
  DesignerButtonTest() : scope(dialogs) {
    RegisterRunnerClasses();
    rapor = new TVtRapor(nullptr);
    for (const char* line : TwoTableFieldList)
      rapor->FieldList()->Add(line);
    rapor->FieldList()->Add("ETIKET|Etiket Yazdirma|STOK|Stok Kartlari|" + LongFieldCode + "|Uzun Alan");
    rapor->ParametreList()->Add("FIRMA|Firma Adi");
    rapor->ParametreList()->Add("");
    rapor->ParametreList()->Add("TARIH");
    designer = NewForm<TDizaynAnaF>(Application);
    designer->FileName = "";
    designer->Rapor = rapor;
    LayoutModified = false;
  }
  ~DesignerButtonTest() override {
    designer->Rapor = nullptr;
    designer->Free();
    delete rapor;
  }

  void Show() {
    designer->FormShow(nullptr);
    Pump();
  }
  void Recover() {
    designer->DsnDpRegister1->SetActive(false);
    designer->DsnDpRegister1->SetActive(true);
    designer->AddComponentsCombo();
  }
  TQRDBText* AddDataText(const char* Name, const char* Field, int Left = 10) {
    auto* text = new TQRDBText(designer);
    text->SetName(Name);
    text->SetParent(designer->DetailBand1);
    text->SetBounds(Left, 5, 60, 17);
    text->SetHint(AnsiString("DATASET=ETIKET\r\nDATAFIELD=") + Field + "\r\nGRUPADI=ETIKET\r\n");
    text->SetDataField(AnsiString("ETIKET.") + Field);
    Recover();
    return text;
  }
  TQRLabel* AddLabel(const char* Name, int Left = 10) {
    auto* label = new TQRLabel(designer);
    label->SetName(Name);
    label->SetParent(designer->DetailBand1);
    label->SetBounds(Left, 5, 60, 17);
    label->SetCaption(Name);
    Recover();
    return label;
  }
  void Select(const std::vector<TComponent*>& Components) {
    designer->DsnSelect1->SelectComponents(Components);
    Pump();
  }
  // The button of the row with Key, on the current selection.
  void Press(const char* Key) {
    const auto& rows = designer->Inspector->InspectorRows();
    int row = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i].Key == Key)
        row = static_cast<int>(i) + 1;
    ASSERT_GT(row, 0) << "no row " << Key;
    designer->Inspector->SelectRow(row);
    designer->BtnEditBtnClick(designer->Inspector->BtnEdit());
  }
  // The next data picker is shown, then Choose acts on it; it closes.
  void OnPicker(std::function<void(TDatabaseEditorF&)> Choose) {
    dialogs.OnModalForm = [this, Choose](TCustomForm& Form) {
      auto& picker = dynamic_cast<TDatabaseEditorF&>(Form);
      picker.FormShow(nullptr);
      shownWidth = picker.Width();
      fieldGridShown = picker.DBGrid3->Visible();
      Choose(picker);
      if (picker.ModalResult() == mrNone)
        picker.SetModalResult(mrCancel);
      TCloseAction action = caFree;
      picker.FormClose(nullptr, action);
    };
  }
  static void Take(TDatabaseEditorF& Picker) { Picker.Button3Click(nullptr); }
  void TakeTable(const char* Table) {
    OnPicker([this, Table](TDatabaseEditorF& Picker) {
      ASSERT_TRUE(designer->RxTable->Locate("TABLEADIORG", Variant(AnsiString(Table)), TLocateOptions()));
      Take(Picker);
    });
  }
  void TakeField(const AnsiString& Field) {
    OnPicker([this, Field](TDatabaseEditorF& Picker) {
      ASSERT_TRUE(designer->RxField->Locate("FIELDADIORG", Variant(Field), TLocateOptions()));
      Take(Picker);
    });
  }

  TScriptedDialogService dialogs;
  TDialogServiceScope scope;
  TVtRapor* rapor = nullptr;
  TDizaynAnaF* designer = nullptr;
  int shownWidth = 0;
  bool fieldGridShown = true;
};

TEST_F(DesignerButtonTest, AnotherTableDropsTheFieldAndClearingRemovesTheBinding) {
  Show();
  TQRDBText* text = AddDataText("QRDBText1", "METIN1");
  Select({text});
  TakeTable("STOK");
  Press("DataSet");
  EXPECT_EQ(shownWidth, 537);
  EXPECT_FALSE(fieldGridShown);
  EXPECT_EQ(BindingOf(text).DataSet(), "STOK");
  EXPECT_FALSE(BindingOf(text).HasName(HintDataField));
  EXPECT_EQ(BindingOf(text).GrupAdi(), "ETIKET");
  EXPECT_EQ(text->DataField(), "STOK.");
  EXPECT_EQ(designer->Inspector->BtnEdit()->Text(), "STOK");
  EXPECT_TRUE(LayoutModified);

  LayoutModified = false;
  OnPicker([](TDatabaseEditorF& Picker) { Picker.Button1Click(nullptr); });
  Press("DataSet");
  for (const char* key : {HintDataSet, HintDataField, HintGrupAdi})
    EXPECT_FALSE(BindingOf(text).HasName(key)) << key;
  EXPECT_EQ(text->DataField(), ".");
  EXPECT_TRUE(LayoutModified);

  // Cancelling changes nothing.
  text->SetHint("DATASET=ETIKET\r\nDATAFIELD=METIN2\r\n");
  LayoutModified = false;
  OnPicker([](TDatabaseEditorF& Picker) { Picker.Button2->Click(); });
  Press("DataSet");
  EXPECT_EQ(HintOf(text), "DATASET=ETIKET\r\nDATAFIELD=METIN2\r\n");
  EXPECT_FALSE(LayoutModified);
}

TEST_F(DesignerButtonTest, SeveralDataTextsKeepTheirOwnFieldsUnlessAFieldIsChosen) {
  Show();
  std::vector<TQRDBText*> texts = {AddDataText("QRDBText1", "METIN1", 10), AddDataText("QRDBText2", "METIN2", 80),
                                   AddDataText("QRDBText3", "METIN3", 150)};
  texts[1]->SetHint(HintOf(texts[1]) + "PRINTOPTION=2\r\n");
  Select({texts[0], texts[1], texts[2]});
  const auto expectFields = [&](const char* const (&Fields)[3], const char* What) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(BindingOf(texts[i]).DataField(), Fields[i]) << What;
      EXPECT_EQ(texts[i]->DataField(), AnsiString("ETIKET.") + Fields[i]) << What;
    }
  };

  // Their own table (the preset): each stays on its field, and the second
  // keeps the line only it has.
  OnPicker([this](TDatabaseEditorF& Picker) {
    EXPECT_EQ(Current(designer->RxTable, "TABLEADIORG"), "ETIKET");
    Take(Picker);
  });
  Press("DataSet");
  expectFields({"METIN1", "METIN2", "METIN3"}, "own table");
  EXPECT_EQ(BindingOf(texts[1]).PrintOption(), poNotFirstPage);

  // A print option: each keeps its field.
  dialogs.OnModalForm = [](TCustomForm& Form) {
    auto& dialog = dynamic_cast<TPrintOptF&>(Form);
    dialog.FormShow(nullptr);
    dialog.RadioGroup1->SetItemIndex(poOnlyLastPage);
    dialog.Button2Click(nullptr);
  };
  Press("PrintPage");
  expectFields({"METIN1", "METIN2", "METIN3"}, "print option");
  for (TQRDBText* text : texts)
    EXPECT_EQ(BindingOf(text).PrintOption(), poOnlyLastPage);

  // A field: all three on the same table and field.
  TakeField("METIN4");
  Press("DataField");
  EXPECT_EQ(shownWidth, 440);
  EXPECT_TRUE(fieldGridShown);
  expectFields({"METIN4", "METIN4", "METIN4"}, "field chosen");
  EXPECT_EQ(designer->Inspector->BtnEdit()->Text(), "METIN4");
}

TEST_F(DesignerButtonTest, TheFieldListIsReadOnceWithSharedLinesAndTheCascadesFollow) {
  Show();
  TQRDBText* text = AddDataText("QRDBText1", "METIN1");
  Select({text});
  OnPicker([this](TDatabaseEditorF& Picker) {
    TRxMemoryData* all = designer->RxT;
    ASSERT_TRUE(all->Locate("GRUPADIORG;FIELDADIORG", {Variant(AnsiString("FATURA")), Variant(AnsiString("BELGENO"))},
                            TLocateOptions()));
    EXPECT_EQ(Current(all, "TABLEADIORG"), "FATBAS");
    EXPECT_EQ(Current(all, "FIELDADITEXT"), "Belge No");
    EXPECT_EQ(Column(designer->RxGrup, "GRUPADITEXT"), (std::vector<AnsiString>{"Etiket Yazdirma", "Fatura"}));
    // Another group refills its tables and their fields.
    designer->RxGrup->Locate("GRUPADIORG", Variant(AnsiString("FATURA")), TLocateOptions());
    EXPECT_EQ(Column(designer->RxTable, "TABLEADIORG"), (std::vector<AnsiString>{"FATBAS"}));
    EXPECT_EQ(Column(designer->RxField, "FIELDADIORG"), (std::vector<AnsiString>{"BELGENO"}));
    designer->RxGrup->Locate("GRUPADIORG", Variant(AnsiString("ETIKET")), TLocateOptions());
    EXPECT_EQ(Column(designer->RxTable, "TABLEADIORG"), (std::vector<AnsiString>{"ETIKET", "STOK"}));
    designer->RxTable->Locate("TABLEADIORG", Variant(AnsiString("STOK")), TLocateOptions());
    // Sorted by text, letter case ignored.
    EXPECT_EQ(Column(designer->RxField, "FIELDADITEXT"),
              (std::vector<AnsiString>{"Belge No", "fiyat", "Stok Kodu", "Uzun Alan"}));
    // The search box: the first text beginning with the typed one.
    Picker.Edit1->SetText("STOK");
    EXPECT_EQ(Current(designer->RxField, "FIELDADIORG"), "STOKKODU");
    Picker.Edit1->SetText("FiY");
    EXPECT_EQ(Current(designer->RxField, "FIELDADIORG"), "FIYAT");
    Picker.Edit1->SetText("zz");
    EXPECT_EQ(Current(designer->RxField, "FIELDADIORG"), "FIYAT");
    // Enter in the search box takes the field.
    Picker.Edit1->SetText("uzun");
    char enter = '\r';
    Picker.Edit1KeyPress(Picker.Edit1, enter);
  });
  Press("DataField");
  // A long field code is bound whole.
  EXPECT_EQ(BindingOf(text).DataField(), LongFieldCode);
  EXPECT_EQ(text->DataField(), "STOK." + LongFieldCode);

  // Later changes of the field list are not seen by this designer.
  const int entries = designer->RxT->RecordCount();
  rapor->FieldList()->Add("YENI|Yeni|YENI|Yeni|YENI|Yeni");
  TakeField("METIN3");
  text->SetHint("DATASET=ETIKET\r\n");
  Press("DataField");
  EXPECT_EQ(designer->RxT->RecordCount(), entries);
  EXPECT_EQ(text->DataField(), "ETIKET.METIN3");
}

TEST_F(DesignerButtonTest, TheFieldPickerWantsATableFirst) {
  Show();
  TQRDBText* text = AddDataText("QRDBText1", "METIN1");
  text->SetHint("GRUPADI=ETIKET\r\n");
  Select({text});
  dialogs.AnswerButton(IDOK);
  Press("DataField");
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Once veri tablosunu seciniz.");
  EXPECT_EQ(HintOf(text), "GRUPADI=ETIKET\r\n");
  EXPECT_FALSE(LayoutModified);
}

TEST_F(DesignerButtonTest, AnEmptyFieldListShowsEmptyGridsAndTamamBindsNothing) {
  rapor->FieldList()->Clear();
  rapor->FieldList()->Add("// nothing");
  Show();
  TQRDBText* text = AddDataText("QRDBText1", "METIN1");
  Select({text});
  OnPicker([this](TDatabaseEditorF& Picker) {
    EXPECT_TRUE(designer->RxGrup->IsEmpty());
    EXPECT_TRUE(designer->RxTable->IsEmpty());
    Take(Picker);
  });
  Press("DataSet");
  EXPECT_EQ(BindingOf(text).DataField(), "METIN1");
  EXPECT_EQ(text->DataField(), "ETIKET.METIN1");
  EXPECT_FALSE(LayoutModified);
}

TEST_F(DesignerButtonTest, TheParameterPickerWritesEachLabelsOwnHint) {
  Show();
  TQRLabel* first = AddLabel("QRLabel1", 10);
  TQRLabel* second = AddLabel("QRLabel2", 80);
  first->SetHint("PARAMETRE=TARIH\r\n");
  second->SetHint("PRINTOPTION=2\r\n");
  Select({first, second});
  std::vector<AnsiString> codes;
  dialogs.OnModalForm = [&](TCustomForm& Form) {
    auto& picker = dynamic_cast<TParametreEditorF&>(Form);
    picker.FormShow(nullptr);
    codes = Column(picker.RxParam, "PARAMORG");
    picker.RxParam->First();
    EXPECT_TRUE(picker.RxParam->Locate("PARAMORG", Variant(AnsiString("FIRMA")), TLocateOptions()));
    picker.Button2Click(nullptr);
  };
  Press("Parameter");
  // A blank line is skipped; a line without "|" is a code.
  EXPECT_EQ(codes, (std::vector<AnsiString>{"FIRMA", "TARIH"}));
  EXPECT_EQ(HintOf(first), "PARAMETRE=FIRMA\r\n");
  EXPECT_EQ(BindingOf(second).PrintOption(), poNotFirstPage);
  EXPECT_EQ(BindingOf(second).Parametre(), "FIRMA");
  EXPECT_TRUE(LayoutModified);

  // Clearing removes the line.
  dialogs.OnModalForm = [](TCustomForm& Form) {
    auto& picker = dynamic_cast<TParametreEditorF&>(Form);
    picker.FormShow(nullptr);
    EXPECT_EQ(picker.RxParam->FieldByName("PARAMORG")->AsString(), "FIRMA") << "preset from the first";
    picker.Button3Click(nullptr);
  };
  Press("Parameter");
  EXPECT_FALSE(BindingOf(first).HasName(HintParametre));
  EXPECT_EQ(HintOf(second), "PRINTOPTION=2\r\n");
}

TEST_F(DesignerButtonTest, InvoiceKeysReachThePageOnlyWhereItsHintHasThem) {
  Show();
  TQuickRep* page = designer->CurrentQuickRep;
  ASSERT_NE(page, nullptr);
  const auto runInvoice = [&] {
    dialogs.OnModalForm = [](TCustomForm& Form) {
      auto& dialog = dynamic_cast<TFaturaAyarF&>(Form);
      dialog.FormShow(nullptr);
      dialog.ceBaslangic->SetValue(60);
      dialog.CeHareketSayisi->SetValue(12);
      dialog.Button2Click(nullptr);
    };
    designer->DsnSelect1->SelectComponent(page);
    Pump();
    designer->BtnEditKindClick("TFatura");
  };
  page->SetHint("HAREKETBASLANGIC=50\r\nHAREKETSAYISI=20\r\n");
  runInvoice();
  EXPECT_EQ(HintOf(page), "HAREKETBASLANGIC=60\r\nHAREKETSAYISI=12\r\n");
  EXPECT_TRUE(LayoutModified);
  // A page without invoice keys keeps its hint.
  page->SetHint("X=1");
  runInvoice();
  EXPECT_EQ(HintOf(page), "X=1");
  ASSERT_EQ(dialogs.Records().back().FormClass, "TFaturaAyarF");
}

TEST_F(DesignerButtonTest, APrintOptionThatIsNoNumberPresetsEveryPage) {
  Show();
  TQRLabel* label = AddLabel("QRLabel1");
  label->SetHint("PRINTOPTION=abc\r\n");
  Select({label});
  int preset = -1;
  dialogs.OnModalForm = [&](TCustomForm& Form) {
    auto& dialog = dynamic_cast<TPrintOptF&>(Form);
    dialog.FormShow(nullptr);
    preset = dialog.RadioGroup1->ItemIndex();
    dialog.SetModalResult(mrCancel);
  };
  Press("PrintPage");
  EXPECT_EQ(preset, 4);
  EXPECT_EQ(HintOf(label), "PRINTOPTION=abc\r\n");
  EXPECT_FALSE(LayoutModified);
}

TEST_F(DesignerButtonTest, AFrameColourReachesEverySelectedLabel) {
  Show();
  TQRLabel* first = AddLabel("QRLabel1", 10);
  TQRLabel* second = AddLabel("QRLabel2", 80);
  first->Frame()->SetColor(clGreen);
  Select({first, second});
  dialogs.AnswerColor(clRed);
  Press("Frame.Color");
  EXPECT_EQ(first->Frame()->Color(), clRed);
  EXPECT_EQ(second->Frame()->Color(), clRed);
  EXPECT_EQ(designer->Cd->Color(), clBtnFace);
  // Cancelled: nothing changes.
  dialogs.AnswerCancel();
  Press("Frame.Color");
  EXPECT_EQ(first->Frame()->Color(), clRed);
}

TEST_F(DesignerButtonTest, ATextLabelsFontSetsExactlyItsOwnStyles) {
  designer->FileName = NewTextLayoutName;
  Show();
  TZRCustomBand* band = designer->CurrentZReport->FindBand(zbtDetail);
  ASSERT_NE(band, nullptr);
  auto* label = new TZRLabel(designer);
  label->SetName("ZRLabel1");
  label->SetParent(band);
  label->SetBounds(0, 0, 10, 1);
  label->SetFontStyles(TZRFontStyles{zfsBold, zfsUnderline});
  Recover();
  // A style left in the dialog from an earlier use does not leak in.
  designer->Fd->Font()->SetStyle(TFontStyles{fsItalic});
  Select({label});
  dialogs.AnswerFont("Courier New", 10);
  Press("Font");
  EXPECT_EQ(label->FontStyles(), (TZRFontStyles{zfsBold, zfsUnderline}));
  EXPECT_EQ(dialogs.Pending(), 0);
}

TEST_F(DesignerButtonTest, LinesGoThroughTheEditorIntoTheMemo) {
  Show();
  auto* memo = new TQRMemo(designer);
  memo->SetName("QRMemo1");
  memo->SetParent(designer->DetailBand1);
  memo->SetBounds(10, 5, 80, 40);
  memo->Lines()->SetText("eski\r\n");
  Recover();
  Select({memo});
  AnsiString shown;
  dialogs.OnModalForm = [&](TCustomForm& Form) {
    auto& editor = dynamic_cast<TStringListEditorF&>(Form);
    editor.FormShow(nullptr);
    shown = editor.Memo1->Text();
    editor.Memo1->SetText("bir\r\niki");
    editor.Button2Click(nullptr);
  };
  Press("Lines");
  EXPECT_EQ(shown, "eski\r\n");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(1), "iki");
}

TEST_F(DesignerButtonTest, APictureThatCannotBeReadChangesNothing) {
  Show();
  auto* image = new TQRImage(designer);
  image->SetName("QRImage1");
  image->SetParent(designer->DetailBand1);
  image->SetBounds(10, 5, 40, 40);
  Recover();
  Select({image});
  const AnsiString file = "dozuri_bozuk_resim.bmp";
  std::ofstream(file, std::ios::binary) << "BM bozuk";
  dialogs.AnswerFile(file).AnswerButton(IDOK);
  Press("Image");
  std::remove(file.c_str());
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_NE(dialogs.Records()[1].Text.find("Resim dosyasi okunamadi"), AnsiString::npos);
  EXPECT_TRUE(image->Picture()->Graphic() == nullptr || image->Picture()->Graphic()->Empty());
}

TEST_F(DesignerButtonTest, NothingSelectedOpensNothing) {
  Show();
  designer->BtnEditKindClick("TDataSet");
  designer->BtnEditKindClick("TFatura");
  EXPECT_TRUE(dialogs.Records().empty());
}

}  // namespace
