// The context menu of the design surface (inspected when it pops up, then
// closed), property values as text and written back, and an inspector
// linked to the controller.
#include <gtest/gtest.h>

#include <string>

#include "classlib/graphics/font.h"
#include "classlib/system/numconv.h"
#include "design/contextprops.h"
#include "design/dsnprop.h"
#include "design/propertytext.h"
#include "editfixture.h"

// ---- Property text: a probe of every kind ----
enum TProbeBit { pb0, pb1, pb2, pb3, pb4, pb5, pb6, pb7, pb8, pb9, pb10, pb11, pb12, pb13, pb14, pb15, pb16, pb17 };
DOZURI_ENUM(TProbeBit, "pb0", "pb1", "pb2", "pb3", "pb4", "pb5", "pb6", "pb7", "pb8", "pb9", "pb10", "pb11", "pb12",
            "pb13", "pb14", "pb15", "pb16", "pb17");
DOZURI_SET(TProbeBits, TProbeBit);

// A component publishing one property of each kind.
class TKindsProbe : public TComponent {
  DECLARE_CLASS(TKindsProbe, TComponent)

public:
  explicit TKindsProbe(TComponent* AOwner) : TComponent(AOwner), Font(new TFont) {}
  ~TKindsProbe() override { delete Font; }
  int Number = -42;
  char Letter = 'K';
  TAlignment Align = taCenter;
  TProbeBits Bits{pb1, pb3, pb17};
  TProbeBits NoBits;
  double Ratio = 2.5;
  AnsiString Text = "Metin";
  TComponent* Buddy = nullptr;
  TFont* Font;
  TNotifyEvent OnProbe;
  std::u16string Wide = u"x";
  std::int64_t Big = 5;

  TFont* GetFont() const { return Font; }
  void SetFont(TFont* Value) { Font->Assign(Value); }
};

BEGIN_PUBLISHED(TKindsProbe)
  PROPERTY(Number, Number, Number),
  PROPERTY(Letter, Letter, Letter),
  PROPERTY(Align, Align, Align),
  PROPERTY(Bits, Bits, Bits),
  PROPERTY(NoBits, NoBits, NoBits),
  PROPERTY(Ratio, Ratio, Ratio),
  PROPERTY(Text, Text, Text),
  PROPERTY(Buddy, Buddy, Buddy),
  PROPERTY(Font, GetFont, SetFont),
  PROPERTY(OnProbe, OnProbe, OnProbe),
  PROPERTY(Wide, Wide, Wide),
  PROPERTY(Big, Big, Big),
END_PUBLISHED

// The owner publishes the probe's handler.
class TProbeOwner : public TComponent {
  DECLARE_CLASS(TProbeOwner, TComponent)

public:
  explicit TProbeOwner(TComponent* AOwner) : TComponent(AOwner) {}
  void ProbeClicked(TObject*) {}
};

BEGIN_PUBLISHED(TProbeOwner)
  METHOD(ProbeClicked),
END_PUBLISHED

namespace {

// What the menu held when it popped up.
struct TShownItem {
  AnsiString Caption;
  AnsiString PropName;
  AnsiString Value;
  bool operator==(const TShownItem&) const = default;
};
void PrintTo(const TShownItem& i, std::ostream* os) { *os << "{" << i.Caption << ", " << i.PropName << ", " << i.Value << "}"; }

class ContextMenu : public EditSurface {
protected:
  void SetUp() override {
    EditSurface::SetUp();
    cover = new TPopupMenu(host);
    cover->SetName("CoverMenu1");
    for (const char* caption : {"Kes", "Kopyala", "Yapistir"}) {
      auto* item = new TMenuItem(host);
      item->SetCaption(caption);
      cover->Items()->Add(item);
    }
    cover->OnPopup = TNotifyEvent([this](TObject*) { ++coverPopups; });
    stage->SetCoverMenu(cover);
    stage->OnPopup = TNotifyEvent([this](TObject* sender) {
      shownBy = sender;
      shown.clear();
      TMenuItem* items = controller->PopupMenu()->Items();
      for (int i = 0; i < items->Count(); ++i) {
        auto* dsn = dynamic_cast<TDsnMenuItem*>(items->Items(i));
        shown.push_back({items->Items(i)->Caption(), dsn != nullptr ? dsn->PropName : "",
                         dsn != nullptr ? dsn->Value : ""});
      }
      // The menu runs its own loop once this returns: it is closed from there.
      SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        EndMenu();
      });
    });
  }

  // A right press posted at a client point of a covered window.
  void RightClick(TWinControl* Control, TPoint At) {
    shown.clear();
    PostMessageW(Control->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(At.x, At.y));
    test_support::Pump();
    PostMessageW(Control->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(At.x, At.y));
    test_support::Pump();
  }
  void UseProps(std::initializer_list<const char*> self, std::initializer_list<const char*> out) {
    stage->SelfProps()->Clear();
    for (const char* line : self)
      stage->SelfProps()->Add(line);
    stage->OutProps()->Clear();
    for (const char* line : out)
      stage->OutProps()->Add(line);
  }
  static std::vector<TShownItem> Borrowed() { return {{"Kes", "", ""}, {"Kopyala", "", ""}, {"Yapistir", "", ""}}; }
  static std::vector<TShownItem> With(std::vector<TShownItem> props) {
    std::vector<TShownItem> all = Borrowed();
    all.push_back({"-", "", ""});
    all.insert(all.end(), props.begin(), props.end());
    return all;
  }
  std::vector<AnsiString> CoverCaptions() const {
    std::vector<AnsiString> captions;
    for (int i = 0; i < cover->Items()->Count(); ++i)
      captions.push_back(cover->Items()->Items(i)->Caption());
    return captions;
  }

  TPopupMenu* cover = nullptr;
  std::vector<TShownItem> shown;
  TObject* shownBy = nullptr;
  int coverPopups = 0;
};

