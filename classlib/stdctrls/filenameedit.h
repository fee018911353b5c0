// An edit for a file name with a button inside its right edge that opens
// the open (or save) dialog through the dialog service, with the edit's
// Filter, FilterIndex, DefaultExt and InitialDir and the current name; the
// chosen name replaces the text. Ctrl+Enter opens the dialog too.
#pragma once
#include "classlib/controls/stdctrls.h"

enum TFileDialogKind { dkOpen, dkSave };
DOZURI_ENUM(TFileDialogKind, "dkOpen", "dkSave");

class TFilenameEdit : public TCustomEdit {
  DECLARE_CLASS(TFilenameEdit, TCustomEdit)

public:
  explicit TFilenameEdit(TComponent* AOwner);

  AnsiString FileName() const { return Text(); }
  void SetFileName(const AnsiString& Value) { SetText(Value); }
  const AnsiString& Filter() const { return FFilter; }
  void SetFilter(const AnsiString& Value) { FFilter = Value; }
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const AnsiString& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const AnsiString& Value) { FDefaultExt = Value; }
  const AnsiString& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const AnsiString& Value) { FInitialDir = Value; }
  const AnsiString& DialogTitle() const { return FDialogTitle; }
  void SetDialogTitle(const AnsiString& Value) { FDialogTitle = Value; }
  TFileDialogKind DialogKind() const { return FDialogKind; }
  void SetDialogKind(TFileDialogKind Value) { FDialogKind = Value; }
  // Opens the dialog as the button does; true when a file was chosen.
  bool ButtonClick();
  HWND ButtonHandle() const { return FButton; }

  void Dispatch(TMessage& Message) override;

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

private:
  void PlaceButton();

  AnsiString FFilter = "All files (*.*)|*.*";
  int FFilterIndex = 1;
  AnsiString FDefaultExt;
  AnsiString FInitialDir;
  AnsiString FDialogTitle;
  TFileDialogKind FDialogKind = dkOpen;
  HWND FButton = nullptr;
};
