#include "classlib/forms/dialogs.h"

#include "classlib/forms/application.h"

// ---- Common dialogs -------------------------------------------------------------------
IMPLEMENT_CLASS(TCommonDialog)

BEGIN_PUBLISHED(TOpenDialog)
  PROPERTY(DefaultExt, DefaultExt, SetDefaultExt),
  PROPERTY(FileName, FileName, SetFileName),
  PROPERTY(Filter, Filter, SetFilter),
  PROPERTY(FilterIndex, FilterIndex, SetFilterIndex).Default(1),
  PROPERTY(InitialDir, InitialDir, SetInitialDir),
  PROPERTY(Options, Options, SetOptions).Default(TOpenOptions{ofHideReadOnly, ofEnableSizing}),
  PROPERTY(Title, Title, SetTitle),
END_PUBLISHED

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), files_(std::make_unique<TStringList>()) {}

bool TOpenDialog::Execute() {
  if (OnShow)
    OnShow(this);
  const bool accepted = DialogService().ExecuteFileDialog(*this, IsSaveDialog());
  if (OnClose)
    OnClose(this);
  return accepted;
}

IMPLEMENT_CLASS(TSaveDialog)

BEGIN_PUBLISHED(TColorDialog)
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Default(clBlack),
  PROPERTY(Options, Options, SetOptions).Default(0),
END_PUBLISHED

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), customColors_(std::make_unique<TStringList>()) {}

bool TColorDialog::Execute() { return DialogService().ExecuteColorDialog(*this); }

BEGIN_PUBLISHED(TFontDialog)
  PROPERTY(Font, Font, SetFont),
  PROPERTY(MaxFontSize, MaxFontSize, SetMaxFontSize).Default(0),
  PROPERTY(MinFontSize, MinFontSize, SetMinFontSize).Default(0),
  PROPERTY(Options, Options, SetOptions).Default(TFontDialogOptions{fdEffects}),
END_PUBLISHED

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), font_(std::make_unique<TFont>()) {}

bool TFontDialog::Execute() { return DialogService().ExecuteFontDialog(*this); }

BEGIN_PUBLISHED(TPrintDialog)
  PROPERTY(Collate, Collate, SetCollate).Default(false),
  PROPERTY(Copies, Copies, SetCopies).Default(0),
  PROPERTY(FromPage, FromPage, SetFromPage).Default(0),
  PROPERTY(MaxPage, MaxPage, SetMaxPage).Default(0),
  PROPERTY(MinPage, MinPage, SetMinPage).Default(0),
  PROPERTY(Options, Options, SetOptions).Default(0),
  PROPERTY(PrintRange, PrintRange, SetPrintRange).Default(prAllPages),
  PROPERTY(PrintToFile, PrintToFile, SetPrintToFile).Default(false),
  PROPERTY(ToPage, ToPage, SetToPage).Default(0),
END_PUBLISHED

bool TPrintDialog::Execute() { return DialogService().ExecutePrintDialog(*this); }

DWORD PrintDialogFlags(TPrintDialogOptions Options, TPrintRange Range, bool Collate, bool PrintToFile) {
  DWORD flags = 0;
  if (!Options.Contains(poPrintToFile))
    flags |= PD_HIDEPRINTTOFILE;
  if (!Options.Contains(poPageNums))
    flags |= PD_NOPAGENUMS;
  if (!Options.Contains(poSelection))
    flags |= PD_NOSELECTION;
  if (Options.Contains(poDisablePrintToFile))
    flags |= PD_DISABLEPRINTTOFILE;
  if (Options.Contains(poHelp))
    flags |= PD_SHOWHELP;
  if (!Options.Contains(poWarning))
    flags |= PD_NOWARNING;
  if (Range == prSelection)
    flags |= PD_SELECTION;
  else if (Range == prPageNums)
    flags |= PD_PAGENUMS;
  if (Collate)
    flags |= PD_COLLATE;
  if (PrintToFile)
    flags |= PD_PRINTTOFILE;
  return flags;
}

TPrintRange PrintRangeFromFlags(DWORD Flags) {
  return (Flags & PD_SELECTION) ? prSelection : (Flags & PD_PAGENUMS) ? prPageNums : prAllPages;
}

IMPLEMENT_CLASS(TPrinterSetupDialog)

bool TPrinterSetupDialog::Execute() { return DialogService().ExecutePrinterSetupDialog(*this); }

// ---- Message dialogs and input --------------------------------------------------------
TModalResult MessageDlgPos(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                           int X, int Y) {
  return DialogService().MessageDlg(
      TMessageDlgRequest{MessageDlgCaption(DlgType), Msg, DlgType, Buttons, HelpCtx, X, Y});
}

TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

void ShowMessage(const AnsiString& Msg) { MessageDlgPos(Msg, mtCustom, TMsgDlgButtons{mbOK}, 0, -1, -1); }

void ShowMessageFmt(const AnsiString& Msg, std::initializer_list<TVarRec> Params) {
  ShowMessage(Format(Msg, Params));
}

bool InputQuery(const AnsiString& ACaption, const AnsiString& APrompt, AnsiString& Value) {
  return DialogService().InputQuery(ACaption, APrompt, Value);
}

AnsiString InputBox(const AnsiString& ACaption, const AnsiString& APrompt, const AnsiString& ADefault) {
  AnsiString value = ADefault;
  InputQuery(ACaption, APrompt, value);
  return value;
}
