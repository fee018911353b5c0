// The text report's printer setup form inside the print dialog: its texts
// and layout, the dialog block it fills, the form carried by the dialog
// while it runs, the choices written back into the report's options, and a
// dialog that cannot show taken as a cancel.
#include <gtest/gtest.h>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/printers.h"
#include "classlib/system/win/widestring.h"
#include "tests/support/formfixture.h"
#include "textreport/core/zrescapemodels.h"
#include "textreport/forms/fmprintersetup.h"
#include "../output/zrtestreport.h"
#include "windowsnapshot.h"

namespace {

using namespace test_support;

// The windows inside Parent that Tab stops at, in the order it visits them.
std::vector<HWND> TabStopsOf(HWND parent) {
  std::vector<HWND> stops;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongPtrW(child, GWL_STYLE) & (WS_TABSTOP | WS_VISIBLE)) == (WS_TABSTOP | WS_VISIBLE))
      stops.push_back(child);
  return stops;
}

AnsiString WindowCaption(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return WideToAnsi(text);
}

TEST(TfmPrinterSetupTest, ShowsTheEngineTextsAndEveryPrinterModel) {
  Owned<TfmPrinterSetup> form(NewForm<TfmPrinterSetup>(Application));
  EXPECT_EQ(form->Caption(), "Printer setup");
  EXPECT_EQ(form->cbConvertToOEM->Caption(), "Convert to OEM");
  EXPECT_EQ(form->cbIgnoreFontStyles->Caption(), "Ignore font styles");
  EXPECT_EQ(form->lbEscapeModel->Caption(), "ESC-sequence:");
  EXPECT_FALSE(form->cbIgnoreFontStyles->Visible());
  EXPECT_FALSE(form->cbIgnoreFontStyles->Enabled());
  ASSERT_EQ(form->cbEscapeModel->Items()->Count(), ZREscapeModelCount);
  for (int model = 0; model < ZREscapeModelCount; ++model)
    EXPECT_EQ(form->cbEscapeModel->Items()->Strings(model), EscapeModelName(static_cast<TZREscapeModel>(model)));
  EXPECT_EQ(form->cbEscapeModel->ItemIndex(), 2);
  EXPECT_EQ(form->gbOptions->Left(), form->FormPrintCommonDialog->Width());
  RECT client{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, form->gbOptions->Left() + form->gbOptions->Width() + 8);
  EXPECT_EQ(form->FormPrintCommonDialog->OkButtonCaption(), "&Ok");
  EXPECT_EQ(form->FormPrintCommonDialog->CancelButtonCaption(), "Cancel");
  EXPECT_EQ(form->FormPrintCommonDialog->HelpButtonCaption(), "&Help");
}

TEST(TfmPrinterSetupTest, ThePrintHostKeepsItsPlaceAndSize) {
  Owned<TfmPrinterSetup> form(NewForm<TfmPrinterSetup>(Application));
  TFormPrintCommonDialog* host = form->FormPrintCommonDialog;
  host->SetBounds(30, 40, 100, 100);
  EXPECT_EQ(host->Left(), 0);
  EXPECT_EQ(host->Top(), 0);
  EXPECT_EQ(host->Width(), 432);
  EXPECT_EQ(host->Height(), 302);
}

// A stand-in for the platform's print dialog: a window with the OK, Cancel
// and Help buttons of one, which hands its messages to the hook as the
// platform's dialog does.
class FakePrintDialog {
public:
  explicit FakePrintDialog(PRINTDLGW& block) : block_(block) {
    window_ = CreateWindowExW(0, L"#32770", L"Print", WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 440, 330,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Button(IDOK, L"OK", 200);
    Button(IDCANCEL, L"Cancel", 280);
    Button(1038, L"Help", 360);
    block_.lpfnPrintHook(window_, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&block_));
    ShowWindow(window_, SW_SHOW);
    Pump();
  }
  ~FakePrintDialog() {
    block_.lpfnPrintHook(window_, WM_DESTROY, 0, 0);
    DestroyWindow(window_);
  }
  HWND Handle() const { return window_; }

private:
  void Button(int id, const wchar_t* text, int left) {
    CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE, left, 260, 70, 24, window_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  }
  PRINTDLGW& block_;
  HWND window_ = nullptr;
};

