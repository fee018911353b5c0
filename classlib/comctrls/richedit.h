// The rich edit over the system's rich edit class (MSFTEDIT, or RICHED20
// where that is missing): text with styled runs. SelAttributes reads and
// styles the selection, DefAttributes the text typed where nothing is
// styled; Lines is the text, one paragraph per line.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <memory>

#include "classlib/classes/strings.h"
#include "classlib/controls/wincontrol.h"
#include "classlib/graphics/font.h"

class TCustomRichEdit;

enum TAttributeType { atSelected, atDefaultText };
DOZURI_ENUM(TAttributeType, "atSelected", "atDefaultText");

// The character format of the selection or of the default text, read and
// written through the window each time.
class TTextAttributes : public TPersistent {
  DECLARE_CLASS(TTextAttributes, TPersistent)

public:
  TTextAttributes(TCustomRichEdit* RichEdit, TAttributeType AttributeType);

  TColor Color();
  void SetColor(TColor Value);
  TFontStyles Style();
  void SetStyle(TFontStyles Value);
  // Points.
  int Size();
  void SetSize(int Value);
  // Pixels on the screen (negative, as fonts describe character height).
  int Height();
  void SetHeight(int Value);
  AnsiString Name();
  void SetName(const AnsiString& Value);
  TFontCharset Charset();
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch();
  void SetPitch(TFontPitch Value);

  // From a font or other attributes; to a font.
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

private:
  CHARFORMAT2W Get();
  void Set(CHARFORMAT2W& Format);

  TCustomRichEdit* FRichEdit;
  TAttributeType FType;
};

class TCustomRichEdit : public TWinControl {
  DECLARE_CLASS(TCustomRichEdit, TWinControl)

public:
  explicit TCustomRichEdit(TComponent* AOwner);
  ~TCustomRichEdit() override;

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value);
  TTextAttributes* SelAttributes() const { return FSelAttributes.get(); }
  void SetSelAttributes(TTextAttributes* Value) { FSelAttributes->Assign(Value); }
  TTextAttributes* DefAttributes() const { return FDefAttributes.get(); }
  void SetDefAttributes(TTextAttributes* Value) { FDefAttributes->Assign(Value); }
  // Text loaded into Lines is taken as plain text, never as RTF.
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool Value) { FPlainText = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  // 0 = the class's own limit.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool Modified();
  void SetModified(bool Value);

  // Character positions; a paragraph end counts as one character.
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  AnsiString SelText();
  void SetSelText(const AnsiString& Value);
  void SelectAll();
  void Clear();
  // The number of characters, counted as SelStart counts them.
  int GetTextLen();
  // The position of the first character of a line (-1 past the last line).
  int LineIndex(int Line);
  int LineFromChar(int Position);
  // The caret's line (Y) and column (X).
  TPoint CaretPos();

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelectionChange;

protected:
  friend class TTextAttributes;
  friend class TRichEditStrings;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void SelectionChange();

private:
  void CNCommand(TMessage& Message);
  void CNNotify(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);

  std::unique_ptr<TStrings> FLines;
  std::unique_ptr<TTextAttributes> FSelAttributes;
  std::unique_ptr<TTextAttributes> FDefAttributes;
  bool FPlainText = false;
  bool FReadOnly = false;
  bool FWordWrap = true;
  bool FHideSelection = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  int FMaxLength = 0;
  AnsiString FRtfKept;  // the text with its runs while the window is remade
};

class TRichEdit : public TCustomRichEdit {
  DECLARE_CLASS(TRichEdit, TCustomRichEdit)

public:
  explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};
