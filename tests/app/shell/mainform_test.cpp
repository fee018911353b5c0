// The main form's life: first start, loading the record file, closing with
// Cancel and with OK, and a save that fails.
#include <windows.h>

#include <filesystem>

#include "app/shell/programidentity.h"
#include "classlib/system/fileutils.h"
#include "shell_test_util.h"

using shell_test::MainFormTest;

namespace {

FileBytes RecordBytes(std::initializer_list<std::pair<int, const char*>> fields) {
  FileBytes bytes(4040, 0);
  for (const auto& [number, text] : fields) {
    const std::size_t slot = 202 * (number - 1);
    bytes[slot] = 1;
    for (std::size_t i = 0; text[i] != 0; ++i)
      bytes[slot + 1 + i] = static_cast<std::uint8_t>(text[i]);
  }
  return bytes;
}

}  // namespace

TEST_F(MainFormTest, FirstStartMakesTheFoldersAndWritesNothing) {
  TAnaF& f = Create();
  EXPECT_EQ(f.Caption(), "VORTELIM Dozuri s4.03.01");
  EXPECT_TRUE(DirectoryExists(folder.File("Data")));
  EXPECT_TRUE(DirectoryExists(folder.File("Data\\Ini")));
  EXPECT_FALSE(FileExists(RecordFile()));
  EXPECT_TRUE(f.RxBarkod->Active());
  EXPECT_TRUE(f.RxEtiket->Active());
  EXPECT_EQ(f.RxBarkod->RecordCount(), 0);
  EXPECT_EQ(f.PageControl1->ActivePage(), f.TabKayit);
  EXPECT_EQ(f.WindowState(), wsMaximized);
  EXPECT_TRUE(FocusOnInsert);
  EXPECT_TRUE(dialogs.Records().empty());
  std::error_code ignored;
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path() / "Data" / "Ini", ignored));
}

TEST_F(MainFormTest, StartUpReadsTheRecordFileInOrder) {
  std::filesystem::create_directories(folder.Path() / "Data");
  FileBytes bytes = RecordBytes({{1, "ABC"}, {2, "\xFD\xFE\xFD"}});
  const FileBytes second = RecordBytes({{20, "son"}});
  bytes.insert(bytes.end(), second.begin(), second.end());
  WriteFileBytes(RecordFile(), bytes);

  TAnaF& f = Create();
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"ABC", ""}));
  EXPECT_EQ(Column(2), (std::vector<AnsiString>{"\xFD\xFE\xFD", ""}));
  EXPECT_EQ(Column(20), (std::vector<AnsiString>{"", "son"}));
  EXPECT_EQ(f.PageControl1->ActivePage(), f.TabKayit);
  EXPECT_TRUE(dialogs.Records().empty());
}

// A cut file loads its whole records, keeps the original aside and says so
// once, so the save at exit cannot silently drop what was not read.
TEST_F(MainFormTest, ACutRecordFileIsKeptAsideAndReportedOnce) {
  std::filesystem::create_directories(folder.Path() / "Data");
  FileBytes bytes = RecordBytes({{1, "tam"}});
  bytes.resize(4040 + 100, 7);
  WriteFileBytes(RecordFile(), bytes);

  dialogs.AnswerButton(IDOK);
  Create();
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"tam"}));
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Caption, "Bilgi");
  EXPECT_NE(dialogs.Records()[0].Text.find("barkod.bxf.bak"), AnsiString::npos);
  EXPECT_EQ(ReadFileBytes(folder.File("Data\\barkod.bxf.bak")), bytes);
}

TEST_F(MainFormTest, ClosingWithCancelChangesNothing) {
  TAnaF& f = CreateShown();
  AddRecord({{1, "ipek"}});
  AddRecord({{1, "zeytin"}});
  f.FilterValues[0]->SetText("i");
  f.Button6Click(nullptr);
  dialogs.AnswerButton(IDCANCEL);
  f.Close();

  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Caption, "Soru");
  EXPECT_EQ(dialogs.Records()[0].Text, "Programdan çıkmak istiyor musunuz?");
  EXPECT_EQ(dialogs.Records()[0].Flags, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
  EXPECT_TRUE(f.Showing());
  EXPECT_FALSE(FileExists(RecordFile()));
  EXPECT_TRUE(f.RxBarkod->Filtered());
  EXPECT_EQ(f.FilterValues[0]->Text(), "i");
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"ipek"}));
}

