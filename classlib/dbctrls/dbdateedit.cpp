#include "classlib/dbctrls/dbdateedit.h"

#include <commctrl.h>

namespace {

SYSTEMTIME SystemTimeOfDate(TDateTime Value) {
  Word year = 0, month = 0, day = 0;
  DecodeDate(Value, year, month, day);
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  return time;
}

TDateTime DateOfSystemTime(const SYSTEMTIME& Time) { return EncodeDate(Time.wYear, Time.wMonth, Time.wDay); }

void LoadCalendarClass() {
  static const bool loaded = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_DATE_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)loaded;
}

}  // namespace

IMPLEMENT_CLASS(TDBDateEdit)

TDBDateEdit::TDBDateEdit(TComponent* AOwner) : TDBEdit(AOwner) {}

TDBDateEdit::~TDBDateEdit() { CloseUp(false); }

TDateTime TDBDateEdit::StartDate() const {
  TField* field = Field();
  if (field != nullptr && !field->IsNull()) {
    try {
      return field->AsDateTime();
    } catch (...) {
      // A value that is no date opens the calendar at today.
    }
  }
  return Date();
}

void TDBDateEdit::DropDown() {
  if (PopupVisible() || !HandleAllocated() || ReadOnly())
    return;
  LoadCalendarClass();
  FCalendar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, MONTHCAL_CLASSW, L"",
                              WS_POPUP | WS_BORDER, 0, 0, 0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (FCalendar == nullptr)
    return;
  SYSTEMTIME start = SystemTimeOfDate(StartDate());
  SendMessageW(FCalendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&start));
  RECT size{};
  SendMessageW(FCalendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&size));
  RECT edit{};
  GetWindowRect(Handle(), &edit);
  SetWindowPos(FCalendar, HWND_TOPMOST, edit.left, edit.bottom, size.right - size.left + 2, size.bottom - size.top + 2,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TDBDateEdit::CloseUp(bool Accept) {
  if (!PopupVisible())
    return;
  HWND calendar = FCalendar;
  FCalendar = nullptr;
  SYSTEMTIME chosen{};
  bool chosenRead = Accept && SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&chosen)) != 0;
  DestroyWindow(calendar);
  if (chosenRead)
    AcceptDate(DateOfSystemTime(chosen));
}

void TDBDateEdit::AcceptDate(TDateTime Value) {
  TField* field = Field();
  if (field == nullptr || !DataLink().Edit())
    return;
  field->SetAsDateTime(Value);
  SelectAll();
}

bool TDBDateEdit::CalendarNotification(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  if (FCalendar == nullptr || header == nullptr || header->hwndFrom != FCalendar)
    return false;
  if (header->code == MCN_SELECT)
    CloseUp(true);
  return true;
}

void TDBDateEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NOTIFY:
      if (CalendarNotification(Message))
        return;
      break;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(Message.WParam) != FCalendar)
        CloseUp(false);
      break;
    case CM_WANTSPECIALKEY:
      // Enter and Esc belong to the open calendar, not to the form.
      if (PopupVisible() && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE)) {
        Message.Result = 1;
        return;
      }
      break;
  }
  TDBEdit::Dispatch(Message);
}

void TDBDateEdit::KeyDown(WORD& Key, TShiftState Shift) {
  bool alt = Shift.Contains(ssAlt);
  if (Key == VK_F4 || (alt && (Key == VK_DOWN || Key == VK_UP))) {
    if (PopupVisible())
      CloseUp(false);
    else if (Key != VK_UP)
      DropDown();
    Key = 0;
    return;
  }
  if (PopupVisible() && (Key == VK_RETURN || Key == VK_ESCAPE)) {
    CloseUp(Key == VK_RETURN);
    FSwallowChar = true;
    Key = 0;
    return;
  }
  TDBEdit::KeyDown(Key, Shift);
}

void TDBDateEdit::KeyPress(char& Key) {
  // The Enter or Esc that closed the calendar is not typed as well.
  bool closingKey = FSwallowChar && (Key == '\r' || Key == 27);
  FSwallowChar = false;
  if (closingKey) {
    Key = 0;
    return;
  }
  TDBEdit::KeyPress(Key);
}

void TDBDateEdit::DestroyWnd() {
  CloseUp(false);
  TDBEdit::DestroyWnd();
}
