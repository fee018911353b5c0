#include "components/vtbtnedit.h"

#include <algorithm>
#include <memory>

#include "classlib/graphics/clipbrd.h"

namespace {

constexpr int kDefaultButtonWidth = 21;

// The open-folder picture, shared by every edit button that shows it.
std::unique_ptr<TBitmap>& SharedOpenDirGlyph() {
  static std::unique_ptr<TBitmap> glyph;
  return glyph;
}

// Loads the picture when it is not loaded yet; an empty picture when the
// program carries no such resource.
TBitmap* OpenDirGlyph() {
  std::unique_ptr<TBitmap>& glyph = SharedOpenDirGlyph();
  if (glyph == nullptr) {
    glyph = std::make_unique<TBitmap>();
    if (FindResourceW(GetModuleHandleW(nullptr), L"OPENDIR", MAKEINTRESOURCEW(2)) != nullptr)
      glyph->LoadFromResourceName(GetModuleHandleW(nullptr), "OPENDIR");
  }
  return glyph.get();
}

}  // namespace

AnsiString WithoutLineBreaks(const AnsiString& Text) {
  AnsiString result;
  result.reserve(Text.size());
  for (char c : Text)
    if (c != '\r' && c != '\n')
      result += c;
  return result;
}

// ---- TVtEditButton --------------------------------------------------------------------
BEGIN_PUBLISHED(TVtEditButton)
  PROPERTY(GlyphKind, GlyphKind, SetGlyphKind).Default(gkCustom),
END_PUBLISHED

TVtEditButton::TVtEditButton(TComponent* AOwner) : TVtWinButton(AOwner) {
  SetName("EditButton");
  SetCaption("");
}

// The shared picture goes with any edit button; the next one that needs it
// loads it again.
TVtEditButton::~TVtEditButton() { SharedOpenDirGlyph().reset(); }

void TVtEditButton::SetGlyphKind(TGlyphKind Value) {
  FGlyphKind = Value;
  if (Value == gkDefault) {
    SetGlpyh(OpenDirGlyph());
    Invalidate();
  }
}

// ---- TVtBtnEdit ---------------------------------------------------------------------------
BEGIN_PUBLISHED(TVtBtnEdit)
  PROPERTY(OnBtnClick, OnBtnClick, OnBtnClick),
  // Always "s1.04": nothing to write, and a stream that carries it reads.
  PROPERTY(About, About, SetAbout).Stored(false),
  PROPERTY_RO(VtWinButton, VtWinButton),
  PROPERTY(ButtonWidht, ButtonWidht, SetButtonWidht).Default(kDefaultButtonWidth),
END_PUBLISHED

TVtBtnEdit::TVtBtnEdit(TComponent* AOwner) : TEdit(AOwner) {
  FButton = new TVtEditButton(this);
  FButton->SetParent(this);
  FButton->SetVisible(true);
  FButton->SetWidth(kDefaultButtonWidth);
  FButton->SetAlign(alRight);
  FButton->SetColor(clBtnFace);
  FButton->OnClick = Method<&TVtBtnEdit::ButtonClicked>(this);
}

// The dying button must not reach a handler of the host any more.
TVtBtnEdit::~TVtBtnEdit() { OnBtnClick = TNotifyEvent(); }

AnsiString TVtBtnEdit::GetTanim() const {
  return "Düğmeli metin kutusu: sağ kenarındaki düğmeyle seçim ya da düzenleme açan, tek satırlık metin kutusu.";
}

void TVtBtnEdit::CreateParams(TCreateParams& Params) {
  TEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TVtBtnEdit::CreateWnd() {
  TEdit::CreateWnd();
  SetEditRect();
}

void TVtBtnEdit::SetEditRect() {
  if (!HandleAllocated())
    return;
  RECT r{0, 0, ClientWidth() - FButtonWidht - 2, ClientHeight() + 1};
  SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TVtBtnEdit::SetButtonWidht(int Value) {
  FButton->SetVisible(Value > 1);
  if (Value == FButtonWidht)
    return;
  FButtonWidht = Value;
  FButton->SetWidth(Value);
  SetEditRect();
}

void TVtBtnEdit::ButtonClicked(TObject*) { BtnClick(); }

void TVtBtnEdit::BtnClick() {
  if (OnBtnClick)
    OnBtnClick(this);
}

// The form has seen Enter already (its default button, its shortcuts); the
// edit itself never gets a line break from it.
void TVtBtnEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TEdit::KeyDown(Key, Shift);
  if (Key == VK_RETURN)
    Key = 0;
}

void TVtBtnEdit::KeyPress(char& Key) {
  TEdit::KeyPress(Key);
  if (Key == '\r' || Key == '\n')
    Key = '\0';
}

void TVtBtnEdit::Change() {
  const AnsiString text = Text();
  if (text.find_first_of("\r\n") != AnsiString::npos) {
    SetText(WithoutLineBreaks(text));
    return;
  }
  TEdit::Change();
}

void TVtBtnEdit::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  Change();
}

// The pasted text goes in place of the selection without its line breaks,
// and the caret goes right after what was pasted.
void TVtBtnEdit::WMPaste(TMessage& Message) {
  if (ReadOnly()) {
    DefaultHandler(Message);
    return;
  }
  const int start = SelStart();
  const int length = SelLength();
  const AnsiString text = Text();
  TClipboard& clipboard = Clipboard();
  clipboard.Open();
  AnsiString pasted;
  try {
    pasted = WithoutLineBreaks(clipboard.AsText());
  } catch (...) {
    clipboard.Close();
    throw;
  }
  clipboard.Close();
  const std::size_t from = std::min(static_cast<std::size_t>(start), text.size());
  const std::size_t to = std::min(from + static_cast<std::size_t>(length), text.size());
  SetText(WithoutLineBreaks(text.substr(0, from) + pasted + text.substr(to)));
  SetSelStart(static_cast<int>(from + pasted.size()));
}

void TVtBtnEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PASTE:
      WMPaste(Message);
      return;
    case WM_GETDLGCODE:
      // A multi-line edit asks for every key; Enter and Esc go to the form
      // first, as they do for a one-line edit.
      TEdit::Dispatch(Message);
      Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
      return;
    case WM_SIZE:
      TEdit::Dispatch(Message);
      SetEditRect();
      return;
  }
  TEdit::Dispatch(Message);
}
