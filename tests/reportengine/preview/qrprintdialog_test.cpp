// The banded engine's print dialog, answered through the dialog service:
// what it asks the platform for, what it reads back from the returned
// blocks, where its hook places the dialog, and how it runs task-modally.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <stdexcept>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "reportengine/preview/qrprintdialog.h"
#include "reportengine/printer/qrprinter.h"
#include "tests/support/formfixture.h"

namespace {

struct PrintDialogTest : ::testing::Test {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  TQRPrinter printer{nullptr};
  TQRPrintDialog dialog{nullptr};
  PrintDialogTest() { dialog.SetQRPrinter(&printer); }

  // Runs Execute with the platform's answer written by `answer`.
  bool Confirm(const std::function<void(PRINTDLGW&)>& answer) {
    dialogs.AnswerAccept();
    dialogs.OnPrintBlock = answer;
    return dialog.Execute();
  }
};

// The device mode the answer writes to: the one handed in, or a new one as
// the platform gives when it had none.
DEVMODEW* LockReturnedMode(PRINTDLGW& pd) {
  if (pd.hDevMode == nullptr) {
    pd.hDevMode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
    dm->dmSize = sizeof(DEVMODEW);
    dm->dmSpecVersion = DM_SPECVERSION;
    return dm;
  }
  return static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
}

TEST_F(PrintDialogTest, AsksWithFlagsPagesAndHooks) {
  dialog.Options = TPrintDialogOptions{poPageNums};
  dialog.PrintRange = prPageNums;
  dialog.Collate = 1;
  dialog.FromPage = 2;
  dialog.ToPage = 5;
  dialog.MinPage = 1;
  dialog.MaxPage = 9;
  PRINTDLGW asked{};
  ASSERT_TRUE(Confirm([&](PRINTDLGW& pd) {
    asked = pd;
    pd.Flags = (pd.Flags & ~PD_PAGENUMS) | PD_SELECTION | PD_PRINTTOFILE;
    pd.nFromPage = 3;
    pd.nToPage = 4;
  }));
  const DWORD wanted = PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_PAGENUMS | PD_COLLATE | PD_HIDEPRINTTOFILE |
                       PD_NOSELECTION | PD_NOWARNING;
  EXPECT_EQ(asked.Flags, wanted);
  EXPECT_EQ(dialogs.Records().at(0).Flags, wanted);
  EXPECT_EQ(asked.lpfnPrintHook, &QRDialogHook);
  EXPECT_EQ(asked.lpfnSetupHook, &QRDialogHook);
  EXPECT_EQ(reinterpret_cast<TQRCommonDialog*>(asked.lCustData), &dialog);
  EXPECT_EQ(asked.hwndOwner, Application->Handle());
  EXPECT_EQ(asked.nFromPage, 2);
  EXPECT_EQ(asked.nToPage, 5);
  EXPECT_EQ(asked.nMinPage, 1);
  EXPECT_EQ(asked.nMaxPage, 9);
  EXPECT_EQ(asked.nCopies, 1);
  if (printer.PrintersAvailable()) {
    EXPECT_NE(asked.hDevMode, nullptr);
    EXPECT_NE(asked.hDevNames, nullptr);
  }
  EXPECT_EQ(dialog.PrintRange, prSelection);
  EXPECT_TRUE(dialog.PrintToFile);
  EXPECT_EQ(dialog.FromPage, 3);
  EXPECT_EQ(dialog.ToPage, 4);
}

TEST_F(PrintDialogTest, CancelChangesNothing) {
  dialog.FromPage = 2;
  dialogs.AnswerCancel();
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FromPage, 2);
  EXPECT_EQ(dialog.PrintRange, prAllPages);
  EXPECT_EQ(dialog.FieldMask(), 0u);
  EXPECT_EQ(dialogs.Pending(), 0);
}