TEST_F(MainFormTest, ClosingWithOkSavesEveryRecordThoughAFilterHidesSome) {
  TAnaF& f = CreateShown();
  AddRecord({{1, "ipek"}, {2, "ABC"}});
  AddRecord({{1, "zeytin"}});
  AddRecord({{1, "İzmir"}});
  f.FilterValues[0]->SetText("i");
  f.Button6Click(nullptr);
  ASSERT_EQ(Column(1).size(), 2u);

  dialogs.AnswerButton(IDOK);
  f.Close();
  EXPECT_FALSE(f.RxBarkod->Filtered());
  EXPECT_EQ(f.FilterValues[0]->Text(), "");
  FileBytes expected = RecordBytes({{1, "ipek"}, {2, "ABC"}});
  for (const char* text : {"zeytin", "\xDDzmir"}) {
    const FileBytes record = RecordBytes({{1, text}});
    expected.insert(expected.end(), record.begin(), record.end());
  }
  EXPECT_EQ(ReadFileBytes(RecordFile()), expected);
}

// A record file that cannot be written keeps the program open with every
// record and the old file as it was; a second question, whose default is to
// stay, lets the user quit without saving.
TEST_F(MainFormTest, AFailedSaveOffersToQuitWithoutSavingAndStaysByDefault) {
  TAnaF& f = CreateShown();
  AddRecord({{1, "kalsın"}});
  std::filesystem::create_directories(folder.Path() / "Data" / "barkod.bxf");

  dialogs.AnswerButton(IDOK).AnswerButton(IDOK).AnswerButton(IDNO);
  f.Close();
  ASSERT_EQ(dialogs.Records().size(), 3u);
  EXPECT_EQ(dialogs.Records()[1].Text.find("Kayıtlar \"" + RecordFile() + "\" dosyasına yazılamadı: "), 0u)
      << dialogs.Records()[1].Text;
  EXPECT_EQ(dialogs.Records()[2].Caption, "Soru");
  EXPECT_EQ(dialogs.Records()[2].Text.find("Kayıtlar kaydedilemedi. Kaydetmeden çıkmak istiyor musunuz?"), 0u);
  EXPECT_EQ(dialogs.Records()[2].Flags & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON2));
  EXPECT_TRUE(f.Showing());
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"kalsın"}));

  dialogs.AnswerButton(IDOK).AnswerButton(IDOK).AnswerButton(IDYES);
  f.Close();
  EXPECT_EQ(dialogs.Pending(), 0);
  EXPECT_FALSE(f.Showing());
  EXPECT_TRUE(DirectoryExists(RecordFile()));
}

