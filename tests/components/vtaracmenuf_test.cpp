// The tools menu's two dialogs, driven through the dialog service: the list
// editor's rows, removal with its question, the entry dialog adding and
// changing entries, its messages with and without the text hook, and what
// MenuDuzenle writes and builds afterwards.
#include <gtest/gtest.h>

#include <functional>

#include "classlib/forms/menus.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/forms/shortcuts.h"
#include "components/vtaraceklef.h"
#include "components/vtaracmenuf.h"
#include "components/vtaraclar.h"
#include "tests/support/scratchfolder.h"

namespace {

class AracDialogsTest : public testing::Test {
protected:
  AracDialogsTest() : owner(new TComponent(nullptr)) {
    menu = new TMenuItem(owner);
    tools = new TVtAraclar(owner);
    for (const char* caption : {"Hesap Makinesi", "Ajanda"}) {
      TAraclarItem* entry = tools->Sabitler()->Add();
      entry->SetCaption(caption);
      entry->SetFileName(AnsiString("C:\\VT\\") + caption + ".exe");
    }
    TAraclarItem* user = tools->Tanimlar()->Add();
    user->SetCaption("Çizim");
    user->SetFileName("C:\\ciz.exe");
    user->SetShortCut("Ctrl+F5");
    tools->SetSbtFileName(folder.File("AraclarSabit.Ini"));
    tools->SetTnmFileName(folder.File("AraclarTanim.Ini"));
    tools->SetMenuItem(menu);
    dialogs.OnModalForm = [this](TCustomForm& form) {
      if (auto* list = dynamic_cast<TK_VtAracMenuF*>(&form)) {
        list->FormShow(list);
        if (OnList)
          OnList(*list);
      } else if (auto* entry = dynamic_cast<TK_VtAracEkleF*>(&form)) {
        entry->FormShow(entry);
        if (OnEntry)
          OnEntry(*entry);
      }
      form.SetModalResult(mrCancel);
    };
  }
  ~AracDialogsTest() override { owner->Free(); }

  static void Select(TK_VtAracMenuF& list, int row) {
    list.ListBox1->SetItemIndex(row);
    list.ListBox1Click(list.ListBox1);
  }
  std::vector<AnsiString> Rows(TK_VtAracMenuF& list) {
    std::vector<AnsiString> rows;
    for (int i = 0; i < list.ListBox1->Items()->Count(); ++i)
      rows.push_back((*list.ListBox1->Items())[i]);
    return rows;
  }

