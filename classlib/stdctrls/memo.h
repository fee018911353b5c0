// A multi-line edit over the system's EDIT class. Lines are the text's
// lines as separated by CR LF (a trailing line break adds no empty line);
// WantReturns and WantTabs decide whether Enter and Tab type into the memo
// or go to the form (default button, next control).
#pragma once
#include <memory>

#include "classlib/classes/strings.h"
#include "classlib/controls/scrollstyle.h"
#include "classlib/controls/stdctrls.h"

class TCustomMemo;

// The lines of a memo, read from and written to its text.
class TMemoStrings : public TStrings {
  DECLARE_CLASS(TMemoStrings, TStrings)

public:
  explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

  int Count() const override;
  void Insert(int index, const AnsiString& text) override;
  void Delete(int index) override;
  void Clear() override;
  AnsiString Text() const override;
  void SetText(const AnsiString& text) override;

protected:
  AnsiString Get(int index) const override;
  void Put(int index, const AnsiString& text) override;

private:
  std::vector<AnsiString> Split() const;
  void Join(const std::vector<AnsiString>& lines);
  void CheckIndex(int index, int count) const;

  TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
  DECLARE_CLASS(TCustomMemo, TCustomEdit)

public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The caret position: line (Y) and column (X).
  TPoint CaretPos();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(char& Key) override;

private:
  void WMGetDlgCode(TMessage& Message);
  void CMTextChanged(TMessage& Message) override;

  std::unique_ptr<TMemoStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
  DECLARE_CLASS(TMemo, TCustomMemo)

public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};
