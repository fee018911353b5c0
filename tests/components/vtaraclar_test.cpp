// The tools menu component: its entries, the menu it builds from the two
// tools files, the files it writes, and tools files it cannot read, which
// are kept aside instead of overwritten.
#include "components/vtaraclar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/menus.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/forms/shortcuts.h"
#include "classlib/system/fileutils.h"
#include "tests/support/scratchfolder.h"

namespace {

class VtAraclarTest : public testing::Test {
protected:
  VtAraclarTest() : owner(new TComponent(nullptr)) {
    menu = new TMenuItem(owner);
    hostItem = new TMenuItem(owner);
    hostItem->SetCaption("Araçlar Menüsünü &Düzenle");
    menu->Add(hostItem);
    tools = new TVtAraclar(owner);
    for (const char* caption : {"Hesap Makinesi", "Ajanda", "Not Defteri"}) {
      TAraclarItem* entry = tools->Sabitler()->Add();
      entry->SetCaption(caption);
      entry->SetImageIndex(20 + tools->Sabitler()->Count());
      entry->SetFileName(AnsiString("C:\\VT\\") + caption + ".exe");
    }
    tools->SetSbtFileName(folder.File("AraclarSabit.Ini"));
    tools->SetTnmFileName(folder.File("AraclarTanim.Ini"));
    tools->SetMenuItem(menu);
  }
  ~VtAraclarTest() override { owner->Free(); }

  std::vector<AnsiString> Captions() const {
    std::vector<AnsiString> captions;
    for (int i = 0; i < menu->Count(); ++i)
      captions.push_back(menu->Items(i)->Caption());
    return captions;
  }
  TAraclarMenuItem* Built(int index) const { return dynamic_cast<TAraclarMenuItem*>(menu->Items(index)); }

  static TAraclarRecord Record(const AnsiString& caption, const AnsiString& file, const AnsiString& shortCut = "") {
    TAraclarRecord record;
    record.Caption = caption;
    record.FileName = file;
    record.ShortCut = shortCut;
    return record;
  }

  ScratchFolder folder;
  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  TComponent* owner;
  TMenuItem* menu;
  TMenuItem* hostItem;
  TVtAraclar* tools;
};

TEST_F(VtAraclarTest, NoFilesGiveTheFixedItemsWithoutASeparator) {
  tools->AraclarYukle();
  EXPECT_EQ(Captions(), (std::vector<AnsiString>{"Araçlar Menüsünü &Düzenle", "Hesap Makinesi", "Ajanda", "Not Defteri"}));
  for (int i = 0; i < 3; ++i) {
    TAraclarMenuItem* item = Built(i + 1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Name(), "AraclarSabit" + std::to_string(i));
    EXPECT_EQ(item->ItemNo(), i);
    EXPECT_EQ(item->Tag(), -1);
    EXPECT_EQ(item->ImageIndex(), 21 + i);
    EXPECT_EQ(item->Owner(), menu);
  }
  EXPECT_FALSE(FileExists(tools->SbtFileName()));
  EXPECT_TRUE(dialogs.Records().empty());
}

TEST_F(VtAraclarTest, BuildingTwiceBuildsOnceAndKeepsTheHostsItems) {
  WriteAraclarFile(tools->TnmFileName(), {Record("Çizim", "C:\\ciz.exe", "Ctrl+F5")});
  tools->AraclarYukle();
  tools->AraclarYukle();
  EXPECT_EQ(Captions(), (std::vector<AnsiString>{"Araçlar Menüsünü &Düzenle", "Hesap Makinesi", "Ajanda",
                                                 "Not Defteri", "-", "Çizim"}));
  TAraclarMenuItem* user = Built(5);
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->Name(), "AraclarTanim0");
  EXPECT_EQ(user->ShortCut(), TextToShortCut("Ctrl+F5"));
  EXPECT_EQ(user->ImageIndex(), -1);
  EXPECT_EQ(user->Tag(), -1);
  EXPECT_EQ(menu->Items(0), hostItem);
}

