// The design stage on a real form: its published interface, the layout file
// it saves and loads, the notices it posts itself and its keyboard commands.
#include "design/dsnunit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "classlib/classes/typinfo.h"
#include "stagefixtures.h"

namespace {

class StageTest : public testing::Test {
protected:
  void SetUp() override {
    RegisterStageTestClasses();
    form = new TTestDesignForm(nullptr);
    form->SetName("DesignForm");
    stage = new TDsnStage(form);
    stage->SetName("Stage");
    stage->SetParent(form);
    stage->SetBounds(0, 0, 640, 480);
    fileName = AnsiString("stage_") + testing::UnitTest::GetInstance()->current_test_info()->name() + ".vlp";
    std::replace(fileName.begin(), fileName.end(), '/', '_');
  }

  void TearDown() override {
    PumpMessages();
    form->Free();
    std::remove(fileName.c_str());
  }

  template <class T>
  T* Add(TWinControl* parent, const char* name) {
    auto* control = new T(form);
    control->SetName(name);
    control->SetParent(parent);
    return control;
  }

  // Two pages with a band and a label each; the labels refer across pages.
  void BuildTwoPages() {
    auto* page1 = Add<TTestPagePanel>(stage, "Report1");
    page1->SetBounds(10, 10, 200, 150);
    page1->Number = 1;
    page1->OnPrint = Method<&TTestDesignForm::PagePrint>(form);
    auto* band1 = Add<TTestBandPanel>(page1, "Band1");
    band1->SetBounds(0, 20, 200, 40);
    auto* label1 = Add<TTestLabel>(band1, "Label1");
    label1->SetCaption("Ad");
    label1->OnPrint = Method<&TTestDesignForm::LabelPrint>(form);

    auto* page2 = Add<TTestPagePanel>(stage, "Report2");
    page2->SetBounds(220, 10, 200, 150);
    page2->Number = 2;
    auto* band2 = Add<TTestBandPanel>(page2, "Band2");
    auto* label2 = Add<TTestLabel>(band2, "Label2");
    label2->SetCaption("Soyad");
    label2->SetLink(page1);
    label1->SetLink(band2);
  }

  std::vector<TControl*> StageControls() const {
    std::vector<TControl*> controls;
    for (int i = 0; i < stage->ControlCount(); ++i)
      controls.push_back(stage->Controls(i));
    return controls;
  }

  std::vector<AnsiString> StageNames() const {
    std::vector<AnsiString> names;
    for (TControl* c : StageControls())
      names.push_back(c->Name());
    return names;
  }

  TControl* Find(const char* name) const { return dynamic_cast<TControl*>(form->FindComponent(name)); }

  // The message LoadFromFile failed with ("" when it did not fail).
  AnsiString LoadError() {
    try {
      stage->LoadFromFile(fileName);
    } catch (const EReadError& e) {
      return e.Message;
    }
    return "";
  }

