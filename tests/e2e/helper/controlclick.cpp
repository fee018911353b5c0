#include "tests/e2e/helper/controlclick.h"

#include <commctrl.h>

#include <cstring>
#include <utility>
#include <vector>

namespace e2e {

namespace {

constexpr size_t RemoteTextChars = 256;

// A block of memory lent in the process that owns a window; freed with it.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, size_t size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_)
      at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (at_)
      VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    if (process_)
      CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool Ready() const { return at_ != nullptr; }
  void* At(size_t offset = 0) const { return static_cast<char*>(at_) + offset; }
  bool Write(const void* data, size_t size, size_t offset = 0) const {
    return offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, nullptr);
  }
  bool Read(void* data, size_t size, size_t offset = 0) const {
    return offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, nullptr);
  }
  std::wstring ReadText(size_t offset) const {
    std::vector<wchar_t> text(RemoteTextChars + 1, L'\0');
    if (!Read(text.data(), RemoteTextChars * sizeof(wchar_t), offset))
      return {};
    return text.data();
  }

 private:
  HANDLE process_ = nullptr;
  void* at_ = nullptr;
  size_t size_;
};

// The program's controls register window classes of their own names over
// the common controls' classes, so both names are looked for.
struct ClassSearch {
  std::vector<const wchar_t*> classNames;
  std::vector<HWND> found;
};

}  // namespace

std::vector<HWND> VisibleChildrenOfClass(HWND window, std::vector<const wchar_t*> classNames) {
  ClassSearch search{std::move(classNames), {}};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<ClassSearch*>(data);
        wchar_t kind[64];
        GetClassNameW(child, kind, 64);
        if (!IsWindowVisible(child))
          return TRUE;
        for (const wchar_t* name : s->classNames)
          if (_wcsicmp(kind, name) == 0)
            s->found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

namespace {

void ClickCentre(HWND control, const RECT& rect) {
  PostClick(control, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// The button's text is asked for by command id; its place by position.
bool ClickButtonOfBar(HWND bar, const std::wstring& text) {
  RemoteBlock block(bar, sizeof(TBBUTTON) + sizeof(RECT) + (RemoteTextChars + 1) * sizeof(wchar_t));
  if (!block.Ready())
    return false;
  const size_t rectAt = sizeof(TBBUTTON), textAt = rectAt + sizeof(RECT);
  const int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    TBBUTTON button{};
    if (!SendMessageW(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(block.At())) ||
        !block.Read(&button, sizeof(button)) || (button.fsStyle & BTNS_SEP))
      continue;
    const wchar_t none = L'\0';
    block.Write(&none, sizeof(none), textAt);
    SendMessageW(bar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(block.At(textAt)));
    if (block.ReadText(textAt) != text || !SendMessageW(bar, TB_ISBUTTONENABLED, button.idCommand, 0))
      continue;
    RECT rect{};
    if (!SendMessageW(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(block.At(rectAt))) ||
        !block.Read(&rect, sizeof(rect), rectAt))
      return false;
    ClickCentre(bar, rect);
    return true;
  }
  return false;
}

bool ClickTabOfControl(HWND tabs, const std::wstring& text) {
  RemoteBlock block(tabs, sizeof(TCITEMW) + sizeof(RECT) + (RemoteTextChars + 1) * sizeof(wchar_t));
  if (!block.Ready())
    return false;
  const size_t rectAt = sizeof(TCITEMW), textAt = rectAt + sizeof(RECT);
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = static_cast<wchar_t*>(block.At(textAt));
    item.cchTextMax = static_cast<int>(RemoteTextChars);
    if (!block.Write(&item, sizeof(item)) || !SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(block.At())))
      continue;
    if (block.ReadText(textAt) != text)
      continue;
    RECT rect{};
    if (!SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(block.At(rectAt))) ||
        !block.Read(&rect, sizeof(rect), rectAt))
      return false;
    ClickCentre(tabs, rect);
    return true;
  }
  return false;
}

}  // namespace

void PostClick(HWND control, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageW(control, WM_MOUSEMOVE, 0, at);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(control, WM_LBUTTONUP, 0, at);
}

bool StatusBarText(HWND window, std::wstring& text) {
  const std::vector<HWND> bars = VisibleChildrenOfClass(window, {STATUSCLASSNAMEW, L"TStatusBar"});
  if (bars.empty())
    return false;
  // In simple mode part 0 answers with the simple text (a larger part number
  // beyond the parts gets nothing).
  const size_t length = LOWORD(SendMessageW(bars.front(), SB_GETTEXTLENGTHW, 0, 0));
  std::vector<wchar_t> buffer(length + 1, L'\0');
  RemoteBlock block(bars.front(), buffer.size() * sizeof(wchar_t));
  if (!block.Ready() || !block.Write(buffer.data(), buffer.size() * sizeof(wchar_t)))
    return false;
  SendMessageW(bars.front(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(block.At()));
  if (!block.Read(buffer.data(), length * sizeof(wchar_t)))
    return false;
  text.assign(buffer.data(), length);
  return true;
}

bool ClickToolButton(HWND window, const std::wstring& text) {
  for (HWND bar : VisibleChildrenOfClass(window, {TOOLBARCLASSNAMEW, L"TToolBar"}))
    if (ClickButtonOfBar(bar, text))
      return true;
  return false;
}

bool ClickTab(HWND window, const std::wstring& text) {
  for (HWND tabs : VisibleChildrenOfClass(window, {WC_TABCONTROLW, L"TPageControl", L"TTabControl"}))
    if (ClickTabOfControl(tabs, text))
      return true;
  return false;
}

}  // namespace e2e
