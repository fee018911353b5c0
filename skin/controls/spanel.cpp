#include "skin/controls/spanel.h"

#include "classlib/controls/controlcanvas.h"
#include "classlib/forms/application.h"
#include "skin/core/alphagraph.h"
#include "skin/core/cachepaint.h"
#include "skin/core/sectionfixups.h"
#include "skin/core/sectionpaint.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"
#include "skin/core/skinsections.h"
#include "skin/core/skintext.h"
#include "skin/core/svclutils.h"

BEGIN_PUBLISHED(TsPanel)
  PROPERTY_RO(SkinData, SkinData),
  PROPERTY(OnPaint, OnPaint, OnPaint),
END_PUBLISHED

TsPanel::TsPanel(TComponent* AOwner) : TPanel(AOwner), FSkinData(std::make_unique<TsCommonData>(this, true)) {
  FSkinData->SetControlKind(ckPanel);
  FSkinData->OwnerLoaded();
}

TsPanel::~TsPanel() = default;

void TsPanel::Loaded() {
  TPanel::Loaded();
  FSkinData->OwnerLoaded();
}

void TsPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TPanel::Notification(AComponent, Operation);
  if (Operation == opRemove)
    FSkinData->ComponentRemoved(AComponent);
}

void TsPanel::Paint() {
  TPanel::Paint();
  if (!Showing() || !OnPaint)
    return;
  // A copy: the handler may clear or replace OnPaint while it runs.
  TPaintEvent handler = OnPaint;
  handler(this, Canvas());
}

// The skin commands first, skinned or not; then the skinned table while the
// panel can paint and its manager holds its section, else the unskinned one.
void TsPanel::WndProc(TMessage& Message) {
  if (!AnswerSkinCommand(Message)) {
    if (ControlCanPaint(this) && FSkinData->IsSkinned())
      HandleSkinned(Message);
    else if (!HandleUnskinned(Message))
      TPanel::WndProc(Message);
  }
  if (Message.Msg == CM_MOUSEENTER && OnMouseEnter)
    OnMouseEnter(this);
  else if (Message.Msg == CM_MOUSELEAVE && OnMouseLeave)
    OnMouseLeave(this);
}

bool TsPanel::AnswerSkinCommand(TMessage& Message) {
  switch (SkinCommandOf(Message)) {
    case SkinCmdNewSkin:
      ForwardSkinChange(Message, false);
      return true;
    case SkinCmdSkinRemoved:
      ForwardSkinChange(Message, true);
      return true;
    case SkinCmdRefresh: {
      if (FSkinData->IsForManager(Message.LParam)) {
        FSkinData->HandleCommonSkinCommand(Message);
        if (HandleAllocated() && !ComponentState().Contains(csLoading)) {
          InvalidateRect(FHandle, nullptr, TRUE);
          RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        }
      }
      SendToChildControls(this, Message);
      return true;
    }
    case SkinCmdBackgroundQuery:
      return AnswerBackgroundQuery(Message);
    default:
      return AnswerSkinnedControlQuery(Message);
  }
}

// A new skin reaches the children before the panel; a removed one reaches
// the panel first. Either way the panel stops counting as opaque.
void TsPanel::ForwardSkinChange(TMessage& Message, bool OwnFirst) {
  SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
  const bool forPanel = FSkinData->IsForManager(Message.LParam);
  if (!OwnFirst)
    SendToChildControls(this, Message);
  if (forPanel) {
    FSkinData->HandleCommonSkinCommand(Message);
    if (OwnFirst)
      Invalidate();
  }
  if (OwnFirst)
    SendToChildControls(this, Message);
}

bool TsPanel::HandleUnskinned(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // The handler paints the whole panel; erasing first would flicker.
      return static_cast<bool>(OnPaint);
    case WM_PRINT:
      if (OnPaint)
        PrintWithHandler(Message);
      return true;
    default:
      return false;
  }
}