  TTestDesignForm* form = nullptr;
  TDsnStage* stage = nullptr;
  AnsiString fileName;
};

// ---- Published interface ----------------------------------------------------------

struct PublishedCase {
  const char* Name;
  const char* TypeName;
};

class StagePublishedTest : public testing::TestWithParam<PublishedCase> {};

TEST_P(StagePublishedTest, PropertyHasItsType) {
  PPropInfo prop = GetPropInfo(TDsnStage::StaticClass(), GetParam().Name);
  ASSERT_NE(prop, nullptr) << GetParam().Name;
  EXPECT_EQ(prop->PropType->Name, GetParam().TypeName);
}

INSTANTIATE_TEST_SUITE_P(
    Stage, StagePublishedTest,
    testing::Values(PublishedCase{"SelfProps", "TStrings"}, PublishedCase{"OutProps", "TStrings"},
                    PublishedCase{"Rubberband", "TRubberband"}, PublishedCase{"CoverMenu", "TPopupMenu"},
                    PublishedCase{"FixPosition", "Boolean"}, PublishedCase{"FixSize", "Boolean"},
                    PublishedCase{"OnDeleteQuery", "TDeleteQuery"}, PublishedCase{"OnCoverQuery", "TCoverQuery"},
                    PublishedCase{"OnSelectQuery", "TSelectQuery"}, PublishedCase{"OnMoveQuery", "TMoveQuery"},
                    PublishedCase{"OnControlCreate", "TControlCreate"},
                    PublishedCase{"OnControlLoading", "TControlCreate"},
                    PublishedCase{"OnControlLoaded", "TControlCreate"},
                    PublishedCase{"OnCoverDblClick", "TCallCompoEditor"},
                    PublishedCase{"OnMenuClick", "TCallPropEditor"}, PublishedCase{"OnPopup", "TNotifyEvent"},
                    PublishedCase{"Caption", "String"}),
    [](const testing::TestParamInfo<PublishedCase>& info) { return std::string(info.param.Name); });

TEST(Rubberband, StageSetsItsValuesAndTheyAreAlwaysStored) {
  auto* form = new TTestDesignForm(nullptr);
  auto* stage = new TDsnStage(form);
  TRubberband* band = stage->Rubberband();
  EXPECT_EQ(band->Color(), clGray);
  EXPECT_EQ(band->PenWidth(), 2);
  EXPECT_EQ(band->MoveWidth(), 8);
  EXPECT_EQ(band->MoveHeight(), 8);
  for (const char* name : {"Color", "PenWidth", "MoveWidth", "MoveHeight"}) {
    PPropInfo prop = GetPropInfo(TRubberband::StaticClass(), name);
    ASSERT_NE(prop, nullptr) << name;
    EXPECT_TRUE(prop->IsStored(band)) << name;
  }
  TRubberband other;
  other.SetMoveWidth(1);
  other.SetMoveHeight(1);
  stage->SetRubberband(&other);
  EXPECT_EQ(band->MoveWidth(), 1);
  EXPECT_EQ(band->Color(), 0);
  form->Free();
}

TEST(SelectAccept, SetAndEnumerationValues) {
  EXPECT_EQ(static_cast<int>(caAllAccept), 0);
  EXPECT_EQ(static_cast<int>(caNoAccept), 1);
  EXPECT_EQ(static_cast<int>(caChildrenAccept), 2);
  EXPECT_EQ((TSelectAccept{saCreate}).Bits(), 1u);
  EXPECT_EQ((TSelectAccept{saMove}).Bits(), 2u);
}

TEST_F(StageTest, PropertyListsAreCopied) {
  TStringList props;
  props.Add("Caption");
  stage->SetSelfProps(&props);
  props.Add("Color");
  EXPECT_EQ(stage->SelfProps()->Count(), 1);
  stage->SetOutProps(&props);
  EXPECT_EQ(stage->OutProps()->Count(), 2);
}

TEST_F(StageTest, CoverMenuIsClearedWhenTheMenuGoes) {
  auto* menu = new TPopupMenu(form);
  stage->SetCoverMenu(menu);
  EXPECT_EQ(stage->CoverMenu(), menu);
  menu->Free();
  EXPECT_EQ(stage->CoverMenu(), nullptr);
}

// ---- Saving ---------------------------------------------------------------------------

TEST_F(StageTest, EmptyStageSavesZeroBytesAndThatFileCannotBeLoaded) {
  stage->SaveToFile(fileName);
  EXPECT_EQ(ReadStageFile(fileName), "");
  EXPECT_EQ(LoadError(), fileName + " can not be read");
  EXPECT_EQ(stage->ControlCount(), 0);
}

TEST_F(StageTest, TwoPagesSaveAsTwoRecordsAndTwoZeros) {
  BuildTwoPages();
  stage->SaveToFile(fileName);
  std::string bytes = ReadStageFile(fileName);

  TMemoryStream record1, record2;
  stage->WriteControl(record1, stage->Controls(0));
  stage->WriteControl(record2, stage->Controls(1));
  std::string expected(static_cast<const char*>(record1.Memory()), static_cast<std::size_t>(record1.Size()));
  expected.append(static_cast<const char*>(record2.Memory()), static_cast<std::size_t>(record2.Size()));
  expected += std::string(2, '\0');
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(bytes.substr(0, 4), "TPF0");
  EXPECT_EQ(bytes.substr(static_cast<std::size_t>(record1.Size()), 4), "TPF0");
}

TEST_F(StageTest, RecordsFollowTheControlOrderNonWindowedFirst) {
  BuildTwoPages();
  Add<TTestLabel>(stage, "Loose")->SetCaption("Serbest");
  stage->SaveToFile(fileName);
  ASSERT_EQ(StageNames(), (std::vector<AnsiString>{"Loose", "Report1", "Report2"}));
  stage->LoadFromFile(fileName);
  EXPECT_EQ(StageNames(), (std::vector<AnsiString>{"Loose", "Report1", "Report2"}));
  EXPECT_EQ(ReadStageFile(fileName).substr(ReadStageFile(fileName).size() - 3), std::string(3, '\0'));
}

TEST_F(StageTest, SaveErrorPassesOnAndLeavesTheExistingFile) {
  BuildTwoPages();
  stage->SaveToFile(fileName);
  std::string good = ReadStageFile(fileName);
  Add<TTestUnwritableLabel>(dynamic_cast<TWinControl*>(Find("Band2")), "Broken1");
  EXPECT_THROW(stage->SaveToFile(fileName), EWriteError);
  EXPECT_EQ(ReadStageFile(fileName), good);
}

// The old file is replaced once the new one is complete, never rewritten in
// place: a reader that holds the old file open still finds it whole, whether
// the system lets the new file take its name or refuses, and no temporary
// file stays behind.
TEST_F(StageTest, SaveReplacesTheFileInsteadOfWritingIntoIt) {
  stage->SaveToFile(fileName);
  const std::string empty = ReadStageFile(fileName);
  HANDLE old = CreateFileW(std::wstring(fileName.begin(), fileName.end()).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(old, INVALID_HANDLE_VALUE);
  BuildTwoPages();
  bool refused = false;
  try {
    stage->SaveToFile(fileName);
  } catch (const Exception&) {
    refused = true;
  }
  EXPECT_EQ(GetFileSize(old, nullptr), empty.size());
  CloseHandle(old);
  if (refused)
    EXPECT_EQ(ReadStageFile(fileName), empty);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(L"vlp*.tmp", &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE);
  if (search != INVALID_HANDLE_VALUE)
    FindClose(search);
  stage->SaveToFile(fileName);
  EXPECT_NE(ReadStageFile(fileName), empty);
}

// A folder that is not there: the file the user named cannot be created,
// and the error says so of that file.
TEST_F(StageTest, SaveIntoAMissingFolderRaisesACreateErrorNamingTheFile) {
  BuildTwoPages();
  const AnsiString missing = "stage_yok\\" + fileName;
  try {
    stage->SaveToFile(missing);
    ADD_FAILURE() << "saved into a folder that is not there";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message.find("\"" + missing + "\""), 0u) << e.Message;
  }
}

TEST_F(StageTest, SaveEmptiesTheSelectionFirst) {
  TRecordingController controller;
  stage->SetController(&controller);
  BuildTwoPages();
  stage->SaveToFile(fileName);
  EXPECT_EQ(controller.Calls, (std::vector<std::string>{"UnselectAll"}));
}

// ---- Loading ------------------------------------------------------------------------------

TEST_F(StageTest, LoadGivesThePagesBackInOrderWithTheirProperties) {
  BuildTwoPages();
  stage->SaveToFile(fileName);
  std::string saved = ReadStageFile(fileName);
  std::vector<TControl*> old = StageControls();

  stage->LoadFromFile(fileName);

  ASSERT_EQ(StageNames(), (std::vector<AnsiString>{"Report1", "Report2"}));
  auto* page1 = dynamic_cast<TTestPagePanel*>(stage->Controls(0));
  auto* page2 = dynamic_cast<TTestPagePanel*>(stage->Controls(1));
  ASSERT_NE(page1, nullptr);
  ASSERT_NE(page2, nullptr);
  EXPECT_NE(static_cast<TControl*>(page1), old[0]);
  EXPECT_EQ(page1->Owner(), form);
  EXPECT_EQ(page1->Number, 1);
  EXPECT_EQ(page2->Number, 2);
  EXPECT_EQ(page1->BoundsRect().left, 10);
  EXPECT_EQ(page2->BoundsRect().left, 220);
  EXPECT_EQ(page1->OnPrint.GetMethod(), Method<&TTestDesignForm::PagePrint>(form));
  auto* label1 = dynamic_cast<TTestLabel*>(Find("Label1"));
  auto* label2 = dynamic_cast<TTestLabel*>(Find("Label2"));
  ASSERT_NE(label1, nullptr);
  ASSERT_NE(label2, nullptr);
  EXPECT_EQ(label1->Parent(), Find("Band1"));
  EXPECT_EQ(label1->Parent()->Parent(), page1);
  EXPECT_EQ(label1->Caption(), "Ad");
  EXPECT_EQ(label1->Link(), Find("Band2"));
  EXPECT_EQ(label2->Link(), page1);
  EXPECT_EQ(label1->OnPrint.GetMethod(), Method<&TTestDesignForm::LabelPrint>(form));
  // The old pages are gone from the form, and a new save is the same file.
  EXPECT_EQ(form->ComponentCount(), 7);
  stage->SaveToFile(fileName);
  EXPECT_EQ(ReadStageFile(fileName), saved);
}

TEST_F(StageTest, FileEndingInASingleZeroLoadsTheSame) {
  BuildTwoPages();
  stage->SaveToFile(fileName);
  std::string bytes = ReadStageFile(fileName);
  WriteStageFile(fileName, bytes.substr(0, bytes.size() - 1));
  stage->LoadFromFile(fileName);
  EXPECT_EQ(StageNames(), (std::vector<AnsiString>{"Report1", "Report2"}));
}

TEST_F(StageTest, NameClashGivesTheClassNameAndReferencesFollow) {
  BuildTwoPages();
  stage->SaveToFile(fileName);
  for (TControl* c : StageControls())
    c->Free();
  // Outside the stage the form has a Report1 already, and TestPagePanel1.
  TControl* outside = Add<TTestPagePanel>(form, "Report1");
  Add<TTestPagePanel>(form, "TestPagePanel1");

  stage->LoadFromFile(fileName);

  EXPECT_EQ(StageNames(), (std::vector<AnsiString>{"TestPagePanel2", "Report2"}));
  auto* label2 = dynamic_cast<TTestLabel*>(Find("Label2"));
  ASSERT_NE(label2, nullptr);
  EXPECT_EQ(label2->Link(), stage->Controls(0));
  EXPECT_EQ(Find("Report1"), outside);
}

TEST_F(StageTest, UnknownClassPropertyAndHandlerAreSkippedWithoutMessage) {
  WriteStageFile(fileName, RecordFromText("object Report1: TTestPagePanel\n"
                                          "  Left = 4\n"
                                          "  Bogus = 5\n"
                                          "  Number = 3\n"
                                          "  OnPrint = RunnerOnlyHandler\n"
                                          "  object Band1: TTestBandPanel\n"
                                          "    object Lost1: TTestUnknownLabel\n"
                                          "      Caption = 'Gone'\n"
                                          "    end\n"
                                          "    object Label1: TTestLabel\n"
                                          "      Caption = 'Kalan'\n"
                                          "      OnPrint = LabelPrint\n"
                                          "    end\n"
                                          "  end\n"
                                          "end\n") +
                               std::string(1, '\0'));
  EXPECT_EQ(LoadError(), "");
  ASSERT_EQ(StageNames(), (std::vector<AnsiString>{"Report1"}));
  auto* page = dynamic_cast<TTestPagePanel*>(stage->Controls(0));
  EXPECT_EQ(page->Left(), 4);
  EXPECT_EQ(page->Number, 3);
  EXPECT_FALSE(page->OnPrint.Assigned());
  auto* band = dynamic_cast<TWinControl*>(Find("Band1"));
  ASSERT_NE(band, nullptr);
  ASSERT_EQ(band->ControlCount(), 1);
  auto* label = dynamic_cast<TTestLabel*>(band->Controls(0));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), "Kalan");
  EXPECT_TRUE(label->OnPrint.Assigned());
  EXPECT_EQ(Find("Lost1"), nullptr);
}

