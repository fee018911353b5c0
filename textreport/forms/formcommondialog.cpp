#include "textreport/forms/formcommondialog.h"

#include <algorithm>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/win32dialogs.h"
#include "classlib/printers/printers.h"
#include "classlib/system/win/widestring.h"
#include "textreport/core/zrconst.h"

BEGIN_PUBLISHED(TFormCommonDialog)
  PROPERTY(OkButtonCaption, OkButtonCaption, SetOkButtonCaption),
  PROPERTY(CancelButtonCaption, CancelButtonCaption, SetCancelButtonCaption),
  PROPERTY(HelpButtonCaption, HelpButtonCaption, SetHelpButtonCaption),
  PROPERTY(HelpContext, HelpContext, SetHelpContext).Default(0),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D).Default(true),
  PROPERTY(OnClose, OnClose, OnClose),
  PROPERTY(OnShow, OnShow, OnShow),
  PROPERTY(Title, Title, SetTitle),
END_PUBLISHED

BEGIN_PUBLISHED(TFormPrintCommonDialog)
  PROPERTY(Collate, Collate, SetCollate).Default(false),
  PROPERTY(Copies, Copies, SetCopies).Default(0),
  PROPERTY(FromPage, FromPage, SetFromPage).Default(0),
  PROPERTY(MinPage, MinPage, SetMinPage).Default(0),
  PROPERTY(MaxPage, MaxPage, SetMaxPage).Default(0),
  PROPERTY(Options, Options, SetOptions),
  PROPERTY(PrintToFile, PrintToFile, SetPrintToFile).Default(false),
  PROPERTY(PrintRange, PrintRange, SetPrintRange).Default(prAllPages),
END_PUBLISHED

namespace {

constexpr wchar_t kControlProperty[] = L"DS.StrCommonDialogOldProc";
// The note painted where the platform will put its controls.
const char* DesignText() { return LoadZRString(SZRHostDesignText); }
constexpr int kHelpButton = 1038;  // pshHelp
constexpr int kPrintHostWidth = 432;
constexpr int kPrintHostHeight = 302;

// The enabled, visible top-level windows of this thread, disabled while a
// dialog runs so that only the dialog answers.
struct TaskWindows {
  std::vector<HWND> Disabled;
  void Disable() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
          auto* self = reinterpret_cast<TaskWindows*>(data);
          if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            self->Disabled.push_back(window);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
  }
  void Enable() {
    for (HWND window : Disabled)
      if (IsWindow(window))
        EnableWindow(window, TRUE);
    Disabled.clear();
  }
};

void SetWindowCaption(HWND window, const AnsiString& text) { SetWindowTextW(window, AnsiToWide(text).c_str()); }

