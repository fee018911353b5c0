// The form storage: chosen properties of a form's components written to an
// INI file under "Component.Property" keys and read back; damaged or
// unreadable values leave the components as they are.
#include <gtest/gtest.h>

#include "classlib/classes/inifiles.h"
#include "classlib/classes/streams.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/placement/formstorage.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/system/fileutils.h"
#include "tests/classlib/forms/forms_test_util.h"
#include "tests/support/scratchfolder.h"

namespace {

struct StoredForm {
  StoredForm() : form(NewForm<TForm>(Application)) {
    form->SetName("TestF");
    number = new TRxCalcEdit(form.get());
    number->SetName("Number");
    number->SetParent(form.get());
    combo = new TComboBox(form.get());
    combo->SetName("Combo");
    combo->SetParent(form.get());
    combo->SetStyle(csDropDownList);
    for (const char* item : {"bir", "iki", "üç"})
      combo->Items()->Add(item);
    combo->SetItemIndex(1);
    edit = new TEdit(form.get());
    edit->SetName("Edit");
    edit->SetParent(form.get());
    storage = new TFormStorage(form.get());
    storage->SetIniSection("TestF");
    for (const char* prop : {"Number.Value", "Combo.ItemIndex", "Edit.Text", "Missing.Text", "Edit.Nothing"})
      storage->StoredProps()->Add(prop);
  }
  forms_test::Owned<TForm> form;
  TRxCalcEdit* number;
  TComboBox* combo;
  TEdit* edit;
  TFormStorage* storage;
};

void WriteFileText(const AnsiString& fileName, const std::string& content) {
  TFileStream stream(fileName, fmCreate);
  stream.WriteBuffer(content.data(), static_cast<std::int32_t>(content.size()));
}

AnsiString ReadText(const AnsiString& fileName) {
  TMemIniFile file(fileName);
  TStringList lines;
  file.ReadSectionValues("TestF", &lines);
  return lines.Text();
}

TEST(FormStorage, WritesEveryStoredPropertyAndReadsItBack) {
  ScratchFolder folder;
  const AnsiString fileName = folder.File("test.ini");
  {
    StoredForm f;
    f.storage->SetIniFileName(fileName);
    f.number->SetDecimalPlaces(2);
    f.number->SetValue(869000000001.5);
    f.combo->SetItemIndex(2);
    f.edit->SetText(" ön ek=");
    f.storage->SaveFormPlacement();
  }
  EXPECT_EQ(ReadText(fileName), "Number.Value=869000000001.5\r\nCombo.ItemIndex=2\r\nEdit.Text= ön ek=\r\n");
  StoredForm g;
  g.storage->SetIniFileName(fileName);
  g.storage->RestoreFormPlacement();
  EXPECT_EQ(g.number->Value(), 869000000001.5);
  EXPECT_EQ(g.combo->ItemIndex(), 2);
  EXPECT_EQ(g.edit->Text(), " ön ek=");
}

TEST(FormStorage, ValuesItCannotUseLeaveTheComponentsAsTheyAre) {
  ScratchFolder folder;
  struct Case {
    const char* name;
    std::string content;
  } cases[] = {
      {"missing file", ""},
      {"bad values", "[TestF]\r\nNumber.Value=abc\r\nCombo.ItemIndex=7\r\n"},
      {"negative index", "[TestF]\r\nCombo.ItemIndex=-1\r\nNumber.Value=1e999\r\n"},
      {"binary", std::string("\0\x01\xFF[TestF\n\0=\0", 11) + std::string(3000, '\xC8')},
      {"other section", "[Other]\r\nEdit.Text=x\r\nCombo.ItemIndex=0\r\n"},
  };
  for (const Case& c : cases) {
    const AnsiString fileName = folder.File(AnsiString(c.name) + ".ini");
    if (!c.content.empty())
      WriteFileText(fileName, c.content);
    StoredForm f;
    f.number->SetValue(5);
    f.edit->SetText("kalır");
    f.storage->SetIniFileName(fileName);
    f.storage->RestoreFormPlacement();
    EXPECT_EQ(f.number->Value(), 5) << c.name;
    EXPECT_EQ(f.combo->ItemIndex(), 1) << c.name;
    EXPECT_EQ(f.edit->Text(), "kalır") << c.name;
  }
}

TEST(FormStorage, SavingKeepsTheFilesOtherLinesAndReportsAFailedWrite) {
  ScratchFolder folder;
  const AnsiString fileName = folder.File("shared.ini");
  WriteFileText(fileName, "; not ours\r\n[Other]\r\nKey=1\r\n");
  StoredForm f;
  f.storage->SetIniFileName(fileName);
  f.storage->SaveFormPlacement();
  TMemIniFile file(fileName);
  EXPECT_EQ(file.ReadString("Other", "Key", ""), "1");
  EXPECT_EQ(file.ReadString("TestF", "Combo.ItemIndex", ""), "1");
  f.storage->SetIniFileName(folder.File("no such folder\\x.ini"));
  EXPECT_THROW(f.storage->SaveFormPlacement(), EIniFileException);
}

}  // namespace
