#include "skin/core/skinbackground.h"

#include "classlib/controls/wincontrol.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"

const TsBackgroundSource EmptyBackgroundSource{};

TsBackgroundSource MakeBackgroundSource(TBitmap* Bitmap, int X, int Y) {
  return TsBackgroundSource{Bitmap, X, Y, clFuchsia, true};
}

TsBackgroundSource BackgroundToSource(const TsBackgroundQuery& Query) {
  if (Query.AnswerKind == bqBitmap)
    return MakeBackgroundSource(Query.Bitmap, Query.OffsetX, Query.OffsetY);
  return TsBackgroundSource{nullptr, Query.OffsetX, Query.OffsetY, ColorToRGB(Query.Color), false};
}

namespace {

// The window paints itself into the query's device context, moved so that
// Area of the asker lands where it belongs.
template <class Send>
void PaintInto(TsBackgroundQuery& Query, Send&& SendToTarget) {
  HDC dc = Query.TargetDC;
  int saved = SaveDC(dc);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - Query.OffsetX, origin.y - Query.OffsetY, nullptr);
  RECT area = Query.Area;
  OffsetRect(&area, Query.OffsetX, Query.OffsetY);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  SendToTarget(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  SendToTarget(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  RestoreDC(dc, saved);
}

void FillArea(const TsBackgroundQuery& Query) {
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Query.Color)));
  FillRect(Query.TargetDC, &Query.Area, brush);
  DeleteObject(brush);
}

}  // namespace

bool QueryWindowBackground(TsBackgroundQuery& Query, HWND Wnd, bool PleaseDraw) {
  const bool askedToDraw = Query.PleaseDraw != 0;
  Query.AnswerKind = bqNoAnswer;
  Query.PleaseDraw = PleaseDraw ? 1 : 0;
  SendSkinCommand(Wnd, SkinCmdBackgroundQuery, reinterpret_cast<LPARAM>(&Query));
  if (Query.AnswerKind != bqNoAnswer)
    return true;
  if (askedToDraw && Query.TargetDC != nullptr && Wnd != nullptr) {
    PaintInto(Query, [Wnd](UINT Msg, WPARAM DC) { SendMessageW(Wnd, Msg, DC, 0); });
    return false;
  }
  Query.AnswerKind = bqColor;
  TsSkinManager* manager = DefaultManager();
  Query.Color = manager != nullptr ? manager->GlobalInfoColor() : clBtnFace;
  return false;
}

bool QueryControlBackground(TsBackgroundQuery& Query, TControl* Control, bool PleaseDraw) {
  const bool askedToDraw = Query.PleaseDraw != 0;
  Query.AnswerKind = bqNoAnswer;
  Query.PleaseDraw = PleaseDraw ? 1 : 0;
  if (Control == nullptr)
    return false;
  auto* window = dynamic_cast<TWinControl*>(Control);
  auto send = [Control, window](UINT Msg, WPARAM WParam, LPARAM LParam) -> LRESULT {
    if (window != nullptr && window->HandleAllocated())
      return SendMessageW(window->Handle(), Msg, WParam, LParam);
    return Control->Perform(Msg, WParam, LParam);
  };
  send(SM_ALPHACMD, SkinCommandWParam(SkinCmdBackgroundQuery), reinterpret_cast<LPARAM>(&Query));
  if (Query.AnswerKind != bqNoAnswer)
    return true;
  if (askedToDraw && Query.TargetDC != nullptr) {
    PaintInto(Query, [&send](UINT Msg, WPARAM DC) { send(Msg, DC, 0); });
    return false;
  }
  Query.AnswerKind = bqColor;
  LRESULT answer = send(SM_ALPHACMD, SkinCommandWParam(SkinCmdBackColor), 0);
  Query.Color = answer != 0 ? static_cast<TColor>(answer) : ColorToRGB(Control->Color());
  if (Query.PleaseDraw != 0 && Query.Bitmap != nullptr && Query.TargetDC != nullptr)
    FillArea(Query);
  return false;
}