TEST_F(StageTest, LoadingAndLoadedEventsComeInReadingOrder) {
  BuildTwoPages();
  stage->SaveToFile(fileName);
  std::vector<TComponent*> loading;
  std::vector<AnsiString> namesWhileLoading;
  std::vector<TComponent*> loaded;
  std::vector<AnsiString> loadedNames;
  stage->OnControlLoading = [&](TObject* sender, TComponent* c) {
    EXPECT_EQ(sender, stage);
    loading.push_back(c);
    namesWhileLoading.push_back(c->Name());
  };
  stage->OnControlLoaded = [&](TObject* sender, TComponent* c) {
    EXPECT_EQ(sender, stage);
    loaded.push_back(c);
    loadedNames.push_back(c->Name());
  };

  stage->LoadFromFile(fileName);
  EXPECT_EQ(loading.size(), 6u);
  EXPECT_TRUE(loaded.empty());  // only from the message loop
  // Each component is announced before it gets its name.
  EXPECT_EQ(namesWhileLoading, std::vector<AnsiString>(6, ""));

  PumpMessages();
  EXPECT_EQ(loaded, loading);
  EXPECT_EQ(loadedNames, (std::vector<AnsiString>{"Report1", "Band1", "Label1", "Report2", "Band2", "Label2"}));
  PumpMessages();
  EXPECT_EQ(loaded.size(), 6u);
}