TEST_F(ContextMenu, TheStagesMenuItemsAreBorrowedForDesignModeAndGivenBackInOrder) {
  controller->SetActive(true);
  ASSERT_NE(controller->PopupMenu(), nullptr);
  EXPECT_EQ(cover->Items()->Count(), 0);
  EXPECT_EQ(controller->PopupMenu()->Tag(), 3);
  EXPECT_EQ(controller->PopupMenu()->Owner(), host);
  RightClick(labelA, Point(5, 5));
  EXPECT_EQ(shown, Borrowed()) << "no property listed: no separator";
  EXPECT_EQ(shownBy, controller->PopupMenu());
  EXPECT_EQ(coverPopups, 1) << "the menu's own OnPopup was borrowed too";
  EXPECT_EQ(Selected(), std::vector<TComponent*>{labelA}) << "the right click selects";
  EXPECT_EQ(GetCapture(), nullptr) << "the mouse is free after the menu";

  controller->SetActive(false);
  EXPECT_EQ(CoverCaptions(), (std::vector<AnsiString>{"Kes", "Kopyala", "Yapistir"}));
  // Borrowed and given back again.
  controller->SetActive(true);
  controller->SetActive(false);
  EXPECT_EQ(CoverCaptions(), (std::vector<AnsiString>{"Kes", "Kopyala", "Yapistir"}));
}

TEST_F(ContextMenu, ARightPressSelectsAndLetsTheMouseGoEvenWithoutAMenu) {
  stage->SetCoverMenu(nullptr);
  controller->SetActive(true);
  ASSERT_EQ(controller->PopupMenu(), nullptr);
  PostMessageW(labelA->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
  test_support::Pump();
  EXPECT_EQ(Selected(), std::vector<TComponent*>{labelA});
  EXPECT_NE(GetCapture(), labelA->Handle()) << "no release is needed to free the mouse";
  // A left press and release afterwards work as ever.
  Click(labelB, Point(4, 4));
  EXPECT_EQ(Selected(), std::vector<TComponent*>{labelB});
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ContextMenu, PropertyItemsCarryTheSelectionsCommonValues) {
  labelA->SetCaption("Ad");
  labelB->SetCaption("Soyad");
  auto* labelD = new TQRLabel(host);
  labelD->SetName("LabelD");
  labelD->SetParent(detail);
  labelD->SetBounds(200, 5, 60, 20);
  barcode->SetTop(5);
  struct Case {
    const char* what;
    std::vector<TComponent*> selection;
    TWinControl* clicked;
    bool outProps;
    std::vector<TShownItem> props;
  };
  const Case cases[] = {
      {"one label", {labelA}, labelA, true,
       {{"Metin", "Caption", "Ad"}, {"Width", "Width", "100"}, {"Ust", "Top", "30"}, {"Ad", "Name", "LabelA"}}},
      {"two labels of different widths", {labelA, labelB}, labelA, true,
       {{"Metin", "Caption", "Ad"}, {"Width", "Width", ""}, {"Ust", "Top", "30"}}},
      {"two labels without OutProps", {labelB, labelA}, labelA, false,
       {{"Metin", "Caption", "Soyad"}, {"Width", "Width", ""}, {"Ust", "Top", "30"}, {"Ad", "Name", "LabelB"}}},
      {"three of two classes", {labelC, barcode, labelD}, labelC, true,
       {{"Width", "Width", ""}, {"Ust", "Top", "5"}}},
  };
  controller->SetActive(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.outProps)
      UseProps({"Caption|Metin", "Width", "Top|Ust", "Name|Ad"}, {"Name"});
    else
      UseProps({"Caption|Metin", "Width", "Top|Ust", "Name|Ad"}, {});
    select->SelectComponents(c.selection);
    RightClick(c.clicked, Point(3, 3));
    EXPECT_EQ(Selected(), c.selection) << "a click inside a one-parent selection keeps it";
    EXPECT_EQ(shown, With(c.props));
  }
  // Equal widths give the width.
  labelB->SetWidth(100);
  UseProps({"Width"}, {});
  select->SelectComponents({labelA, labelB});
  RightClick(labelB, Point(3, 3));
  EXPECT_EQ(shown, With({{"Width", "Width", "100"}}));
}

