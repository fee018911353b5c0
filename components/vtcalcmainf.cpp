#include "components/vtcalcmainf.h"

#include <windows.h>

#include "classlib/forms/application.h"
#include "classlib/forms/screen.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/clipbrd.h"
#include "components/uitextmessage.h"

namespace {

// The places of the body picture (resources/draw_calculator.py).
constexpr int CalcBodyWidth = 240;
constexpr int CalcBodyHeight = 348;
constexpr int CalcTitleHeight = 26;
constexpr int CalcKeyWidth = 40;
constexpr int CalcKeyHeight = 28;
constexpr int CalcTallKeyHeight = 60;
constexpr int CalcKeysLeft = 12;
constexpr int CalcKeysTop = 148;
constexpr int CalcKeyStep = 44;
constexpr int CalcCloseMarkSize = 16;
constexpr RECT CalcCloseMarkPlace{214, 5, 214 + CalcCloseMarkSize, 5 + CalcCloseMarkSize};
constexpr COLORREF CalcOutsideColour = RGB(255, 255, 255);
constexpr const char* CalcDigitalFontName = "Digital Readout";

enum class TCalcKeyAction { Char, DoubleZero, ClearEntry, MemoryClear, MemoryRecall, MemorySubtract, MemoryAdd, Close };

struct TCalcKeyDef {
  const char* Hint;
  TCalcKeyAction Action;
  char Key;
  int Column, Row;
  bool Tall;
};

// In the order of the key faces of the picture strip.
constexpr TCalcKeyDef CalcKeyTable[CalcKeyCount] = {
    {"Hafızayı Sıfırla (Ctrl+D)", TCalcKeyAction::MemoryClear, 0, 0, 0, false},
    {"Hafızayı Göster (Ctrl+G)", TCalcKeyAction::MemoryRecall, 0, 1, 0, false},
    {"Hafızadan Çıkar (Ctrl-)", TCalcKeyAction::MemorySubtract, 0, 2, 0, false},
    {"Hafızaya Ekle (Ctrl +)", TCalcKeyAction::MemoryAdd, 0, 3, 0, false},
    {"Kapat (Esc)", TCalcKeyAction::Close, 0, 4, 0, false},
    {"Hepsini sıfırla (Shift+Delete)", TCalcKeyAction::Char, TCalcEngine::Escape, 0, 1, false},
    {"Sil (Delete)", TCalcKeyAction::ClearEntry, 0, 1, 1, false},
    {"Geri Tuşu (BackSpace)", TCalcKeyAction::Char, TCalcEngine::Backspace, 2, 1, false},
    {"Karekökü (AltGr+@)", TCalcKeyAction::Char, TCalcEngine::SquareRoot, 3, 1, false},
    {"Kapat (Esc)", TCalcKeyAction::Close, 0, 4, 1, false},
    {"7", TCalcKeyAction::Char, '7', 0, 2, false},
    {"8", TCalcKeyAction::Char, '8', 1, 2, false},
    {"9", TCalcKeyAction::Char, '9', 2, 2, false},
    {"Bölü (/)", TCalcKeyAction::Char, '/', 3, 2, false},
    {"Yüzde (%)", TCalcKeyAction::Char, '%', 4, 2, false},
    {"4", TCalcKeyAction::Char, '4', 0, 3, false},
    {"5", TCalcKeyAction::Char, '5', 1, 3, false},
    {"6", TCalcKeyAction::Char, '6', 2, 3, false},
    {"Carpı (*)", TCalcKeyAction::Char, '*', 3, 3, false},
    {"Eksi (-)", TCalcKeyAction::Char, '-', 4, 3, false},
    {"1", TCalcKeyAction::Char, '1', 0, 4, false},
    {"2", TCalcKeyAction::Char, '2', 1, 4, false},
    {"3", TCalcKeyAction::Char, '3', 2, 4, false},
    {"Artı (+)", TCalcKeyAction::Char, '+', 3, 4, true},
    {"Toplam (Enter)", TCalcKeyAction::Char, TCalcEngine::Enter, 4, 4, true},
    {"0", TCalcKeyAction::Char, '0', 0, 5, false},
    {"Cift Sıfır (Ctrl+0)", TCalcKeyAction::DoubleZero, 0, 1, 5, false},
    {",", TCalcKeyAction::Char, ',', 2, 5, false},
};

// A picture of the program's resources; empty when the module has none of
// that name (the calculator then works unshaped and without faces).
bool LoadCalcPicture(TBitmap& Bitmap, const char* Name) {
  try {
    Bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), Name);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

// A part of the strip: cell Index, Width x Height from its top left corner.
void CopyCalcCell(TBitmap& Strip, int Index, int Width, int Height, TPicture& Target) {
  TBitmap& cell = Target.Bitmap();
  cell.SetPixelFormat(pf24bit);
  cell.SetSize(Width, Height);
  const RECT from{Index * CalcKeyWidth, 0, Index * CalcKeyWidth + Width, Height};
  cell.Canvas().CopyRect(RECT{0, 0, Width, Height}, Strip.Canvas(), from);
}

// The window region of every pixel of the picture that is not white: one
// rectangle per run of such pixels on a row.
HRGN CalcRegionOfPicture(TBitmap& Picture) {
  Picture.SetPixelFormat(pf24bit);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < Picture.Height(); ++y) {
    const auto* row = static_cast<const BYTE*>(Picture.ScanLine(y));
    int x = 0;
    while (x < Picture.Width()) {
      auto inside = [&](int at) { return RGB(row[at * 3 + 2], row[at * 3 + 1], row[at * 3]) != CalcOutsideColour; };
      while (x < Picture.Width() && !inside(x))
        ++x;
      const int start = x;
      while (x < Picture.Width() && inside(x))
        ++x;
      if (x > start) {
        HRGN run = CreateRectRgn(start, y, x, y + 1);
        CombineRgn(region, region, run, RGN_OR);
        DeleteObject(run);
      }
    }
  }
  return region;
}

