#include "classlib/forms/screen.h"

#include <algorithm>

#include "classlib/forms/forms.h"
#include "classlib/graphics/screenfacts.h"
#include "classlib/system/win/widestring.h"

TScreen* Screen = nullptr;

namespace {

// A screen-wide cursor overrides the controls' own; numbers registered with
// SetCursors are the custom ones.
HCURSOR ScreenCursorHandle(TCursor cursor) {
  if (Screen == nullptr)
    return StandardCursorHandle(cursor);
  if (Screen->Cursor() != crDefault)
    return Screen->Cursors(Screen->Cursor());
  return Screen->Cursors(cursor);
}

const bool screenMade = [] {
  Screen = new TScreen(nullptr);
  CursorHandleHook = &ScreenCursorHandle;
  return true;
}();

int CALLBACK AddFontFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  // Vertical fonts ("@name") are not families a user picks.
  if (font->lfFaceName[0] != L'@')
    reinterpret_cast<TStringList*>(list)->Add(WideToAnsi(font->lfFaceName));
  return 1;
}

}  // namespace

IMPLEMENT_CLASS(TScreen)

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() = default;

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return forms_[Index];
}

TWinControl* TScreen::ActiveControl() const {
  return activeForm_ != nullptr ? activeForm_->ActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* Form) { forms_.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
  if (activeForm_ == Form)
    SetActiveForm(nullptr);
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (activeForm_ == Form)
    return;
  activeForm_ = Form;
  if (OnActiveFormChange)
    OnActiveFormChange(this);
  ActiveControlChanged();
}

void TScreen::ActiveControlChanged() {
  if (OnActiveControlChange)
    OnActiveControlChange(this);
}

void TScreen::SetCursor(TCursor Value) {
  if (cursor_ == Value)
    return;
  cursor_ = Value;
  // Shown at once; with crDefault the control under the mouse sets its own again.
  if (Value != crDefault) {
    ::SetCursor(Cursors(Value));
  } else {
    POINT p;
    GetCursorPos(&p);
    SetCursorPos(p.x, p.y);
  }
}

HCURSOR TScreen::Cursors(TCursor Index) const {
  auto it = cursors_.find(Index);
  if (it != cursors_.end())
    return it->second;
  HCURSOR standard = StandardCursorHandle(Index);
  return standard != nullptr ? standard : LoadCursorW(nullptr, IDC_ARROW);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Handle) {
  if (Handle == nullptr)
    cursors_.erase(Index);
  else
    cursors_[Index] = Handle;
}

TStrings* TScreen::Fonts() {
  if (fonts_ == nullptr) {
    fonts_ = std::make_unique<TStringList>();
    fonts_->SetSorted(true);
    fonts_->SetDuplicates(dupIgnore);
    HDC dc = GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &query, reinterpret_cast<FONTENUMPROCW>(&AddFontFamily),
                        reinterpret_cast<LPARAM>(fonts_.get()), 0);
    ReleaseDC(nullptr, dc);
  }
  return fonts_.get();
}

int TScreen::PixelsPerInch() const { return ScreenFacts().PixelsPerInch; }

TRect TScreen::WorkAreaRect() const {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
    r = RECT{0, 0, Width(), Height()};
  return r;
}

int TScreen::WorkAreaWidth() const {
  TRect r = WorkAreaRect();
  return r.right - r.left;
}

int TScreen::WorkAreaHeight() const {
  TRect r = WorkAreaRect();
  return r.bottom - r.top;
}