TEST_F(ContextMenu, ARightClickOnTheEmptyStageSelectsNothingButStillPopsTheMenuUp) {
  UseProps({"Width"}, {});
  controller->SetActive(true);
  select->SelectComponent(labelA);
  RightClick(stage, Point(400, 300));
  EXPECT_EQ(Selected(), std::vector<TComponent*>{labelA});
  EXPECT_EQ(shown, With({{"Width", "Width", "100"}}));
  EXPECT_EQ(GetCapture(), nullptr);

  controller->UnselectAll();
  RightClick(stage, Point(400, 300));
  EXPECT_EQ(controller->SelectedCount(), 0);
  EXPECT_EQ(shown, Borrowed());
}

TEST_F(ContextMenu, APropertyItemWritesTheHostsValueIntoEverySelectedComponent) {
  UseProps({"Width|Genislik"}, {});
  std::vector<AnsiString> asked;
  stage->OnMenuClick = TCallPropEditor(
      [&](TObject*, TSelectedComponents* targets, const AnsiString& name, AnsiString& value) {
        asked.push_back(name + "=" + value + " x" + std::to_string(targets->Count()));
        value = "77";
      });
  controller->SetActive(true);
  labelB->SetWidth(100);
  select->SelectComponents({labelA, labelB});
  RightClick(labelA, Point(3, 3));
  auto* item = dynamic_cast<TDsnMenuItem*>(controller->PopupMenu()->Items()->Items(4));
  ASSERT_NE(item, nullptr);
  item->Click();
  EXPECT_EQ(asked, std::vector<AnsiString>{"Width=100 x2"});
  EXPECT_EQ(labelA->Width(), 77);
  EXPECT_EQ(labelB->Width(), 77);
}

TEST(PropertyText, EachKindReadsAsTheUserSeesIt) {
  test_support::Owned<TProbeOwner> owner(new TProbeOwner(nullptr));
  auto* probe = new TKindsProbe(owner.get());
  auto* buddy = new TKindsProbe(owner.get());
  buddy->SetName("Arkadas");
  struct Case {
    const char* name;
    AnsiString text;
  };
  const Case before[] = {{"Number", "-42"}, {"Letter", "K"},       {"Align", "taCenter"},
                         {"Bits", "[pb1,pb3]"}, {"NoBits", "[]"}, {"Ratio", FloatToStr(2.5)},
                         {"Text", "Metin"},   {"Buddy", ""},        {"Font", "(TFont)"},
                         {"OnProbe", ""},     {"Wide", "Unknown"},  {"Big", "Unknown"}};
  for (const Case& c : before)
    EXPECT_EQ(PropertyValueText(probe, GetPropInfo(probe, c.name)), c.text) << c.name;
  probe->Buddy = buddy;
  SetMethodProp(probe, "OnProbe", TMethod{owner->MethodAddress("ProbeClicked"), owner.get()});
  EXPECT_EQ(PropertyValueText(probe, GetPropInfo(probe, "Buddy")), "Arkadas");
  EXPECT_EQ(PropertyValueText(probe, GetPropInfo(probe, "OnProbe")), "ProbeClicked");
}

TEST(PropertyText, TextIsWrittenIntoEachComponentUntilOneRefusesIt) {
  test_support::Owned<TProbeOwner> owner(new TProbeOwner(nullptr));
  auto* first = new TKindsProbe(owner.get());
  auto* second = new TKindsProbe(owner.get());
  struct Case {
    const char* name;
    const char* value;
    AnsiString read;
  };
  for (const Case& c : {Case{"Number", "17", "17"}, Case{"Letter", "Zeta", "Z"}, Case{"Align", "taRightJustify", "taRightJustify"},
                        Case{"Ratio", "3", FloatToStr(3.0)}, Case{"Text", "Yeni", "Yeni"}, Case{"Text", "", ""},
                        Case{"Number", "", "17"}, Case{"Big", "9", "Unknown"}}) {
    SCOPED_TRACE(std::string(c.name) + "=" + c.value);
    SetPropertyText({first, second}, c.name, c.value);
    EXPECT_EQ(PropertyValueText(first, GetPropInfo(first, c.name)), c.read);
    EXPECT_EQ(PropertyValueText(second, GetPropInfo(second, c.name)), c.read);
  }
  EXPECT_EQ(first->Big, 5) << "other kinds are left alone";
  SetPropertyText({first}, "", "1");
  EXPECT_EQ(first->Number, 17);

  struct Bad {
    const char* name;
    const char* value;
    const char* message;
  };
  for (const Bad& b : {Bad{"Number", "abc", "abc is illegal (Number)"}, Bad{"Align", "taNowhere", "taNowhere is illegal (Align)"},
                       Bad{"Ratio", "x1", "x1 is illegal (Ratio)"}, Bad{"Missing", "1", "1 is illegal (Missing)"}}) {
    try {
      SetPropertyText({first}, b.name, b.value);
      ADD_FAILURE() << b.name << " took " << b.value;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, b.message);
    }
  }
}