TLabel* MakeCalcLabel(TVtCalcMainF* Form, int Left, int Top, int Width, int Height) {
  auto* label = new TLabel(Form);
  label->SetParent(Form);
  label->SetAutoSize(false);
  label->SetTransparent(true);
  label->SetBounds(Left, Top, Width, Height);
  return label;
}

}  // namespace

BEGIN_PUBLISHED(TVtCalcMainF)
  METHOD(FormShow),
  METHOD(FormActivate),
  METHOD(FormClose),
  METHOD(FormKeyPress),
  METHOD(FormKeyDown),
  METHOD(KeyClick),
  METHOD(KeyMouseMove),
  METHOD(CloseClick),
  METHOD(ButtonTamamClick),
  METHOD(ButtonIptalClick),
END_PUBLISHED

TVtCalcMainF::TVtCalcMainF(TComponent* AOwner) : TForm(AOwner) {
  // Shown on its taskbar button; the body shows CalcCaption instead.
  SetCaption("Hesap Makinesi");
  SetBorderStyle(bsNone);
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  SetClientWidth(CalcBodyWidth);
  SetClientHeight(CalcBodyHeight);
  BuildParts();
  OnShow = Method<&TVtCalcMainF::FormShow>(this);
  OnActivate = Method<&TVtCalcMainF::FormActivate>(this);
  OnClose = Method<&TVtCalcMainF::FormClose>(this);
  OnKeyPress = Method<&TVtCalcMainF::FormKeyPress>(this);
  OnKeyDown = Method<&TVtCalcMainF::FormKeyDown>(this);
  FEngine.OnChange = [this] { ShowEngineState(); };
  FEngine.OnCopy = [this](const AnsiString& Text) { CopyToClipboard(Text); };
  FEngine.OnCloseRequest = [this] { CloseCalculator(); };
  ResetDisplayFont();
  FEngine.Reset();
}

// ---- Building -----------------------------------------------------------------

