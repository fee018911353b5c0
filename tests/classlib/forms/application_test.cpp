#include "classlib/forms/application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "classlib/classes/threads.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/appevnts.h"
#include "classlib/forms/forms.h"
#include "classlib/forms/hintwindow.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/fakespooler.h"
#include "classlib/printers/spoolermemory.h"
#include "forms_test_util.h"

namespace {

using forms_test::Owned;
using forms_test::PumpUntil;

TEST(ApplicationTest, HasAHiddenOwnerWindowAndItsProgramName) {
  HWND wnd = Application->Handle();
  ASSERT_NE(wnd, nullptr);
  EXPECT_FALSE(IsWindowVisible(wnd));
  const AnsiString exe = Application->ExeName();
  EXPECT_NE(exe.find("test_forms"), AnsiString::npos) << exe;
  const AnsiString saved = Application->Title();
  Application->SetTitle("VORTELIM Dozuri");
  EXPECT_EQ(Application->Title(), "VORTELIM Dozuri");
  wchar_t text[64] = {};
  GetWindowTextW(wnd, text, 64);
  EXPECT_STREQ(text, L"VORTELIM Dozuri");
  Application->SetTitle(saved);
}

TEST(ApplicationTest, SynchronizeAndQueueRunOnTheMessageLoopThread) {
  const DWORD gui = GetCurrentThreadId();
  std::atomic<DWORD> syncThread{0}, queueThread{0};
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    TThread::Synchronize(nullptr, [&] { syncThread = GetCurrentThreadId(); });
    TThread::Queue(nullptr, [&] { queueThread = GetCurrentThreadId(); });
    finished = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return finished.load() && queueThread.load() != 0; }));
  worker.join();
  EXPECT_EQ(syncThread.load(), gui);
  EXPECT_EQ(queueThread.load(), gui);
}

TEST(ApplicationTest, AnExceptionInASynchronizedCallIsRaisedInTheThread) {
  std::atomic<bool> caught{false}, finished{false};
  std::thread worker([&] {
    try {
      TThread::Synchronize(nullptr, [] { throw EConvertError("bad"); });
    } catch (const EConvertError&) {
      caught = true;
    }
    finished = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return finished.load(); }));
  worker.join();
  EXPECT_TRUE(caught);
}

// A thread that synchronizes with the GUI thread while the GUI thread waits
// for it: the wait runs the call instead of blocking both for ever.
class TSynchronizingThread : public TThread {
public:
  TSynchronizingThread() : TThread(true) {}
  ~TSynchronizingThread() override {
    Terminate();
    WaitFor();
  }
  void Execute() override {
    Synchronize([this] { ranOn = GetCurrentThreadId(); });
    SetReturnValue(7);
  }
  std::atomic<DWORD> ranOn{0};
};

TEST(ApplicationTest, WaitForRunsTheCallsTheThreadSynchronizes) {
  TSynchronizingThread thread;
  thread.Start();
  EXPECT_EQ(thread.WaitFor(), 7);
  EXPECT_EQ(thread.ranOn.load(), GetCurrentThreadId());
}

struct HookOwner : TObject {
  int count = 0;
  bool Hook(TMessage& m) {
    if (m.Msg != WM_USER + 78)
      return false;
    ++count;
    m.Result = 42;
    return true;
  }
};

TEST(ApplicationTest, HookMainWindowSeesTheApplicationWindowsMessagesUntilUnhooked) {
  HookOwner owner;
  TWindowHook hook = Method<&HookOwner::Hook>(&owner);
  Application->HookMainWindow(hook);
  EXPECT_EQ(SendMessageW(Application->Handle(), WM_USER + 78, 0, 0), 42);
  Application->UnhookMainWindow(hook);
  EXPECT_EQ(SendMessageW(Application->Handle(), WM_USER + 78, 0, 0), 0);
  EXPECT_EQ(owner.count, 1);
}