  ScratchFolder folder;
  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  TComponent* owner;
  TMenuItem* menu;
  TVtAraclar* tools;
  std::function<void(TK_VtAracMenuF&)> OnList;
  std::function<void(TK_VtAracEkleF&)> OnEntry;
};

TEST_F(AracDialogsTest, TheListShowsFixedThenUserEntriesAndOnlyUserRowsCanGo) {
  bool ran = false;
  OnList = [&](TK_VtAracMenuF& list) {
    ran = true;
    EXPECT_EQ(Rows(list), (std::vector<AnsiString>{"Hesap Makinesi", "Ajanda", "Çizim"}));
    EXPECT_EQ(list.VTFormHeader1->Title(), "Araçlar Menüsünü Düzenle");
    EXPECT_EQ(list.Label1->Caption(), "Araçlar Menüsü Elemanları");
    EXPECT_EQ(list.BitBtn1->Caption(), "Kaldır");
    EXPECT_EQ(list.BitBtn2->Caption(), "Düzenle");
    EXPECT_EQ(list.BitBtn3->Caption(), "Ekle");
    EXPECT_EQ(list.BitBtn4->Caption(), "Kapat");
    EXPECT_EQ(list.StatusBar1->SimpleText(), "VORTELIM");
    EXPECT_EQ(list.kapat->ShortCut(), VK_ESCAPE);
    Select(list, 1);
    EXPECT_FALSE(list.BitBtn1->Enabled());
    Select(list, 2);
    EXPECT_TRUE(list.BitBtn1->Enabled());
  };
  tools->MenuDuzenle();
  EXPECT_TRUE(ran);
}

TEST_F(AracDialogsTest, EditingAFixedRowKeepsItsNameAndChangesFileAndShortcut) {
  OnList = [&](TK_VtAracMenuF& list) {
    Select(list, 1);
    list.BitBtn2Click(list.BitBtn2);
  };
  OnEntry = [&](TK_VtAracEkleF& entry) {
    EXPECT_EQ(entry.VTFormHeader1->Title(), "Menü Ekle/Düzenle");
    EXPECT_FALSE(entry.EditNAME->Enabled());
    EXPECT_EQ(entry.EditNAME->Text(), "Ajanda");
    EXPECT_EQ(entry.EditYOL->Text(), "C:\\VT\\Ajanda.exe");
    entry.EditYOL->SetText("D:\\Ajanda2.exe");
    entry.HotKey1->SetHotKey(TextToShortCut("Ctrl+F9"));
    entry.BitBtn1Click(entry.BitBtn1);
  };
  tools->MenuDuzenle();
  EXPECT_EQ(tools->Sabitler()->Items(1)->Caption(), "Ajanda");
  EXPECT_EQ(tools->Sabitler()->Items(1)->FileName(), "D:\\Ajanda2.exe");
  EXPECT_EQ(tools->Sabitler()->Items(1)->ShortCut(), "Ctrl+F9");
  const std::vector<TAraclarRecord> fixed = ReadAraclarFile(tools->SbtFileName());
  ASSERT_EQ(fixed.size(), 2u);
  EXPECT_EQ(fixed[1].FileName, "D:\\Ajanda2.exe");
  EXPECT_EQ(menu->Items(1)->ShortCut(), TextToShortCut("Ctrl+F9"));
}

TEST_F(AracDialogsTest, AddingAnEntryWritesItAndTheMenuShowsIt) {
  OnList = [&](TK_VtAracMenuF& list) {
    list.BitBtn2Click(list.BitBtn3);
    EXPECT_EQ(Rows(list).back(), "Yeni Program");
  };
  OnEntry = [&](TK_VtAracEkleF& entry) {
    EXPECT_TRUE(entry.AddMode);
    EXPECT_EQ(entry.EditNAME->Text(), "");
    EXPECT_EQ(entry.HotKey1->HotKey(), 0);
    entry.EditNAME->SetText("Yeni Program");
    entry.EditYOL->SetText("C:\\yeni.exe");
    entry.HotKey1->SetHotKey(TextToShortCut("Ctrl+F6"));
    entry.BitBtn1Click(entry.BitBtn1);
  };
  tools->MenuDuzenle();
  const std::vector<TAraclarRecord> users = ReadAraclarFile(tools->TnmFileName());
  ASSERT_EQ(users.size(), 2u);
  EXPECT_EQ(users[1].Caption, "Yeni Program");
  EXPECT_EQ(users[1].FileName, "C:\\yeni.exe");
  EXPECT_EQ(users[1].ShortCut, "Ctrl+F6");
  EXPECT_EQ(users[1].ImageIndex, -1);
  EXPECT_EQ(menu->Items(menu->Count() - 1)->Caption(), "Yeni Program");
}

TEST_F(AracDialogsTest, BrowsingFillsThePathAndTheName) {
  OnList = [&](TK_VtAracMenuF& list) {
    Select(list, 0);
    list.BitBtn2Click(list.BitBtn2);
  };
  OnEntry = [&](TK_VtAracEkleF& entry) {
    dialogs.AnswerFile("C:\\Programlar\\hesap.exe");
    entry.EditYOLBtnClick(entry.EditYOL);
    EXPECT_EQ(entry.EditYOL->Text(), "C:\\Programlar\\hesap.exe");
    EXPECT_EQ(entry.EditNAME->Text(), "hesap.exe");
  };
  tools->MenuDuzenle();
  ASSERT_FALSE(dialogs.Records().empty());
  EXPECT_EQ(dialogs.Records().back().Kind, TDialogKind::OpenFile);
  EXPECT_EQ(dialogs.Records().back().Filter, "");
}

TEST_F(AracDialogsTest, AnEmptyNameIsRefusedWithAMessageAndNothingIsAdded) {
  OnList = [&](TK_VtAracMenuF& list) { list.BitBtn2Click(list.BitBtn3); };
  OnEntry = [&](TK_VtAracEkleF& entry) {
    dialogs.AnswerButton(IDOK);
    entry.BitBtn1Click(entry.BitBtn1);
  };
  tools->MenuDuzenle();
  EXPECT_EQ(tools->Tanimlar()->Count(), 1);
  const TDialogRecord* message = nullptr;
  for (const TDialogRecord& record : dialogs.Records())
    if (record.Kind == TDialogKind::MessageBox)
      message = &record;
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->Text, "Program Adını girmelisiniz.");
  EXPECT_EQ(message->Caption, "");
  EXPECT_EQ(message->Flags, static_cast<UINT>(MB_OK));
}