void TVtCalcMainF::BuildParts() {
  ImageBody = new TImage(this);
  ImageBody->SetName("ImageBody");
  ImageBody->SetParent(this);
  ImageBody->SetBounds(0, 0, CalcBodyWidth, CalcBodyHeight);
  TBitmap body;
  if (LoadCalcPicture(body, "CALCBODY"))
    ImageBody->Picture()->Bitmap().Assign(&body);

  LabelCaption = MakeCalcLabel(this, 14, 6, 190, 16);
  LabelCaption->SetName("LabelCaption");
  LabelCaption->Font()->SetStyle(TFontStyles{fsBold});
  LabelDisplay = MakeCalcLabel(this, 16, 36, 208, 36);
  LabelDisplay->SetName("LabelDisplay");
  LabelDisplay->SetAlignment(taRightJustify);
  LabelDisplay->SetLayout(tlCenter);
  LabelMemory = MakeCalcLabel(this, 14, 78, 50, 16);
  LabelMemory->SetName("LabelMemory");
  LabelHint = MakeCalcLabel(this, 66, 78, 162, 16);
  LabelHint->SetName("LabelHint");

  MemoTape = new TMemo(this);
  MemoTape->SetName("MemoTape");
  MemoTape->SetParent(this);
  MemoTape->SetBounds(14, 98, 213, 41);
  MemoTape->SetReadOnly(true);
  MemoTape->SetBorderStyle(bsNone);
  MemoTape->SetScrollBars(ssVertical);
  MemoTape->SetTabStop(false);
  BuildKeys();
  BuildConfirmPanel();
}

void TVtCalcMainF::BuildKeys() {
  TBitmap strip;
  const bool faces = LoadCalcPicture(strip, "CALCKEYS");
  if (faces)
    strip.SetPixelFormat(pf24bit);
  for (int i = 0; i < CalcKeyCount; ++i) {
    const TCalcKeyDef& def = CalcKeyTable[i];
    const int height = def.Tall ? CalcTallKeyHeight : CalcKeyHeight;
    auto* key = new TImage(this);
    key->SetName("Key" + std::to_string(i));
    key->SetParent(this);
    key->SetBounds(CalcKeysLeft + def.Column * CalcKeyStep, CalcKeysTop + def.Row * (CalcKeyHeight + 4),
                   CalcKeyWidth, height);
    key->SetHint(def.Hint);
    key->SetTag(i);
    if (faces)
      CopyCalcCell(strip, i, CalcKeyWidth, height, *key->Picture());
    key->OnClick = Method<&TVtCalcMainF::KeyClick>(this);
    key->OnMouseMove = Method<&TVtCalcMainF::KeyMouseMove>(this);
    Keys[static_cast<std::size_t>(i)] = key;
  }
  ImageClose = new TImage(this);
  ImageClose->SetName("ImageClose");
  ImageClose->SetParent(this);
  ImageClose->SetBounds(CalcCloseMarkPlace.left, CalcCloseMarkPlace.top, CalcCloseMarkSize, CalcCloseMarkSize);
  ImageClose->SetHint("Kapat (Esc)");
  if (faces)
    CopyCalcCell(strip, CalcKeyCount, CalcCloseMarkSize, CalcCloseMarkSize, *ImageClose->Picture());
  ImageClose->OnClick = Method<&TVtCalcMainF::CloseClick>(this);
  ImageClose->OnMouseMove = Method<&TVtCalcMainF::KeyMouseMove>(this);
}

// The panel sits in the middle of the form, 5 pixels left of centre.
void TVtCalcMainF::BuildConfirmPanel() {
  constexpr int width = 200, height = 96;
  PanelConfirm = new TPanel(this);
  PanelConfirm->SetName("PanelConfirm");
  PanelConfirm->SetParent(this);
  PanelConfirm->SetBounds((CalcBodyWidth - width) / 2 - 5, (CalcBodyHeight - height) / 2, width, height);
  PanelConfirm->SetCaption("");
  PanelConfirm->SetVisible(false);
  auto* question = new TLabel(this);
  question->SetName("LabelConfirm");
  question->SetParent(PanelConfirm);
  question->SetAutoSize(false);
  question->SetWordWrap(true);
  question->SetAlignment(taCenter);
  question->SetBounds(8, 8, width - 16, 48);
  question->SetCaption("Hesap Makinesini kapatmak istediginizden eminmisiniz ?");
  ButtonTamam = new TButton(this);
  ButtonTamam->SetName("ButtonTamam");
  ButtonTamam->SetParent(PanelConfirm);
  ButtonTamam->SetBounds(20, 60, 75, 25);
  ButtonTamam->SetCaption("Tamam");
  ButtonTamam->OnClick = Method<&TVtCalcMainF::ButtonTamamClick>(this);
  ButtonIptal = new TButton(this);
  ButtonIptal->SetName("ButtonIptal");
  ButtonIptal->SetParent(PanelConfirm);
  ButtonIptal->SetBounds(105, 60, 75, 25);
  ButtonIptal->SetCaption("Iptal");
  ButtonIptal->OnClick = Method<&TVtCalcMainF::ButtonIptalClick>(this);
}