TEST_F(PrintDialogTest, WithoutPrinterObjectNothingIsShown) {
  TQRPrintDialog alone(nullptr);
  EXPECT_FALSE(alone.Execute());
  EXPECT_TRUE(dialogs.Records().empty());
}

TEST_F(PrintDialogTest, ReadsTheReturnedDeviceMode) {
  const DWORD fields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_DEFAULTSOURCE |
                       DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX | DM_COLLATE;
  ASSERT_TRUE(Confirm([&](PRINTDLGW& pd) {
    DEVMODEW* dm = LockReturnedMode(pd);
    dm->dmFields = fields;
    dm->dmOrientation = DMORIENT_LANDSCAPE;
    dm->dmPaperSize = DMPAPER_A5;
    dm->dmPaperLength = 2100;
    dm->dmPaperWidth = 1480;
    dm->dmDefaultSource = DMBIN_MANUAL;
    dm->dmPrintQuality = DMRES_HIGH;
    dm->dmColor = DMCOLOR_COLOR;
    dm->dmDuplex = DMDUP_VERTICAL;
    dm->dmCollate = DMCOLLATE_TRUE;
    GlobalUnlock(pd.hDevMode);
  }));
  EXPECT_EQ(dialog.FieldMask(), fields);
  EXPECT_EQ(dialog.Orientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(dialog.PaperSize, DMPAPER_A5);
  EXPECT_EQ(dialog.Paperlength, 2100);
  EXPECT_EQ(dialog.Paperwidth, 1480);
  EXPECT_EQ(dialog.OutputBin, DMBIN_MANUAL);
  EXPECT_EQ(dialog.PrintQuality, DMRES_HIGH);
  EXPECT_EQ(dialog.ColorOption, DMCOLOR_COLOR);
  EXPECT_EQ(dialog.DuplexCode, DMDUP_VERTICAL);
  EXPECT_TRUE(dialog.Duplex);
  EXPECT_EQ(dialog.Collate, DMCOLLATE_TRUE);

  ASSERT_TRUE(Confirm([&](PRINTDLGW& pd) {
    DEVMODEW* dm = LockReturnedMode(pd);
    dm->dmDuplex = DMDUP_SIMPLEX;
    GlobalUnlock(pd.hDevMode);
  }));
  EXPECT_FALSE(dialog.Duplex);
}

TEST_F(PrintDialogTest, OneCopyReturnedKeepsThePrinterObjectsCopies) {
  if (!printer.PrintersAvailable())
    GTEST_SKIP() << "no printer installed";
  dialog.SetCopies(3);
  EXPECT_EQ(printer.DevicePrinter().Copies(), 3);
  struct Case {
    WORD returned;
    int copies;
  };
  for (const Case c : {Case{1, 3}, Case{2, 2}}) {
    WORD asked = 0;
    ASSERT_TRUE(Confirm([&](PRINTDLGW& pd) {
      asked = pd.nCopies;
      pd.nCopies = c.returned;
    }));
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(dialog.Copies(), c.copies) << c.returned;
  }
}

TEST_F(PrintDialogTest, ChosenDeviceModeGoesToThePrinterObject) {
  if (!printer.PrintersAvailable())
    GTEST_SKIP() << "no printer installed";
  ASSERT_TRUE(Confirm([&](PRINTDLGW& pd) {
    DEVMODEW* dm = LockReturnedMode(pd);
    dm->dmFields |= DM_ORIENTATION;
    dm->dmOrientation = DMORIENT_LANDSCAPE;
    GlobalUnlock(pd.hDevMode);
  }));
  EXPECT_EQ(printer.DevicePrinter().Orientation(), poLandscape);
}

// A stand-in for the dialog window: a popup of a known size.
HWND NewDialogWindow() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

TEST(QRDialogHook, PlacesAndSubclassesTheDialog) {
  TQRPrintDialog dialog(nullptr);
  int shown = 0, closed = 0;
  dialog.OnShow = [&](TObject* sender) {
    EXPECT_EQ(sender, &dialog);
    ++shown;
  };
  dialog.OnClose = [&](TObject*) { ++closed; };
  const HWND window = NewDialogWindow();
  ASSERT_NE(window, nullptr);
  PRINTDLGW pd{};
  pd.lCustData = reinterpret_cast<LPARAM>(static_cast<TQRCommonDialog*>(&dialog));
  EXPECT_EQ(QRDialogHook(window, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&pd)), 0u);
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 200) / 3);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(dialog.Handle(), window);
  // Other messages reach the window's own procedure through the component.
  SetWindowTextW(window, L"Print");
  wchar_t text[16] = {};
  GetWindowTextW(window, text, 16);
  EXPECT_STREQ(text, L"Print");
  DestroyWindow(window);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(QRDialogHook, LeavesOtherMessagesToThePlatform) {
  TQRPrintDialog dialog(nullptr);
  const HWND window = NewDialogWindow();
  EXPECT_EQ(QRDialogHook(window, WM_COMMAND, IDOK, 0), 0u);
  EXPECT_EQ(dialog.Handle(), nullptr);
  DestroyWindow(window);
}

