// A dialog service for tests: every dialog is answered from a script and
// recorded, and nothing ever waits for a user.
//
//   TScriptedDialogService dialogs;
//   TDialogServiceScope scope(dialogs);
//   dialogs.AnswerButton(mrYes).AnswerText("42");
//   ... code that asks MessageDlg, then InputQuery ...
//   EXPECT_EQ(dialogs.Records()[0].Text, "Delete the record?");
//
// Answers are used in the order given, one per dialog. A dialog with no
// answer left, or with an answer of the wrong kind, raises EDialogNotScripted.
// Modal forms go to OnModalForm, which drives the form and sets its
// ModalResult; ShowModal returns that result.
#pragma once
#include <deque>
#include <functional>
#include <vector>

#include "classlib/forms/dialogs.h"

DOZURI_EXCEPTION(EDialogNotScripted, Exception);

enum class TDialogKind { MessageDlg, MessageBox, InputQuery, OpenFile, SaveFile, Color, Font, Print, PrinterSetup, ModalForm };

// What a dialog asked.
struct TDialogRecord {
  TDialogKind Kind = TDialogKind::MessageDlg;
  AnsiString Caption;  // window caption or dialog title
  AnsiString Text;     // message text or input prompt
  TMsgDlgType DlgType = mtCustom;  // message dialogs
  TMsgDlgButtons Buttons;          // message dialogs
  UINT Flags = 0;                  // message boxes: the MB_ buttons and icon; print blocks: the PD_ flags
  AnsiString Value;                // input queries and file dialogs: the initial text or file name
  AnsiString Filter;               // file dialogs
  AnsiString DefaultExt;
  AnsiString InitialDir;
  TOpenOptions Options;
  AnsiString FormClass;            // modal forms: the form's class name
  int X = -1, Y = -1;              // MessageDlgPos
};

class TScriptedDialogService : public TDialogService {
public:
  // A message dialog's modal result (mrYes ...) or a message box's button (IDYES ...).
  TScriptedDialogService& AnswerButton(int Result);
  // An input query accepted with this text.
  TScriptedDialogService& AnswerText(const AnsiString& Text);
  // A file dialog accepted with this file (and filter index, 0: unchanged).
  TScriptedDialogService& AnswerFile(const AnsiString& FileName, int FilterIndex = 0);
  TScriptedDialogService& AnswerColor(TColor Color);
  // A font dialog accepted with this face and size.
  TScriptedDialogService& AnswerFont(const AnsiString& Name, int Size);
  // A print or printer setup dialog accepted as it stands.
  TScriptedDialogService& AnswerAccept();
  // Any dialog cancelled (mrCancel, IDCANCEL, false).
  TScriptedDialogService& AnswerCancel();

  std::function<void(TCustomForm& Form)> OnModalForm;
  // Called with the block of an accepted ExecutePrintBlock: writes the
  // user's choice (copies, device mode fields) into it.
  std::function<void(PRINTDLGW& Block)> OnPrintBlock;

  const std::vector<TDialogRecord>& Records() const { return records_; }
  // Answers given but not used yet.
  int Pending() const { return static_cast<int>(answers_.size()); }
  void Clear();

  TModalResult MessageDlg(const TMessageDlgRequest& Request) override;
  int MessageBox(const TMessageBoxRequest& Request) override;
  bool InputQuery(const AnsiString& Caption, const AnsiString& Prompt, AnsiString& Value) override;
  bool ExecuteFileDialog(TOpenDialog& Dialog, bool Save) override;
  bool ExecuteColorDialog(TColorDialog& Dialog) override;
  bool ExecuteFontDialog(TFontDialog& Dialog) override;
  bool ExecutePrintDialog(TPrintDialog& Dialog) override;
  bool ExecutePrinterSetupDialog(TPrinterSetupDialog& Dialog) override;
  // Recorded as a print dialog with the block's flags.
  bool ExecutePrintBlock(PRINTDLGW& Block) override;
  TModalResult ShowModal(TCustomForm& Form) override;

private:
  enum class AnswerKind { Button, Text, File, Color, Font, Accept, Cancel };
  struct Answer {
    AnswerKind Kind;
    int Number = 0;  // button, filter index, colour or font size
    AnsiString Text; // text, file name or font name
  };
  // The next answer, which must be of the kind wanted or a cancel.
  Answer Take(AnswerKind wanted, const TDialogRecord& record);
  TDialogRecord& Record(TDialogRecord record);

  std::deque<Answer> answers_;
  std::vector<TDialogRecord> records_;
};