void TVtCalcMainF::ResetDisplayFont() {
  FDigitalFont = Screen->Fonts()->IndexOf(CalcDigitalFontName) >= 0;
  TFont* font = LabelDisplay->Font();
  font->SetName(FDigitalFont ? CalcDigitalFontName : "Arial");
  font->SetSize(FDigitalFont ? 22 : 19);
}

// ---- The window -----------------------------------------------------------------

// A window of its own has a taskbar button and the desktop as its parent.
void TVtCalcMainF::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  if (!NewWindow)
    return;
  Params.ExStyle |= WS_EX_APPWINDOW;
  Params.WndParent = GetDesktopWindow();
}

void TVtCalcMainF::CreateWnd() {
  TForm::CreateWnd();
  ApplyShape();
}

void TVtCalcMainF::ApplyShape() {
  TPicture* picture = ImageBody->Picture();
  if (picture->Graphic() == nullptr || picture->Bitmap().Empty())
    return;
  TBitmap shape;
  shape.Assign(&picture->Bitmap());
  SetWindowRgn(Handle(), CalcRegionOfPicture(shape), TRUE);
}

// The title area drags the window, as a caption would; the close mark in
// it stays a button.
void TVtCalcMainF::WndProc(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST && !FConfirming) {
    TForm::WndProc(Message);
    POINT at{Message.XPos(), Message.YPos()};
    ::ScreenToClient(Handle(), &at);
    if (Message.Result == HTCLIENT && at.y < CalcTitleHeight && !PtInRect(&CalcCloseMarkPlace, at))
      Message.Result = HTCAPTION;
    return;
  }
  TForm::WndProc(Message);
}

// ---- Showing and closing ----------------------------------------------------------

void TVtCalcMainF::FormShow(TObject*) {
  ApplyTranslateForm(this, OnTranslateForm);
  FEngine.MemoryClear();
  FEngine.ClearTape();
  LabelMemory->SetCaption("");
  if (LabelCaption->Caption().empty())
    LabelCaption->SetCaption("Hesap Makinesi");
  for (TLabel* label : {LabelCaption, LabelMemory, LabelHint})
    label->Font()->SetColor(clRed);
  ShowEngineState();
}

// The host's desktop character, when it handed one, comes to the
// calculator once; whatever it fails at is no matter of the calculator.
void TVtCalcMainF::FormActivate(TObject*) {
  if (FActivated)
    return;
  FActivated = true;
  if (!AgentOkey || AgentChar == nullptr)
    return;
  try {
    AgentChar->MoveTo(Left() - 80, Top() + 20);
    AgentChar->Play("PROCESS");
  } catch (...) {
  }
}

void TVtCalcMainF::FormClose(TObject*, TCloseAction& Action) {
  if (NewWindow)
    Action = caFree;
}

void TVtCalcMainF::CloseCalculator() {
  if (FConfirming)
    return;
  if (CloseDialog && !Confirm())
    return;
  Close();
}

bool TVtCalcMainF::Confirm() {
  FConfirming = true;
  FAnswer = 0;
  PanelConfirm->SetVisible(true);
  PanelConfirm->BringToFront();
  while (FAnswer == 0 && !Application->Terminated())
    Application->HandleMessage();
  PanelConfirm->SetVisible(false);
  FConfirming = false;
  return FAnswer == mrOk;
}

void TVtCalcMainF::ButtonTamamClick(TObject*) { FAnswer = mrOk; }

