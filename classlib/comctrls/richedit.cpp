#include "classlib/comctrls/richedit.h"

#include <algorithm>
#include <cstring>

#include "classlib/classes/streams.h"
#include "classlib/graphics/wintext.h"
#include "classlib/system/exceptions.h"

namespace {

// The newest rich edit class the system has, loaded once.
const wchar_t* RichEditClassName() {
  static const wchar_t* name = []() -> const wchar_t* {
    if (LoadLibraryW(L"msftedit.dll") != nullptr)
      return MSFTEDIT_CLASS;
    if (LoadLibraryW(L"riched20.dll") != nullptr)
      return RICHEDIT_CLASSW;
    return nullptr;
  }();
  if (name == nullptr)
    throw EOutOfResources("No rich edit class");
  return name;
}

int ScreenPixelsPerInch() {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi;
}

// Stream callbacks: bytes in from a string, out to a string.
struct StreamBuffer {
  std::string Data;
  std::size_t Offset = 0;
};

DWORD CALLBACK ReadFromBuffer(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done) {
  auto* source = reinterpret_cast<StreamBuffer*>(Cookie);
  std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(Count), source->Data.size() - source->Offset);
  std::memcpy(Buffer, source->Data.data() + source->Offset, n);
  source->Offset += n;
  *Done = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK WriteToBuffer(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done) {
  reinterpret_cast<StreamBuffer*>(Cookie)->Data.append(reinterpret_cast<const char*>(Buffer),
                                                         static_cast<std::size_t>(Count));
  *Done = Count;
  return 0;
}

void StreamIn(HWND Wnd, UINT Format, std::string Data) {
  StreamBuffer buffer{std::move(Data)};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&buffer), 0, ReadFromBuffer};
  SendMessageW(Wnd, EM_STREAMIN, Format, reinterpret_cast<LPARAM>(&stream));
}

std::string StreamOut(HWND Wnd, UINT Format) {
  StreamBuffer buffer;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&buffer), 0, WriteToBuffer};
  SendMessageW(Wnd, EM_STREAMOUT, Format, reinterpret_cast<LPARAM>(&stream));
  return buffer.Data;
}

bool IsRtf(const std::string& Data) { return Data.rfind("{\\rtf", 0) == 0; }

}  // namespace

// ---- Lines --------------------------------------------------------------------------------
// The text of the window, one paragraph per line. A paragraph ends with a
// CR in the window; the text after the last one is a line only when not
// empty.
class TRichEditStrings : public TStrings {
  DECLARE_CLASS(TRichEditStrings, TStrings)

public:
  explicit TRichEditStrings(TCustomRichEdit* RichEdit) : FRichEdit(RichEdit) {}

  int Count() const override {
    HWND wnd = Wnd();
    int count = static_cast<int>(SendMessageW(wnd, EM_GETLINECOUNT, 0, 0));
    int last = static_cast<int>(SendMessageW(wnd, EM_LINEINDEX, count - 1, 0));
    if (count > 0 && SendMessageW(wnd, EM_LINELENGTH, last, 0) == 0)
      --count;
    return count;
  }

  void Insert(int Index, const AnsiString& Text) override {
    if (Index < 0 || Index > Count())
      throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    int start = FRichEdit->LineIndex(Index);
    if (start >= 0)
      Replace(start, start, Text + "\r");
    else
      Replace(FRichEdit->GetTextLen(), FRichEdit->GetTextLen(), "\r" + Text);
  }

  void Delete(int Index) override {
    CheckIndex(Index);
    int start = FRichEdit->LineIndex(Index);
    int end = FRichEdit->LineIndex(Index + 1);
    if (end < 0) {
      end = FRichEdit->GetTextLen();
      if (start > 0)
        --start;  // the last line goes with the paragraph end before it
    }
    Replace(start, end, "");
  }

  void Clear() override { SetWindowTextW(Wnd(), L""); }

  void LoadFromStream(TStream& Stream) override {
    std::string data(static_cast<std::size_t>(Stream.Size() - Stream.Position()), '\0');
    if (!data.empty())
      Stream.ReadBuffer(data.data(), static_cast<std::int32_t>(data.size()));
    if (!FRichEdit->PlainText() && IsRtf(data)) {
      StreamIn(Wnd(), SF_RTF, std::move(data));
      return;
    }
    std::u16string text = AnsiToUtf16(data);
    StreamIn(Wnd(), SF_TEXT | SF_UNICODE, std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2));
  }

  void SaveToStream(TStream& Stream) override {
    if (FRichEdit->PlainText()) {
      TStrings::SaveToStream(Stream);
      return;
    }
    std::string rtf = StreamOut(Wnd(), SF_RTF);
    Stream.WriteBuffer(rtf.data(), static_cast<std::int32_t>(rtf.size()));
  }