struct TaskModalProbe {
  HWND other;
  bool otherEnabled = true;
  bool fail = false;
};

bool ProbeDialog(void* block) {
  auto* probe = static_cast<TaskModalProbe*>(block);
  probe->otherEnabled = IsWindowEnabled(probe->other) != FALSE;
  if (probe->fail)
    throw std::runtime_error("dialog failed");
  return true;
}

TEST(TQRCommonDialog, TaskModalDisablesTheOtherWindowsWhileItRuns) {
  test_support::FormFixture form;
  test_support::SharedForm()->Show();
  const HWND other = test_support::SharedForm()->Handle();
  TQRPrintDialog dialog(nullptr);
  for (bool fail : {false, true}) {
    TaskModalProbe probe{other, true, fail};
    if (fail)
      EXPECT_THROW(dialog.TaskModalDialog(&ProbeDialog, &probe), std::runtime_error);
    else
      EXPECT_TRUE(dialog.TaskModalDialog(&ProbeDialog, &probe));
    EXPECT_FALSE(probe.otherEnabled) << fail;
    EXPECT_TRUE(IsWindowEnabled(other)) << fail;
  }
}

TEST(TQRCommonDialog, HelpRequestTakenOnlyWithAContext) {
  TQRPrintDialog dialog(nullptr);
  TMessage help;
  help.Msg = QRHelpMessage();
  EXPECT_FALSE(dialog.MessageHook(help));
  dialog.SetHelpContext(12);
  EXPECT_TRUE(dialog.MessageHook(help));
  TMessage other;
  other.Msg = WM_PAINT;
  EXPECT_FALSE(dialog.MessageHook(other));
}

// The flags both engines' print dialogs are filled with.
TEST(PrintDialogFlags, FromOptionsRangeAndSwitches) {
  struct Case {
    TPrintDialogOptions options;
    TPrintRange range;
    bool collate, toFile;
    DWORD flags;
  };
  const Case cases[] = {
      {{}, prAllPages, false, false, PD_HIDEPRINTTOFILE | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING},
      {{poPrintToFile, poPageNums, poSelection, poWarning}, prAllPages, false, false, 0},
      {{poPrintToFile, poDisablePrintToFile, poHelp, poWarning, poPageNums, poSelection}, prSelection, true, true,
       PD_DISABLEPRINTTOFILE | PD_SHOWHELP | PD_SELECTION | PD_COLLATE | PD_PRINTTOFILE},
      {{poPageNums, poSelection, poWarning, poPrintToFile}, prPageNums, false, false, PD_PAGENUMS},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintDialogFlags(c.options, c.range, c.collate, c.toFile), c.flags);
    EXPECT_EQ(PrintRangeFromFlags(c.flags), c.range);
  }
}

}  // namespace
