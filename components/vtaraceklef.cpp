#include "components/vtaraceklef.h"

#include "classlib/controls/controlmaking.h"
#include "classlib/forms/application.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/shortcuts.h"
#include "classlib/system/strutils.h"
#include "components/uitextmessage.h"
#include "components/vtaracmenuf.h"
#include "components/vtaraclar.h"

BEGIN_PUBLISHED(TK_VtAracEkleF)
  METHOD(FormShow),
  METHOD(EditYOLBtnClick),
  METHOD(BitBtn1Click),
  METHOD(kapatExecute),
END_PUBLISHED

TK_VtAracEkleF::TK_VtAracEkleF(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientSize();
  BuildParts();
  OnShow = Method<&TK_VtAracEkleF::FormShow>(this);
}

void TK_VtAracEkleF::BuildParts() {
  VTFormHeader1 = MakeControl<TVTFormHeader>(this, this, "VTFormHeader1");
  VTFormHeader1->SetTitle("Menü Ekle/Düzenle");
  struct Row {
    const char* Name;
    const char* Caption;
    int Top;
  };
  for (const Row row : {Row{"Label1", "Program Adı", 44}, Row{"Label2", "Program Yolu", 74}, Row{"Label3", "Kısayol", 104}})
    MakeControlAt<TLabel>(this, this, row.Name, 8, row.Top + 3, 100, 16)->SetCaption(row.Caption);
  EditNAME = MakeControlAt<TEdit>(this, this, "EditNAME", 110, 44, 300, 21);
  EditNAME->SetText("");
  EditYOL = MakeControlAt<TVtBtnEdit>(this, this, "EditYOL", 110, 74, 300, 21);
  EditYOL->SetText("");
  EditYOL->OnBtnClick = Method<&TK_VtAracEkleF::EditYOLBtnClick>(this);
  HotKey1 = MakeControlAt<THotKey>(this, this, "HotKey1", 110, 104, 150, 21);
  HotKey1->SetHotKey(0);
  BitBtn1 = MakeControlAt<TVtWinButton>(this, this, "BitBtn1", 230, 140, 85, 28);
  BitBtn1->SetCaption("Tamam");
  BitBtn1->SetModalResult(mrOk);
  BitBtn1->OnClick = Method<&TK_VtAracEkleF::BitBtn1Click>(this);
  BitBtn2 = MakeControlAt<TVtWinButton>(this, this, "BitBtn2", 325, 140, 85, 28);
  BitBtn2->SetCaption("İptal");
  BitBtn2->SetModalResult(mrCancel);
  StatusBar1 = MakeControl<TStatusBar>(this, this, "StatusBar1");
  StatusBar1->SetSimplePanel(true);
  StatusBar1->SetSimpleText("VORTELIM");
  ActionList1 = new TActionList(this);
  ActionList1->SetName("ActionList1");
  kapat = new TAction(this);
  kapat->SetName("kapat");
  kapat->SetShortCut(VK_ESCAPE);
  kapat->OnExecute = Method<&TK_VtAracEkleF::kapatExecute>(this);
  kapat->SetActionList(ActionList1);
}

TAraclarItem* TK_VtAracEkleF::Entry() const {
  return MenuF != nullptr ? MenuF->EntryOfRow(MenuF->ListBox1->ItemIndex()) : nullptr;
}

// The client area's size needs the window's frame, known once the window
// exists; before that it only sets a first size.
void TK_VtAracEkleF::SetClientSize() {
  SetClientWidth(420);
  SetClientHeight(200);
}

void TK_VtAracEkleF::FormShow(TObject*) {
  SetClientSize();
  ApplyTranslateForm(this, OnTranslateForm);
  if (Application->MainForm() != nullptr)
    SetCaption(Application->MainForm()->Caption());
  if (MenuF != nullptr)
    VTFormHeader1->AssignComponent(MenuF->VTFormHeader1, false);
  if (AddMode || MenuF == nullptr)
    return;
  EditNAME->SetEnabled(MenuF->IsUserRow(MenuF->ListBox1->ItemIndex()));
  DosyaYukle();
}

void TK_VtAracEkleF::DosyaYukle() {
  TAraclarItem* entry = Entry();
  if (entry == nullptr)
    return;
  EditNAME->SetText((*MenuF->ListBox1->Items())[MenuF->ListBox1->ItemIndex()]);
  EditYOL->SetText(entry->FileName());
  HotKey1->SetHotKey(TextToShortCut(entry->ShortCut()));
}

// The chosen file's name, without its folder, becomes the entry's name,
// also for a fixed entry whose name cannot be typed.
void TK_VtAracEkleF::EditYOLBtnClick(TObject*) {
  TOpenDialog dialog(nullptr);
  if (!dialog.Execute())
    return;
  EditYOL->SetText(dialog.FileName());
  EditNAME->SetText(ExtractFileName(dialog.FileName()));
}

void TK_VtAracEkleF::BitBtn1Click(TObject*) {
  if (EditNAME->Text().empty()) {
    if (OnTranslateText)
      AracMessageBox(TranslateHookText("Bilgi", OnTranslateText),
                     TranslateHookText("Program Adini girmelisiniz.", OnTranslateText), MB_OK | MB_ICONINFORMATION);
    else
      AracMessageBox("", "Program Adını girmelisiniz.", MB_OK);
    return;
  }
  TAraclarItem* entry = nullptr;
  if (AddMode && MenuF != nullptr && MenuF->Araclar != nullptr)
    entry = MenuF->Araclar->Tanimlar()->Add();
  else
    entry = Entry();
  if (entry == nullptr)
    return;
  entry->SetCaption(EditNAME->Text());
  entry->SetFileName(EditYOL->Text());
  entry->SetShortCut(ShortCutToText(HotKey1->HotKey()));
}

void TK_VtAracEkleF::kapatExecute(TObject*) { Close(); }
