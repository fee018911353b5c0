// The report chooser driven as a user would, with every dialog answered
// through the scripted dialog service: radio-button check marks, add,
// remove, describe, design, save, the answer of selection mode, cancel, the
// texts through the report component's hooks, and a damaged list file.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/bitmap.h"
#include "layouts/raporsecf.h"
#include "layouts/vtrapor.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"

namespace {

using test_support::Pump;

AnsiString BytesText(const FileBytes& bytes) { return AnsiString(bytes.begin(), bytes.end()); }
FileBytes TextBytes(const AnsiString& text) { return FileBytes(text.begin(), text.end()); }

// A shown chooser of one test: the entry point runs with the scripted
// service, and the test's steps drive the form while it is up.
class ChooserTest : public testing::Test {
protected:
  ChooserTest() : scope_(dialogs), rapor(new TVtRapor(nullptr)) {
    listFile = folder.File("etiketyeni.ini");
    defaultLayout = folder.File("etiket.vlp");
  }
  ~ChooserTest() override { rapor->Free(); }

  // Runs the chooser; Drive sees the shown form and must end it.
  void Manage(const std::function<void(TRaporSecF&)>& Drive) {
    dialogs.OnModalForm = ShowAnd(Drive);
    ShowReportManagerForm(listFile, defaultLayout, rapor);
  }
  AnsiString Choose(const std::function<void(TRaporSecF&)>& Drive) {
    dialogs.OnModalForm = ShowAnd(Drive);
    return ChooseReportForm(listFile, defaultLayout, rapor);
  }

  void WriteList(const AnsiString& text) { WriteFileBytes(listFile, TextBytes(text)); }
  AnsiString ListText() const { return BytesText(ReadFileBytes(listFile)); }
  // A layout file that exists.
  AnsiString MakeLayout(const AnsiString& name) {
    const AnsiString file = folder.File(name);
    WriteFileBytes(file, TextBytes("TPF0"));
    return file;
  }

  ScratchFolder folder;
  TScriptedDialogService dialogs;
  TDialogServiceScope scope_;
  TVtRapor* rapor;
  AnsiString listFile, defaultLayout;

private:
  static std::function<void(TCustomForm&)> ShowAnd(const std::function<void(TRaporSecF&)>& Drive) {
    return [Drive](TCustomForm& form) {
      auto& chooser = static_cast<TRaporSecF&>(form);
      chooser.Show();
      Pump();
      if (chooser.ModalResult() == mrNone)
        Drive(chooser);
      chooser.Hide();
    };
  }
};

// What the list shows: per row its check mark, description and file.
struct Row {
  bool checked;
  AnsiString description, file;
  bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(const TRaporSecF& form) {
  std::vector<Row> rows;
  for (int i = 0; i < form.ListView1->Items()->Count(); ++i) {
    const TListItem* item = form.ListView1->Items()->Item(i);
    rows.push_back({item->Checked(), item->Caption(), item->SubItems()->Strings(0)});
  }
  return rows;
}

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << (row.checked ? "[x] " : "[ ] ") << row.description << " | " << row.file;
}

// Clicks a row's check box with the mouse, as the user does.
void ClickCheckBox(TRaporSecF& form, int index) {
  const HWND list = form.ListView1->Handle();
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&bounds)));
  const int y = (bounds.top + bounds.bottom) / 2;
  for (int x = bounds.left; x < bounds.left + 40; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem == index && (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
      SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
      SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
      Pump();
      return;
    }
  }
  FAIL() << "no check box found on row " << index;
}

void Select(TRaporSecF& form, int index) {
  form.ListView1->SetSelected(index < 0 ? nullptr : form.ListView1->Items()->Item(index));
}

void Click(TButton* button) {
  button->Click();
  Pump();
}

TEST_F(ChooserTest, AMissingListShowsTheCheckedTopRowAndSavingCreatesTheFileAndItsFolders) {
  listFile = folder.File("Data") + "\\Ini\\etiketyeni.ini";
  std::vector<Row> shown;
  Manage([&](TRaporSecF& form) {
    shown = Rows(form);
    EXPECT_EQ(form.VTFormHeader1->Title(), "Rapor Ayarlari");
    EXPECT_TRUE(form.Panel2->Visible());
    EXPECT_FALSE(form.ButtonRaporSec->Visible());
    EXPECT_TRUE(form.ListView1->Items()->Item(0)->Selected());
    Click(form.Button5);
    EXPECT_EQ(form.ModalResult(), mrOk);
  });
  EXPECT_EQ(shown, (std::vector<Row>{{true, "Varsayilan", defaultLayout}}));
  EXPECT_EQ(ListText(), "[*]PRINTER=\r\n[*]COPY=1\r\n");
}

