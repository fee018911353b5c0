// The program's dialog service: the real Win32 dialogs and modal loops.
#pragma once
#include "classlib/forms/dialogservice.h"

class TWin32DialogService : public TDialogService {
public:
  TModalResult MessageDlg(const TMessageDlgRequest& Request) override;
  int MessageBox(const TMessageBoxRequest& Request) override;
  bool InputQuery(const AnsiString& Caption, const AnsiString& Prompt, AnsiString& Value) override;
  bool ExecuteFileDialog(TOpenDialog& Dialog, bool Save) override;
  bool ExecuteColorDialog(TColorDialog& Dialog) override;
  bool ExecuteFontDialog(TFontDialog& Dialog) override;
  bool ExecutePrintDialog(TPrintDialog& Dialog) override;
  bool ExecutePrinterSetupDialog(TPrinterSetupDialog& Dialog) override;
  TModalResult ShowModal(TCustomForm& Form) override;
};

// The one instance the program uses.
TDialogService& Win32DialogService();

// The filter of an open or save dialog ("Text|*.txt|All|*.*") as
// OPENFILENAMEW wants it: pairs separated and ended by zeros.
std::wstring CommonDialogFilter(const AnsiString& Filter);
// The file names OPENFILENAMEW gives back: one full name, or with multiple
// selection a folder followed by the names in it.
std::vector<AnsiString> CommonDialogFiles(const wchar_t* Buffer, bool MultiSelect);

// The blocks of a print dialog: a copy of a global memory block (a device
// mode; nullptr gives nullptr) and the DEVNAMES block of a device.
HGLOBAL CopyGlobal(HGLOBAL Source);
HGLOBAL MakeDevNames(const AnsiString& Device, const AnsiString& Driver, const AnsiString& Port);