TEST_F(StageTest, LoadedNoticeOfAComponentFreedMeanwhileIsDropped) {
  BuildTwoPages();
  stage->SaveToFile(fileName);
  std::vector<AnsiString> loadedNames;
  stage->OnControlLoaded = [&](TObject*, TComponent* c) { loadedNames.push_back(c->Name()); };
  stage->LoadFromFile(fileName);
  stage->Controls(1)->Free();  // Report2 with its band and label
  PumpMessages();
  EXPECT_EQ(loadedNames, (std::vector<AnsiString>{"Report1", "Band1", "Label1"}));
}

TEST_F(StageTest, FailedLoadPostsNothingThatReachesItsComponents) {
  BuildTwoPages();
  stage->SaveToFile(fileName);
  std::string bytes = ReadStageFile(fileName);
  WriteStageFile(fileName, bytes.substr(0, bytes.size() - 3));  // inside the second record
  int loadingCalls = 0;
  std::vector<TComponent*> loaded;
  stage->OnControlLoading = [&](TObject*, TComponent*) { ++loadingCalls; };
  stage->OnControlLoaded = [&](TObject*, TComponent* c) { loaded.push_back(c); };
  EXPECT_EQ(LoadError(), fileName + " can not be read");
  PumpMessages();
  EXPECT_GT(loadingCalls, 0);
  EXPECT_TRUE(loaded.empty());
}

