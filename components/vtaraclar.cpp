#include "components/vtaraclar.h"

#include <windows.h>
#include <shellapi.h>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/shortcuts.h"
#include "classlib/graphics/icon.h"
#include "classlib/graphics/imagelist.h"
#include "classlib/system/filebackup.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"
#include "classlib/system/win/widestring.h"
#include "components/uitextmessage.h"
#include "components/vtaracmenuf.h"

// ---- Entries ------------------------------------------------------------------

BEGIN_PUBLISHED(TAraclarItem)
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Hint, Hint, SetHint),
  PROPERTY(ImageIndex, ImageIndex, SetImageIndex).Default(-1),
  PROPERTY(ShortCut, ShortCut, SetShortCut),
  PROPERTY(FileName, FileName, SetFileName),
END_PUBLISHED

AnsiString TAraclarItem::GetDisplayName() { return FCaption.empty() ? "Item " + IntToStr(Index()) : FCaption; }

void TAraclarItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TAraclarItem*>(Source)) {
    FromRecord(item->ToRecord());
    return;
  }
  TCollectionItem::Assign(Source);
}

TAraclarRecord TAraclarItem::ToRecord() const { return {FCaption, FHint, FImageIndex, FShortCut, FFileName}; }

void TAraclarItem::FromRecord(const TAraclarRecord& Record) {
  FCaption = Record.Caption;
  FHint = Record.Hint;
  FImageIndex = Record.ImageIndex;
  FShortCut = Record.ShortCut;
  FFileName = Record.FileName;
}

BEGIN_PUBLISHED(TAraclarItems)
END_PUBLISHED

void TAraclarItems::Clear() {
  while (Count() > 0)
    Delete(0);
}

BEGIN_PUBLISHED(TAraclarMenuItem)
  PROPERTY(ItemNo, ItemNo, SetItemNo),
END_PUBLISHED

// ---- The component ------------------------------------------------------------

BEGIN_PUBLISHED(TVtAraclar)
  PROPERTY(SbtFileName, SbtFileName, SetSbtFileName),
  PROPERTY(TnmFileName, TnmFileName, SetTnmFileName),
  PROPERTY(MenuItem, MenuItem, SetMenuItem),
  PROPERTY(Sabitler, Sabitler, SetSabitler),
  PROPERTY(Tanimlar, Tanimlar, SetTanimlar),
  PROPERTY(ImageList, ImageList, SetImageList),
  PROPERTY(OnSbtClick, OnSbtClick, OnSbtClick),
  PROPERTY(OnTnmClick, OnTnmClick, OnTnmClick),
END_PUBLISHED

TVtAraclar::TVtAraclar(TComponent* AOwner)
    : TComponent(AOwner), FSabitler(new TAraclarItems(this)), FTanimlar(new TAraclarItems(this)) {}

TVtAraclar::~TVtAraclar() {
  delete FSabitler;
  delete FTanimlar;
}

void TVtAraclar::SetMenuItem(TMenuItem* Value) {
  if (FMenuItem != nullptr)
    FMenuItem->RemoveFreeNotification(this);
  FMenuItem = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TVtAraclar::SetImageList(TImageList* Value) {
  if (FImageList != nullptr)
    FImageList->RemoveFreeNotification(this);
  FImageList = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TVtAraclar::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FMenuItem)
    FMenuItem = nullptr;
  if (AComponent == FImageList)
    FImageList = nullptr;
}

// ---- Files --------------------------------------------------------------------

void TVtAraclar::LoadFromFiles() {
  const AnsiString sabit = Trim(FSbtFileName), tanim = Trim(FTnmFileName);
  if (!sabit.empty() && FileExists(sabit))
    LoadSabitFile(sabit);
  if (!tanim.empty() && FileExists(tanim))
    LoadTanimFile(tanim);
}

// The file gives fixed entries their program files and shortcuts only;
// records beyond the fixed list are ignored.
void TVtAraclar::LoadSabitFile(const AnsiString& FileName) {
  std::vector<TAraclarRecord> records;
  if (!ReadToolsFile(FileName, records))
    return;
  for (std::size_t i = 0; i < records.size() && static_cast<int>(i) < FSabitler->Count(); ++i) {
    TAraclarItem* item = FSabitler->Items(static_cast<int>(i));
    item->SetFileName(records[i].FileName);
    item->SetShortCut(records[i].ShortCut);
  }
}

void TVtAraclar::LoadTanimFile(const AnsiString& FileName) {
  FTanimlar->Clear();
  std::vector<TAraclarRecord> records;
  if (!ReadToolsFile(FileName, records))
    return;
  for (const TAraclarRecord& record : records)
    FTanimlar->Add()->FromRecord(record);
}

bool TVtAraclar::ReadToolsFile(const AnsiString& FileName, std::vector<TAraclarRecord>& Records) {
  if (FUntouchable.count(FileName) != 0)
    return false;
  try {
    Records = ReadAraclarFile(FileName);
    return true;
  } catch (const Exception& e) {
    GiveUpFile(FileName, e);
    return false;
  }
}

