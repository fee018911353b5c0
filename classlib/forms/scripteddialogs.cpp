#include "classlib/forms/scripteddialogs.h"

namespace {

const char* KindName(TDialogKind kind) {
  static const char* const names[] = {"message dialog", "message box",   "input query", "open dialog",
                                      "save dialog",    "colour dialog", "font dialog", "print dialog",
                                      "printer setup dialog", "modal form"};
  return names[static_cast<int>(kind)];
}

}  // namespace

TScriptedDialogService& TScriptedDialogService::AnswerButton(int Result) {
  answers_.push_back({AnswerKind::Button, Result, {}});
  return *this;
}

TScriptedDialogService& TScriptedDialogService::AnswerText(const AnsiString& Text) {
  answers_.push_back({AnswerKind::Text, 0, Text});
  return *this;
}

TScriptedDialogService& TScriptedDialogService::AnswerFile(const AnsiString& FileName, int FilterIndex) {
  answers_.push_back({AnswerKind::File, FilterIndex, FileName});
  return *this;
}

TScriptedDialogService& TScriptedDialogService::AnswerColor(TColor Color) {
  answers_.push_back({AnswerKind::Color, Color, {}});
  return *this;
}

TScriptedDialogService& TScriptedDialogService::AnswerFont(const AnsiString& Name, int Size) {
  answers_.push_back({AnswerKind::Font, Size, Name});
  return *this;
}

TScriptedDialogService& TScriptedDialogService::AnswerAccept() {
  answers_.push_back({AnswerKind::Accept, 0, {}});
  return *this;
}

TScriptedDialogService& TScriptedDialogService::AnswerCancel() {
  answers_.push_back({AnswerKind::Cancel, 0, {}});
  return *this;
}

void TScriptedDialogService::Clear() {
  answers_.clear();
  records_.clear();
}

TDialogRecord& TScriptedDialogService::Record(TDialogRecord record) {
  records_.push_back(std::move(record));
  return records_.back();
}

TScriptedDialogService::Answer TScriptedDialogService::Take(AnswerKind wanted, const TDialogRecord& record) {
  const AnsiString what = AnsiString(KindName(record.Kind)) + " \"" + record.Caption + "\" (" + record.Text + ")";
  if (answers_.empty())
    throw EDialogNotScripted("No scripted answer for the " + what);
  Answer answer = answers_.front();
  if (answer.Kind != wanted && answer.Kind != AnswerKind::Cancel)
    throw EDialogNotScripted("The next scripted answer does not fit the " + what);
  answers_.pop_front();
  return answer;
}

TModalResult TScriptedDialogService::MessageDlg(const TMessageDlgRequest& Request) {
  TDialogRecord r;
  r.Kind = TDialogKind::MessageDlg;
  r.Caption = Request.Caption;
  r.Text = Request.Text;
  r.DlgType = Request.DlgType;
  r.Buttons = Request.Buttons;
  r.X = Request.X;
  r.Y = Request.Y;
  const Answer a = Take(AnswerKind::Button, Record(r));
  return a.Kind == AnswerKind::Cancel ? mrCancel : a.Number;
}

int TScriptedDialogService::MessageBox(const TMessageBoxRequest& Request) {
  TDialogRecord r;
  r.Kind = TDialogKind::MessageBox;
  r.Caption = Request.Caption;
  r.Text = Request.Text;
  r.Flags = Request.Flags;
  const Answer a = Take(AnswerKind::Button, Record(r));
  return a.Kind == AnswerKind::Cancel ? IDCANCEL : a.Number;
}

bool TScriptedDialogService::InputQuery(const AnsiString& Caption, const AnsiString& Prompt, AnsiString& Value) {
  TDialogRecord r;
  r.Kind = TDialogKind::InputQuery;
  r.Caption = Caption;
  r.Text = Prompt;
  r.Value = Value;
  const Answer a = Take(AnswerKind::Text, Record(r));
  if (a.Kind == AnswerKind::Cancel)
    return false;
  Value = a.Text;
  return true;
}

bool TScriptedDialogService::ExecuteFileDialog(TOpenDialog& Dialog, bool Save) {
  TDialogRecord r;
  r.Kind = Save ? TDialogKind::SaveFile : TDialogKind::OpenFile;
  r.Caption = Dialog.Title();
  r.Value = Dialog.FileName();
  r.Filter = Dialog.Filter();
  r.DefaultExt = Dialog.DefaultExt();
  r.InitialDir = Dialog.InitialDir();
  r.Options = Dialog.Options();
  const Answer a = Take(AnswerKind::File, Record(r));
  if (a.Kind == AnswerKind::Cancel)
    return false;
  // A name typed without an extension gets the default one, as the system's dialog does.
  AnsiString name = a.Text;
  const std::size_t slash = name.find_last_of("\\/");
  const std::size_t dot = name.rfind('.');
  if (!Dialog.DefaultExt().empty() && (dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash))) {
    AnsiString ext = Dialog.DefaultExt();
    name += ext[0] == '.' ? ext : "." + ext;
  }
  Dialog.SetFileName(name);
  Dialog.Files()->Clear();
  Dialog.Files()->Add(name);
  if (a.Number > 0)
    Dialog.SetFilterIndex(a.Number);
  return true;
}

bool TScriptedDialogService::ExecuteColorDialog(TColorDialog& Dialog) {
  TDialogRecord r;
  r.Kind = TDialogKind::Color;
  const Answer a = Take(AnswerKind::Color, Record(r));
  if (a.Kind == AnswerKind::Cancel)
    return false;
  Dialog.SetColor(a.Number);
  return true;
}

bool TScriptedDialogService::ExecuteFontDialog(TFontDialog& Dialog) {
  TDialogRecord r;
  r.Kind = TDialogKind::Font;
  r.Value = Dialog.Font()->Name();
  const Answer a = Take(AnswerKind::Font, Record(r));
  if (a.Kind == AnswerKind::Cancel)
    return false;
  Dialog.Font()->SetName(a.Text);
  Dialog.Font()->SetSize(a.Number);
  return true;
}

bool TScriptedDialogService::ExecutePrintDialog(TPrintDialog& Dialog) {
  TDialogRecord r;
  r.Kind = TDialogKind::Print;
  return Take(AnswerKind::Accept, Record(r)).Kind != AnswerKind::Cancel;
}

bool TScriptedDialogService::ExecutePrintBlock(PRINTDLGW& Block) {
  TDialogRecord r;
  r.Kind = TDialogKind::Print;
  r.Flags = Block.Flags;
  if (Take(AnswerKind::Accept, Record(r)).Kind == AnswerKind::Cancel)
    return false;
  if (OnPrintBlock)
    OnPrintBlock(Block);
  return true;
}

bool TScriptedDialogService::ExecutePrinterSetupDialog(TPrinterSetupDialog& Dialog) {
  TDialogRecord r;
  r.Kind = TDialogKind::PrinterSetup;
  return Take(AnswerKind::Accept, Record(r)).Kind != AnswerKind::Cancel;
}

TModalResult TScriptedDialogService::ShowModal(TCustomForm& Form) {
  TDialogRecord r;
  r.Kind = TDialogKind::ModalForm;
  r.Caption = Form.Caption();
  r.FormClass = Form.ClassName();
  Record(r);
  if (!OnModalForm)
    throw EDialogNotScripted("No test drives the modal form \"" + r.Caption + "\"");
  Form.SetModalResult(mrNone);
  OnModalForm(Form);
  if (Form.ModalResult() == mrNone)
    throw EDialogNotScripted("The modal form \"" + r.Caption + "\" was left without a ModalResult");
  return Form.ModalResult();
}
