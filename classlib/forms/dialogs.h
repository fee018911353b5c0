// The common dialogs as components, the message dialogs and the input
// query. Every one of them is shown through the dialog service
// (dialogservice.h), so tests can answer them.
#pragma once
#include <memory>

#include "classlib/classes/component.h"
#include "classlib/classes/strings.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/forms/forms.h"
#include "classlib/forms/msgform.h"
#include "classlib/graphics/font.h"
#include "classlib/system/format.h"

// ---- Common dialogs -----------------------------------------------------------------
class TCommonDialog : public TComponent {
  DECLARE_CLASS(TCommonDialog, TComponent)

public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the dialog; true when the user accepted.
  virtual bool Execute() = 0;
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

private:
  int helpContext_ = 0;
};

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden
};
DOZURI_ENUM(TOpenOption, "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
            "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist",
            "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton",
            "ofNoLongNames", "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify",
            "ofEnableSizing", "ofDontAddToRecent", "ofForceShowHidden");
DOZURI_SET(TOpenOptions, TOpenOption);

// Open and save dialogs. Filter is "Description|*.ext;*.ext2|...";
// FilterIndex counts from 1. DefaultExt is added (without its dot) to a name
// typed without an extension.
class TOpenDialog : public TCommonDialog {
  DECLARE_CLASS(TOpenDialog, TCommonDialog)

public:
  explicit TOpenDialog(TComponent* AOwner);
  bool Execute() override;
  virtual bool IsSaveDialog() const { return false; }

  const AnsiString& FileName() const { return fileName_; }
  void SetFileName(const AnsiString& Value) { fileName_ = Value; }
  // Every file chosen (several with ofAllowMultiSelect).
  TStrings* Files() const { return files_.get(); }
  const AnsiString& Filter() const { return filter_; }
  void SetFilter(const AnsiString& Value) { filter_ = Value; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int Value) { filterIndex_ = Value; }
  const AnsiString& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const AnsiString& Value) { defaultExt_ = Value; }
  const AnsiString& InitialDir() const { return initialDir_; }
  void SetInitialDir(const AnsiString& Value) { initialDir_ = Value; }
  const AnsiString& Title() const { return title_; }
  void SetTitle(const AnsiString& Value) { title_ = Value; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions Value) { options_ = Value; }

private:
  AnsiString fileName_;
  std::unique_ptr<TStringList> files_;
  AnsiString filter_;
  int filterIndex_ = 1;
  AnsiString defaultExt_;
  AnsiString initialDir_;
  AnsiString title_;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
  DECLARE_CLASS(TSaveDialog, TOpenDialog)

public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
  bool IsSaveDialog() const override { return true; }
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
DOZURI_ENUM(TColorDialogOption, "cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor", "cdAnyColor");
DOZURI_SET(TColorDialogOptions, TColorDialogOption);

class TColorDialog : public TCommonDialog {
  DECLARE_CLASS(TColorDialog, TCommonDialog)

public:
  explicit TColorDialog(TComponent* AOwner);
  bool Execute() override;

  TColor Color() const { return color_; }
  void SetColor(TColor Value) { color_ = Value; }
  // "ColorA=RRGGBB" ... "ColorP=..." as the platform keeps the custom colours.
  TStrings* CustomColors() const { return customColors_.get(); }
  TColorDialogOptions Options() const { return options_; }
  void SetOptions(TColorDialogOptions Value) { options_ = Value; }

private:
  TColor color_ = clBlack;
  std::unique_ptr<TStringList> customColors_;
  TColorDialogOptions options_;
};

enum TFontDialogOption {
  fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel, fdNoOEMFonts,
  fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize,
  fdScalableOnly, fdApplyButton
};
DOZURI_ENUM(TFontDialogOption, "fdAnsiOnly", "fdTrueTypeOnly", "fdEffects", "fdFixedPitchOnly",
            "fdForceFontExist", "fdNoFaceSel", "fdNoOEMFonts", "fdNoSimulations", "fdNoSizeSel", "fdNoStyleSel",
            "fdNoVectorFonts", "fdShowHelp", "fdWysiwyg", "fdLimitSize", "fdScalableOnly", "fdApplyButton");