// The outer size of a window whose client area is Width x Height.
SIZE OuterSize(HWND window, int width, int height) {
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Inside the dialog, Tab follows the stacking order of the windows, as in
// any dialog, where the form's windows stack with the last made on top. The
// form's windows are stacked in their tab order instead, so that Tab goes
// through them as it does in the form on its own.
void StackInTabOrder(TWinControl& Parent) {
  std::vector<TWinControl*> children;
  for (int i = 0; i < Parent.ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(Parent.Controls(i)); child != nullptr && child->HandleAllocated())
      children.push_back(child);
  std::stable_sort(children.begin(), children.end(),
                   [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  HWND after = HWND_TOP;
  for (TWinControl* child : children) {
    SetWindowPos(child->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = child->Handle();
    StackInTabOrder(*child);
  }
}

}  // namespace

// ---- TFormCommonDialog --------------------------------------------------------------------
TFormCommonDialog::TFormCommonDialog(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 100, 100);
}

TFormCommonDialog::~TFormCommonDialog() {
  if (FShowing)
    ReleaseForm();
}

void TFormCommonDialog::SetTitle(const AnsiString& Value) {
  FTitle = Value;
  if (FDialog != nullptr)
    SetWindowCaption(FDialog, Value);
}

void TFormCommonDialog::Paint() {
  if (!ComponentState().Contains(csDesigning))
    return;
  TCanvas* canvas = Canvas();
  canvas->Brush().SetStyle(bsClear);
  canvas->Rectangle(0, 0, Width(), Height());
  RECT r{4, 4, Width() - 4, Height() - 4};
  const std::wstring text = AnsiToWide(DesignText());
  SetBkMode(canvas->Handle(), TRANSPARENT);
  DrawTextW(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_WORDBREAK);
}

bool TFormCommonDialog::TaskModalDialog(const std::function<bool()>& Dialog) {
  HWND active = GetActiveWindow();
  FHostForm = GetParentForm(this);
  TaskWindows windows;
  windows.Disable();
  struct Restore {
    TFormCommonDialog& Self;
    TaskWindows& Windows;
    HWND Active;
    ~Restore() {
      if (Self.FShowing)
        Self.ReleaseForm();
      Self.FDialog = nullptr;
      if (Self.FHostForm != nullptr)
        Self.FHostForm->Hide();
      Windows.Enable();
      if (Active != nullptr && IsWindow(Active))
        SetActiveWindow(Active);
    }
  } restore{*this, windows, active};
  if (FHostForm != nullptr) {
    // Ready off screen, so that its windows exist when the dialog takes it.
    FHostForm->Hide();
    FHostForm->SetBounds(-2000, -2000, FHostForm->Width(), FHostForm->Height());
    FHostForm->Show();
    EnableWindow(FHostForm->Handle(), TRUE);
  }
  Application->ModalStarted();
  struct Finish {
    ~Finish() { Application->ModalFinished(); }
  } finish;
  return Dialog();
}

UINT_PTR CALLBACK TFormCommonDialog::HookProc(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam) {
  auto* self = static_cast<TFormCommonDialog*>(GetPropW(Dialog, kControlProperty));
  if (Message == WM_INITDIALOG && self == nullptr) {
    // The block of a print dialog carries the control in its custom data.
    auto* block = reinterpret_cast<PRINTDLGW*>(LParam);
    self = block != nullptr ? reinterpret_cast<TFormCommonDialog*>(block->lCustData) : nullptr;
    if (self == nullptr || self->FDialog != nullptr)
      return 0;  // a second dialog of the same run (the printer setup): left alone
    SetPropW(Dialog, kControlProperty, self);
  }
  if (self == nullptr)
    return 0;
  return self->HookMessage(Dialog, Message, WParam, LParam) ? 1 : 0;
}

bool TFormCommonDialog::HookMessage(HWND Dialog, UINT Message, WPARAM WParam, LPARAM) {
  switch (Message) {
    case WM_INITDIALOG:
      FDialog = Dialog;
      DoShow();
      return true;  // the dialog puts the focus on its first control
    case WM_COMMAND:
      if (LOWORD(WParam) == kHelpButton && OnHelp) {
        OnHelp();
        return true;
      }
      return false;
    case WM_DESTROY:
      if (Dialog == FDialog) {
        DoClose();
        RemovePropW(Dialog, kControlProperty);
        FDialog = nullptr;
      }
      return false;
    default:
      return false;
  }
}

void TFormCommonDialog::DoShow() {
  FShowing = true;
  if (FHostForm != nullptr)
    EmbedForm();
  SetWindowCaption(GetDlgItem(FDialog, IDOK), FOkButtonCaption);
  SetWindowCaption(GetDlgItem(FDialog, kHelpButton), FHelpButtonCaption);
  SetWindowCaption(GetDlgItem(FDialog, IDCANCEL), FCancelButtonCaption);
  CentreDialog();
  if (OnShow)
    OnShow(this);
}

void TFormCommonDialog::DoClose() {
  ReleaseForm();
  if (OnClose)
    OnClose(this);
}

// The form becomes a borderless child filling the dialog's client area,
// under the dialog's own controls. The room the control marks at the form's
// left is where those controls go; when the platform's dialog needs more,
// the form's other controls move right by the difference.
void TFormCommonDialog::EmbedForm() {
  HWND form = FHostForm->Handle();
  RECT client{};
  GetClientRect(FDialog, &client);
  const int shift = std::max(0, static_cast<int>(client.right) - Width());
  for (int i = 0; i < FHostForm->ControlCount(); ++i) {
    TControl* control = FHostForm->Controls(i);
    if (control != this && control->Left() >= Width())
      control->SetLeft(control->Left() + shift);
  }
  FShift = shift;
  const int width = FHostForm->ClientWidth() + shift;
  const int height = std::max(static_cast<int>(client.bottom), FHostForm->ClientHeight());
  const SIZE outer = OuterSize(FDialog, width, height);
  SetWindowPos(FDialog, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  GetWindowRect(form, &FSavedBounds);
  FSavedStyle = GetWindowLongPtrW(form, GWL_STYLE);
  FSavedExStyle = GetWindowLongPtrW(form, GWL_EXSTYLE);
  const LONG_PTR frame = WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_BORDER | WS_DLGFRAME |
                         WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  SetWindowLongPtrW(form, GWL_STYLE, (FSavedStyle & ~frame) | WS_CHILD | WS_CLIPSIBLINGS);
  const LONG_PTR exFrame = WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW |
                           WS_EX_CLIENTEDGE;
  SetWindowLongPtrW(form, GWL_EXSTYLE, (FSavedExStyle & ~exFrame) | WS_EX_CONTROLPARENT);
  ::SetParent(form, FDialog);
  StackInTabOrder(*FHostForm);
  SetWindowPos(form, HWND_BOTTOM, 0, 0, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  SetWindowLongPtrW(FDialog, GWL_EXSTYLE, GetWindowLongPtrW(FDialog, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  SetWindowCaption(FDialog, FTitle.empty() ? FHostForm->Caption() : FTitle);
  FEmbedded = true;
}

void TFormCommonDialog::ReleaseForm() {
  if (FEmbedded && FHostForm != nullptr && FHostForm->HandleAllocated()) {
    HWND form = FHostForm->Handle();
    ShowWindow(form, SW_HIDE);
    ::SetParent(form, nullptr);
    SetWindowLongPtrW(form, GWL_STYLE, FSavedStyle);
    SetWindowLongPtrW(form, GWL_EXSTYLE, FSavedExStyle);
    SetWindowPos(form, nullptr, -2000, -2000, FSavedBounds.right - FSavedBounds.left,
                 FSavedBounds.bottom - FSavedBounds.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    for (int i = 0; i < FHostForm->ControlCount(); ++i) {
      TControl* control = FHostForm->Controls(i);
      if (control != this && control->Left() >= Width() + FShift)
        control->SetLeft(control->Left() - FShift);
    }
  }
  FEmbedded = false;
  FShift = 0;
  FShowing = false;
}

// Centred across the screen and a third of the way down what is left of it.
void TFormCommonDialog::CentreDialog() {
  RECT r{};
  GetWindowRect(FDialog, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int top = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 3);
  SetWindowPos(FDialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- TFormPrintCommonDialog ---------------------------------------------------------------
std::function<bool(PRINTDLGW& Block)> TFormPrintCommonDialog::RunDialog = [](PRINTDLGW& block) {
  return RunPrintDlg(block);
};

TFormPrintCommonDialog::TFormPrintCommonDialog(TComponent* AOwner) : TFormCommonDialog(AOwner) {
  SetBounds(0, 0, kPrintHostWidth, kPrintHostHeight);
}

void TFormPrintCommonDialog::SetBounds(int, int, int, int) {
  TFormCommonDialog::SetBounds(0, 0, kPrintHostWidth, kPrintHostHeight);
}

void TFormPrintCommonDialog::SetCopies(int Value) {
  FCopies = Value;
  try {
    Printer().SetCopies(Value);
  } catch (const Exception&) {
    // No printer installed: the dialog itself will say so.
  }
}

bool TFormPrintCommonDialog::Execute() {
  TPrintDialog values(nullptr);
  values.SetCollate(FCollate);
  values.SetCopies(FCopies);
  values.SetFromPage(FFromPage);
  values.SetToPage(FToPage);
  values.SetMinPage(FMinPage);
  values.SetMaxPage(FMaxPage);
  values.SetOptions(FOptions);
  values.SetPrintRange(FPrintRange);
  values.SetPrintToFile(FPrintToFile);
  PRINTDLGW block{};
  block.lStructSize = sizeof(block);
  block.hwndOwner = Application->Handle();
  FillPrintDlg(block, values);
  block.Flags |= PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
  block.lpfnPrintHook = HookProc;
  block.lpfnSetupHook = HookProc;
  block.lCustData = reinterpret_cast<LPARAM>(this);
  if (!TaskModalDialog([&] { return RunDialog && RunDialog(block); }))
    return false;
  ReadPrintDlg(block, values);
  FCollate = values.Collate();
  FPrintToFile = values.PrintToFile();
  FPrintRange = values.PrintRange();
  FFromPage = values.FromPage();
  FToPage = values.ToPage();
  if (values.Copies() != 1) {
    FCopies = values.Copies();
  } else {
    // The driver may keep the copies itself and answer 1.
    try {
      FCopies = Printer().Copies();
    } catch (const Exception&) {
      FCopies = 1;
    }
  }
  return true;
}