// The handler draws on the panel's own canvas, and what the panel shows is
// then copied into the device context in WParam.
void TsPanel::PrintWithHandler(TMessage& Message) {
  TPaintEvent handler = OnPaint;
  handler(this, Canvas());
  auto dc = reinterpret_cast<HDC>(Message.WParam);
  if (dc != nullptr)
    BitBlt(dc, 0, 0, Width(), Height(), Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- Skinned painting ------------------------------------------------------------

int TsPanel::FrameWidth() const {
  const int bevels = (BevelInner() != bvNone ? 1 : 0) + (BevelOuter() != bvNone ? 1 : 0);
  return bevels * BevelWidth() + BorderWidth();
}

TRect TsPanel::CaptionRect() {
  TRect r = ClientRect();
  const int frame = FrameWidth();
  InflateRect(&r, -frame, -frame);
  return r;
}

// A panel with a window border answers a bitmap from inside its frame, so
// the offsets move by the frame width.
bool TsPanel::AnswerBackgroundQuery(TMessage& Message) {
  TsSkinManager* manager = FSkinData->SkinManager();
  if (manager == nullptr || !manager->IsSectionIndexValid(FSkinData->SectionIndex()) ||
      !manager->IsMaskIndexValid(FSkinData->BorderMaskIndex))
    return false;
  const TsGeneralData* section = FSkinData->Section();
  if ((FSkinData->CacheInvalid || FSkinData->PartlyPainted) && !FSkinData->IsPaintLocked() &&
      section != nullptr && section->Transparency != 100)
    PrepareCache();
  auto* query = reinterpret_cast<TsBackgroundQuery*>(Message.LParam);
  if (query == nullptr)
    return true;
  FSkinData->FillBackgroundQuery(*query, 0, HandleAllocated() ? FHandle : nullptr);
  if (ClientWidth() != Width() && query->AnswerKind == bqBitmap && query->PleaseDraw == 0) {
    query->OffsetX += FrameWidth();
    query->OffsetY += FrameWidth();
  }
  return true;
}

void TsPanel::HandleSkinned(TMessage& Message) {
  if (Message.Msg == SM_ALPHACMD) {
    HandleSkinnedCommand(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_SIZE:
      FSkinData->CacheInvalid = true;
      SharedThenStandard(Message);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TPanel::WndProc(Message);
      return;
    case WM_PAINT:
      SkinnedPaintMessage(Message);
      return;
    case WM_ERASEBKGND:
      SkinnedEraseBackground(Message);
      return;
    case WM_WINDOWPOSCHANGING:
      if (const TsGeneralData* section = FSkinData->Section(); section != nullptr && section->Transparency != 0)
        FSkinData->CacheInvalid = true;
      SharedThenStandard(Message);
      return;
    case WM_PRINT:
      SkinnedPrint(Message);
      return;
    case CM_VISIBLECHANGED:
      FSkinData->CacheInvalid = true;
      FSkinData->SetPaintLocked(false);
      TPanel::WndProc(Message);
      return;
    case CM_COLORCHANGED:
      if (FSkinData->CustomColor())
        FSkinData->CacheInvalid = true;
      SharedThenStandard(Message);
      return;
    case CM_TEXTCHANGED:
      if (Parent() != nullptr)
        FSkinData->InvalidateOwner();
      return;
    default:
      break;
  }
  SharedThenStandard(Message);
  if (Message.Msg == WM_SETFONT && !Caption().empty()) {
    FSkinData->CacheInvalid = true;
    Repaint();
  } else if (Message.Msg == CM_ENABLEDCHANGED) {
    FSkinData->InvalidateOwner();
  }
}

// Commands the skinned panel takes itself; the others go to the shared
// handling and no further.
bool TsPanel::HandleSkinnedCommand(TMessage& Message) {
  switch (SkinCommandOf(Message)) {
    case SkinCmdEndUpdate:
      if (FSkinData->PaintLocked) {
        FSkinData->SetPaintLocked(false);
        FSkinData->SetPaintLocked(FSkinData->IsPaintLocked());
        if (!FSkinData->PaintLocked)
          RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
      }
      UnlockChildControls(this);
      return true;
    case SkinCmdIsLocked:
      Message.Result = FSkinData->IsPaintLocked() ? 1 : 0;
      return true;
    default:
      return FSkinData->HandleCommonSkinCommand(Message);
  }
}

void TsPanel::SharedThenStandard(TMessage& Message) {
  if (!FSkinData->HandleCommonMessage(Message))
    TPanel::WndProc(Message);
}

// The update region is taken (and validated) only for a real WM_PAINT: a
// WM_PAINT carrying a device context paints into that and leaves whatever
// is still to be painted on the screen for later.
void TsPanel::SkinnedPaintMessage(TMessage& Message) {
  if (!Visible() && !ComponentState().Contains(csDesigning)) {
    SharedThenStandard(Message);
    return;
  }
  const auto given = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  const bool ownPaint = given == nullptr && HandleAllocated();
  HDC paintDC = ownPaint ? BeginPaint(FHandle, &ps) : given;
  FSkinData->SetPaintLocked(FSkinData->IsPaintLocked());
  try {
    if (FSkinData->NeedsFullRepaint() && !FSkinData->PaintLocked)
      PaintThroughWindowDC(given);
    else if (paintDC != nullptr)
      PaintSkin(paintDC, true);
  } catch (...) {
    if (ownPaint)
      EndPaint(FHandle, &ps);
    throw;
  }
  if (ownPaint)
    EndPaint(FHandle, &ps);
  Message.Result = 0;
}

// The whole panel is painted on the window's own device context (or the
// one given), not only the update region; the canvas is lent that context
// for the time and everything is given back also when painting raises.
void TsPanel::PaintThroughWindowDC(HDC Given) {
  HDC dc = Given != nullptr ? Given : GetDC(FHandle);
  if (dc == nullptr)
    return;
  const int saved = SaveDC(dc);
  FControlState.Include(csCustomPaint);
  auto* canvas = static_cast<TControlCanvas*>(Canvas());
  canvas->Lock();
  canvas->FreeDeviceContext();
  canvas->SetHandle(dc);
  auto restore = [&] {
    canvas->SetHandle(nullptr);
    canvas->Unlock();
    RestoreDC(dc, saved);
    FControlState.Exclude(csCustomPaint);
    if (Given == nullptr)
      ReleaseDC(FHandle, dc);
  };
  try {
    canvas->UpdateTextFlags();
    PaintSkin(dc, true);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TsPanel::SkinnedEraseBackground(TMessage& Message) {
  const auto dc = reinterpret_cast<HDC>(Message.WParam);
  if (Message.WParam != static_cast<WPARAM>(Message.LParam)) {
    FSkinData->SetPaintLocked(FSkinData->IsPaintLocked());
    if (!FSkinData->NeedsFullRepaint() && !FSkinData->PaintLocked)
      PaintSkin(dc, true);
    Message.Result = 1;
    return;
  }
  if (dc == nullptr)
    return;
  // An erase into a copy: the finished picture, or the background colour.
  if (FSkinData->CacheInvalid)
    PrepareCache();
  if (!FSkinData->CacheInvalid) {
    if (FSkinData->NeedsFullRepaint())
      BitBlt(dc, 0, 0, Width(), Height(), FSkinData->CacheBitmap()->Canvas().Handle(), 0, 0, SRCCOPY);
    else
      FillDeviceRect(dc, RECT{0, 0, Width(), Height()}, WindowBackColor(FHandle));
  }
  Message.Result = 1;
}

void TsPanel::SkinnedPrint(TMessage& Message) {
  FSkinData->SetPaintLocked(false);
  if (!ControlCanPaint(this))
    return;
  if (!FSkinData->NeedsFullRepaint() && FSkinData->CacheBitmap() == nullptr)
    FSkinData->SizeCacheBitmap24();
  PrepareCache();
  RepaintCacheCorners(FSkinData.get(), 0);
  PaintSkin(reinterpret_cast<HDC>(Message.WParam), false);
}

void TsPanel::PaintWindow(HDC DC) {
  if (!(ControlState().Contains(csPaintCopy) && FSkinData->IsSkinned()))
    TPanel::PaintWindow(DC);
  PaintSkin(DC, true);
}

void TsPanel::PaintSkin(HDC DC, bool NotifyChildren) {
  if (!Showing() || FSkinData == nullptr || !FSkinData->IsSkinned())
    return;
  if (DC == nullptr)
    DC = Canvas()->Handle();
  if ((FSkinData->NeedsFullRepaint() && !FSkinData->CustomColor()) || AnimationRunning)
    PaintFromCache(DC);
  else
    PaintDirect(DC);
  if (NotifyChildren && !ControlState().Contains(csPaintCopy))
    UnlockChildControls(this);
}

void TsPanel::PaintFromCache(HDC DC) {
  TsCommonData& data = *FSkinData;
  data.SetPaintLocked(data.IsPaintLocked());
  if (data.PaintLocked)
    return;
  const bool changed = data.CacheInvalid || data.PartlyPainted;
  if (data.MoveChangesLook()) {
    RECT clip{};
    GetClipBox(DC, &clip);
    data.PartlyPainted = clip.right - clip.left != Width() || clip.bottom - clip.top != Height();
  } else {
    data.PartlyPainted = false;
  }
  if (changed && !data.PositionMark)
    PrepareCache();
  const RECT whole{0, 0, Width(), Height()};
  PaintCacheExceptChildren(this, &data, whole, 0, 0, false, DC, whole);
  PaintGraphicControls(DC, this, false, POINT{0, 0}, 0);
}

void TsPanel::PaintDirect(HDC DC) {
  TsCommonData& data = *FSkinData;
  data.SetPaintLocked(false);
  const int bw = data.MaxBorderWidth();
  {
    TDCStateScope state(DC);
    ExcludeGraphicControls(DC, this, 0, 0);
    TsBackgroundQuery query;
    if (data.CustomColor()) {
      query.AnswerKind = bqColor;
      query.Color = ColorToRGB(Color());
    } else {
      query.Area = BoundsRect();
      QueryControlBackground(query, Parent(), false);
    }
    const TsGeneralData* section = data.Section();
    const int transparency = section != nullptr ? section->Transparency : 0;
    if (transparency == 100 && query.AnswerKind == bqBitmap && query.Bitmap != nullptr) {
      data.SetPaintLocked(data.IsPaintLocked());
      if (data.PaintLocked)
        return;
      // The parent's picture shows through; only the border is the panel's.
      HDC source = query.Bitmap->Canvas().Handle();
      const int x = query.OffsetX + Left(), y = query.OffsetY + Top();
      if (bw == 0) {
        BitBlt(DC, 0, 0, Width(), Height(), source, x, y, SRCCOPY);
      } else {
        PaintBorderedFill(DC, bw, query.Color);
        BitBlt(DC, bw, bw, Width() - 2 * bw, Height() - 2 * bw, source, x + bw, y + bw, SRCCOPY);
      }
    } else {
      const TColor own = data.CustomColor() ? Color() : (section != nullptr ? section->Color : Color());
      TColor fill = own;
      if (transparency == 100)
        fill = query.Color;
      else if (transparency != 0)
        fill = BlendColors(ColorToRGB(query.Color), ColorToRGB(own), transparency / 100.0);
      if (bw == 0)
        FillDeviceRect(DC, RECT{0, 0, Width(), Height()}, fill);
      else
        PaintBorderedFill(DC, bw, fill);
    }
    PaintCaptionAndHandler(DC, true);
    data.CacheInvalid = false;
  }
  PaintGraphicControls(DC, this, false, POINT{0, 0}, 0);
}

// The border mask painted into the cache gives the strips; the inside is
// filled with Fill, then the strips are laid over the device context.
void TsPanel::PaintBorderedFill(HDC DC, int BorderWidth, TColor Fill) {
  TsCommonData& data = *FSkinData;
  if (data.CacheBitmap() == nullptr || data.CacheBitmap()->Width() != Width() ||
      data.CacheBitmap()->Height() != Height())
    data.SizeCacheBitmap24();
  HDC cache = data.CacheBitmap()->Canvas().Handle();
  RECT inner{0, 0, Width(), Height()};
  PaintControlBorder(cache, RECT{0, 0, Width(), Height()}, BorderWidth, &data, 0, inner);
  FillDeviceRect(DC, inner, Fill);
  CopyBorderStrips(DC, 0, 0, Width(), Height(), cache, 0, 0, BorderWidth);
}

// The caption, then the handler, on a canvas of DC in the panel's font.
void TsPanel::PaintCaptionAndHandler(HDC DC, bool OwnCanvas) {
  std::unique_ptr<TCanvas> temporary;
  TCanvas* canvas = Canvas();
  if (OwnCanvas && DC != nullptr) {
    temporary = std::make_unique<TCanvas>();
    temporary->SetHandle(DC);
    temporary->SetFont(*Font());
    temporary->Brush().SetStyle(bsClear);
    canvas = temporary.get();
  }
  PaintCaption(CaptionRect(), canvas, nullptr);
  if (OnPaint) {
    TPaintEvent handler = OnPaint;
    handler(this, canvas);
  }
  if (temporary != nullptr)
    temporary->SetHandle(nullptr);
}

void TsPanel::PrepareCache() {
  TsCommonData& data = *FSkinData;
  if (!data.NeedsFullRepaint() && !AnimationRunning)
    return;
  data.SizeCacheBitmap();
  TBitmap* cache = data.CacheBitmap();
  PaintControlItemOverParent(&data, Parent(), false, 0, RECT{0, 0, Width(), Height()}, POINT{Left(), Top()}, cache,
                             true);
  cache->Canvas().SetFont(*Font());
  cache->Canvas().Brush().SetStyle(bsClear);
  PaintCaption(CaptionRect(), &cache->Canvas(), nullptr);
  if (OnPaint) {
    TPaintEvent handler = OnPaint;
    handler(this, &cache->Canvas());
  }
  data.CacheInvalid = false;
}

void TsPanel::PaintCaption(const TRect& Rect, TCanvas* Canvas, HDC DC) {
  if (Canvas == nullptr && DC == nullptr)
    return;
  std::unique_ptr<TCanvas> temporary;
  if (Canvas == nullptr) {
    temporary = std::make_unique<TCanvas>();
    temporary->SetHandle(DC);
    Canvas = temporary.get();
  }
  const UINT flags = static_cast<UINT>(ControlTextFlags(this, Alignment())) | DT_WORDBREAK;
  Canvas->SetFont(*Font());
  RECT measured = Rect;
  const AnsiString caption = Caption();
  DrawTextOnDC(Canvas->Handle(), caption, measured, flags | DT_CALCRECT);
  const int textHeight = measured.bottom - measured.top;
  RECT place = Rect;
  place.top = BorderWidth() + (Rect.bottom - Rect.top - textHeight) / 2;
  place.bottom = place.top + textHeight;
  DrawControlText(Canvas, caption.c_str(), Enabled(), place, flags, FSkinData.get(), 0);
  if (temporary != nullptr)
    temporary->SetHandle(nullptr);
}
