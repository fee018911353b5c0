// The masked, numeric, spin and file-name editors.
#include <gtest/gtest.h>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/stdctrls/filenameedit.h"
#include "classlib/stdctrls/maskedit.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/stdctrls/rxspinedit.h"
#include "classlib/system/formatsettings.h"
#include "stdctrls_test_util.h"

namespace {

using namespace stdctrls_test;

// ---- Masked edits -----------------------------------------------------------------------
class MaskEditTest : public FormFixture {
protected:
  MaskEditTest() : edit(Make<TMaskEdit>(10, 10, 150, 21)) {}
  TMaskEdit* edit;
};

TEST_F(MaskEditTest, TypingFillsThePlacesAndSkipsTheLiterals) {
  struct Case {
    const char* mask;
    const wchar_t* typed;
    const char* shown;
  };
  const Case cases[] = {{"00.00.0000;1;_", L"12052024", "12.05.2024"},
                        {"00.00.0000;1;_", L"1a2", "12.__.____"},
                        {"(999) 000;0;*", L"5551", "(555) 1**"},
                        {">LL-00;1;_", L"ab12", "AB-12"},
                        {"<LL;1;_", L"ŞÖ", "şö"}};
  ShowForm();
  for (const Case& c : cases) {
    edit->SetEditMask("");
    edit->SetEditMask(c.mask);
    Focus(edit);
    edit->SetSelStart(0);
    TypeChars(c.typed);
    EXPECT_EQ(edit->EditText(), c.shown) << c.mask;
  }
}

TEST_F(MaskEditTest, BackspaceAndDeleteBlankAPlaceAgain) {
  edit->SetEditMask("00-00;1;_");
  ShowForm();
  Focus(edit);
  edit->SetSelStart(0);
  TypeChars(L"1234");
  PressKey(VK_BACK);
  EXPECT_EQ(edit->EditText(), "12-3_");
  edit->SetSelStart(0);
  PressKey(VK_DELETE);
  EXPECT_EQ(edit->EditText(), "_2-3_");
  edit->SetEditMask("");
  edit->SetText("serbest");
  EXPECT_FALSE(edit->IsMasked());
  EXPECT_EQ(edit->Text(), "serbest");
}

// ---- Numeric edits ----------------------------------------------------------------------
class CurrencyEditTest : public FormFixture {
protected:
  CurrencyEditTest() : edit(Make<TCurrencyEdit>(10, 10, 150, 21)) {
    other = Make<TEdit>(10, 50);
    edit->OnChange = [this](TObject*) { ++changes; };
  }
  TCurrencyEdit* edit;
  TEdit* other;
  int changes = 0;
};

TEST_F(CurrencyEditTest, FourDecimalsShowWithTheLocalesSeparators) {
  struct Case {
    bool turkish;
    double value;
    const char* shown;
    double kept;
  };
  const Case cases[] = {{true, 1234.5678, "1.234,5678", 1234.5678},  {true, -0.5, "-0,5000", -0.5},
                        {true, 12.34567, "12,3457", 12.3457},        {true, 0, "0,0000", 0},
                        {false, 1234.5678, "1,234.5678", 1234.5678}, {false, 1e6, "1,000,000.0000", 1e6}};
  ShowForm();
  Focus(other);
  for (const Case& c : cases) {
    FormatSettingsScope scope(c.turkish ? TurkishFormatSettings() : USFormatSettings());
    edit->SetDecimalPlaces(4);
    edit->SetDisplayFormat(",0.0000;-,0.0000");
    edit->SetValue(c.value);
    EXPECT_EQ(edit->Text(), c.shown) << c.value;
    EXPECT_DOUBLE_EQ(edit->Value(), c.kept) << c.value;
  }
}

TEST_F(CurrencyEditTest, TypedDigitsBecomeTheValueWhenTheFocusLeaves) {
  FormatSettingsScope scope(TurkishFormatSettings());
  edit->SetDecimalPlaces(4);
  edit->SetDisplayFormat(",0.0000;-,0.0000");
  edit->SetValue(0);
  ShowForm();
  Focus(edit);
  EXPECT_EQ(edit->Text(), "") << "zero shows empty for typing";
  changes = 0;
  // The fifth decimal and the second separator are refused; '.' types ','.
  TypeChars(L"1234.567891,x");
  EXPECT_EQ(edit->Text(), "1234,5678");
  EXPECT_DOUBLE_EQ(edit->Value(), 1234.5678);
  EXPECT_EQ(changes, 9) << "one change per accepted key";
  Focus(other);
  EXPECT_EQ(edit->Text(), "1.234,5678");
  EXPECT_DOUBLE_EQ(edit->Value(), 1234.5678);
  EXPECT_EQ(changes, 9) << "showing the value formatted is no change";
}

TEST_F(CurrencyEditTest, LimitsHoldWhenTheyDiffer) {
  struct Case {
    double min, max, set, value;
  };
  const Case cases[] = {{0, 0, -50, -50}, {0, 100, 150, 100}, {0, 100, -1, 0}, {-10, 10, -11, -10}};
  for (const Case& c : cases) {
    edit->SetMinValue(c.min);
    edit->SetMaxValue(c.max);
    edit->SetValue(c.set);
    EXPECT_DOUBLE_EQ(edit->Value(), c.value) << c.min << ".." << c.max << " set " << c.set;
  }
}

TEST_F(CurrencyEditTest, CalcEditShowsNoDecimalsWhenAskedForNone) {
  FormatSettingsScope scope(TurkishFormatSettings());
  auto* calc = Make<TRxCalcEdit>(10, 100);
  calc->SetDecimalPlaces(0);
  calc->SetValue(12345.6);
  EXPECT_EQ(calc->Text(), "12.346");
  EXPECT_DOUBLE_EQ(calc->Value(), 12346);
}

// ---- Spin edits -------------------------------------------------------------------------
class SpinEditTest : public FormFixture {
protected:
  SpinEditTest() : spin(Make<TRxSpinEdit>(10, 10, 100, 21)) {
    spin->OnChange = [this](TObject*) { ++changes; };
  }
  TRxSpinEdit* spin;
  int changes = 0;
};

TEST_F(SpinEditTest, ValueStaysWithinTheLimits) {
  struct Case {
    double min, max, set, value;
  };
  const Case cases[] = {{7, 30, 12, 12}, {7, 30, 31, 30}, {7, 30, 2, 7}, {0, 0, -4, -4}, {1, 21, 21, 21}};
  for (const Case& c : cases) {
    spin->SetMinValue(c.min);
    spin->SetMaxValue(c.max);
    spin->SetValue(c.set);
    EXPECT_DOUBLE_EQ(spin->Value(), c.value) << c.min << ".." << c.max << " set " << c.set;
  }
}

TEST_F(SpinEditTest, ArrowKeysAndTheButtonsStepByIncrementUpToTheLimits) {
  spin->SetMinValue(0);
  spin->SetMaxValue(10);
  spin->SetIncrement(4);
  spin->SetValue(2);
  ShowForm();
  Focus(spin);
  changes = 0;
  struct Case {
    WORD key;
    int value;
  };
  const Case cases[] = {{VK_UP, 6}, {VK_UP, 10}, {VK_UP, 10}, {VK_DOWN, 6}, {VK_DOWN, 2}, {VK_DOWN, 0}};
  for (const Case& c : cases) {
    PressKey(c.key);
    EXPECT_EQ(spin->AsInteger(), c.value) << "key " << c.key;
  }
  EXPECT_EQ(changes, 5) << "no change when a limit stops the step";
  ASSERT_NE(spin->ButtonHandle(), nullptr);
  SendMessageW(spin->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1),
               reinterpret_cast<LPARAM>(spin->ButtonHandle()));
  EXPECT_EQ(spin->AsInteger(), 4) << "the up arrow";
}