TEST_F(AracDialogsTest, RemovalAsksWithNoAsTheDefault) {
  struct Case {
    int Answer;
    int Left;
  };
  for (const Case c : {Case{IDNO, 1}, Case{IDYES, 0}}) {
    dialogs.Clear();
    OnList = [&](TK_VtAracMenuF& list) {
      Select(list, 2);
      dialogs.AnswerButton(c.Answer);
      list.BitBtn1Click(list.BitBtn1);
      EXPECT_EQ(static_cast<int>(Rows(list).size()), 2 + c.Left);
    };
    tools->MenuDuzenle();
    const TDialogRecord& question = dialogs.Records().back();
    EXPECT_EQ(question.Caption, "Onay");
    EXPECT_EQ(question.Text, "Çizim menusunu silmek istiyor musunuz?");
    EXPECT_EQ(question.Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(tools->Tanimlar()->Count(), c.Left);
  }
  // The last user entry removed: an empty file and no separator.
  EXPECT_TRUE(ReadFileBytes(tools->TnmFileName()).empty());
  EXPECT_EQ(menu->Count(), 2);
}

TEST_F(AracDialogsTest, EditingOrRemovingWithoutARowAsksForOne) {
  OnList = [&](TK_VtAracMenuF& list) {
    dialogs.AnswerButton(IDOK).AnswerButton(IDOK);
    list.BitBtn2Click(list.BitBtn2);
    list.BitBtn1Click(list.BitBtn1);
  };
  tools->MenuDuzenle();
  ASSERT_EQ(dialogs.Records().size(), 3u);  // the list editor, then two messages
  for (int i = 1; i < 3; ++i) {
    EXPECT_EQ(dialogs.Records()[i].Caption, "Bilgi");
    EXPECT_EQ(dialogs.Records()[i].Text, "Düzenlenecek elemanı seçiniz.");
    EXPECT_EQ(dialogs.Records()[i].Flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  }
}

// With a text hook every message is built from ASCII texts through it.
TEST_F(AracDialogsTest, WithATextHookTheMessagesAreTranslatedFromAscii) {
  tools->OnTranslateText = [](const AnsiString& Text, AnsiString& Result) { Result = "EN:" + Text; };
  OnList = [&](TK_VtAracMenuF& list) {
    EXPECT_EQ(Rows(list)[0], "EN:Hesap Makinesi");
    dialogs.AnswerButton(IDOK);
    list.BitBtn1Click(list.BitBtn1);
    Select(list, 2);
    dialogs.AnswerButton(IDNO);
    list.BitBtn1Click(list.BitBtn1);
    list.BitBtn2Click(list.BitBtn3);
  };
  OnEntry = [&](TK_VtAracEkleF& entry) {
    dialogs.AnswerButton(IDOK);
    entry.BitBtn1Click(entry.BitBtn1);
  };
  tools->MenuDuzenle();
  std::vector<const TDialogRecord*> boxes;
  for (const TDialogRecord& record : dialogs.Records())
    if (record.Kind == TDialogKind::MessageBox)
      boxes.push_back(&record);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0]->Caption, "EN:Bilgi");
  EXPECT_EQ(boxes[0]->Text, "EN:Duzenlenecek elemani seciniz.");
  EXPECT_EQ(boxes[1]->Caption, "EN:Onay");
  EXPECT_EQ(boxes[1]->Text, "Çizim EN:menusunu silmek istiyor musunuz?");
  EXPECT_EQ(boxes[2]->Caption, "EN:Bilgi");
  EXPECT_EQ(boxes[2]->Text, "EN:Program Adini girmelisiniz.");
  EXPECT_EQ(boxes[2]->Flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(AracDialogsTest, AFormHookTranslatesBothDialogs) {
  std::vector<AnsiString> translated;
  tools->OnTranslateForm = [&](TCustomForm* Form) { translated.push_back(Form->ClassName()); };
  OnList = [&](TK_VtAracMenuF& list) {
    EXPECT_EQ(list.Label1->Caption(), "Araclar Menusu Elemanlari");
    list.BitBtn2Click(list.BitBtn3);
  };
  OnEntry = [&](TK_VtAracEkleF& entry) { EXPECT_EQ(entry.BitBtn2->Caption(), "Iptal"); };
  tools->MenuDuzenle();
  EXPECT_EQ(translated, (std::vector<AnsiString>{"TK_VtAracMenuF", "TK_VtAracEkleF"}));
}

}  // namespace