DOZURI_SET(TFontDialogOptions, TFontDialogOption);

class TFontDialog : public TCommonDialog {
  DECLARE_CLASS(TFontDialog, TCommonDialog)

public:
  explicit TFontDialog(TComponent* AOwner);
  bool Execute() override;

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  TFontDialogOptions Options() const { return options_; }
  void SetOptions(TFontDialogOptions Value) { options_ = Value; }
  int MinFontSize() const { return minFontSize_; }
  void SetMinFontSize(int Value) { minFontSize_ = Value; }
  int MaxFontSize() const { return maxFontSize_; }
  void SetMaxFontSize(int Value) { maxFontSize_ = Value; }

private:
  std::unique_ptr<TFont> font_;
  TFontDialogOptions options_{fdEffects};
  int minFontSize_ = 0;
  int maxFontSize_ = 0;
};

enum TPrintRange { prAllPages, prSelection, prPageNums };
DOZURI_ENUM(TPrintRange, "prAllPages", "prSelection", "prPageNums");
enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };
DOZURI_ENUM(TPrintDialogOption, "poPrintToFile", "poPageNums", "poSelection", "poWarning", "poHelp",
            "poDisablePrintToFile");
DOZURI_SET(TPrintDialogOptions, TPrintDialogOption);

// The print dialog; the printer chosen becomes the program's printer.
class TPrintDialog : public TCommonDialog {
  DECLARE_CLASS(TPrintDialog, TCommonDialog)

public:
  explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  bool Execute() override;

  bool Collate() const { return collate_; }
  void SetCollate(bool Value) { collate_ = Value; }
  int Copies() const { return copies_; }
  void SetCopies(int Value) { copies_ = Value; }
  int FromPage() const { return fromPage_; }
  void SetFromPage(int Value) { fromPage_ = Value; }
  int ToPage() const { return toPage_; }
  void SetToPage(int Value) { toPage_ = Value; }
  int MinPage() const { return minPage_; }
  void SetMinPage(int Value) { minPage_ = Value; }
  int MaxPage() const { return maxPage_; }
  void SetMaxPage(int Value) { maxPage_ = Value; }
  TPrintDialogOptions Options() const { return options_; }
  void SetOptions(TPrintDialogOptions Value) { options_ = Value; }
  TPrintRange PrintRange() const { return printRange_; }
  void SetPrintRange(TPrintRange Value) { printRange_ = Value; }
  bool PrintToFile() const { return printToFile_; }
  void SetPrintToFile(bool Value) { printToFile_ = Value; }

private:
  bool collate_ = false;
  int copies_ = 0;
  int fromPage_ = 0, toPage_ = 0, minPage_ = 0, maxPage_ = 0;
  TPrintDialogOptions options_;
  TPrintRange printRange_ = prAllPages;
  bool printToFile_ = false;
};

// The print dialog's flags for the options, range and switches (the text and
// the banded engine's print dialogs fill the platform's block with them), and
// the range the returned flags choose.
DWORD PrintDialogFlags(TPrintDialogOptions Options, TPrintRange Range, bool Collate, bool PrintToFile);
TPrintRange PrintRangeFromFlags(DWORD Flags);

// The printer setup dialog; the printer chosen becomes the program's printer.
class TPrinterSetupDialog : public TCommonDialog {
  DECLARE_CLASS(TPrinterSetupDialog, TCommonDialog)

public:
  explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  bool Execute() override;
};

// ---- Message dialogs ------------------------------------------------------------------
// The modal result of the button chosen.
TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
TModalResult MessageDlgPos(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                           int X, int Y);
// An OK box captioned with the application's title.
void ShowMessage(const AnsiString& Msg);
void ShowMessageFmt(const AnsiString& Msg, std::initializer_list<TVarRec> Params);

// Asks for a line of text: true (and Value changed) when the user pressed OK.
bool InputQuery(const AnsiString& ACaption, const AnsiString& APrompt, AnsiString& Value);
// The text typed, or Default when the user cancelled.
AnsiString InputBox(const AnsiString& ACaption, const AnsiString& APrompt, const AnsiString& ADefault);
