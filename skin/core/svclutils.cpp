#include "skin/core/svclutils.h"

#include <vector>

#include "classlib/comctrls/toolbar.h"
#include "classlib/controls/graphiccontrol.h"
#include "classlib/controls/wincontrol.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/bitmap.h"
#include "skin/core/commondata.h"
#include "skin/core/skinbackground.h"
#include "skin/core/skincommands.h"

TSetWindowTheme SetWindowThemeProc = nullptr;

namespace {

HMODULE gThemeLibrary = nullptr;
bool gPaintingGraphicControls = false;

}  // namespace

void LoadSkinThemeLibrary() {
  if (gThemeLibrary != nullptr)
    return;
  gThemeLibrary = LoadLibraryW(L"UXTHEME");
  if (gThemeLibrary != nullptr)
    SetWindowThemeProc = reinterpret_cast<TSetWindowTheme>(
        reinterpret_cast<void*>(GetProcAddress(gThemeLibrary, "SetWindowTheme")));
}

void FreeSkinThemeLibrary() {
  SetWindowThemeProc = nullptr;
  if (gThemeLibrary != nullptr)
    FreeLibrary(gThemeLibrary);
  gThemeLibrary = nullptr;
}

namespace {

// The unit's start-up looks the theme entry up; its shut-down frees the library.
struct TThemeLibraryModule {
  TThemeLibraryModule() { LoadSkinThemeLibrary(); }
  ~TThemeLibraryModule() { FreeSkinThemeLibrary(); }
} gThemeLibraryModule;

}  // namespace

bool VisualThemesOn() {
  if (gThemeLibrary == nullptr)
    return false;
  using TIsAppThemed = BOOL(WINAPI*)();
  auto isThemed = reinterpret_cast<TIsAppThemed>(reinterpret_cast<void*>(GetProcAddress(gThemeLibrary, "IsAppThemed")));
  return isThemed != nullptr && isThemed() != FALSE;
}

TColor ControlBackColor(TControl* Control) {
  if (Control == nullptr)
    return clFuchsia;
  if (Control->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdAreYouSkinned), 0) == 1)
    return ColorToRGB(static_cast<TColor>(Control->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdBackColor), clFuchsia)));
  return ColorToRGB(Control->Color());
}

TColor WindowBackColor(HWND Wnd) {
  if (Wnd == nullptr)
    return clFuchsia;
  return ColorToRGB(static_cast<TColor>(SendSkinCommand(Wnd, SkinCmdBackColor, clFuchsia)));
}

void AskFormToAdaptControl(TControl* Control) {
  if (Control == nullptr || Control->ComponentState().Contains(csDesigning) ||
      Control->ComponentState().Contains(csLoading))
    return;
  TCustomForm* form = GetParentForm(Control);
  if (form != nullptr && form->HandleAllocated())
    SendSkinCommand(form->Handle(), SkinCmdAdaptControl, reinterpret_cast<LPARAM>(Control));
}

bool CurrentCursorPos(POINT& P) { return GetCursorPos(&P) != FALSE; }

bool ControlCanPaint(TControl* Control) {
  if (Control == nullptr)
    return false;
  auto* window = dynamic_cast<TWinControl*>(Control);
  if (window != nullptr && !window->HandleAllocated())
    return false;
  TControlState state = Control->ControlState();
  if (state.Contains(csCreating) || state.Contains(csReadingState) || IsLoadingOrDying(Control))
    return false;
  return Control->Parent() != nullptr;
}

TCustomForm* FindOwnerForm(TComponent* Component) {
  for (TComponent* c = Component; c != nullptr; c = c->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(c))
      return form;
  return nullptr;
}

TWinControl* FindOwnerFrame(TControl* Control) { return nullptr; }

int ControlTextFlags(TControl* Control, TAlignment Alignment) {
  static const int kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return Control->DrawTextBiDiModeFlags(kAlignments[Alignment] | DT_EXPANDTABS | DT_VCENTER);
}

void ClientRectInWindow(HWND Wnd, RECT& R) {
  RECT window;
  GetWindowRect(Wnd, &window);
  GetClientRect(Wnd, &R);
  POINT origin{0, 0};
  ClientToScreen(Wnd, &origin);
  OffsetRect(&R, origin.x - window.left, origin.y - window.top);
}

int AlignedControlsSize(TWinControl* Container, TAlign Align, bool WithGraphic) {
  int size = 0;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* child = Container->Controls(i);
    if (!child->Visible() || child->Align() != Align)
      continue;
    if (!WithGraphic && dynamic_cast<TWinControl*>(child) == nullptr)
      continue;
    if (Align == alTop || Align == alBottom)
      size += child->Height();
    else if (Align == alLeft || Align == alRight)
      size += child->Width();
  }
  return size;
}

