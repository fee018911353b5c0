#include "skin/core/cachepaint.h"

#include <algorithm>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/controls/wincontrol.h"
#include "skin/core/commondata.h"
#include "skin/core/sectionfixups.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"

namespace {

bool Overlaps(const RECT& A, const RECT& B) {
  RECT common;
  return IntersectRect(&common, &A, &B) != FALSE;
}

void Exclude(HDC DC, const RECT& R) { ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom); }

bool PaintsItself(TControl* Child) {
  return Child->ComponentState().Contains(csDesigning) || Child->ControlStyle().Contains(csOpaque) ||
         dynamic_cast<TGraphicControl*>(Child) != nullptr;
}

// Copies the cache to Dest of DC after ExcludeChildren has clipped the
// children out; the device context is restored afterwards.
template <class ExcludeChildren>
void CopyCacheAround(TsCommonData* Data, const RECT& Src, bool RedrawCorners, HDC DC, const RECT& Dest,
                     ExcludeChildren&& ExcludeAll) {
  if (Data == nullptr || Data->CacheBitmap() == nullptr)
    return;
  if (RedrawCorners)
    RepaintCacheCorners(Data, 0);
  TDCStateScope state(DC);
  IntersectClipRect(DC, Dest.left, Dest.top, Dest.right, Dest.bottom);
  ExcludeAll();
  BitBlt(DC, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top,
         Data->CacheBitmap()->Canvas().Handle(), Src.left, Src.top, SRCCOPY);
}

bool IsGroupBoxStyle(HWND Wnd) { return (GetWindowLongPtrW(Wnd, GWL_STYLE) & 7) == 7; }

// The frame strips of a group box: the caption strip it answers and the
// side and bottom borders of the skin's group-box mask.
void ExcludeGroupBoxFrame(HDC DC, HWND Child, const RECT& R, TsSkinManager* M) {
  const int section = M->FindSection("GROUPBOX");
  const int mask = M->FindMask(section, "GROUPBOX", "BORDERSMASK");
  const int top = static_cast<int>(SendSkinCommand(Child, SkinCmdCaptionHeight, 0));
  const int left = std::max(0, M->LeftBorderWidth(mask));
  const int right = std::max(0, M->RightBorderWidth(mask));
  const int bottom = std::max(0, M->BottomBorderWidth(mask));
  Exclude(DC, RECT{R.left, R.top, R.right, R.top + std::max(0, top)});
  Exclude(DC, RECT{R.left, R.top, R.left + left, R.bottom});
  Exclude(DC, RECT{R.right - right, R.top, R.right, R.bottom});
  Exclude(DC, RECT{R.left, R.bottom - bottom, R.right, R.bottom});
}

}  // namespace

void PaintCacheExceptChildren(TWinControl* Control, TsCommonData* Data, const RECT& Src, int DY, int DX,
                              bool RedrawCorners, HDC DC, const RECT& Dest) {
  CopyCacheAround(Data, Src, RedrawCorners, DC, Dest, [&] {
    if (Control == nullptr)
      return;
    for (int i = 0; i < Control->ControlCount(); ++i) {
      TControl* child = Control->Controls(i);
      RECT r = child->BoundsRect();
      OffsetRect(&r, DX, DY);
      if (child->Visible() && Overlaps(r, Dest) && PaintsItself(child))
        Exclude(DC, r);
    }
  });
}

void PaintCacheExceptChildWindows(HWND Wnd, TsCommonData* Data, const RECT& Src, int DY, int DX,
                                  bool RedrawCorners, HDC DC, const RECT& Dest) {
  CopyCacheAround(Data, Src, RedrawCorners, DC, Dest, [&] {
    if (Wnd == nullptr)
      return;
    RECT own;
    GetWindowRect(Wnd, &own);
    for (HWND child = GetWindow(Wnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) == 0)
        continue;
      RECT r;
      GetWindowRect(child, &r);
      OffsetRect(&r, -own.left - DX, -own.top - DY);
      const bool clientEdge = (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
      if (!IsGroupBoxStyle(child) || clientEdge)
        Exclude(DC, r);
      else if (DefaultManager() != nullptr)
        ExcludeGroupBoxFrame(DC, child, r, DefaultManager());
    }
  });
}