// The system's word that printers or their settings changed reaches the
// application window, which drops what a running request kept.
TEST(ApplicationTest, PrinterChangeMessagesDropTheRequestsSpoolerAnswers) {
  for (UINT message : {UINT(WM_DEVMODECHANGE), UINT(WM_SETTINGCHANGE)}) {
    TFakeSpooler spooler;
    spooler.Default = "Etiket";
    SpoolerScope scope(spooler);
    SpoolerRequestScope request;
    EXPECT_EQ(Spooler().DefaultPrinter(), "Etiket");
    spooler.Default = "Yeni";
    EXPECT_EQ(Spooler().DefaultPrinter(), "Etiket");
    SendMessageW(Application->Handle(), message, 0, 0);
    EXPECT_EQ(Spooler().DefaultPrinter(), "Yeni") << message;
  }
}

TEST(ApplicationTest, HandleExceptionDropsEAbortAndReachesEveryEventsComponent) {
  Owned<TComponent> owner{new TComponent(nullptr)};
  auto* events = new TApplicationEvents(owner.get());
  std::vector<AnsiString> seen;
  events->OnException = [&](TObject*, Exception* e) { seen.push_back(e->Message); };
  try {
    throw EAbort("silent");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  try {
    throw std::runtime_error("plain");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  EXPECT_EQ(seen, (std::vector<AnsiString>{"plain"}));
}

TEST(ApplicationTest, OnIdleRunsWhenNoMessageWaits) {
  Application->ProcessMessages();
  int idles = 0;
  Application->OnIdle = [&](TObject*, bool& done) {
    ++idles;
    done = false;  // do not wait for the next message
  };
  Application->HandleMessage();
  Application->OnIdle = nullptr;
  EXPECT_EQ(idles, 1);
}

TEST(ApplicationTest, OnMessageCanHandleAMessageBeforeItIsDispatched) {
  UINT handled = 0;
  Application->OnMessage = [&](MSG& msg, bool& done) {
    if (msg.message == WM_USER + 79) {
      handled = msg.message;
      done = true;
    }
  };
  PostMessageW(Application->Handle(), WM_USER + 79, 0, 0);
  Application->ProcessMessages();
  Application->OnMessage = nullptr;
  EXPECT_EQ(handled, WM_USER + 79u);
}

}  // namespace

namespace {

TEST(HintTest, AControlsShortHintShowsAfterThePause) {
  Owned<TForm> form{new TForm(nullptr)};
  form->SetBounds(100, 100, 300, 200);
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  button->SetBounds(10, 10, 80, 25);
  button->SetHint("Kaydet|Kaydı diske yazar");
  button->SetShowHint(true);
  form->Show();
  Application->SetHintPause(10);
  // The mouse really goes there: a control the cursor is not over hears it leave.
  POINT centre = button->ClientToScreen(Point(40, 12));
  SetCursorPos(centre.x, centre.y);
  SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 12));
  THintWindow* hint = Application->HintWindow();
  ASSERT_TRUE(PumpUntil([&] { return hint->HandleAllocated() && IsWindowVisible(hint->Handle()); }));
  EXPECT_EQ(hint->Caption(), "Kaydet");
  EXPECT_EQ(hint->Color(), Application->HintColor());
  EXPECT_NE(GetActiveWindow(), hint->Handle()) << "a hint never takes the activation";
  Application->CancelHint();
  EXPECT_FALSE(IsWindowVisible(hint->Handle()));
  Application->SetHintPause(500);
}

TEST(HintTest, ShortAndLongHintsSplitAtTheBar) {
  EXPECT_EQ(GetShortHint("Aç|Dosya açar"), "Aç");
  EXPECT_EQ(GetLongHint("Aç|Dosya açar"), "Dosya açar");
  EXPECT_EQ(GetShortHint("Tek"), "Tek");
  EXPECT_EQ(GetLongHint("Tek"), "Tek");
}

}  // namespace