protected:
  AnsiString Get(int Index) const override {
    CheckIndex(Index);
    int start = FRichEdit->LineIndex(Index);
    int length = static_cast<int>(SendMessageW(Wnd(), EM_LINELENGTH, start, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    TEXTRANGEW range{{start, start + length}, text.data()};
    int got = static_cast<int>(SendMessageW(Wnd(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    text.resize(static_cast<std::size_t>(std::max(0, got)));
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n'))
      text.pop_back();
    return AnsiOf(text.c_str(), text.size());
  }

  void Put(int Index, const AnsiString& Text) override {
    CheckIndex(Index);
    int start = FRichEdit->LineIndex(Index);
    int length = static_cast<int>(SendMessageW(Wnd(), EM_LINELENGTH, start, 0));
    Replace(start, start + length, Text);
  }

  void SetUpdateState(bool Updating) override {
    SendMessageW(Wnd(), WM_SETREDRAW, Updating ? FALSE : TRUE, 0);
    if (!Updating)
      InvalidateRect(Wnd(), nullptr, TRUE);
  }

private:
  HWND Wnd() const { return FRichEdit->Handle(); }

  void CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count())
      throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
  }

  void Replace(int Start, int End, const AnsiString& Text) {
    CHARRANGE range{Start, End};
    SendMessageW(Wnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    std::wstring wide = WideOf(Text);
    SendMessageW(Wnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
  }

  TCustomRichEdit* FRichEdit;
};

IMPLEMENT_CLASS(TRichEditStrings)

// ---- TTextAttributes ----------------------------------------------------------------------
IMPLEMENT_CLASS(TTextAttributes)

TTextAttributes::TTextAttributes(TCustomRichEdit* RichEdit, TAttributeType AttributeType)
    : FRichEdit(RichEdit), FType(AttributeType) {}

CHARFORMAT2W TTextAttributes::Get() {
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(FRichEdit->Handle(), EM_GETCHARFORMAT, FType == atSelected ? SCF_SELECTION : SCF_DEFAULT,
               reinterpret_cast<LPARAM>(&format));
  return format;
}

void TTextAttributes::Set(CHARFORMAT2W& Format) {
  Format.cbSize = sizeof(Format);
  SendMessageW(FRichEdit->Handle(), EM_SETCHARFORMAT, FType == atSelected ? SCF_SELECTION : SCF_DEFAULT,
               reinterpret_cast<LPARAM>(&Format));
}

TColor TTextAttributes::Color() {
  CHARFORMAT2W format = Get();
  return (format.dwEffects & CFE_AUTOCOLOR) != 0 ? clWindowText : static_cast<TColor>(format.crTextColor);
}

// The window text colour is the automatic colour, which follows the system.
void TTextAttributes::SetColor(TColor Value) {
  CHARFORMAT2W format{};
  format.dwMask = CFM_COLOR;
  if (Value == clWindowText)
    format.dwEffects = CFE_AUTOCOLOR;
  else
    format.crTextColor = static_cast<COLORREF>(ColorToRGB(Value));
  Set(format);
}

TFontStyles TTextAttributes::Style() {
  CHARFORMAT2W format = Get();
  TFontStyles style;
  if (format.dwEffects & CFE_BOLD)
    style.Include(fsBold);
  if (format.dwEffects & CFE_ITALIC)
    style.Include(fsItalic);
  if (format.dwEffects & CFE_UNDERLINE)
    style.Include(fsUnderline);
  if (format.dwEffects & CFE_STRIKEOUT)
    style.Include(fsStrikeOut);
  return style;
}

void TTextAttributes::SetStyle(TFontStyles Value) {
  CHARFORMAT2W format{};
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  if (Value.Contains(fsBold))
    format.dwEffects |= CFE_BOLD;
  if (Value.Contains(fsItalic))
    format.dwEffects |= CFE_ITALIC;
  if (Value.Contains(fsUnderline))
    format.dwEffects |= CFE_UNDERLINE;
  if (Value.Contains(fsStrikeOut))
    format.dwEffects |= CFE_STRIKEOUT;
  Set(format);
}

// The window keeps sizes in twips.
int TTextAttributes::Size() { return static_cast<int>(Get().yHeight / 20); }

void TTextAttributes::SetSize(int Value) {
  CHARFORMAT2W format{};
  format.dwMask = CFM_SIZE;
  format.yHeight = Value * 20;
  Set(format);
}

int TTextAttributes::Height() { return -MulDiv(Size(), ScreenPixelsPerInch(), 72); }

void TTextAttributes::SetHeight(int Value) { SetSize(MulDiv(std::abs(Value), 72, ScreenPixelsPerInch())); }

AnsiString TTextAttributes::Name() { return AnsiOfField(Get().szFaceName); }

void TTextAttributes::SetName(const AnsiString& Value) {
  CHARFORMAT2W format{};
  format.dwMask = CFM_FACE;
  CopyToField(format.szFaceName, Value);
  Set(format);
}

TFontCharset TTextAttributes::Charset() { return Get().bCharSet; }

void TTextAttributes::SetCharset(TFontCharset Value) {
  CHARFORMAT2W format{};
  format.dwMask = CFM_CHARSET;
  format.bCharSet = Value;
  Set(format);
}

TFontPitch TTextAttributes::Pitch() {
  switch (Get().bPitchAndFamily & 0x03) {
    case FIXED_PITCH: return fpFixed;
    case VARIABLE_PITCH: return fpVariable;
  }
  return fpDefault;
}

void TTextAttributes::SetPitch(TFontPitch Value) {
  CHARFORMAT2W format = Get();
  format.dwMask = CFM_FACE;
  format.bPitchAndFamily = static_cast<BYTE>((format.bPitchAndFamily & ~0x03) |
                                             (Value == fpFixed ? FIXED_PITCH : Value == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH));
  Set(format);
}

void TTextAttributes::Assign(TPersistent* Source) {
  if (auto* font = dynamic_cast<TFont*>(Source)) {
    CHARFORMAT2W format{};
    format.dwMask = CFM_COLOR | CFM_SIZE | CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                    CFM_STRIKEOUT;
    if (font->Color() == clWindowText)
      format.dwEffects |= CFE_AUTOCOLOR;
    else
      format.crTextColor = static_cast<COLORREF>(ColorToRGB(font->Color()));
    format.yHeight = font->Size() * 20;
    CopyToField(format.szFaceName, font->Name());
    format.bCharSet = font->Charset();
    TFontStyles style = font->Style();
    if (style.Contains(fsBold))
      format.dwEffects |= CFE_BOLD;
    if (style.Contains(fsItalic))
      format.dwEffects |= CFE_ITALIC;
    if (style.Contains(fsUnderline))
      format.dwEffects |= CFE_UNDERLINE;
    if (style.Contains(fsStrikeOut))
      format.dwEffects |= CFE_STRIKEOUT;
    Set(format);
    return;
  }
  if (auto* attributes = dynamic_cast<TTextAttributes*>(Source)) {
    CHARFORMAT2W format = attributes->Get();
    format.dwMask = CFM_COLOR | CFM_SIZE | CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                    CFM_STRIKEOUT;
    Set(format);
    return;
  }
  TPersistent::Assign(Source);
}

void TTextAttributes::AssignTo(TPersistent* Dest) {
  if (auto* font = dynamic_cast<TFont*>(Dest)) {
    font->SetColor(Color());
    font->SetName(Name());
    font->SetCharset(Charset());
    font->SetSize(Size());
    font->SetStyle(Style());
    font->SetPitch(Pitch());
    return;
  }
  TPersistent::AssignTo(Dest);
}

// ---- TCustomRichEdit ------------------------------------------------------------------------
IMPLEMENT_CLASS(TCustomRichEdit)

BEGIN_PUBLISHED(TRichEdit)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(HideSelection, HideSelection, SetHideSelection).Default(true),
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PlainText, PlainText, SetPlainText).Default(false),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(WantReturns, WantReturns, SetWantReturns).Default(true),
  PROPERTY(WantTabs, WantTabs, SetWantTabs).Default(false),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
  PROPERTY(OnSelectionChange, OnSelectionChange, OnSelectionChange),
END_PUBLISHED

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TWinControl(AOwner),
      FLines(new TRichEditStrings(this)),
      FSelAttributes(new TTextAttributes(this, atSelected)),
      FDefAttributes(new TTextAttributes(this, atDefaultText)) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomRichEdit::~TCustomRichEdit() = default;

void TCustomRichEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, RichEditClassName());
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
  if (!FWordWrap)
    Params.Style |= ES_AUTOHSCROLL | WS_HSCROLL;
  if (FReadOnly)
    Params.Style |= ES_READONLY;
  if (!FHideSelection)
    Params.Style |= ES_NOHIDESEL;
  if (FWantReturns)
    Params.Style |= ES_WANTRETURN;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomRichEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  SendMessageW(FHandle, EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : 0x7FFFFFF0);
  SendMessageW(FHandle, EM_SETTARGETDEVICE, 0, FWordWrap ? 0 : 1);
  FDefAttributes->Assign(Font());
  if (!FRtfKept.empty()) {
    StreamIn(FHandle, SF_RTF, FRtfKept);
    FRtfKept.clear();
  }
  SendMessageW(FHandle, EM_SETMODIFY, FALSE, 0);
  SendMessageW(FHandle, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
}

void TCustomRichEdit::DestroyWnd() {
  FRtfKept = StreamOut(FHandle, SF_RTF);
  TWinControl::DestroyWnd();
}

void TCustomRichEdit::SetLines(TStrings* Value) { FLines->Assign(Value); }

void TCustomRichEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

void TCustomRichEdit::SetWordWrap(bool Value) {
  if (FWordWrap != Value) {
    FWordWrap = Value;
    RecreateWnd();
  }
}

void TCustomRichEdit::SetHideSelection(bool Value) {
  FHideSelection = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, EM_SETOPTIONS, Value ? ECOOP_AND : ECOOP_OR,
                 Value ? ~static_cast<LPARAM>(ECO_NOHIDESEL) : ECO_NOHIDESEL);
}

void TCustomRichEdit::SetMaxLength(int Value) {
  FMaxLength = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, EM_EXLIMITTEXT, 0, Value > 0 ? Value : 0x7FFFFFF0);
}

