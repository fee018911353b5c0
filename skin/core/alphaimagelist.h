// TsAlphaImageList: an image list that keeps the PNG or ICO file of every
// image in its items and fills its system list from them with 32-bit alpha
// icons. PNG images are drawn with their per-pixel alpha; ICO images as
// icons. A stored list carries only its items: its "Bitmap" is written
// empty and ignored when read.
#pragma once
#include <memory>

#include "classlib/graphics/imagelist.h"
#include "skin/core/imglistitems.h"

class TsAlphaImageList : public TImageList {
  DECLARE_CLASS(TsAlphaImageList, TImageList)

public:
  // Builds the (empty) system list at once, as the list would after its
  // construction; a list read from a stream builds it again in Loaded.
  explicit TsAlphaImageList(TComponent* AOwner);
  ~TsAlphaImageList() override;

  // nil releases the system list; another alpha list is copied with its
  // items; any other source is copied as an image list.
  void Assign(TPersistent* Source) override;
  void Loaded() override;
  void DefineProperties(TFiler& Filer) override;

  TsImgListItems* Items() const { return FItems.get(); }
  void SetItems(TsImgListItems* Value) { FItems->Assign(Value); }
  bool SystemListBuilt() const { return FSystemListBuilt; }
  bool ItemsUpdating() const { return FItemsUpdating; }
  bool KeepItemData() const { return FKeepItemData; }
  void SetKeepItemData(bool Value) { FKeepItemData = Value; }
  // The items stay after the system list is built.
  bool KeepsItems() const;

  // Fills the system list with one icon per item, in order. Every item is
  // decoded before the system list changes, so a damaged item raises the
  // PNG reader's or the icon's error and leaves the system list as it was.
  void RebuildSystemList();

protected:
  void AssignTo(TPersistent* Dest) override;
  HIMAGELIST CreateListHandle() override;
  void DoDraw(int index, TCanvas& canvas, int x, int y, UINT style, bool enabled) override;
  void Change() override;

private:
  friend void CopyImages(TsAlphaImageList* Dest, TsAlphaImageList* Source);
  void CopyListFrom(TsAlphaImageList* Source);
  void DrawIconImage(int index, TCanvas& canvas, int x, int y);
  void DrawPngImage(int index, TCanvas& canvas, int x, int y);
  void RepairPlainImages();

  std::unique_ptr<TsImgListItems> FItems;
  bool FSystemListBuilt = false;
  bool FItemsUpdating = false;
  bool FKeepItemData = true;
};

// Copies the images of Source into Dest: the items and a rebuilt system
// list when Dest keeps items, else Source's icons. Nothing when Dest has
// no system list.
void CopyImages(TsAlphaImageList* Dest, TsAlphaImageList* Source);