TEST_F(ChooserTest, ALoadedListShowsItsRowsOptionsAndDefault) {
  WriteList("a.vlp|Küçük etiket\r\n[def]b.vlp|Büyük | iki sütun\r\nc.vlp\r\n"
            "[*]RAPORSECENEKLERINIGOSTER\r\n[*]PRINTER=Yazıcı Yok\r\n[*]COPY=4\r\n");
  Manage([&](TRaporSecF& form) {
    EXPECT_EQ(Rows(form), (std::vector<Row>{{false, "Varsayilan", defaultLayout},
                                            {false, "Küçük etiket", "a.vlp"},
                                            {true, "Büyük | iki sütun", "b.vlp"},
                                            {false, "", "c.vlp"}}));
    EXPECT_TRUE(form.ListView1->Items()->Item(2)->Selected());
    EXPECT_TRUE(form.CheckBox1->Checked());
    EXPECT_EQ(form.ComboBoxPrinters->Text(), "Yazıcı Yok");
    EXPECT_EQ(form.RxSpinEditKopya->AsInteger(), 4);
    EXPECT_FALSE(form.ListView1->Items()->Item(1)->EditCaption()) << "captions are not edited in place";
    form.KapatExecute(form.Kapat);
  });
}

TEST_F(ChooserTest, CheckMarksActAsRadioButtons) {
  WriteList("a.vlp|A\r\nb.vlp|B\r\n");
  std::vector<std::vector<bool>> marks;
  Manage([&](TRaporSecF& form) {
    auto record = [&] {
      std::vector<bool> now;
      for (const Row& row : Rows(form))
        now.push_back(row.checked);
      marks.push_back(now);
    };
    record();                // no default: the top row
    ClickCheckBox(form, 2);  // checking one unchecks the others
    record();
    ClickCheckBox(form, 1);
    record();
    ClickCheckBox(form, 1);  // unchecking the only checked row checks it again
    record();
    form.KapatExecute(form.Kapat);
  });
  EXPECT_EQ(marks, (std::vector<std::vector<bool>>{
                       {true, false, false}, {false, false, true}, {false, true, false}, {false, true, false}}));
}

TEST_F(ChooserTest, TwoDefaultLinesShowOneCheckedRowAndSaveOne) {
  WriteList("[def]a.vlp|A\r\n[def]b.vlp|B\r\n");
  Manage([&](TRaporSecF& form) {
    EXPECT_EQ(Rows(form), (std::vector<Row>{
                              {false, "Varsayilan", defaultLayout}, {true, "A", "a.vlp"}, {false, "B", "b.vlp"}}));
    Click(form.Button5);
  });
  EXPECT_EQ(ListText(), "[def]a.vlp|A\r\nb.vlp|B\r\n[*]PRINTER=\r\n[*]COPY=1\r\n");
}

TEST_F(ChooserTest, SavingWritesEveryRowAndOptionExactly) {
  WriteList("[def]a.vlp|A\r\n");
  const AnsiString added = MakeLayout("yeni.vlp");
  dialogs.AnswerFile(added).AnswerText("Şişe | ığdır ÇĞİÖŞÜ");
  Manage([&](TRaporSecF& form) {
    Click(form.Button1);  // "Ekle"
    Select(form, 2);
    Click(form.Button4);  // "Aciklama"
    ClickCheckBox(form, 0);
    form.CheckBox1->SetChecked(true);
    form.ComboBoxPrinters->SetText("Ofis Yazıcısı");
    form.RxSpinEditKopya->SetValue(3);
    Click(form.Button5);
    EXPECT_EQ(form.ModalResult(), mrOk);
  });
  // The top row checked: no "[def]" line, the host's default applies.
  EXPECT_EQ(ListText(), "a.vlp|A\r\n" + added + "|Şişe | ığdır ÇĞİÖŞÜ\r\n"
                        "[*]RAPORSECENEKLERINIGOSTER\r\n[*]PRINTER=Ofis Yazıcısı\r\n[*]COPY=3\r\n");
}