class PrinterSetupDialogTest : public testing::Test {
protected:
  PrinterSetupDialogTest() : report(10, 2), scope(dialogs) {
    InstallPrinterSetupForm();
    report.options.SetCopies(1);
    report.options.SetFileName("rapor.txt");
    report.options.SetOEMConvert(true);
    report.options.Escapes()->SetModel(emEpson);
    document = std::make_unique<TZRPrinter>(&report);
    zr_test::Build(*document, {{"A"}, {"B"}, {"C"}});
    SharedForm()->Show();
  }
  ~PrinterSetupDialogTest() override {
    TZRPrinter::SetupForm = nullptr;
    TFormPrintCommonDialog::RunDialog = platformDialog;
  }

  const std::function<bool(PRINTDLGW&)> platformDialog = TFormPrintCommonDialog::RunDialog;

  zr_test::TestReport report;
  TScriptedDialogService dialogs;
  TDialogServiceScope scope;
  std::unique_ptr<TZRPrinter> document;
};

// The block asks for pages 1 to the page count with page numbers and print
// to file offered, and hooks the dialog; inside, the form's options sit
// beside the dialog's controls; what the user chose comes back into the
// report's options, the file name from the save dialog.
TEST_F(PrinterSetupDialogTest, TheDialogCarriesTheFormAndTheChoicesComeBack) {
  bool ran = false;
  TFormPrintCommonDialog::RunDialog = [&](PRINTDLGW& block) {
    ran = true;
    EXPECT_EQ(block.nMinPage, 1);
    EXPECT_EQ(block.nMaxPage, 3);
    EXPECT_EQ(block.nFromPage, 1);
    EXPECT_EQ(block.nToPage, 3);
    EXPECT_EQ(block.nCopies, 1);
    EXPECT_EQ(block.Flags & (PD_HIDEPRINTTOFILE | PD_NOPAGENUMS | PD_PRINTTOFILE | PD_NOWARNING), 0u);
    EXPECT_NE(block.Flags & PD_NOSELECTION, 0u);
    EXPECT_NE(block.Flags & PD_COLLATE, 0u);
    EXPECT_NE(block.Flags & PD_ENABLEPRINTHOOK, 0u);
    FakePrintDialog dialog(block);
    auto* host = reinterpret_cast<TFormPrintCommonDialog*>(block.lCustData);
    auto* form = static_cast<TfmPrinterSetup*>(GetParentForm(host));
    EXPECT_EQ(host->DialogHandle(), dialog.Handle());
    EXPECT_TRUE(IsChild(dialog.Handle(), form->cbConvertToOEM->Handle()));
    EXPECT_TRUE(IsWindowVisible(form->cbConvertToOEM->Handle()));
    EXPECT_TRUE(form->cbConvertToOEM->Checked());
    EXPECT_EQ(form->cbEscapeModel->ItemIndex(), static_cast<int>(emEpson));
    EXPECT_EQ(WindowCaption(dialog.Handle()), "Printer setup");
    EXPECT_EQ(WindowCaption(GetDlgItem(dialog.Handle(), IDOK)), "&Ok");
    EXPECT_EQ(WindowCaption(GetDlgItem(dialog.Handle(), 1038)), "&Help");
    // The options lie right of the dialog's own controls, inside its client area.
    RECT client{}, options{};
    GetClientRect(dialog.Handle(), &client);
    GetWindowRect(form->gbOptions->Handle(), &options);
    MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&options), 2);
    EXPECT_GE(options.left, 432);
    EXPECT_LE(options.right, client.right);
    // Tab goes down the options as they stand: the check box, then the models.
    EXPECT_EQ(TabStopsOf(form->gbOptions->Handle()),
              (std::vector<HWND>{form->cbConvertToOEM->Handle(), form->cbEscapeModel->Handle()}));
    SaveWindowSnapshot(dialog.Handle(), "printsetup-fake");
    // The user's choices.
    SendMessageW(form->cbConvertToOEM->Handle(), BM_CLICK, 0, 0);
    form->cbEscapeModel->SetItemIndex(static_cast<int>(emEpsonLQSeries));
    block.Flags = (block.Flags & ~PD_COLLATE) | PD_PAGENUMS | PD_PRINTTOFILE;
    block.nFromPage = 2;
    block.nToPage = 3;
    block.nCopies = 2;
    return true;
  };
  dialogs.AnswerFile("C:\\cikti.txt");
  ASSERT_TRUE(document->SetupDialog());
  EXPECT_TRUE(ran);
  EXPECT_FALSE(report.options.OEMConvert());
  EXPECT_EQ(report.options.Escapes()->Model(), emEpsonLQSeries);
  EXPECT_EQ(report.options.PageFrom(), 2);
  EXPECT_EQ(report.options.PageTo(), 3);
  EXPECT_EQ(report.options.Copies(), 2);
  EXPECT_EQ(report.options.Destination(), zrdFile);
  EXPECT_EQ(report.options.FileName(), "C:\\cikti.txt");
  EXPECT_TRUE(IsWindowEnabled(SharedForm()->Handle()));
}

