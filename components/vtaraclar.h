// TVtAraclar: fills a menu (the host's "Araçlar") with entries that start
// programs. Two lists: fixed entries (Sabitler), which the host defines and
// whose program file and shortcut the user may change, and user entries
// (Tanimlar), which the user adds, edits and removes in the editor. Both
// lists persist in tools files (components/core/araclarfile.h) whose names
// the host sets; the component builds the menu items, and what a click does
// is left to the host's two click events.
//
// A tools file that cannot be read is never overwritten: it is kept aside
// under a free ".bak" name (the user is told once) and the next save writes
// a new file in its place; one that cannot even be kept aside is left alone
// for the rest of the run.
#pragma once
#include <set>

#include "classlib/classes/collection.h"
#include "classlib/classes/component.h"
#include "classlib/forms/menus.h"
#include "components/core/araclarfile.h"
#include "components/core/uitext.h"

class TImageList;
class TVTFormHeader;

class TAraclarItem : public TCollectionItem {
  DECLARE_CLASS(TAraclarItem, TCollectionItem)

public:
  explicit TAraclarItem(TCollection* Collection) : TCollectionItem(Collection) {}

  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& Value) { FCaption = Value; }
  const AnsiString& Hint() const { return FHint; }
  void SetHint(const AnsiString& Value) { FHint = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  // In its text form, as menus write it ("Ctrl+F5"); empty for none.
  const AnsiString& ShortCut() const { return FShortCut; }
  void SetShortCut(const AnsiString& Value) { FShortCut = Value; }
  const AnsiString& FileName() const { return FFileName; }
  void SetFileName(const AnsiString& Value) { FFileName = Value; }

  // The caption, or "Item <index>" when it is empty.
  AnsiString GetDisplayName() override;
  void Assign(TPersistent* Source) override;

  TAraclarRecord ToRecord() const;
  void FromRecord(const TAraclarRecord& Record);

private:
  AnsiString FCaption;
  AnsiString FHint;
  int FImageIndex = -1;
  AnsiString FShortCut;
  AnsiString FFileName;
};

class TAraclarItems : public TOwnedCollection {
  DECLARE_CLASS(TAraclarItems, TOwnedCollection)

public:
  explicit TAraclarItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TAraclarItem::StaticClass()) {}
  TAraclarItem* Add() { return static_cast<TAraclarItem*>(TCollection::Add()); }
  // Deletes item 0 until none is left.
  void Clear();
  TAraclarItem* Items(int Index) const { return static_cast<TAraclarItem*>(TCollection::Items(Index)); }
};

// A menu item of the component: ItemNo is the entry's place in its list.
class TAraclarMenuItem : public TMenuItem {
  DECLARE_CLASS(TAraclarMenuItem, TMenuItem)

public:
  explicit TAraclarMenuItem(TComponent* AOwner) : TMenuItem(AOwner) {}
  int ItemNo() const { return FItemNo; }
  void SetItemNo(int Value) { FItemNo = Value; }

private:
  int FItemNo = 0;
};

class TVtAraclar : public TComponent {
  DECLARE_CLASS(TVtAraclar, TComponent)

public:
  explicit TVtAraclar(TComponent* AOwner);
  ~TVtAraclar() override;

  const AnsiString& SbtFileName() const { return FSbtFileName; }
  void SetSbtFileName(const AnsiString& Value) { FSbtFileName = Value; }
  const AnsiString& TnmFileName() const { return FTnmFileName; }
  void SetTnmFileName(const AnsiString& Value) { FTnmFileName = Value; }
  TMenuItem* MenuItem() const { return FMenuItem; }
  void SetMenuItem(TMenuItem* Value);
  TAraclarItems* Sabitler() const { return FSabitler; }
  void SetSabitler(TAraclarItems* Value) { FSabitler->Assign(Value); }
  TAraclarItems* Tanimlar() const { return FTanimlar; }
  void SetTanimlar(TAraclarItems* Value) { FTanimlar->Assign(Value); }
  // Receives the icons of user entries; optional.
  TImageList* ImageList() const { return FImageList; }
  void SetImageList(TImageList* Value);

  // A click on a fixed entry's or a user entry's menu item (Sender: the item).
  TNotifyEvent OnSbtClick;
  TNotifyEvent OnTnmClick;
  // Handed to the editor; the text hook also translates the captions and
  // hints of fixed entries when the menu is built.
  TTranslateFormEvent OnTranslateForm;
  TTranslateTextEvent OnTranslateText;

  // Loads both files and builds the menu again; nothing without MenuItem.
  void AraclarYukle();
  // Opens the editor; afterwards writes both files and builds the menu
  // again. With a header, the editor's header takes its colours.
  void MenuDuzenle(TVTFormHeader* Header = nullptr);
  void LoadFromFiles();
  // Raises when a file cannot be written; the old file then stays.
  void SaveToFiles();

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void LoadSabitFile(const AnsiString& FileName);
  void LoadTanimFile(const AnsiString& FileName);
  // Reads a tools file; false (the file given up) when that fails.
  bool ReadToolsFile(const AnsiString& FileName, std::vector<TAraclarRecord>& Records);
  void GiveUpFile(const AnsiString& FileName, const Exception& Failure);
  void SaveList(const AnsiString& FileName, const TAraclarItems& Items);
  void FreeBuiltItems();
  void RemoveUserIcons();
  void AddMenuItem(const AnsiString& Name, int ItemNo, const TAraclarItem& Entry, bool Translated,
                   const TNotifyEvent& OnClick, int ImageIndex);
  int UserEntryIcon(const TAraclarItem& Entry);

  AnsiString FSbtFileName;
  AnsiString FTnmFileName;
  TMenuItem* FMenuItem = nullptr;
  TAraclarItems* FSabitler;
  TAraclarItems* FTanimlar;
  TImageList* FImageList = nullptr;
  // Files that could not be read nor kept aside: never written this run.
  std::set<AnsiString> FUntouchable;
};