bool TCustomRichEdit::Modified() { return SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0; }

void TCustomRichEdit::SetModified(bool Value) { SendMessageW(Handle(), EM_SETMODIFY, Value ? TRUE : FALSE, 0); }

int TCustomRichEdit::SelStart() {
  CHARRANGE range{};
  SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMin;
}

void TCustomRichEdit::SetSelStart(int Value) {
  CHARRANGE range{Value, Value};
  SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

int TCustomRichEdit::SelLength() {
  CHARRANGE range{};
  SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMax - range.cpMin;
}

void TCustomRichEdit::SetSelLength(int Value) {
  CHARRANGE range{};
  SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  range.cpMax = range.cpMin + Value;
  SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

AnsiString TCustomRichEdit::SelText() {
  CHARRANGE range{};
  SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  std::wstring text(static_cast<std::size_t>(std::max(0L, static_cast<long>(range.cpMax - range.cpMin))) + 1, L'\0');
  int got = static_cast<int>(SendMessageW(FHandle, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data())));
  return AnsiOf(text.c_str(), static_cast<std::size_t>(std::max(0, got)));
}

void TCustomRichEdit::SetSelText(const AnsiString& Value) {
  std::wstring wide = WideOf(Value);
  SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TCustomRichEdit::SelectAll() {
  CHARRANGE range{0, -1};
  SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void TCustomRichEdit::Clear() { SetWindowTextW(Handle(), L""); }

int TCustomRichEdit::GetTextLen() {
  GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<int>(SendMessageW(Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

int TCustomRichEdit::LineIndex(int Line) { return static_cast<int>(SendMessageW(Handle(), EM_LINEINDEX, Line, 0)); }

int TCustomRichEdit::LineFromChar(int Position) {
  return static_cast<int>(SendMessageW(Handle(), EM_EXLINEFROMCHAR, 0, Position));
}

TPoint TCustomRichEdit::CaretPos() {
  int start = SelStart();
  int line = LineFromChar(start);
  return TPoint{start - LineIndex(line), line};
}

void TCustomRichEdit::Change() {
  if (OnChange)
    OnChange(this);
}

void TCustomRichEdit::SelectionChange() {
  if (OnSelectionChange)
    OnSelectionChange(this);
}

void TCustomRichEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_NOTIFY: CNNotify(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    default: TWinControl::Dispatch(Message); break;
  }
}

void TCustomRichEdit::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == EN_CHANGE)
    Change();
}

void TCustomRichEdit::CNNotify(TMessage& Message) {
  if (reinterpret_cast<NMHDR*>(Message.LParam)->code == EN_SELCHANGE) {
    SelectionChange();
    return;
  }
  DefaultHandler(Message);
}

// Tab and Enter reach the text only when it wants them; otherwise they move
// the focus and press the default button.
void TCustomRichEdit::WMGetDlgCode(TMessage& Message) {
  TWinControl::Dispatch(Message);
  if (!FWantTabs)
    Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
  if (!FWantReturns)
    Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}