// The copies go to the program's printer as they are set; a dialog that
// answers one copy leaves the number to the printer, which may keep the
// copies itself.
TEST_F(PrinterSetupDialogTest, OneCopyAnsweredTakesThePrintersCopies) {
  if (Printer().Printers().Count() == 0)
    GTEST_SKIP() << "no printer here";
  const int before = Printer().Copies();
  TFormPrintCommonDialog host(nullptr);
  host.SetCopies(3);
  EXPECT_EQ(Printer().Copies(), 3);
  TFormPrintCommonDialog::RunDialog = [](PRINTDLGW& block) {
    EXPECT_EQ(block.nCopies, 3);
    block.nCopies = 1;
    return true;
  };
  ASSERT_TRUE(host.Execute());
  EXPECT_EQ(host.Copies(), 3);
  TFormPrintCommonDialog::RunDialog = [](PRINTDLGW& block) {
    block.nCopies = 2;
    return true;
  };
  ASSERT_TRUE(host.Execute());
  EXPECT_EQ(host.Copies(), 2);
  Printer().SetCopies(before);
}

// No printer, or any other reason the platform gives for not showing the
// dialog: nothing changes, and the program's windows answer again.
TEST_F(PrinterSetupDialogTest, ADialogThatCannotShowIsACancel) {
  TFormPrintCommonDialog::RunDialog = [&](PRINTDLGW& block) {
    EXPECT_FALSE(IsWindowEnabled(SharedForm()->Handle()));
    (void)block;
    return false;
  };
  EXPECT_FALSE(document->SetupDialog());
  EXPECT_TRUE(report.options.OEMConvert());
  EXPECT_EQ(report.options.Escapes()->Model(), emEpson);
  EXPECT_EQ(report.options.Destination(), zrdPrinter);
  EXPECT_TRUE(IsWindowEnabled(SharedForm()->Handle()));
  EXPECT_TRUE(dialogs.Records().empty());
}

// The platform's own print dialog: when it shows, it carries the form and
// Cancel gives false; when it cannot show (no printer), it is a cancel too.
TEST_F(PrinterSetupDialogTest, ThePlatformDialogCarriesTheFormAndCancels) {
  static HWND shownDialog = nullptr;
  static bool carried = false;
  static std::vector<HWND> tabStops, expectedStops;
  static TfmPrinterSetup* form = nullptr;
  shownDialog = nullptr;
  carried = false;
  TZRPrinter::SetupForm = [](TPrintDialog& dialog, TZRSetupFormValues& values) {
    Owned<TfmPrinterSetup> setup(NewForm<TfmPrinterSetup>(Application));
    form = setup.get();
    UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
      HWND dialogWindow = form->FormPrintCommonDialog->DialogHandle();
      if (dialogWindow == nullptr)
        return;
      KillTimer(nullptr, id);
      shownDialog = dialogWindow;
      carried = IsChild(dialogWindow, form->gbOptions->Handle()) && IsWindowVisible(form->gbOptions->Handle());
      tabStops = TabStopsOf(form->gbOptions->Handle());
      expectedStops = {form->cbConvertToOEM->Handle(), form->cbEscapeModel->Handle()};
      SaveWindowSnapshot(dialogWindow, "printsetup");
      PostMessageW(dialogWindow, WM_COMMAND, IDCANCEL, 0);
    });
    const bool confirmed = setup->Execute(dialog, values);
    KillTimer(nullptr, timer);
    form = nullptr;
    return confirmed;
  };
  EXPECT_FALSE(document->SetupDialog());
  if (shownDialog != nullptr) {
    EXPECT_TRUE(carried);
    EXPECT_EQ(tabStops, expectedStops);  // Tab goes down the options: the check box, then the models
  }
  else
    std::printf("the print dialog could not show here (no printer): taken as a cancel\n");
  EXPECT_TRUE(IsWindowEnabled(SharedForm()->Handle()));
  EXPECT_EQ(report.options.Destination(), zrdPrinter);
}

}  // namespace
