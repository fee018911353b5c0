// The program's dialog service: the real Win32 dialogs and modal loops.
#pragma once
#include <windows.h>

#include <commdlg.h>

#include "classlib/forms/dialogservice.h"

class TPrintDialog;

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

// The print dialog block of a print dialog component: the flags for its
// options, range, collate and print-to-file, its copies and page numbers.
// Hooks and owner are the caller's. Every print dialog of the program
// fills its block here, so they all offer the same choices.
void FillPrintDlg(PRINTDLGW& pd, const TPrintDialog& Dialog);
// The answers of a confirmed print dialog block back into the component.
void ReadPrintDlg(const PRINTDLGW& pd, TPrintDialog& Dialog);
// Runs PrintDlgW on the program's printer with the block as filled; when
// confirmed, the printer chosen becomes the program's printer. False when
// cancelled or when the dialog cannot show (no printer, for one).
bool RunPrintDlg(PRINTDLGW& pd);
// The blocks of a print dialog: a copy of a global memory block (a device
// mode; nullptr gives nullptr) and the DEVNAMES block of a device.
HGLOBAL CopyGlobal(HGLOBAL Source);
HGLOBAL MakeDevNames(const AnsiString& Device, const AnsiString& Driver, const AnsiString& Port);