TEST_F(ChooserTest, AddTakesOnlyAnExistingVlpFileFromTheOpenDialog) {
  const AnsiString existing = MakeLayout("var.vlp");
  dialogs.AnswerFile(folder.File("yok.vlp")).AnswerCancel().AnswerFile(existing);
  Manage([&](TRaporSecF& form) {
    for (int i = 0; i < 3; ++i)
      Click(form.Button1);
    EXPECT_EQ(Rows(form), (std::vector<Row>{{true, "Varsayilan", defaultLayout}, {false, "", existing}}));
    form.KapatExecute(form.Kapat);
  });
  ASSERT_GE(dialogs.Records().size(), 2u);
  const TDialogRecord& open = dialogs.Records()[1];
  EXPECT_EQ(open.Kind, TDialogKind::OpenFile);
  EXPECT_EQ(open.Filter, "VORTELIM Rapor Dosyasi (*.vlp)|*.vlp");
  EXPECT_EQ(open.DefaultExt, "vlp");
  EXPECT_EQ(dialogs.Pending(), 0);
}

TEST_F(ChooserTest, RemoveAndDescribeLeaveTheTopRowAlone) {
  WriteList("a.vlp|A\r\nb.vlp|B\r\n");
  dialogs.AnswerCancel();
  Manage([&](TRaporSecF& form) {
    Select(form, 0);
    Click(form.Button2);  // "Kaldir" on the top row: nothing
    Click(form.Button4);  // "Aciklama" on the top row: nothing asked
    Select(form, 1);
    Click(form.Button4);  // cancelled: unchanged
    Click(form.Button2);
    EXPECT_EQ(Rows(form), (std::vector<Row>{{true, "Varsayilan", defaultLayout}, {false, "B", "b.vlp"}}));
    Select(form, -1);
    Click(form.Button2);  // no selection: nothing
    EXPECT_EQ(form.ListView1->Items()->Count(), 2);
    form.KapatExecute(form.Kapat);
  });
  const auto& records = dialogs.Records();
  ASSERT_EQ(records.size(), 2u);  // the form, then one description question
  EXPECT_EQ(records[1].Kind, TDialogKind::InputQuery);
  EXPECT_EQ(records[1].Text, "Aciklama");
  EXPECT_EQ(records[1].Value, "A");
  EXPECT_EQ(records[1].Caption, "Rapor Ayarlari");
}

TEST_F(ChooserTest, EscapeClosesWithoutSaving) {
  WriteList("a.vlp|A\r\n");
  Manage([&](TRaporSecF& form) {
    Click(form.Button2);
    Select(form, 1);
    Click(form.Button2);
    EXPECT_TRUE(form.IsShortCut(VK_ESCAPE, TShiftState{}));
    EXPECT_EQ(form.ModalResult(), mrCancel);
  });
  EXPECT_EQ(ListText(), "a.vlp|A\r\n");
}

TEST_F(ChooserTest, DesignOpensTheRowsFileTheDefaultLayoutOrNoFile) {
  WriteList("a.vlp|A\r\n");
  std::vector<AnsiString> designed;
  const TReportDesigner previous =
      SetReportDesigner([&](TVtRapor&, const AnsiString& file) { designed.push_back(file); });
  Manage([&](TRaporSecF& form) {
    Select(form, 1);
    Click(form.Button3);
    Select(form, 0);
    Click(form.Button3);
    Select(form, -1);
    Click(form.Button3);  // no row: nothing
    Click(form.Button7);
    form.KapatExecute(form.Kapat);
  });
  SetReportDesigner(previous);
  EXPECT_EQ(designed, (std::vector<AnsiString>{"a.vlp", defaultLayout, ""}));
}

TEST_F(ChooserTest, WithoutAReportComponentDesignDoesNothingAndTextsStand) {
  TVtRapor* kept = std::exchange(rapor, nullptr);
  Manage([&](TRaporSecF& form) {
    Select(form, 0);
    Click(form.Button3);
    Click(form.Button7);
    EXPECT_EQ(form.Button1->Caption(), "Ekle");
    EXPECT_EQ(form.ListView1->Items()->Item(0)->Caption(), "Varsayilan");
    form.KapatExecute(form.Kapat);
  });
  rapor = kept;
  EXPECT_EQ(dialogs.Records().size(), 1u);  // only the form itself
}

TEST_F(ChooserTest, AFailedSaveIsReportedAndTheFormStaysOpen) {
  // A file where the list's folder should be: the list cannot be written.
  WriteFileBytes(folder.File("engel"), TextBytes("eski"));
  listFile = folder.File("engel") + "\\etiketyeni.ini";
  dialogs.AnswerButton(mrOk);
  Manage([&](TRaporSecF& form) {
    Click(form.Button5);
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_EQ(form.ListView1->Items()->Count(), 1);
    form.KapatExecute(form.Kapat);
  });
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[1].DlgType, mtError);
  EXPECT_NE(dialogs.Records()[1].Text.find("Rapor listesi dosyasi kaydedilemedi"), AnsiString::npos);
  EXPECT_EQ(BytesText(ReadFileBytes(folder.File("engel"))), "eski");
}