void TVtCalcMainF::ButtonIptalClick(TObject*) { FAnswer = mrCancel; }

// ---- Keys -------------------------------------------------------------------------

// A control key held with a character is a command of FormKeyDown, not
// typing; AltGr (Ctrl and Alt together) types "@".
void TVtCalcMainF::FormKeyPress(TObject*, char& Key) {
  const char key = Key;
  Key = 0;
  if (FConfirming) {
    if (key == TCalcEngine::Escape)
      ButtonIptalClick(this);
    return;
  }
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
  if (ctrl && !alt && key != TCalcEngine::Escape && key != TCalcEngine::Enter)
    return;
  FEngine.KeyPress(key);
}

void TVtCalcMainF::FormKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (FConfirming)
    return;
  const bool ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  if (Key == VK_DELETE && Shift.Contains(ssShift))
    FEngine.ResetAll();
  else if (Key == VK_DELETE)
    FEngine.ClearEntry();
  else if (ctrl && Key == VK_ADD) {
    FEngine.MemoryAdd();
    LabelMemory->SetCaption("Memory");
  } else if (ctrl && Key == VK_SUBTRACT) {
    FEngine.MemorySubtract();
    LabelMemory->SetCaption("Memory");
  } else if (ctrl && Key == 'G')
    FEngine.MemoryRecall();
  else if (ctrl && Key == 'D') {
    FEngine.MemoryClear();
    LabelMemory->SetCaption("");
  } else if (ctrl && (Key == '0' || Key == VK_NUMPAD0)) {
    FEngine.KeyPress('0');
    FEngine.KeyPress('0');
  } else
    return;
  Key = 0;
}

void TVtCalcMainF::KeyClick(TObject* Sender) {
  const int index = static_cast<TComponent*>(Sender)->Tag();
  if (index < 0 || index >= CalcKeyCount || FConfirming)
    return;
  const TCalcKeyDef& def = CalcKeyTable[index];
  switch (def.Action) {
  case TCalcKeyAction::Char:
    FEngine.KeyPress(def.Key);
    break;
  case TCalcKeyAction::DoubleZero:
    FEngine.KeyPress('0');
    FEngine.KeyPress('0');
    break;
  case TCalcKeyAction::ClearEntry:
    FEngine.ClearEntry();
    break;
  case TCalcKeyAction::MemoryClear:
    FEngine.MemoryClear();
    LabelMemory->SetCaption("");
    break;
  case TCalcKeyAction::MemoryRecall:
    FEngine.MemoryRecall();
    break;
  case TCalcKeyAction::MemorySubtract:
    FEngine.MemorySubtract();
    LabelMemory->SetCaption("Memory");
    break;
  case TCalcKeyAction::MemoryAdd:
    FEngine.MemoryAdd();
    LabelMemory->SetCaption("Memory");
    break;
  case TCalcKeyAction::Close:
    CloseCalculator();
    break;
  }
}

void TVtCalcMainF::CloseClick(TObject*) { CloseCalculator(); }

void TVtCalcMainF::KeyMouseMove(TObject* Sender, TShiftState, int, int) {
  const AnsiString& hint = static_cast<TControl*>(Sender)->Hint();
  if (LabelHint->Caption() != hint)
    LabelHint->SetCaption(hint);
}

// ---- Showing the state --------------------------------------------------------------

void TVtCalcMainF::SetText(const AnsiString& Text) { FEngine.SetText(Text); }

// The display face "Digital Readout" needs a blank after the last digit.
void TVtCalcMainF::ShowEngineState() {
  LabelDisplay->SetCaption(FEngine.DisplayText() + (FDigitalFont ? " " : ""));
  const std::vector<AnsiString>& tape = FEngine.Tape();
  TStrings* lines = MemoTape->Lines();
  if (lines->Count() > static_cast<int>(tape.size()))
    lines->Clear();
  for (int i = lines->Count(); i < static_cast<int>(tape.size()); ++i)
    lines->Add(tape[static_cast<std::size_t>(i)]);
}

void TVtCalcMainF::CopyToClipboard(const AnsiString& Text) {
  if (ClipBoardCopy)
    Clipboard().SetAsText(Text);
}