HWND TopLevelWindow(HWND Wnd) {
  for (HWND parent = GetParent(Wnd); parent != nullptr; parent = GetParent(Wnd))
    Wnd = parent;
  return Wnd;
}

namespace {

bool IsDesigning(TControl* Control) { return Control->ComponentState().Contains(csDesigning); }

bool NeedsGraphicPaint(TControl* Child, HDC DC) {
  if (!Child->Visible() && !IsDesigning(Child))
    return false;
  if (dynamic_cast<TGraphicControl*>(Child) == nullptr || Child->Width() < 1 || Child->Height() < 1)
    return false;
  if (Child->ControlStyle().Contains(csNoDesignVisible) || Child->ComponentState().Contains(csDestroying))
    return false;
  if (auto* button = dynamic_cast<TToolButton*>(Child); button != nullptr && button->Style() < tbsSeparator)
    return false;
  RECT bounds = Child->BoundsRect();
  return RectVisible(DC, &bounds) != FALSE;
}

void FillBounds(HDC DC, const RECT& R, TColor Color) {
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)));
  FillRect(DC, &R, brush);
  DeleteObject(brush);
}

// The background of every child to paint, at its bounds.
void PaintChildBackgrounds(HDC MemDC, TWinControl* Container, const std::vector<TControl*>& Children,
                           const TsBackgroundQuery& Background) {
  for (TControl* child : Children) {
    RECT bounds = child->BoundsRect();
    if (child->ControlStyle().Contains(csOpaque))
      FillBounds(MemDC, bounds, ControlBackColor(child));
    else if (Background.AnswerKind != bqBitmap || Background.Bitmap == nullptr)
      FillBounds(MemDC, bounds, Background.Color);
    else
      BitBlt(MemDC, bounds.left, bounds.top, child->Width(), child->Height(), Background.Bitmap->Canvas().Handle(),
             Background.OffsetX + bounds.left, Background.OffsetY + bounds.top, SRCCOPY);
  }
}

void PaintChild(HDC MemDC, TWinControl* Container, TControl* Child) {
  int saved = SaveDC(MemDC);
  SetWindowOrgEx(MemDC, -Child->Left(), -Child->Top(), nullptr);
  IntersectClipRect(MemDC, 0, 0, Child->Width(), Child->Height());
  const bool paintCopy = Container->ControlState().Contains(csPaintCopy);
  if (paintCopy)
    Child->SetControlState(Child->ControlState() + TControlState{csPaintCopy});
  Child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(MemDC), 0);
  if (paintCopy)
    Child->SetControlState(Child->ControlState() - TControlState{csPaintCopy});
  RestoreDC(MemDC, saved);
}

void PaintGraphicChildren(HDC DC, TWinControl* Container, POINT Offset) {
  std::vector<TControl*> children;
  for (int i = 0; i < Container->ControlCount(); ++i)
    if (NeedsGraphicPaint(Container->Controls(i), DC))
      children.push_back(Container->Controls(i));
  if (children.empty())
    return;
  TsBackgroundQuery background;
  QueryControlBackground(background, Container, false);
  auto* form = dynamic_cast<TCustomForm*>(Container);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, Container->Width(), Container->Height());
  HDC memDC = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(memDC, bitmap);
  PaintChildBackgrounds(memDC, Container, children, background);
  for (TControl* child : children) {
    if (form != nullptr && form->FormStyle() == fsMDIForm && child->Align() != alNone)
      child->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdAfterAnimation), 0);
    PaintChild(memDC, Container, child);
  }
  for (TControl* child : children)
    if (GetPixel(memDC, child->Left(), child->Top()) != static_cast<COLORREF>(clFuchsia))
      BitBlt(DC, child->Left() + Offset.x, child->Top() + Offset.y, child->Width(), child->Height(), memDC,
             child->Left(), child->Top(), SRCCOPY);
  SelectObject(memDC, old);
  DeleteDC(memDC);
  DeleteObject(bitmap);
}

}  // namespace

void PaintGraphicControls(HDC DC, TWinControl* Container, bool Flag, POINT Offset, int Extra) {
  if (gPaintingGraphicControls || Container == nullptr)
    return;
  gPaintingGraphicControls = true;
  struct Guard {
    ~Guard() { gPaintingGraphicControls = false; }
  } guard;
  if ((!Container->Visible() && !IsDesigning(Container)) || Container->ControlCount() == 0)
    return;
  RECT clip;
  int kind = GetClipBox(DC, &clip);
  if (kind == NULLREGION || kind == ERROR || clip.right <= clip.left || clip.bottom <= clip.top) {
    if (Container->HandleAllocated())
      SendSkinCommand(Container->Handle(), SkinCmdSetPartlyPainted, 0);
    return;
  }
  PaintGraphicChildren(DC, Container, Offset);
}