TEST_F(ContextMenu, AValueThatDoesNotConvertRaisesThePartsTextAndEarlierComponentsKeepTheirs) {
  try {
    SetPropertyText({labelA, labelB}, "Width", "abc");
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "abc is illegal (Width)");
  }
  EXPECT_EQ(labelA->Width(), 100);
  // The label takes the caption, the barcode has none.
  EXPECT_THROW(SetPropertyText({labelA, barcode}, "Caption", "Yeni"), Exception);
  EXPECT_EQ(labelA->Caption(), "Yeni");
}

TEST(ObjInfo, EveryPublishedPropertyOfTheClassAndItsParents) {
  test_support::Owned<TProbeOwner> owner(new TProbeOwner(nullptr));
  auto* probe = new TKindsProbe(owner.get());
  probe->SetName("Sonda");
  TObjInfo info(probe);
  EXPECT_EQ(info.ClassName(), "TKindsProbe");
  const int name = info.IndexOfProp("NAME");
  ASSERT_GE(name, 0) << "a parent's property";
  EXPECT_EQ(info.PropAt(name).Value, "Sonda");
  const int number = info.IndexOfProp("number");
  ASSERT_GE(number, 0);
  EXPECT_EQ(info.PropAt(number).Name, "Number");
  EXPECT_EQ(info.PropAt(number).Kind, tkInteger);
  EXPECT_EQ(info.IndexOfProp("Nothing"), -1);
  for (int bad : {-1, info.Count()}) {
    try {
      info.PropAt(bad);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "Invalid Index");
    }
  }
}

// ---- An inspector linked to the controller ----
class TTestInspector : public TCustomInspector {
public:
  explicit TTestInspector(TComponent* AOwner) : TCustomInspector(AOwner) {}
  void Activate() override { ++Activations; }
  void Deactivate() override { ++Deactivations; }
  void Refresh() override { ++Refreshes; }
  void GetPropLists(TStrings* Names, TStrings* SingleOnly) override {
    Names->Add("Caption");
    Names->Add("Width");
    Names->Add("Name");
    SingleOnly->Add("Name");
  }
  int Activations = 0;
  int Deactivations = 0;
  int Refreshes = 0;
};

TEST_F(ContextMenu, AnInspectorSeesTheSelectionsCommonPropertiesAndWritesThem) {
  auto* inspector = new TTestInspector(host);
  controller->SetDsnInspector(inspector);
  controller->SetActive(true);
  EXPECT_EQ(inspector->Activations, 1);
  EXPECT_EQ(inspector->StageHandle(), stage->Handle());
  select->SelectComponent(labelA);
  TMultiProps* merger = inspector->Merger();
  ASSERT_NE(merger, nullptr);
  EXPECT_EQ(merger, controller->Merger());
  EXPECT_EQ(merger->Count(), 3);
  EXPECT_EQ(merger->ValueOf("Name"), "LabelA");
  EXPECT_EQ(merger->ValueOf("Width"), "100");

  select->SelectComponents({labelA, labelB});
  ASSERT_EQ(merger->Count(), 2) << "a single-only property goes from two on";
  EXPECT_EQ(merger->Names(1), "Width");
  EXPECT_EQ(merger->Values(1), "");
  inspector->ApplyValue("Width", "50");
  EXPECT_EQ(labelA->Width(), 50);
  EXPECT_EQ(labelB->Width(), 50);
  EXPECT_EQ(merger->ValueOf("Width"), "50");
  EXPECT_THROW(inspector->ApplyValue("Width", "abc"), Exception);

  // A resize has the inspector refresh; selecting through it selects one.
  SendMessageW(labelA->Handle(), DSN_RESIZED, 0, 0);
  EXPECT_EQ(inspector->Refreshes, 1);
  inspector->SelectControl(labelB);
  EXPECT_EQ(Selected(), std::vector<TComponent*>{labelB});

  controller->SetActive(false);
  EXPECT_EQ(inspector->Deactivations, 1);
  EXPECT_EQ(inspector->Merger(), nullptr);
}

}  // namespace