TEST_F(StageTest, MissingFileFailsAndKeepsTheChildren) {
  BuildTwoPages();
  std::vector<TControl*> before = StageControls();
  std::remove(fileName.c_str());
  EXPECT_EQ(LoadError(), fileName + " can not be read");
  EXPECT_EQ(StageControls(), before);
}

TEST_F(StageTest, EveryTruncationFailsCleanlyAndKeepsThePreviousChildren) {
  BuildTwoPages();
  stage->SaveToFile(fileName);
  std::string bytes = ReadStageFile(fileName);
  std::vector<TControl*> before = StageControls();
  TControl* band2 = Find("Band2");
  int components = form->ComponentCount();
  for (std::size_t length = 0; length + 1 < bytes.size(); ++length) {
    WriteStageFile(fileName, bytes.substr(0, length));
    ASSERT_EQ(LoadError(), fileName + " can not be read") << "length " << length;
    ASSERT_EQ(StageControls(), before) << "length " << length;
    ASSERT_EQ(StageNames(), (std::vector<AnsiString>{"Report1", "Report2"})) << "length " << length;
    ASSERT_EQ(form->ComponentCount(), components) << "length " << length;
    ASSERT_EQ(dynamic_cast<TTestLabel*>(Find("Label1"))->Link(), band2) << "length " << length;
  }
  // The whole file still loads.
  WriteStageFile(fileName, bytes);
  EXPECT_EQ(LoadError(), "");
  EXPECT_EQ(StageNames(), (std::vector<AnsiString>{"Report1", "Report2"}));
}

// ---- The controller around a load ----------------------------------------------------------

struct ControllerLoadCase {
  const char* Title;
  bool ActiveBefore;
  bool Damaged;
  std::vector<std::string> Calls;
  bool ActiveAfter;
};

class StageControllerLoadTest : public StageTest, public testing::WithParamInterface<ControllerLoadCase> {};