// The unread file holds entries the lists lack, so no save may replace it:
// it moves aside, and the next save writes a new file under its name.
void TVtAraclar::GiveUpFile(const AnsiString& FileName, const Exception& Failure) {
  AnsiString message = "Araçlar menüsü dosyası \"" + FileName + "\" okunamadı";
  if (!Failure.Message.empty())
    message += " (" + Failure.Message + ")";
  const AnsiString backup = FreeBackupFileName(FileName);
  if (RenameFile(FileName, backup)) {
    message += ". Dosya \"" + backup + "\" olarak saklandı; menü düzenlendiğinde yerine yeni bir dosya yazılacak.";
  } else {
    FUntouchable.insert(FileName);
    message += ". Dosya bir kenara alınamadı; bu çalışmada üzerine yazılmayacak.";
  }
  ShowInfoMessage(message, TShowMessageEvent(), OnTranslateText);
}

void TVtAraclar::SaveToFiles() {
  SaveList(Trim(FSbtFileName), *FSabitler);
  SaveList(Trim(FTnmFileName), *FTanimlar);
}

void TVtAraclar::SaveList(const AnsiString& FileName, const TAraclarItems& Items) {
  if (FileName.empty() || FUntouchable.count(FileName) != 0)
    return;
  std::vector<TAraclarRecord> records;
  for (int i = 0; i < Items.Count(); ++i)
    records.push_back(Items.Items(i)->ToRecord());
  WriteAraclarFile(FileName, records);
}

// ---- Editing ------------------------------------------------------------------

// The editor works on the lists themselves, so what it changed is kept
// however it was closed; both files are written and the menu built again.
void TVtAraclar::MenuDuzenle(TVTFormHeader* Header) {
  {
    auto* editor = new TK_VtAracMenuF(this);
    struct FreeOnExit {
      TK_VtAracMenuF* form;
      ~FreeOnExit() { form->Free(); }
    } freeOnExit{editor};
    editor->Araclar = this;
    editor->OnTranslateForm = OnTranslateForm;
    editor->OnTranslateText = OnTranslateText;
    if (Header != nullptr)
      editor->VTFormHeader1->AssignComponent(Header, false);
    editor->ShowModal();
  }
  SaveToFiles();
  AraclarYukle();
}

// ---- The menu -----------------------------------------------------------------

void TVtAraclar::AraclarYukle() {
  if (FMenuItem == nullptr)
    return;
  RemoveUserIcons();
  FreeBuiltItems();
  LoadFromFiles();
  for (int i = 0; i < FSabitler->Count(); ++i)
    AddMenuItem("AraclarSabit" + IntToStr(i), i, *FSabitler->Items(i), true, OnSbtClick,
                FSabitler->Items(i)->ImageIndex());
  if (FTanimlar->Count() > 0) {
    auto* separator = new TAraclarMenuItem(FMenuItem);
    separator->SetCaption("-");
    FMenuItem->Add(separator);
  }
  for (int i = 0; i < FTanimlar->Count(); ++i)
    AddMenuItem("AraclarTanim" + IntToStr(i), i, *FTanimlar->Items(i), false, OnTnmClick,
                UserEntryIcon(*FTanimlar->Items(i)));
}

void TVtAraclar::RemoveUserIcons() {
  if (FImageList == nullptr)
    return;
  for (int i = 0; i < FTanimlar->Count(); ++i) {
    const int index = FTanimlar->Items(i)->ImageIndex();
    if (index != -1 && index >= 0 && index < FImageList->Count())
      FImageList->Delete(index);
  }
}

// The items built before are owned by the menu item; those the host put
// there itself are not, and stay.
void TVtAraclar::FreeBuiltItems() {
  for (int i = FMenuItem->ComponentCount() - 1; i >= 0; --i)
    if (auto* item = dynamic_cast<TAraclarMenuItem*>(FMenuItem->Components(i)))
      item->Free();
}

void TVtAraclar::AddMenuItem(const AnsiString& Name, int ItemNo, const TAraclarItem& Entry, bool Translated,
                             const TNotifyEvent& OnClick, int ImageIndex) {
  auto* item = new TAraclarMenuItem(FMenuItem);
  item->SetName(Name);
  item->SetCaption(Translated ? TranslateHookText(Entry.Caption(), OnTranslateText) : Entry.Caption());
  item->SetHint(Translated ? TranslateHookText(Entry.Hint(), OnTranslateText) : Entry.Hint());
  item->SetShortCut(TextToShortCut(Entry.ShortCut()));
  item->SetImageIndex(ImageIndex);
  item->OnClick = OnClick;
  item->SetItemNo(ItemNo);
  item->SetTag(-1);
  FMenuItem->Add(item);
}

// The first icon of the entry's file joins the image list.
int TVtAraclar::UserEntryIcon(const TAraclarItem& Entry) {
  if (FImageList == nullptr || !FileExists(Entry.FileName()))
    return -1;
  const std::wstring file = AnsiToWide(Entry.FileName());
  HICON handle = ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), 0);
  if (handle == nullptr || handle == reinterpret_cast<HICON>(1))
    return -1;
  TIcon icon;
  icon.SetHandle(handle);
  return FImageList->AddIcon(icon);
}
