#include "classlib/stdctrls/filenameedit.h"

#include <memory>

#include "classlib/forms/dialogs.h"

BEGIN_PUBLISHED(TFilenameEdit)
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(AutoSelect, AutoSelect, SetAutoSelect).Default(true),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(DefaultExt, DefaultExt, SetDefaultExt),
  PROPERTY(DialogKind, DialogKind, SetDialogKind).Default(dkOpen),
  PROPERTY(DialogTitle, DialogTitle, SetDialogTitle),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(FileName, FileName, SetFileName),
  PROPERTY(Filter, Filter, SetFilter),
  PROPERTY(FilterIndex, FilterIndex, SetFilterIndex).Default(1),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(InitialDir, InitialDir, SetInitialDir),
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
END_PUBLISHED

namespace {
constexpr int kButtonWidth = 21;

// The folder part of a path ("" for a bare name).
AnsiString FolderOf(const AnsiString& path) {
  std::size_t slash = path.find_last_of("\\/");
  return slash == AnsiString::npos ? AnsiString() : path.substr(0, slash);
}
}  // namespace

TFilenameEdit::TFilenameEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TFilenameEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  FButton = CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, kButtonWidth,
                            Height(), FHandle, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(FButton, WM_SETFONT, SendMessageW(FHandle, WM_GETFONT, 0, 0), FALSE);
  PlaceButton();
}

void TFilenameEdit::DestroyWnd() {
  FButton = nullptr;  // goes with the edit's window
  TCustomEdit::DestroyWnd();
}

void TFilenameEdit::PlaceButton() {
  if (FButton == nullptr)
    return;
  RECT client;
  GetClientRect(FHandle, &client);
  SetWindowPos(FButton, nullptr, client.right - kButtonWidth, 0, kButtonWidth, client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(FHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kButtonWidth + 2));
}

bool TFilenameEdit::ButtonClick() {
  std::unique_ptr<TOpenDialog, void (*)(TOpenDialog*)> dialog(
      FDialogKind == dkSave ? new TSaveDialog(nullptr) : new TOpenDialog(nullptr),
      [](TOpenDialog* d) { d->Free(); });
  AnsiString current = FileName();
  dialog->SetFilter(FFilter);
  dialog->SetFilterIndex(FFilterIndex);
  dialog->SetDefaultExt(FDefaultExt);
  dialog->SetInitialDir(FInitialDir.empty() ? FolderOf(current) : FInitialDir);
  dialog->SetTitle(FDialogTitle);
  dialog->SetFileName(current);
  if (!dialog->Execute())
    return false;
  FFilterIndex = dialog->FilterIndex();
  SetFileName(dialog->FileName());
  SetModified(true);
  if (CanFocus())
    SetFocus();
  return true;
}

void TFilenameEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_COMMAND && FButton != nullptr && reinterpret_cast<HWND>(Message.LParam) == FButton) {
    if (HIWORD(Message.WParam) == BN_CLICKED && !ReadOnly())
      ButtonClick();
    Message.Result = 0;
    return;
  }
  TCustomEdit::Dispatch(Message);
  if (Message.Msg == WM_SIZE)
    PlaceButton();
}

void TFilenameEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (Key == VK_RETURN && Shift == TShiftState{ssCtrl} && !ReadOnly()) {
    ButtonClick();
    Key = 0;
  }
}