TEST_F(VtAraclarTest, ClicksReachTheHostsEventsWithTheItem) {
  WriteAraclarFile(tools->TnmFileName(), {Record("Bir", "a.exe"), Record("İki", "b.exe")});
  std::vector<std::pair<char, int>> clicks;
  tools->OnSbtClick = [&](TObject* Sender) { clicks.emplace_back('S', static_cast<TAraclarMenuItem*>(Sender)->ItemNo()); };
  tools->OnTnmClick = [&](TObject* Sender) { clicks.emplace_back('T', static_cast<TAraclarMenuItem*>(Sender)->ItemNo()); };
  tools->AraclarYukle();
  Built(2)->Click();
  Built(6)->Click();
  EXPECT_EQ(clicks, (std::vector<std::pair<char, int>>{{'S', 1}, {'T', 1}}));
}

// Only a fixed entry's program file and shortcut come from its file; records
// beyond the fixed list are ignored, and too few change the first entries only.
TEST_F(VtAraclarTest, AFixedItemsFileChangesOnlyFilesAndShortcuts) {
  struct Case {
    int Records;
    int Changed;
  };
  for (const Case c : {Case{2, 2}, Case{5, 3}}) {
    std::vector<TAraclarRecord> records;
    for (int i = 0; i < c.Records; ++i) {
      TAraclarRecord record = Record("Başka " + std::to_string(i), "D:\\" + std::to_string(i) + ".exe", "F" + std::to_string(i + 5));
      record.ImageIndex = 99;
      records.push_back(record);
    }
    WriteAraclarFile(tools->SbtFileName(), records);
    for (int i = 0; i < 3; ++i)
      tools->Sabitler()->Items(i)->SetFileName("eski");
    tools->AraclarYukle();
    for (int i = 0; i < 3; ++i) {
      const TAraclarItem* entry = tools->Sabitler()->Items(i);
      EXPECT_EQ(entry->Caption(), std::vector<AnsiString>({"Hesap Makinesi", "Ajanda", "Not Defteri"})[i]);
      EXPECT_EQ(entry->ImageIndex(), 21 + i);
      EXPECT_EQ(entry->FileName(), i < c.Changed ? "D:\\" + std::to_string(i) + ".exe" : AnsiString("eski"))
          << c.Records << " records, entry " << i;
    }
    EXPECT_EQ(Built(1)->ShortCut(), TextToShortCut("F5"));
    EXPECT_EQ(Captions().size(), 4u);
  }
}

TEST_F(VtAraclarTest, SavingWritesBothListsAndAnEmptyUserFile) {
  tools->Tanimlar()->Add()->FromRecord(Record("Çizim", "C:\\ciz.exe", "Ctrl+F5"));
  tools->SaveToFiles();
  EXPECT_EQ(ReadFileBytes(tools->SbtFileName()).size(), 3 * AraclarRecordSize);
  const std::vector<TAraclarRecord> fixed = ReadAraclarFile(tools->SbtFileName());
  EXPECT_EQ(fixed[1].Caption, "Ajanda");
  EXPECT_EQ(fixed[1].ImageIndex, 22);
  EXPECT_EQ(ReadAraclarFile(tools->TnmFileName()), std::vector<TAraclarRecord>{Record("Çizim", "C:\\ciz.exe", "Ctrl+F5")});

  tools->Tanimlar()->Clear();
  tools->SaveToFiles();
  tools->AraclarYukle();
  EXPECT_TRUE(ReadFileBytes(tools->TnmFileName()).empty());
  EXPECT_TRUE(FileExists(tools->TnmFileName()));
  EXPECT_EQ(Captions().size(), 4u) << "no separator without user entries";
}

// A file too large for a tools file cannot be read: it is moved aside to
// ".bak", the user is told once, and the next save writes a new file.
TEST_F(VtAraclarTest, AnUnreadableFileIsKeptAsideAndNeverOverwritten) {
  const FileBytes big(AraclarRecordSize * (AraclarMaxRecords + 1), 0x41);
  WriteFileBytes(tools->TnmFileName(), big);
  dialogs.AnswerButton(IDOK);
  tools->AraclarYukle();
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Caption, "Bilgi");
  EXPECT_NE(dialogs.Records()[0].Text.find(tools->TnmFileName() + ".bak"), AnsiString::npos) << dialogs.Records()[0].Text;
  EXPECT_EQ(ReadFileBytes(tools->TnmFileName() + ".bak"), big);
  EXPECT_FALSE(FileExists(tools->TnmFileName()));
  EXPECT_EQ(tools->Tanimlar()->Count(), 0);
  EXPECT_EQ(Captions().size(), 4u);

  tools->AraclarYukle();
  EXPECT_EQ(dialogs.Records().size(), 1u) << "told once";
  tools->SaveToFiles();
  EXPECT_TRUE(ReadFileBytes(tools->TnmFileName()).empty());
  EXPECT_EQ(ReadFileBytes(tools->TnmFileName() + ".bak"), big);
}

