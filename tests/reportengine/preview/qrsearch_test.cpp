// Finding text on metafile pages: pages drawn through a canvas, a page
// built by hand with an 8-bit text record and one whose record points past
// its end, and the search dialog's texts and answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/forms/screen.h"
#include "classlib/graphics/metafile.h"
#include "reportengine/preview/qrsearch.h"
#include "reportengine/preview/qrtextrecord.h"

namespace {

// A page with one text drawn in a font of the given character set.
std::unique_ptr<TMetafile> DrawnPage(const AnsiString& text, TFontCharset charset = DEFAULT_FONT_CHARSET) {
  auto page = std::make_unique<TMetafile>();
  page->SetWidth(400);
  page->SetHeight(300);
  {
    TMetafileCanvas canvas(page.get(), nullptr);
    canvas.Font().SetName("Arial");
    canvas.Font().SetCharset(charset);
    canvas.Font().SetSize(12);
    canvas.TextOut(20, 20, text);
  }
  return page;
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// An 8-bit text-out record; offset 0 puts the string right after the fixed part.
std::vector<std::uint8_t> NarrowTextRecord(const std::string& text, std::uint32_t offset = 0) {
  std::vector<std::uint8_t> record(76 + (text.size() + 3) / 4 * 4, 0);
  PutU32(record, 0, kEmrExtTextOutA);
  PutU32(record, 4, static_cast<std::uint32_t>(record.size()));
  PutU32(record, 36, 1);  // graphics mode: compatible
  PutU32(record, 44, static_cast<std::uint32_t>(text.size()));
  PutU32(record, 48, offset == 0 ? 76 : offset);
  std::memcpy(record.data() + 76, text.data(), text.size());
  return record;
}

// A metafile of a header, the given records and the end record.
std::unique_ptr<TMetafile> BuiltPage(const std::vector<std::vector<std::uint8_t>>& records) {
  std::vector<std::uint8_t> bytes(sizeof(ENHMETAHEADER), 0);
  for (const auto& r : records)
    bytes.insert(bytes.end(), r.begin(), r.end());
  std::vector<std::uint8_t> eof(20, 0);
  PutU32(eof, 0, EMR_EOF);
  PutU32(eof, 4, 20);
  PutU32(eof, 12, 16);
  PutU32(eof, 16, 20);
  bytes.insert(bytes.end(), eof.begin(), eof.end());

  ENHMETAHEADER h{};
  h.iType = EMR_HEADER;
  h.nSize = sizeof(ENHMETAHEADER);
  h.rclBounds = {0, 0, 399, 299};
  h.rclFrame = {0, 0, 10583, 7937};
  h.dSignature = ENHMETA_SIGNATURE;
  h.nVersion = 0x10000;
  h.nBytes = static_cast<DWORD>(bytes.size());
  h.nRecords = static_cast<DWORD>(records.size() + 2);
  h.nHandles = 1;
  h.szlDevice = {1024, 768};
  h.szlMillimeters = {271, 203};
  h.szlMicrometers = {271000, 203000};
  std::memcpy(bytes.data(), &h, sizeof h);
  auto page = std::make_unique<TMetafile>();
  page->LoadFromBytes(bytes);
  return page;
}

TEST(MetafileContainsText, DrawnPageFoundByCaseRule) {
  const auto page = DrawnPage("Grand Total 12,50");
  EXPECT_TRUE(MetafileContainsText("total", *page, false));
  EXPECT_FALSE(MetafileContainsText("total", *page, true));
  EXPECT_TRUE(MetafileContainsText("Total", *page, true));
  EXPECT_FALSE(MetafileContainsText("sum", *page, false));
  EXPECT_FALSE(MetafileContainsText("", *page, false));
  EXPECT_FALSE(MetafileContainsText("", *page, true));
}

TEST(MetafileContainsText, TurkishTextDrawnInATurkishFontIsFound) {
  const auto page = DrawnPage("Adres: Şişli / İstanbul", TURKISH_CHARSET);
  EXPECT_TRUE(MetafileContainsText("şişli", *page, false));
  EXPECT_TRUE(MetafileContainsText("istanbul", *page, false));
  EXPECT_TRUE(MetafileContainsText("Şişli", *page, true));
  EXPECT_FALSE(MetafileContainsText("şişli", *page, true));
  EXPECT_TRUE(MetafileContainsText("ISTANBUL", *page, false));
  EXPECT_FALSE(MetafileContainsText("istanbul", *page, true));
}

TEST(MetafileContainsText, PagesWithoutTextAreNeverFound) {
  auto page = std::make_unique<TMetafile>();
  page->SetWidth(100);
  page->SetHeight(100);
  {
    TMetafileCanvas canvas(page.get(), nullptr);
    canvas.Rectangle(10, 10, 90, 90);
  }
  EXPECT_FALSE(MetafileContainsText("a", *page, false));
  const TMetafile empty;
  EXPECT_FALSE(MetafileContainsText("a", empty, false));
}

TEST(MetafileContainsText, HandBuiltRecords) {
  EXPECT_TRUE(MetafileContainsText("total", *BuiltPage({NarrowTextRecord("Total")}), false));
  // A record whose string lies past its end is skipped; a good record after
  // it is still read.
  const auto broken = BuiltPage({NarrowTextRecord("Total", 0x7FFFFFF0u), NarrowTextRecord("Sum")});
  EXPECT_FALSE(MetafileContainsText("total", *broken, false));
  EXPECT_TRUE(MetafileContainsText("sum", *broken, false));
}

// A crafted page store can give a record a size beyond the page: its string
// offset then lies inside the claimed size but far outside the page. The
// search reads nothing past the page's last byte; records before it are
// still searched.
TEST(MetafileContainsText, RecordClaimingMoreThanThePageHoldsIsNotRead) {
  for (const std::uint32_t claimed : {0x7FFFFFF0u, 0x100000u}) {
    auto record = NarrowTextRecord("Total", claimed - 16);
    PutU32(record, 4, claimed);
    const auto page = BuiltPage({NarrowTextRecord("Sum"), record});
    EXPECT_FALSE(MetafileContainsText("total", *page, false)) << claimed;
    EXPECT_TRUE(MetafileContainsText("sum", *page, false)) << claimed;
  }
}

TEST(TSearchDlg, TextsAndAnswers) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  struct Case {
    const char* what;
    bool search;
    bool cancelled;
    TModalResult result;
  };
  for (const Case c : {Case{"search", true, false, mrOk}, Case{"cancel", false, true, mrCancel}}) {
    TSearchDlg* dlg = NewForm<TSearchDlg>(nullptr);
    EXPECT_EQ(dlg->Caption(), "Search for Text");
    EXPECT_EQ(dlg->Label1->Caption(), "Search Text");
    EXPECT_EQ(dlg->CheckBox1->Caption(), "Match case");
    EXPECT_EQ(dlg->SpeedButton2->Caption(), "Search");
    EXPECT_EQ(dlg->SpeedButton1->Caption(), "Cancel");
    EXPECT_EQ(dlg->Width(), 305);
    EXPECT_EQ(dlg->Height(), 118);
    EXPECT_FALSE(dlg->Cancelled());
    dialogs.OnModalForm = [&](TCustomForm&) {
      dlg->Edit1->SetText("Şişli");
      dlg->CheckBox1->SetChecked(true);
      (c.search ? dlg->SpeedButton2 : dlg->SpeedButton1)->Click();
    };
    EXPECT_EQ(dlg->ShowModal(), c.result) << c.what;
    EXPECT_EQ(dlg->Cancelled(), c.cancelled) << c.what;
    EXPECT_EQ(dlg->SearchText(), "Şişli") << c.what;
    EXPECT_TRUE(dlg->MatchCase()) << c.what;
    dlg->Free();
  }
}

// The dialog in a real modal loop, its button pressed from a timer while
// the loop runs: Search ends it with OK and not cancelled, Cancel with a
// cancel. (A modal form's Close gives a cancel; Search must not.)
TSearchDlg*& RunningDialog() {
  static TSearchDlg* dialog = nullptr;
  return dialog;
}

TModalResult PressInModalLoop(TSearchDlg& dialog, bool search) {
  RunningDialog() = &dialog;
  static bool pressSearch = false;
  pressSearch = search;
  const UINT_PTR press = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    TSearchDlg* running = RunningDialog();
    if (running == nullptr || !running->FormState().Contains(fsModal))
      return;
    KillTimer(nullptr, id);
    if (pressSearch)
      running->SpeedButton2Click(running->SpeedButton2);
    else
      running->SpeedButton1Click(running->SpeedButton1);
  });
  // Should the press not end the loop, it ends here rather than hang.
  const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
    if (RunningDialog() != nullptr)
      RunningDialog()->SetModalResult(mrAbort);
  });
  const TModalResult result = dialog.ShowModal();
  KillTimer(nullptr, press);
  KillTimer(nullptr, watchdog);
  RunningDialog() = nullptr;
  return result;
}

TEST(TSearchDlg, ButtonsEndARealModalLoop) {
  for (const bool search : {true, false}) {
    TSearchDlg* dialog = NewForm<TSearchDlg>(nullptr);
    dialog->Edit1->SetText("Toplam");
    EXPECT_EQ(PressInModalLoop(*dialog, search), search ? mrOk : mrCancel) << search;
    EXPECT_EQ(dialog->Cancelled(), !search);
    EXPECT_EQ(dialog->SearchText(), "Toplam");
    EXPECT_FALSE(dialog->Visible());
    dialog->Free();
  }
}

}  // namespace