TEST_F(ChooserTest, TheCopyCountStaysAtLeastOne) {
  Manage([&](TRaporSecF& form) {
    form.RxSpinEditKopya->SetValue(0);
    Click(form.Button5);
  });
  EXPECT_EQ(ListText(), "[*]PRINTER=\r\n[*]COPY=1\r\n");
}

TEST_F(ChooserTest, ALargeCopyCountFromTheListIsShownAndSavedUnchanged) {
  WriteList("a.vlp|A\r\n[*]PRINTER=\r\n[*]COPY=1500\r\n");
  Manage([&](TRaporSecF& form) {
    EXPECT_EQ(form.RxSpinEditKopya->AsInteger(), 1500);
    Click(form.Button5);
  });
  EXPECT_EQ(ListText(), "a.vlp|A\r\n[*]PRINTER=\r\n[*]COPY=1500\r\n");
}

TEST_F(ChooserTest, SelectionModeAnswersTheConfirmedRowsFile) {
  WriteList("[def]a.vlp|A\r\nb.vlp|B\r\n");
  struct Case {
    int row;
    AnsiString answer;
  };
  for (const Case& c : {Case{2, "b.vlp"}, Case{0, ""}, Case{1, "a.vlp"}}) {
    const AnsiString expected = c.row == 0 ? defaultLayout : c.answer;
    const AnsiString answer = Choose([&](TRaporSecF& form) {
      EXPECT_EQ(form.VTFormHeader1->Title(), "Rapor Seciniz");
      EXPECT_FALSE(form.Panel2->Visible());
      EXPECT_TRUE(form.ButtonRaporSec->Visible());
      EXPECT_TRUE(form.ButtonRaporSec->Default());
      Select(form, c.row);
      Click(form.ButtonRaporSec);
    });
    EXPECT_EQ(answer, expected) << c.row;
  }
}

TEST_F(ChooserTest, SelectionModeClosedWithoutTamamAnswersEmpty) {
  WriteList("[def]a.vlp|A\r\n");
  const AnsiString escaped = Choose([&](TRaporSecF& form) {
    Select(form, -1);
    Click(form.ButtonRaporSec);  // no row selected: nothing happens
    EXPECT_EQ(form.ModalResult(), mrNone);
    form.IsShortCut(VK_ESCAPE, TShiftState{});
  });
  EXPECT_EQ(escaped, "");
  const AnsiString closed = Choose([&](TRaporSecF& form) {
    Select(form, 1);
    form.Close();  // the window's close box
    if (form.ModalResult() == mrNone)
      form.SetModalResult(mrCancel);
  });
  EXPECT_EQ(closed, "");
  EXPECT_EQ(ListText(), "[def]a.vlp|A\r\n");
}

TEST_F(ChooserTest, EveryTextGoesThroughTheTranslateHookAndTheFormIsAnnounced) {
  std::vector<AnsiString> asked;
  rapor->OnTranslate = [&](AnsiString text, AnsiString& result) {
    asked.push_back(text);
    result = "<" + text + ">";
  };
  std::vector<TCustomForm*> opened;
  rapor->OnFormOpen = [&](TCustomForm* form) { opened.push_back(form); };
  dialogs.AnswerCancel();
  TRaporSecF* shown = nullptr;
  const AnsiString answer = Choose([&](TRaporSecF& form) {
    shown = &form;
    EXPECT_EQ(form.VTFormHeader1->Title(), "<Rapor Seciniz>");
    EXPECT_EQ(form.Panel1->Caption(), "<Eklenmis Raporlar>");
    EXPECT_EQ(form.ListView1->Columns()->Items(0)->Caption(), "<Aciklama>");
    EXPECT_EQ(form.ListView1->Columns()->Items(1)->Caption(), "<Rapor Dosyasi>");
    EXPECT_EQ(form.ListView1->Items()->Item(0)->Caption(), "<Varsayilan>");
    EXPECT_EQ(form.ButtonRaporSec->Caption(), "<Tamam>");
    std::vector<AnsiString> captions;
    for (TControl* c : std::initializer_list<TControl*>{form.Button1, form.Button2, form.Button3, form.Button4,
                                                         form.Button7, form.Button6, form.Button5, form.CheckBox1,
                                                         form.Label1, form.Label2})
      captions.push_back(c->Caption());
    EXPECT_EQ(captions, (std::vector<AnsiString>{"<Ekle>", "<Kaldir>", "<Tasarla>", "<Aciklama>", "<Yeni Tasarim>",
                                                 "<Kapat>", "<Kaydet>",
                                                 "<Yazdirmadan once rapor seceneklerini bana goster>", "<Yazici>",
                                                 "<Kopya>"}));
    EXPECT_EQ(form.OD->Filter(), "<VORTELIM Rapor Dosyasi (*.vlp)|*.vlp>");
    EXPECT_EQ(opened, (std::vector<TCustomForm*>{&form}));
    form.IsShortCut(VK_ESCAPE, TShiftState{});
  });
  EXPECT_EQ(answer, "");
  // Each text once, untranslated.
  for (const AnsiString& text : asked)
    EXPECT_EQ(text.find('<'), AnsiString::npos) << text;
}

