// TImageList: a list of equally sized images over a comctl32 image list.
//
// Images are drawn with the list's drawing style and colours; a disabled
// image is drawn in the platform's embossed look (highlight offset by one
// pixel under a shadow). Change links tell their owners about changes. The
// streamed "Bitmap" of a list is the image list's own stream format
// (ImageList_Write). AllocBy, BlendColor, BkColor, DrawingStyle, Height,
// ImageType, Masked, ShareImages and Width are published.
#pragma once
#include <windows.h>
// IStream first: commctrl.h declares ImageList_Read/Write only with it.
#include <objidl.h>
#include <commctrl.h>

#include <vector>

#include "classlib/classes/events.h"
#include "classlib/classes/component.h"
#include "classlib/classes/typinfo.h"
#include "classlib/classes/streams.h"
#include "classlib/graphics/colors.h"

class TBitmap;
class TCanvas;
class TIcon;
class TImageList;

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
DOZURI_ENUM(TDrawingStyle, "dsFocus", "dsSelected", "dsNormal", "dsTransparent");
enum TImageType { itImage, itMask };
DOZURI_ENUM(TImageType, "itImage", "itMask");

class TChangeLink : public TObject {
  DECLARE_CLASS(TChangeLink, TObject)

public:
  TChangeLink() = default;
  ~TChangeLink() override;

  TImageList* Sender() const { return sender_; }
  TNotifyEvent OnChange;

private:
  friend class TImageList;
  TImageList* sender_ = nullptr;
};

class TImageList : public TComponent {
  DECLARE_CLASS(TImageList, TComponent)

public:
  explicit TImageList(TComponent* AOwner = nullptr);
  TImageList(TComponent* AOwner, int width, int height);
  ~TImageList() override;

  void Assign(TPersistent* Source) override;

  HIMAGELIST Handle();
  // Adopts an image list (freed with the list unless ShareImages).
  void SetHandle(HIMAGELIST handle);
  bool HandleAllocated() const { return handle_ != nullptr; }

  int Width() const { return width_; }
  void SetWidth(int value);
  int Height() const { return height_; }
  void SetHeight(int value);
  bool Masked() const { return masked_; }
  void SetMasked(bool value);
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor value);
  TColor BlendColor() const { return blendColor_; }
  void SetBlendColor(TColor value) { blendColor_ = value; }
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  void SetDrawingStyle(TDrawingStyle value) { drawingStyle_ = value; }
  TImageType ImageType() const { return imageType_; }
  void SetImageType(TImageType value) { imageType_ = value; }
  int AllocBy() const { return allocBy_; }
  void SetAllocBy(int value) { allocBy_ = value; }
  bool ShareImages() const { return shareImages_; }
  void SetShareImages(bool value) { shareImages_ = value; }

  // Each returns the index of the first image added.
  int Add(TBitmap* image, TBitmap* mask);
  int AddMasked(TBitmap& image, TColor maskColor);
  int AddIcon(TIcon& icon);
  void Replace(int index, TBitmap* image, TBitmap* mask);
  void Delete(int index);
  void Clear();
  int Count();

  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
  // The image at index drawn on a bitmap of the list's size.
  void GetBitmap(int index, TBitmap& image);
  void GetIcon(int index, TIcon& icon);

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);

  // The "Bitmap" property.
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);
  void DefineProperties(TFiler& Filer) override;

  TNotifyEvent OnChange;

protected:
  virtual HIMAGELIST CreateListHandle();
  virtual void ReleaseListHandle();
  virtual void DoDraw(int index, TCanvas& canvas, int x, int y, UINT style, bool enabled);
  virtual void Change();

private:
  void CheckIndex(int index);
  void Recreate();
  UINT StyleFlags() const;

  HIMAGELIST handle_ = nullptr;
  int width_ = 16;
  int height_ = 16;
  bool masked_ = true;
  TColor bkColor_ = clNone;
  TColor blendColor_ = clNone;
  TDrawingStyle drawingStyle_ = dsNormal;
  TImageType imageType_ = itImage;
  int allocBy_ = 4;
  bool shareImages_ = false;
  std::vector<TChangeLink*> links_;
};