// The reason of a failed save is told in Turkish before the system's text.
TEST_F(MainFormTest, AFailedSaveNamesItsReasonInTurkish) {
  TAnaF& f = CreateShown();
  AddRecord({{1, "kalsın"}});
  std::filesystem::create_directories(folder.Path() / "Data");
  HANDLE held = CreateFileW(std::filesystem::path(folder.Path() / "Data" / "barkod.bxf").c_str(),
                            GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  dialogs.AnswerButton(IDOK).AnswerButton(IDOK).AnswerButton(IDNO);
  f.Close();
  CloseHandle(held);
  ASSERT_EQ(dialogs.Records().size(), 3u);
  EXPECT_NE(dialogs.Records()[1].Text.find("dosyasına yazılamadı: dosya başka bir program tarafından kullanılıyor ("),
            AnsiString::npos)
      << dialogs.Records()[1].Text;
}

// A record file that could be neither read nor kept aside at start-up is
// never replaced: the records of the run go to a new file beside it, and
// the user is told both times.
TEST_F(MainFormTest, AnUnreadFileThatCouldNotBeKeptAsideIsNeverReplaced) {
  // The file is held open by another program: it can be neither read nor
  // copied.
  std::filesystem::create_directories(folder.Path() / "Data");
  const FileBytes original = RecordBytes({{1, "eski"}});
  WriteFileBytes(RecordFile(), original);
  HANDLE held = CreateFileW(std::filesystem::path(folder.Path() / "Data" / "barkod.bxf").c_str(), GENERIC_READ,
                            0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  dialogs.AnswerButton(IDOK);
  TAnaF& f = CreateShown();
  CloseHandle(held);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  const AnsiString notice = dialogs.Records()[0].Text;
  EXPECT_EQ(notice.find("Kayıt dosyası okunamadı: dosya başka bir program tarafından kullanılıyor ("), 0u) << notice;
  EXPECT_NE(notice.find("Dosyanın bir kopyası alınamadı."), AnsiString::npos) << notice;
  EXPECT_NE(notice.find("barkod.yeni.bxf"), AnsiString::npos) << notice;
  EXPECT_EQ(f.RxBarkod->RecordCount(), 0);

  AddRecord({{1, "yeni"}});
  dialogs.AnswerButton(IDOK).AnswerButton(IDOK);
  f.Close();
  EXPECT_FALSE(f.Showing());
  ASSERT_EQ(dialogs.Records().size(), 3u);
  EXPECT_NE(dialogs.Records()[2].Text.find("barkod.yeni.bxf"), AnsiString::npos);
  EXPECT_EQ(ReadFileBytes(RecordFile()), original);
  EXPECT_EQ(ReadFileBytes(folder.File("Data\\barkod.yeni.bxf")), RecordBytes({{1, "yeni"}}));
}

// Flags other than 0 and 1 are never written by this program: such a file
// is reported once and kept aside, as a damaged one is.
TEST_F(MainFormTest, AFileWithForeignFlagsIsKeptAsideAndReportedOnce) {
  std::filesystem::create_directories(folder.Path() / "Data");
  FileBytes bytes(2 * 4040);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>((i * 7919u + 13u) % 251u);
  WriteFileBytes(RecordFile(), bytes);

  dialogs.AnswerButton(IDOK);
  Create();
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_NE(dialogs.Records()[0].Text.find("bu programın yazdığı bir kayıt dosyasına benzemiyor"), AnsiString::npos)
      << dialogs.Records()[0].Text;
  EXPECT_NE(dialogs.Records()[0].Text.find("barkod.bxf.bak"), AnsiString::npos);
  EXPECT_EQ(ReadFileBytes(folder.File("Data\\barkod.bxf.bak")), bytes);
}

// The exception handler forgets the print request's list file and shows
// the standard box; it does not release data-set controls held disabled.
TEST_F(MainFormTest, TheExceptionHandlerClearsTheListFileAndShowsTheMessage) {
  TAnaF& f = Create();
  ActiveListFile = "C:\\liste.ini";
  f.RxEtiket->DisableControls();
  dialogs.AnswerButton(IDOK);
  EConvertError error("Hatalı sayı");
  f.ApplicationEvents1Exception(nullptr, &error);
  EXPECT_EQ(ActiveListFile, "");
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Hatalı sayı.");
  EXPECT_TRUE(f.RxEtiket->ControlsDisabled());
  f.RxEtiket->EnableControls();
}

TEST_F(MainFormTest, TheFilterPanelFollowsThePage) {
  TAnaF& f = CreateShown();
  f.PageControl1->SelectNextPage(true);
  ASSERT_EQ(f.PageControl1->ActivePage(), f.TabBasim);
  EXPECT_EQ(f.PanelFiltre->Parent(), f.PanelKayitli);
  EXPECT_EQ(f.PanelFiltre->Align(), alBottom);
  EXPECT_EQ(f.PanelFiltre->Height(), 150);
  EXPECT_EQ(f.PanelKayitli->Width(), f.Width() / 2 - f.PanelOrta->Width());

  f.PageControl1->SelectNextPage(true);
  ASSERT_EQ(f.PageControl1->ActivePage(), f.TabKayit);
  EXPECT_EQ(f.PanelFiltre->Parent(), f.PanelGrid);
  EXPECT_EQ(f.PanelFiltre->Align(), alRight);
  EXPECT_EQ(f.PanelFiltre->Width(), 244);
}

// Tab never traps the focus in the saved-records grid, though it takes Tab
// itself so the handler sees it.
TEST_F(MainFormTest, TabLeavesTheSavedRecordsGrid) {
  TAnaF& f = CreateShown();
  f.PageControl1->SelectNextPage(true);
  f.DBGrid2->SetFocus();
  ASSERT_TRUE(f.DBGrid2->Focused());
  SendMessageW(f.DBGrid2->Handle(), WM_KEYDOWN, VK_TAB, forms_test::KeyData(VK_TAB));
  EXPECT_TRUE(forms_test::PumpUntil([&] { return !f.DBGrid2->Focused(); }, 2000));
  EXPECT_TRUE(f.LabelCommandButtons[0]->Focused());
  // Where ">" cannot take the focus, Tab goes on to the next control.
  f.LabelCommandButtons[0]->SetEnabled(false);
  f.DBGrid2->SetFocus();
  SendMessageW(f.DBGrid2->Handle(), WM_KEYDOWN, VK_TAB, forms_test::KeyData(VK_TAB));
  EXPECT_TRUE(forms_test::PumpUntil([&] { return !f.DBGrid2->Focused(); }, 2000));
  EXPECT_TRUE(f.FilterFields[0]->Focused());
}