TEST_F(ChooserTest, ADamagedListIsReportedInTurkishAndLeftUntouched) {
  const FileBytes damaged{'a', '.', 'v', 'l', 'p', 0x00, 0x01, 0xFF, 'T', 'P', 'F', '0'};
  WriteFileBytes(listFile, damaged);
  dialogs.AnswerButton(mrOk).AnswerButton(mrOk);
  bool driven = false;
  Manage([&](TRaporSecF&) { driven = true; });
  const AnsiString answer = Choose([&](TRaporSecF&) { driven = true; });
  EXPECT_FALSE(driven);  // the form closed itself before the user could act
  EXPECT_EQ(answer, "");
  EXPECT_EQ(ReadFileBytes(listFile), damaged);
  std::vector<AnsiString> messages;
  for (const TDialogRecord& r : dialogs.Records())
    if (r.Kind == TDialogKind::MessageDlg) {
      EXPECT_EQ(r.DlgType, mtError);
      messages.push_back(r.Text);
    }
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[0].find("Rapor listesi dosyasi bozuk"), AnsiString::npos) << messages[0];
  EXPECT_NE(messages[0].find(listFile), AnsiString::npos) << messages[0];
}

// The window as the system shows it, frame included; kept as
// "<DOZURI_SCREENSHOT_DIR>/<name>.bmp" when that variable is set, for a look.
struct Shot {
  TBitmap bitmap;
  int dx = 0, dy = 0;  // the client area's offset in the picture
};

void TakeShot(TCustomForm& form, const char* name, Shot& shot) {
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  Pump();
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  POINT client{0, 0};
  ClientToScreen(form.Handle(), &client);
  shot.dx = client.x - window.left;
  shot.dy = client.y - window.top;
  shot.bitmap.SetPixelFormat(pf32bit);
  shot.bitmap.SetSize(window.right - window.left, window.bottom - window.top);
  // From the screen, so the child windows are in the picture.
  HDC screen = GetDC(nullptr);
  const BOOL copied = BitBlt(shot.bitmap.Canvas().Handle(), 0, 0, shot.bitmap.Width(), shot.bitmap.Height(), screen,
                             window.left, window.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(copied);
  if (const char* dir = std::getenv("DOZURI_SCREENSHOT_DIR"))
    shot.bitmap.SaveToFile(AnsiString(dir) + "\\" + name + ".bmp");
}

bool IsDark(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return (rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF) < 3 * 96;
}

// True when some pixel of a client rectangle of the control is dark: text is drawn there.
bool HasText(Shot& shot, TCustomForm& form, TControl* control) {
  POINT origin{0, 0};
  ClientToScreen(static_cast<TWinControl*>(control)->Handle(), &origin);
  POINT formOrigin{0, 0};
  ClientToScreen(form.Handle(), &formOrigin);
  const int left = shot.dx + origin.x - formOrigin.x, top = shot.dy + origin.y - formOrigin.y;
  for (int y = top; y < top + control->Height(); ++y)
    for (int x = left; x < left + control->Width(); ++x)
      if (IsDark(shot.bitmap.Canvas().Pixels(x, y)))
        return true;
  return false;
}

TEST_F(ChooserTest, BothModesAreDrawnWithTheirControls) {
  WriteList("[def]C:\\Raporlar\\şişe.vlp|Şişe etiketi\r\nC:\\Raporlar\\küçük.vlp|Küçük etiket\r\n"
            "[*]PRINTER=Ofis Yazıcısı\r\n[*]COPY=2\r\n");
  Manage([&](TRaporSecF& form) {
    Shot shot;
    TakeShot(form, "chooser-manage", shot);
    const TColor header = shot.bitmap.Canvas().Pixels(shot.dx + 400, shot.dy + 15);
    EXPECT_NE(ColorToRGB(header), ColorToRGB(clBtnFace)) << "the header's gradient";
    EXPECT_TRUE(HasText(shot, form, form.ListView1)) << "the rows";
    EXPECT_TRUE(HasText(shot, form, form.Button5)) << "Kaydet";
    EXPECT_TRUE(HasText(shot, form, form.Panel2)) << "the management controls";
    form.KapatExecute(form.Kapat);
  });
  Choose([&](TRaporSecF& form) {
    Shot shot;
    TakeShot(form, "chooser-select", shot);
    EXPECT_TRUE(HasText(shot, form, form.ListView1)) << "the rows";
    EXPECT_TRUE(HasText(shot, form, form.ButtonRaporSec)) << "Tamam";
    form.KapatExecute(form.Kapat);
  });
}

}  // namespace