TEST_P(StageControllerLoadTest, DeactivatesAndReactivatesOnlyAfterSuccess) {
  const ControllerLoadCase& c = GetParam();
  BuildTwoPages();
  stage->SaveToFile(fileName);
  if (c.Damaged)
    WriteStageFile(fileName, "TPF1");
  TRecordingController controller;
  controller.IsActive = c.ActiveBefore;
  stage->SetController(&controller);
  LoadError();
  EXPECT_EQ(controller.Calls, c.Calls);
  EXPECT_EQ(controller.IsActive, c.ActiveAfter);
  stage->SetController(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StageControllerLoadTest,
    testing::Values(ControllerLoadCase{"ActiveComesBack", true, false, {"SetActive(false)", "SetActive(true)"}, true},
                    ControllerLoadCase{"InactiveStaysInactive", false, false, {"SetActive(false)"}, false},
                    ControllerLoadCase{"FailureLeavesItInactive", true, true, {"SetActive(false)"}, false}),
    [](const testing::TestParamInfo<ControllerLoadCase>& info) { return std::string(info.param.Title); });

// ---- Selection and keyboard ---------------------------------------------------------------------

TEST_F(StageTest, WithoutControllerSelectionIsUnknownAndCommandsDoNothing) {
  EXPECT_EQ(stage->SelectedCount(), -1);
  EXPECT_EQ(stage->SelectedControl(0), nullptr);
  stage->DeleteSelection();
  stage->CutSelection();
  stage->CopySelection();
  stage->PasteClipboard();
  stage->UpdateSelection();
  EXPECT_EQ(stage->Perform(WM_KEYUP, VK_DELETE, 0), 1);
}

TEST_F(StageTest, SelectionComesFromTheController) {
  BuildTwoPages();
  TRecordingController controller;
  controller.Selection = {Find("Label1"), Find("Band2")};
  stage->SetController(&controller);
  EXPECT_EQ(stage->SelectedCount(), 2);
  EXPECT_EQ(stage->SelectedControl(1), Find("Band2"));
  EXPECT_EQ(stage->SelectedControl(2), nullptr);
  stage->UpdateSelection();
  EXPECT_EQ(controller.Calls, (std::vector<std::string>{"UpdateSelection"}));
  stage->SetController(nullptr);
}

struct KeyCase {
  const char* Title;
  UINT Msg;
  WPARAM Key;
  std::vector<std::string> Calls;
  bool ReachesKeyPress;  // the stage's OnKeyPress sees the character
};

class StageKeyTest : public StageTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(StageKeyTest, KeysGoToTheController) {
  const KeyCase& c = GetParam();
  TRecordingController controller;
  stage->SetController(&controller);
  std::vector<char> pressed;
  stage->OnKeyPress = [&](TObject*, char& key) { pressed.push_back(key); };
  LRESULT result = SendMessageW(stage->Handle(), c.Msg, c.Key, 0);
  EXPECT_EQ(controller.Calls, c.Calls);
  EXPECT_EQ(!pressed.empty(), c.ReachesKeyPress);
  if (c.Msg == WM_KEYUP && c.Key == VK_DELETE) {
    EXPECT_EQ(result, 1);
  }
  stage->SetController(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StageKeyTest,
    testing::Values(KeyCase{"DeleteKeyUp", WM_KEYUP, VK_DELETE, {"DeleteSelected"}, false},
                    KeyCase{"OtherKeyUp", WM_KEYUP, 'A', {}, false},
                    KeyCase{"CtrlC", WM_CHAR, 3, {"CopyToClipboard"}, false},
                    KeyCase{"CtrlX", WM_CHAR, 24, {"CutToClipboard"}, false},
                    KeyCase{"CtrlV", WM_CHAR, 22, {"PasteFromClipboard"}, false},
                    KeyCase{"PlainCharacter", WM_CHAR, 'a', {}, true}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.Title); });

// ---- Notices ------------------------------------------------------------------------------------

TEST_F(StageTest, UpdateSelectionNoticeReachesTheController) {
  TRecordingController controller;
  stage->SetController(&controller);
  PostMessageW(stage->Handle(), DSN_UPDATESELECTION, 0, 0);
  PumpMessages();
  EXPECT_EQ(controller.Calls, (std::vector<std::string>{"UpdateSelection"}));
  stage->SetController(nullptr);
}

TEST_F(StageTest, ControlCreatedNoticeRaisesOnControlCreateOnceWhileTheComponentLives) {
  auto* kept = Add<TTestLabel>(stage, "Kept");
  auto* gone = Add<TTestLabel>(stage, "Gone");
  std::vector<TComponent*> created;
  stage->OnControlCreate = [&](TObject*, TComponent* c) { created.push_back(c); };
  stage->PostControlCreated(gone);
  stage->PostControlCreated(kept);
  gone->Free();
  EXPECT_TRUE(created.empty());
  PumpMessages();
  EXPECT_EQ(created, std::vector<TComponent*>{kept});
}

TEST(StageWithoutWindow, LoadsWithoutNotices) {
  // A stage that is on no form yet cannot have a window: it still loads, and
  // OnControlLoading still runs.
  RegisterStageTestClasses();
  auto* form = new TTestDesignForm(nullptr);
  auto* stage = new TDsnStage(form);
  const char* file = "stage_without_window.vlp";
  WriteStageFile(file, RecordFromText("object Report1: TTestPagePanel\nend\n") + std::string(1, '\0'));
  int loading = 0;
  stage->OnControlLoading = [&](TObject*, TComponent*) { ++loading; };
  EXPECT_NO_THROW(stage->LoadFromFile(file));
  EXPECT_EQ(loading, 1);
  EXPECT_EQ(stage->ControlCount(), 1);
  PumpMessages();
  form->Free();
  std::remove(file);
}

TEST_F(StageTest, ForgedControlNoticeIsIgnored) {
  // A notice whose WParam is an address (or any number not issued) names nothing.
  auto* label = Add<TTestLabel>(stage, "Label");
  int calls = 0;
  stage->OnControlLoaded = [&](TObject*, TComponent*) { ++calls; };
  stage->OnControlCreate = [&](TObject*, TComponent*) { ++calls; };
  PostMessageW(stage->Handle(), DSN_CONTROLLOADED, reinterpret_cast<WPARAM>(label), 0);
  PostMessageW(stage->Handle(), DSN_CONTROLCREATED, 7, 0);
  PumpMessages();
  EXPECT_EQ(calls, 0);
}

// A cover agent as far as the stage sees it.
class TTestAgent : public TStageAgent {
public:
  TTestAgent(bool dead, int& attaches, int& frees) : dead_(dead), attaches_(attaches), frees_(frees) {}
  ~TTestAgent() override { ++frees_; }
  bool Dead() const override { return dead_; }
  void AttachToControl() override { ++attaches_; }

private:
  bool dead_;
  int& attaches_;
  int& frees_;
};

struct AgentCase {
  const char* Title;
  bool Dead;
  bool FreedBeforeNotice;
  int Attaches;
  int FreesByStage;
};

class StageAgentTest : public StageTest, public testing::WithParamInterface<AgentCase> {};

TEST_P(StageAgentTest, AgentDestroyedNotice) {
  const AgentCase& c = GetParam();
  int attaches = 0;
  int frees = 0;
  auto* agent = new TTestAgent(c.Dead, attaches, frees);
  stage->PostAgentDestroyed(agent);
  if (c.FreedBeforeNotice)
    delete agent;  // the controller's deactivation freed it meanwhile
  int freesBefore = frees;
  PumpMessages();
  EXPECT_EQ(attaches, c.Attaches);
  EXPECT_EQ(frees - freesBefore, c.FreesByStage);
  if (!c.Dead && !c.FreedBeforeNotice)
    delete agent;
}

INSTANTIATE_TEST_SUITE_P(Cases, StageAgentTest,
                         testing::Values(AgentCase{"LivingAgentIsAttachedAgain", false, false, 1, 0},
                                         AgentCase{"DeadAgentIsFreed", true, false, 0, 1},
                                         AgentCase{"FreedAgentIsNotReached", false, true, 0, 0},
                                         AgentCase{"FreedDeadAgentIsNotFreedTwice", true, true, 0, 0}),
                         [](const testing::TestParamInfo<AgentCase>& info) { return std::string(info.param.Title); });

}  // namespace