TEST_F(SpinEditTest, TypingIsRefusedWithoutTheEditor) {
  spin->SetValue(5);
  ShowForm();
  Focus(spin);
  spin->SelectAll();
  TypeChars(L"7x");
  EXPECT_EQ(spin->Text(), "7");
  spin->SetEditorEnabled(false);
  spin->SelectAll();
  TypeChars(L"9");
  EXPECT_EQ(spin->Text(), "7");
  PressKey(VK_UP);
  EXPECT_EQ(spin->Text(), "8") << "the arrows still work";
}

// ---- File-name edits --------------------------------------------------------------------
class FilenameEditTest : public FormFixture {
protected:
  FilenameEditTest() : edit(Make<TFilenameEdit>(10, 10, 200, 21)), scope(dialogs) {
    edit->OnChange = [this](TObject*) { ++changes; };
  }
  TFilenameEdit* edit;
  TScriptedDialogService dialogs;
  TDialogServiceScope scope;
  int changes = 0;
};

TEST_F(FilenameEditTest, TheButtonOpensTheDialogWithTheFilterAndTakesTheChosenFile) {
  struct Case {
    TFileDialogKind kind;
    TDialogKind dialog;
  };
  const Case cases[] = {{dkOpen, TDialogKind::OpenFile}, {dkSave, TDialogKind::SaveFile}};
  edit->SetFilter("Excel dosyaları (*.xls)|*.xls|Tüm dosyalar (*.*)|*.*");
  edit->SetDefaultExt("xls");
  ShowForm();
  for (const Case& c : cases) {
    edit->SetFileName("C:\\Veri\\eski.xls");
    dialogs.Clear();
    changes = 0;
    edit->SetDialogKind(c.kind);
    dialogs.AnswerFile("C:\\Veri\\yeni.xls", 2);
    SendMessageW(edit->ButtonHandle(), BM_CLICK, 0, 0);
    Pump();
    ASSERT_EQ(dialogs.Records().size(), 1u);
    const TDialogRecord& asked = dialogs.Records()[0];
    EXPECT_EQ(asked.Kind, c.dialog);
    EXPECT_EQ(asked.Filter, "Excel dosyaları (*.xls)|*.xls|Tüm dosyalar (*.*)|*.*");
    EXPECT_EQ(asked.DefaultExt, "xls");
    EXPECT_EQ(asked.InitialDir, "C:\\Veri") << "the current file's folder";
    EXPECT_EQ(edit->FileName(), "C:\\Veri\\yeni.xls");
    EXPECT_EQ(edit->FilterIndex(), 2);
    EXPECT_EQ(changes, 1);
  }
}

TEST_F(FilenameEditTest, ACancelledDialogLeavesTheName) {
  edit->SetFileName("a.txt");
  ShowForm();
  changes = 0;
  dialogs.AnswerCancel();
  EXPECT_FALSE(edit->ButtonClick());
  EXPECT_EQ(edit->FileName(), "a.txt");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(dialogs.Records().size(), 1u);
}

}  // namespace