namespace {

// A key as the message loop sees it: posted to the focused window.
void PostKey(WORD key) {
  PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
  PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
  Pump();
}

TEST_F(ChooserTest, TheKeysWorkAsTheUserPressesThem) {
  WriteList("[def]a.vlp|A\r\nb.vlp|B\r\n");
  // Esc closes either mode without an answer and without saving.
  Manage([&](TRaporSecF& form) {
    form.ListView1->SetFocus();
    Pump();
    PostKey(VK_ESCAPE);
    EXPECT_EQ(form.ModalResult(), mrCancel);
  });
  EXPECT_EQ(Choose([&](TRaporSecF& form) {
              form.ListView1->SetFocus();
              Pump();
              PostKey(VK_ESCAPE);
              EXPECT_EQ(form.ModalResult(), mrCancel);
            }),
            "");
  // Enter confirms the selected row with the default button "Tamam".
  EXPECT_EQ(Choose([&](TRaporSecF& form) {
              form.ListView1->SetFocus();
              Select(form, 2);
              Pump();
              PostKey(VK_RETURN);
              EXPECT_EQ(form.ModalResult(), mrOk);
            }),
            "b.vlp");
  // In management mode "Tamam" is hidden: Enter neither answers nor closes.
  Manage([&](TRaporSecF& form) {
    form.ListView1->SetFocus();
    Select(form, 2);
    Pump();
    PostKey(VK_RETURN);
    EXPECT_EQ(form.ModalResult(), mrNone);
    form.KapatExecute(form.Kapat);
  });
  // Space on a row checks it and unchecks the others.
  std::vector<bool> marks;
  Manage([&](TRaporSecF& form) {
    form.ListView1->SetFocus();
    Select(form, 2);
    form.ListView1->Items()->Item(2)->SetFocused(true);
    Pump();
    PostKey(VK_SPACE);
    for (const Row& row : Rows(form))
      marks.push_back(row.checked);
    form.KapatExecute(form.Kapat);
  });
  EXPECT_EQ(marks, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(ListText(), "[def]a.vlp|A\r\nb.vlp|B\r\n");
}

}  // namespace

namespace {

// The chooser in the real modal loop, as the program runs it; the close box
// is pressed once the window is up.
TEST_F(ChooserTest, TheRealModalLoopEndsOnTheCloseBoxAndOnADamagedList) {
  WriteList("[def]a.vlp|A\r\n");
  int shown = 0;
  dialogs.OnModalForm = [&](TCustomForm& form) {
    ++shown;
    form.HandleNeeded();
    PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
    form.ShowModalLoop();
  };
  EXPECT_EQ(ChooseReportForm(listFile, defaultLayout, rapor), "");
  ShowReportManagerForm(listFile, defaultLayout, rapor);
  EXPECT_EQ(ListText(), "[def]a.vlp|A\r\n");

  const FileBytes damaged{'a', 0x00, 0x01};
  WriteFileBytes(listFile, damaged);
  dialogs.AnswerButton(mrOk);
  dialogs.OnModalForm = [&](TCustomForm& form) {
    ++shown;
    form.ShowModalLoop();  // ends by itself: the form closes on the damaged list
  };
  EXPECT_EQ(ChooseReportForm(listFile, defaultLayout, rapor), "");
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(ReadFileBytes(listFile), damaged);
}

}  // namespace
