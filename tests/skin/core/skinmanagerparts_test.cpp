// The skin manager's published properties in the form stream, the shadow
// of extended borders, the hook on the application's main window and the
// skin commands at design time.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/controls/messages.h"
#include "classlib/forms/application.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skinforms.h"
#include "skin/core/skinmanager.h"
#include "skin/core/skinshadow.h"
#include "tests/skin/core/skinprobe.h"
#include "tests/skin/testskinfiles.h"

namespace {

using skin_test::TCountingPanel;
using skin_test::TestSkinColour;
using skin_test::TestSkinsDirectory;

std::string StreamText(TComponent* Root) {
  TMemoryStream binary;
  {
    TWriter writer(binary);
    writer.WriteRootComponent(Root);
  }
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  return std::string(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
}

void ReadText(const std::string& Text, TComponent* Root) {
  TStringStream text(Text);
  TMemoryStream binary;
  ObjectTextToBinary(text, binary);
  binary.SetPosition(0);
  TReader reader(binary);
  reader.ReadRootComponent(Root);
}

// Managers of a test start with no default manager and leave none.
class SkinManagerParts : public testing::Test {
protected:
  void SetUp() override { SetDefaultManager(nullptr); }
  void TearDown() override {
    SetDefaultManager(nullptr);
    SetBuiltInShadowPicture(nullptr);
  }
};

TEST_F(SkinManagerParts, PublishedPropertiesInStreamOrderWithTheirDefaults) {
  TsSkinManager first(nullptr);
  first.SetName("sSkinManager1");
  const std::string plain = StreamText(&first);
  for (const char* left : {"ExtendedBorders", "SkinnedPopups", "AllowGlowing", "IsDefault", "SkinningRules",
                           "Saturation", "HueOffset", "MenuSupport.IcoLineSkin", "Version"})
    EXPECT_EQ(plain.find(left), std::string::npos) << left << " is at its default and not written:\n" << plain;
  EXPECT_NE(plain.find("SkinDirectory = 'c:\\Skins'"), std::string::npos) << plain;

  TsSkinManager second(nullptr);  // not the default one
  second.SetName("sSkinManager2");
  second.SetActive(false);
  second.SetExtendedBorders(true);
  second.SetSkinnedPopups(false);
  second.SetAllowGlowing(false);
  second.MenuSupport()->SetIcoLineSkin("MYLINE");
  second.MenuSupport()->SetExtraLineWidth(40);
  second.SetSkinningRules(TacSkinningRules{srStdForms});
  second.SetHueOffset(10);
  const std::string text = StreamText(&second);
  const char* const order[] = {"ExtendedBorders = True",   "SkinnedPopups = False",
                               "AllowGlowing = False",     "IsDefault = False",
                               "Active = False",           "HueOffset = 10",
                               "MenuSupport.IcoLineSkin = 'MYLINE'", "MenuSupport.ExtraLineWidth = 40",
                               "SkinDirectory = ",         "SkinningRules = [srStdForms]",
                               "ThirdParty."};
  std::size_t previous = 0;
  for (const char* entry : order) {
    const std::size_t at = text.find(entry);
    ASSERT_NE(at, std::string::npos) << entry << " missing:\n" << text;
    EXPECT_GT(at, previous) << entry << " out of order:\n" << text;
    previous = at;
  }

  TsSkinManager copy(nullptr);
  ReadText(text, &copy);
  EXPECT_TRUE(copy.ExtendedBorders());
  EXPECT_FALSE(copy.SkinnedPopups());
  EXPECT_FALSE(copy.AllowGlowing());
  EXPECT_FALSE(copy.IsDefault());  // False read from the stream changes nothing
  EXPECT_EQ(DefaultManager(), &first);
  EXPECT_EQ(copy.MenuSupport()->IcoLineSkin(), "MYLINE");
  EXPECT_EQ(copy.MenuSupport()->ExtraLineWidth(), 40);
  EXPECT_EQ(copy.SkinningRules(), TacSkinningRules{srStdForms});
}

TEST_F(SkinManagerParts, LoadingFillsTheIconLineSectionOnlyWhenEmpty) {
  TsSkinManager source(nullptr);
  source.SetActive(false);
  TsSkinManager empty(nullptr);
  ReadText(StreamText(&source), &empty);
  EXPECT_EQ(empty.MenuSupport()->IcoLineSkin(), "ICOLINE");
  source.MenuSupport()->SetIcoLineSkin("OWNLINE");
  TsSkinManager own(nullptr);
  ReadText(StreamText(&source), &own);
  EXPECT_EQ(own.MenuSupport()->IcoLineSkin(), "OWNLINE");
}

TEST_F(SkinManagerParts, IsDefaultTakesOverTheDefaultAndFalseChangesNothing) {
  TsSkinManager first(nullptr), second(nullptr);
  EXPECT_TRUE(first.IsDefault());
  EXPECT_FALSE(second.IsDefault());
  second.SetIsDefault(false);
  EXPECT_EQ(DefaultManager(), &first);
  second.SetIsDefault(true);
  EXPECT_EQ(DefaultManager(), &second);
  EXPECT_FALSE(first.IsDefault());
}

// The test skin's GLOBALINFO EXBORDER: two 40 x 30 images with widths 14,
// 10, 14 and 16; FORMOFFSET is left at 8.
TEST_F(SkinManagerParts, ShadowFromTheSkinsExtendedBorder) {
  ASSERT_TRUE(LayeredWindowsSupported());
  TsSkinManager manager(nullptr);
  manager.SetSkinDirectory(TestSkinsDirectory());
  manager.SetSkinName("TestSkin");
  EXPECT_EQ(manager.ShadowPictureActive(), nullptr);  // no extended borders: no shadow
  EXPECT_EQ(manager.ShadowMargins().left, 0);

  manager.SetExtendedBorders(true);  // reloads the applied skin
  const RECT& margins = manager.ShadowMargins();
  EXPECT_EQ(margins.left, 14 - 8);
  EXPECT_EQ(margins.top, 10 - 8);
  EXPECT_EQ(margins.right, 14 - 8);
  EXPECT_EQ(margins.bottom, 16 - 8);
  TBitmap* active = manager.ShadowPictureActive();
  TBitmap* inactive = manager.ShadowPictureInactive();
  ASSERT_NE(active, nullptr);
  ASSERT_NE(inactive, nullptr);
  for (TBitmap* picture : {active, inactive}) {
    EXPECT_EQ(picture->Width(), 40);
    EXPECT_EQ(picture->Height(), 30);
    EXPECT_EQ(picture->PixelFormat(), pf32bit);
  }
  EXPECT_EQ(inactive->Canvas().GetPixel(20, 15), TestSkinColour("GLOBALINFO.EXBORDER.0"));
  EXPECT_EQ(active->Canvas().GetPixel(20, 15), TestSkinColour("GLOBALINFO.EXBORDER.1"));
  EXPECT_EQ(active->Canvas().GetPixel(39, 0), 0);  // transparent white made all zero

  manager.SetActive(false);
  EXPECT_EQ(manager.ShadowPictureActive(), nullptr);
  EXPECT_EQ(manager.ShadowMargins().right, 0);
}

// A skin without EXBORDER takes the program's own shadow picture, when the
// program has one.
TEST_F(SkinManagerParts, ShadowFromTheProgramsPictureOrNone) {
  TsSkinManager manager(nullptr);
  manager.SetSkinDirectory(TestSkinsDirectory());
  manager.SetExtendedBorders(true);
  SetBuiltInShadowPicture(nullptr);
  manager.SetSkinName("Cycle");
  ASSERT_TRUE(manager.Active());
  EXPECT_EQ(manager.ShadowPictureActive(), nullptr);
  EXPECT_EQ(manager.ShadowMargins().left, 0);

  auto picture = std::make_unique<TBitmap>();
  picture->SetPixelFormat(pf32bit);
  picture->SetSize(30, 20);
  picture->Canvas().Brush().SetColor(RGBColor(10, 20, 30));
  picture->Canvas().FillRect(RECT{0, 0, 30, 20});
  SetBuiltInShadowPicture(std::move(picture));
  manager.PrepareShadow();
  const int grow = DwmCompositionEnabled() ? 1 : 0;
  EXPECT_EQ(manager.ShadowMargins().left, 11 + grow);
  EXPECT_EQ(manager.ShadowMargins().top, 7 + grow);
  EXPECT_EQ(manager.ShadowMargins().right, 11 + grow);
  EXPECT_EQ(manager.ShadowMargins().bottom, 11 + grow);
  ASSERT_NE(manager.ShadowPictureActive(), nullptr);
  ASSERT_NE(manager.ShadowPictureInactive(), nullptr);
  EXPECT_NE(manager.ShadowPictureActive(), manager.ShadowPictureInactive());  // two copies
  EXPECT_EQ(manager.ShadowPictureInactive()->Canvas().GetPixel(5, 5), RGBColor(10, 20, 30));
}

TEST_F(SkinManagerParts, MainWindowHookOfTheDefaultManager) {
  TsSkinManager first(nullptr), second(nullptr);
  SendMessageW(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);  // restoring a shown program changes nothing
  EXPECT_EQ(first.LastSystemCommand(), 1);
  EXPECT_EQ(second.LastSystemCommand(), 0);  // only the default manager hooks

  struct Case {
    UINT Msg;
    WPARAM WParam;
    bool Handled;
    int Record;
  };
  const Case cases[] = {{WM_SYSCOMMAND, SC_MINIMIZE, false, 2},
                        {WM_SYSCOMMAND, SC_MAXIMIZE, false, 0},
                        {WM_SYSCOMMAND, SC_RESTORE | 2, false, 1},
                        {WM_THEMECHANGED, 0, true, 1}};
  for (const Case& c : cases) {
    TMessage message{c.Msg, c.WParam, 0, 0};
    EXPECT_EQ(first.MainWindowHook(message), c.Handled) << c.Msg;
    EXPECT_EQ(first.LastSystemCommand(), c.Record) << c.Msg;
  }
  first.SetSkinnedPopups(false);  // the hook stays out of everything
  TMessage theme{WM_THEMECHANGED, 0, 0, 0};
  EXPECT_FALSE(first.MainWindowHook(theme));
  TMessage minimize{WM_SYSCOMMAND, SC_MINIMIZE, 0, 0};
  first.MainWindowHook(minimize);
  EXPECT_EQ(first.LastSystemCommand(), 1);
}

// A form that notes, in a list shared with others, each skin command its
// window gets.
class TNotingForm : public TForm {
public:
  TNotingForm(int Id, std::vector<std::pair<int, WORD>>& Log) : TForm(nullptr), FId(Id), FLog(Log) {}
  void WndProc(TMessage& Message) override {
    if (Message.Msg == SM_ALPHACMD)
      FLog.emplace_back(FId, SkinCommandOf(Message));
    TForm::WndProc(Message);
  }

private:
  int FId;
  std::vector<std::pair<int, WORD>>& FLog;
};

TEST_F(SkinManagerParts, ActivationSendsCommand0x12ToEveryFormLastToFirst) {
  TsSkinManager manager(nullptr);
  std::vector<std::pair<int, WORD>> log;
  TForm* forms[2] = {new TNotingForm(1, log), new TNotingForm(2, log)};
  auto* panel = new TCountingPanel(forms[0]);
  panel->SetParent(forms[0]);
  for (TForm* form : forms)
    form->HandleNeeded();
  TMessage activate{CM_ACTIVATE, 0, 0, 0};
  EXPECT_FALSE(manager.MainWindowHook(activate));  // passed on
  const std::vector<std::pair<int, WORD>> expected{{2, SkinCmdAfterAnimation}, {1, SkinCmdAfterAnimation}};
  EXPECT_EQ(log, expected);
  EXPECT_TRUE(panel->Commands.empty()) << "the forms get it, not their controls";
  for (TForm* form : forms)
    form->Free();
}

TEST_F(SkinManagerParts, DesignTimeCommandsSkipTheDesignersOwnWindows) {
  TsSkinManager manager(nullptr);
  manager.SetDesigning(true);
  manager.SetSkinDirectory(TestSkinsDirectory());
  struct Case {
    const char* Name;
    bool GetsNewSkin, GetsRemoval;
  };
  const Case cases[] = {{"LayoutForm", true, true},
                        {"AppBuilder", false, false},
                        {"PropertyInspector", false, false},
                        {"EditWindow_1", true, false},
                        {"MainDockSite", true, false}};
  std::vector<std::pair<int, WORD>> log;
  std::vector<TForm*> forms;
  for (const Case& c : cases) {
    auto* form = new TNotingForm(static_cast<int>(forms.size()), log);
    form->SetName(c.Name);
    form->HandleNeeded();
    forms.push_back(form);
  }
  manager.SetSkinName("TestSkin");
  manager.SetActive(false);
  auto got = [&](int Form, WORD Command) {
    return std::find(log.begin(), log.end(), std::make_pair(Form, Command)) != log.end();
  };
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    EXPECT_EQ(got(i, SkinCmdNewSkin), cases[i].GetsNewSkin) << cases[i].Name;
    EXPECT_EQ(got(i, SkinCmdRefresh), cases[i].GetsNewSkin) << cases[i].Name;
    EXPECT_EQ(got(i, SkinCmdSkinRemoved), cases[i].GetsRemoval) << cases[i].Name;
    EXPECT_FALSE(got(i, SkinCmdStopFading)) << cases[i].Name << ": fades stop only at run time";
  }
  for (TForm* form : forms)
    form->Free();
}

TEST_F(SkinManagerParts, PackedFileNameFromTheResolvedDirectory) {
  TsSkinManager manager(nullptr);
  manager.SetActive(false);
  manager.SetSkinName("Blue");
  const struct {
    const char* Directory;
    const char* File;
  } cases[] = {{"c", "c:\\Blue.asz"}, {"D:\\Skins", "D:\\Skins\\Blue.asz"}, {"D:\\Skins\\", "D:\\Skins\\Blue.asz"},
               {"D:\\Skins/", "D:\\Skins\\Blue.asz"}};
  for (const auto& c : cases) {
    manager.SetSkinDirectory(c.Directory);
    EXPECT_EQ(manager.PackedSkinFileName(), c.File) << c.Directory;
  }
  manager.SetSkinDirectory("Skins");  // relative: the program's folder, as folder skins are looked for
  EXPECT_EQ(manager.PackedSkinFileName(), manager.GetFullSkinDirectory() + "\\Blue.asz");
}

}  // namespace