// Damaged records load without reading past their fields.
TEST_F(VtAraclarTest, RecordsWithOversizedLengthsLoadCut) {
  FileBytes record(AraclarRecordSize, 'x');
  record[0] = 255;
  record[208] = 0;
  record[229] = 255;
  FileBytes bytes = record;
  bytes.insert(bytes.end(), 100, 0);
  WriteFileBytes(tools->TnmFileName(), bytes);
  tools->AraclarYukle();
  ASSERT_EQ(tools->Tanimlar()->Count(), 1);
  EXPECT_EQ(tools->Tanimlar()->Items(0)->Caption(), AnsiString(100, 'x'));
  EXPECT_EQ(tools->Tanimlar()->Items(0)->FileName(), AnsiString(150, 'x'));
  EXPECT_TRUE(dialogs.Records().empty());
}

TEST_F(VtAraclarTest, WithoutAMenuNothingIsLoaded) {
  WriteAraclarFile(tools->TnmFileName(), {Record("Bir", "a.exe")});
  tools->SetMenuItem(nullptr);
  tools->AraclarYukle();
  EXPECT_EQ(tools->Tanimlar()->Count(), 0);
}

TEST_F(VtAraclarTest, AFreedMenuItemIsForgotten) {
  menu->Free();
  EXPECT_EQ(tools->MenuItem(), nullptr);
  tools->AraclarYukle();
  menu = nullptr;
}

TEST_F(VtAraclarTest, FixedCaptionsAndHintsGoThroughTheTextHook) {
  WriteAraclarFile(tools->TnmFileName(), {Record("Çizim", "a.exe")});
  tools->Sabitler()->Items(1)->SetHint("Günlük");
  tools->OnTranslateText = [](const AnsiString& Text, AnsiString& Result) { Result = "EN:" + Text; };
  tools->AraclarYukle();
  EXPECT_EQ(Built(1)->Caption(), "EN:Hesap Makinesi");
  EXPECT_EQ(Built(2)->Hint(), "EN:Gunluk");
  EXPECT_EQ(Built(5)->Caption(), "Çizim");
}

TEST(AraclarItem, PublishesItsPropertiesInOrderAndNamesItself) {
  TAraclarItems items(nullptr);
  TAraclarItem* item = items.Add();
  std::vector<AnsiString> names;
  for (const TPropInfo* prop : GetPropList(item))
    names.push_back(prop->Name);
  EXPECT_EQ(names, (std::vector<AnsiString>{"Caption", "Hint", "ImageIndex", "ShortCut", "FileName"}));
  EXPECT_EQ(item->ImageIndex(), -1);
  items.Add();
  EXPECT_EQ(items.Items(1)->DisplayName(), "Item 1");
  item->SetCaption("Hesap");
  EXPECT_EQ(item->DisplayName(), "Hesap");
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
}

TEST(VtAraclarComponent, PublishesItsPropertiesInOrder) {
  std::unique_ptr<TVtAraclar, void (*)(TVtAraclar*)> tools(new TVtAraclar(nullptr), [](TVtAraclar* t) { t->Free(); });
  std::vector<AnsiString> names;
  for (const TPropInfo* prop : GetPropList(tools.get()))
    if (AnsiString(prop->Name) != "Name" && AnsiString(prop->Name) != "Tag")
      names.push_back(prop->Name);
  EXPECT_EQ(names, (std::vector<AnsiString>{"SbtFileName", "TnmFileName", "MenuItem", "Sabitler", "Tanimlar",
                                            "ImageList", "OnSbtClick", "OnTnmClick"}));
}

}  // namespace
