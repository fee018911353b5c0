// The layout file: what a save writes, what a load makes of it, and that a
// load that fails leaves the stage as it was.
#include "design/core/layoutfile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "classlib/classes/objecttext.h"
#include "design/core/uniquename.h"
#include "layoutfixtures.h"

namespace {

struct FreeComponent {
  void operator()(TComponent* c) const { c->Free(); }
};

// A form that owns a stage node; the stage's children are the pages. Save
// and Load do what the design stage does, with the reader hooks the stage
// installs: every error handled, unknown handlers dropped, names made unique
// in the form.
class LayoutTest : public testing::Test {
protected:
  void SetUp() override {
    RegisterTestLayoutClasses();
    form.reset(new TTestForm(nullptr));
    form->SetName("Form1");
    stage = new TTestNode(form.get());
    stage->SetName("Stage");
  }

  // Two pages, each with a band holding a text; the texts refer across the
  // pages and carry handlers of the form.
  void BuildTwoPages() {
    auto* page1 = AddNode<TTestPage>(stage, "Report1");
    page1->Caption = "Birinci";
    page1->Number = 1;
    page1->OnPrint = Method<&TTestForm::PagePrint>(form.get());
    auto* band1 = AddNode<TTestBand>(page1, "Band1");
    band1->Number = 10;
    auto* text1 = AddNode<TTestText>(band1, "Text1");
    text1->Caption = "Ad";
    text1->OnPrint = Method<&TTestForm::TextPrint>(form.get());

    auto* page2 = AddNode<TTestPage>(stage, "Report2");
    page2->Caption = "Ikinci";
    page2->Number = 2;
    auto* band2 = AddNode<TTestBand>(page2, "Band2");
    auto* text2 = AddNode<TTestText>(band2, "Text2");
    text2->Caption = "Soyad";
    text2->SetLink(page1);
    text1->SetLink(band2);
  }

  template <class T>
  T* AddNode(TTestNode* parent, const char* name) {
    auto* node = new T(form.get());
    node->SetName(name);
    node->SetParent(parent);
    return node;
  }

  std::string Save() {
    TMemoryStream file;
    for (TTestNode* child : stage->Children())
      WriteLayoutRecord(file, form.get(), child);
    WriteLayoutEnd(file, static_cast<int>(stage->Children().size()));
    return StreamBytes(file);
  }

  void Load(const std::string& bytes) {
    auto stream = BytesStream(bytes);
    TReader reader(*stream, LayoutBufferSize);
    reader.OnError = [this](TReader*, const AnsiString& message, bool& handled) {
      errors.push_back(message);
      handled = true;
    };
    reader.OnFindMethod = [](TReader*, const AnsiString&, const TMethodCode*& address, bool& error) {
      if (error) {
        address = nullptr;
        error = false;
      }
    };
    reader.OnSetName = [this](TReader*, TComponent* component, AnsiString& name) {
      MakeUniqueComponentName(form.get(), component, name);
      namedInOrder.push_back(name);
    };
    reader.SetPosition(0);
    TTestNode staging(nullptr);
    ReplaceWithLayout(reader, form.get(), stage, &staging, stage->ChildComponents());
  }

  TTestNode* Child(std::size_t index) const { return stage->Children().at(index); }
  TTestNode* Find(const char* name) const { return dynamic_cast<TTestNode*>(form->FindComponent(name)); }

  // The form's components by name, in their order.
  std::vector<AnsiString> FormNames() const {
    std::vector<AnsiString> names;
    for (int i = 0; i < form->ComponentCount(); ++i)
      names.push_back(form->Components(i)->Name());
    return names;
  }

  std::unique_ptr<TTestForm, FreeComponent> form;
  TTestNode* stage = nullptr;
  std::vector<AnsiString> errors;
  std::vector<AnsiString> namedInOrder;
};

// ---- Saving -------------------------------------------------------------------

TEST_F(LayoutTest, EmptyStageSavesNothing) { EXPECT_EQ(Save(), ""); }

TEST_F(LayoutTest, TwoPagesSaveAsTwoRecordsAndTwoZeros) {
  BuildTwoPages();
  std::string bytes = Save();
  auto stream = BytesStream(bytes);

  TStringStream first;
  ObjectBinaryToText(*stream, first);  // reads "TPF0" and exactly one component
  std::int64_t secondStart = stream->Position();
  TStringStream second;
  ObjectBinaryToText(*stream, second);

  EXPECT_EQ(bytes.substr(0, 4), "TPF0");
  EXPECT_EQ(bytes.substr(static_cast<std::size_t>(secondStart), 4), "TPF0");
  EXPECT_EQ(bytes.substr(static_cast<std::size_t>(stream->Position())), std::string(2, '\0'));
  EXPECT_EQ(first.DataString(),
            "object Report1: TTestPage\r\n"
            "  Caption = 'Birinci'\r\n"
            "  Number = 1\r\n"
            "  OnPrint = PagePrint\r\n"
            "  object Band1: TTestBand\r\n"
            "    Number = 10\r\n"
            "    object Text1: TTestText\r\n"
            "      Caption = 'Ad'\r\n"
            "      Link = Band2\r\n"
            "      OnPrint = TextPrint\r\n"
            "    end\r\n"
            "  end\r\n"
            "end\r\n");
  EXPECT_EQ(second.DataString(),
            "object Report2: TTestPage\r\n"
            "  Caption = 'Ikinci'\r\n"
            "  Number = 2\r\n"
            "  object Band2: TTestBand\r\n"
            "    object Text2: TTestText\r\n"
            "      Caption = 'Soyad'\r\n"
            "      Link = Report1\r\n"
            "    end\r\n"
            "  end\r\n"
            "end\r\n");
}

// ---- Loading ------------------------------------------------------------------

TEST_F(LayoutTest, LoadGivesThePagesBackInOrderWithTheirProperties) {
  BuildTwoPages();
  std::string bytes = Save();
  Load(bytes);

  ASSERT_EQ(stage->Children().size(), 2u);
  TTestNode* page1 = Child(0);
  TTestNode* page2 = Child(1);
  EXPECT_EQ(page1->Name(), "Report1");
  EXPECT_EQ(page1->ClassName(), "TTestPage");
  EXPECT_EQ(page1->Caption, "Birinci");
  EXPECT_EQ(page1->Number, 1);
  EXPECT_EQ(page2->Name(), "Report2");
  EXPECT_EQ(page2->Caption, "Ikinci");
  ASSERT_EQ(page1->Children().size(), 1u);
  TTestNode* band1 = page1->Children()[0];
  ASSERT_EQ(band1->Children().size(), 1u);
  TTestNode* text1 = band1->Children()[0];
  TTestNode* text2 = page2->Children().at(0)->Children().at(0);
  EXPECT_EQ(text1->Name(), "Text1");
  EXPECT_EQ(text1->Link(), page2->Children()[0]);
  EXPECT_EQ(text2->Link(), page1);
  EXPECT_EQ(page1->OnPrint.GetMethod(), Method<&TTestForm::PagePrint>(form.get()));
  EXPECT_EQ(text1->OnPrint.GetMethod(), Method<&TTestForm::TextPrint>(form.get()));
  EXPECT_EQ(page1->LoadedCalls, 1);
  EXPECT_TRUE(errors.empty());
  // Everything read is the form's; the old components are gone.
  EXPECT_EQ(FormNames(), (std::vector<AnsiString>{"Stage", "Report1", "Band1", "Text1", "Report2", "Band2", "Text2"}));
  // Saved again, the layout is the same file.
  EXPECT_EQ(Save(), bytes);
}

TEST_F(LayoutTest, NamesAreGivenInReadingOrder) {
  BuildTwoPages();
  Load(Save());
  EXPECT_EQ(namedInOrder, (std::vector<AnsiString>{"Report1", "Band1", "Text1", "Report2", "Band2", "Text2"}));
}

TEST_F(LayoutTest, SingleEndingZeroLoadsTheSame) {
  BuildTwoPages();
  std::string bytes = Save();
  Load(bytes.substr(0, bytes.size() - 1));
  ASSERT_EQ(stage->Children().size(), 2u);
  EXPECT_EQ(Child(0)->Name(), "Report1");
  EXPECT_EQ(Child(1)->Name(), "Report2");
  EXPECT_EQ(Save(), bytes);
}

TEST_F(LayoutTest, EmptyFileFailsAndLeavesTheStageEmpty) {
  EXPECT_THROW(Load(""), EReadError);
  EXPECT_TRUE(stage->Children().empty());
  EXPECT_EQ(form->ComponentCount(), 1);
}

TEST_F(LayoutTest, LoadReplacesThePreviousPages) {
  BuildTwoPages();
  std::string two = Save();
  FreeComponents(stage->ChildComponents());
  AddNode<TTestPage>(stage, "Other");
  Load(two);
  ASSERT_EQ(stage->Children().size(), 2u);
  EXPECT_EQ(Find("Other"), nullptr);
  EXPECT_EQ(Child(0)->Name(), "Report1");
}

TEST_F(LayoutTest, NamesOfTheReplacedPagesAreFreeForTheLayout) {
  // Loading a layout over the same layout keeps every name: the old pages
  // give their names up before the new ones are named.
  BuildTwoPages();
  TTestNode* oldPage = Child(0);
  Load(Save());
  EXPECT_NE(Child(0), oldPage);
  EXPECT_EQ(namedInOrder, (std::vector<AnsiString>{"Report1", "Band1", "Text1", "Report2", "Band2", "Text2"}));
}

TEST_F(LayoutTest, NameClashWithTheFormGivesTheClassNameAndReferencesFollow) {
  BuildTwoPages();
  std::string bytes = Save();
  FreeComponents(stage->ChildComponents());
  // Components of the form outside the stage that hold the pages' names.
  auto* outside = new TTestPage(form.get());
  outside->SetName("Report1");
  auto* taken = new TTestPage(form.get());
  taken->SetName("TestPage1");

  Load(bytes);

  ASSERT_EQ(stage->Children().size(), 2u);
  TTestNode* page1 = Child(0);
  EXPECT_EQ(page1->Name(), "TestPage2");
  EXPECT_EQ(Child(1)->Name(), "Report2");
  // Text2 referred to "Report1" in the file: it follows the renamed page,
  // not the form's other Report1.
  TTestNode* text2 = Child(1)->Children().at(0)->Children().at(0);
  EXPECT_EQ(text2->Link(), page1);
  EXPECT_EQ(Find("Report1"), outside);
}

TEST_F(LayoutTest, ReferenceToANameOnlyAReplacedPageHadStaysEmpty) {
  std::string bytes = RecordFromText(
                          "object Report1: TTestPage\n"
                          "  Link = Old1\n"
                          "end\n") +
                      std::string(1, '\0');
  AddNode<TTestPage>(stage, "Old1");
  Load(bytes);
  ASSERT_EQ(stage->Children().size(), 1u);
  // Not even for a moment: the page that had the name is on its way out.
  EXPECT_EQ(Child(0)->LinkAtLoaded, nullptr);
  EXPECT_EQ(Child(0)->Link(), nullptr);
  EXPECT_EQ(Find("Old1"), nullptr);
}

TEST_F(LayoutTest, ReferenceToAComponentOfTheFormResolves) {
  auto* outside = new TTestText(form.get());
  outside->SetName("Outside");
  std::string bytes = RecordFromText(
                          "object Report1: TTestPage\n"
                          "  Link = Outside\n"
                          "end\n") +
                      std::string(1, '\0');
  Load(bytes);
  EXPECT_EQ(Child(0)->Link(), outside);
}

TEST_F(LayoutTest, UnknownClassPropertyAndHandlerAreSkippedSilently) {
  std::string bytes = RecordFromText(
                          "object Report1: TTestPage\n"
                          "  Caption = 'Kept'\n"
                          "  Bogus = 5\n"
                          "  Number = 7\n"
                          "  OnPrint = NoSuchHandler\n"
                          "  object Band1: TTestBand\n"
                          "    object Lost1: TTestStranger\n"
                          "      Caption = 'Gone'\n"
                          "      object Inner1: TTestText\n"
                          "      end\n"
                          "    end\n"
                          "    object Text1: TTestText\n"
                          "      Caption = 'After'\n"
                          "      OnPrint = TextPrint\n"
                          "    end\n"
                          "  end\n"
                          "end\n") +
                      RecordFromText(
                          "object Report2: TTestPage\n"
                          "end\n") +
                      std::string(2, '\0');
  EXPECT_NO_THROW(Load(bytes));
  ASSERT_EQ(stage->Children().size(), 2u);
  TTestNode* page = Child(0);
  EXPECT_EQ(page->Caption, "Kept");
  EXPECT_EQ(page->Number, 7);
  EXPECT_FALSE(page->OnPrint.Assigned());
  TTestNode* band = page->Children().at(0);
  ASSERT_EQ(band->Children().size(), 1u);
  EXPECT_EQ(band->Children()[0]->Name(), "Text1");
  EXPECT_EQ(band->Children()[0]->Caption, "After");
  EXPECT_TRUE(band->Children()[0]->OnPrint.Assigned());
  EXPECT_EQ(Find("Lost1"), nullptr);
  EXPECT_EQ(Find("Inner1"), nullptr);
  EXPECT_EQ(Child(1)->Name(), "Report2");
}

// ---- Damage -------------------------------------------------------------------

class DamagedLayoutTest : public LayoutTest {
protected:
  void SetUp() override {
    LayoutTest::SetUp();
    BuildTwoPages();
    layout = Save();
    before = stage->Children();
    formNames = FormNames();
  }

  // The stage still holds the same pages, all components keep their names
  // and nothing new is left in the form.
  void ExpectUntouched(const std::string& what) {
    EXPECT_EQ(stage->Children(), before) << what;
    EXPECT_EQ(FormNames(), formNames) << what;
    EXPECT_EQ(Child(1)->Children().at(0)->Children().at(0)->Link(), Child(0)) << what;
  }

  std::string layout;
  std::vector<TTestNode*> before;
  std::vector<AnsiString> formNames;
};

TEST_F(DamagedLayoutTest, EveryTruncationFailsAndKeepsThePreviousPages) {
  // Every prefix shorter than records + one zero is incomplete.
  for (std::size_t length = 0; length + 1 < layout.size(); ++length) {
    std::string what = "length " + std::to_string(length);
    EXPECT_THROW(Load(layout.substr(0, length)), EReadError) << what;
    ExpectUntouched(what);
  }
}

TEST_F(DamagedLayoutTest, AnyDamagedByteEitherLoadsOrLeavesThePagesAlone) {
  for (unsigned char bad : {0x00, 0x07, 0xFF}) {
    for (std::size_t at = 0; at < layout.size(); ++at) {
      std::string damaged = layout;
      damaged[at] = static_cast<char>(bad);
      std::string what = "byte " + std::to_string(at) + " = " + std::to_string(bad);
      try {
        Load(damaged);
      } catch (EReadError&) {
        ExpectUntouched(what);
        continue;
      }
      // A damage the format tolerates: the load replaced the pages.
      EXPECT_NE(stage->Children(), before) << what;
      FreeComponents(stage->ChildComponents());
      BuildTwoPages();
      before = stage->Children();
      formNames = FormNames();
    }
  }
}

TEST_F(DamagedLayoutTest, BadSignatureFails) {
  std::string bad = layout;
  bad[3] = '1';
  EXPECT_THROW(Load(bad), EReadError);
  ExpectUntouched("TPF1");
}

TEST_F(DamagedLayoutTest, NestingBeyondTheLimitFails) {
  std::string deep = "TPF0";
  const std::string header = std::string(1, '\x09') + "TTestPage" + std::string(1, '\0') + std::string(1, '\0');
  for (int i = 0; i < 200; ++i)
    deep += header;
  deep += std::string(200 + 1, '\0');
  EXPECT_THROW(Load(deep), EReadError);
  ExpectUntouched("deep");
}

TEST_F(DamagedLayoutTest, HugeLengthFailsWithoutAllocating) {
  // A long string claiming 2 GB in a 30-byte file.
  std::string bad = "TPF0" + std::string(1, '\x09') + "TTestPage" + std::string(1, '\x03') + "Big" + "\x07" +
                    "Caption" + "\x0C" + std::string("\xFF\xFF\xFF\x7F", 4);
  EXPECT_THROW(Load(bad), EReadError);
  ExpectUntouched("huge");
}

// ---- The file copy ------------------------------------------------------------

TEST(LayoutFileCopy, ReadsTheWholeFile) {
  const char* path = "layout_copy_test.vlp";
  std::string bytes = std::string("TPF0abc") + std::string(3, '\0');
  {
    TFileStream file(path, fmCreate);
    file.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  }
  TMemoryStream copy;
  ReadLayoutCopy(path, copy);
  EXPECT_EQ(copy.Position(), 0);
  EXPECT_EQ(StreamBytes(copy), bytes);
  std::remove(path);
}

TEST(LayoutFileCopy, FileBeyondTheLimitIsRefusedUnread) {
  const char* path = "layout_too_large.vlp";
  {
    TFileStream file(path, fmCreate);
    file.SetSize(MaxLayoutFileSize + 1);  // sparse: nothing is written
  }
  TMemoryStream copy;
  EXPECT_THROW(ReadLayoutCopy(path, copy), EReadError);
  EXPECT_EQ(copy.Size(), 0);
  std::remove(path);
}

TEST(LayoutFileCopy, MissingFileCannotBeOpened) {
  TMemoryStream copy;
  EXPECT_THROW(ReadLayoutCopy("no_such_layout.vlp", copy), EFOpenError);
}

TEST(LayoutFileCopy, FailureMessageNamesTheFileAsGiven) {
  EXPECT_EQ(LayoutReadError("C:\\Raporlar\\etiket.vlp").Message, "C:\\Raporlar\\etiket.vlp can not be read");
}

}  // namespace

namespace {

TEST(FreeComponents, DetachesEachJustBeforeFreeingTheLastFirst) {
  TTestForm form(nullptr);
  auto* container = new TTestNode(&form);
  std::vector<TComponent*> children;
  for (const char* name : {"A", "B", "C"}) {
    auto* child = new TTestNode(&form);
    child->SetName(name);
    child->SetParent(container);
    children.push_back(child);
  }
  std::vector<std::string> seen;
  FreeComponents(children, [&](TComponent* c) {
    // Still whole and still in the form when it is detached.
    seen.push_back(c->Name() + "@" + std::to_string(form.ComponentCount()));
    static_cast<TTestNode*>(c)->SetParent(nullptr);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"C@4", "B@3", "A@2"}));
  EXPECT_TRUE(container->Children().empty());
  EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(FreeComponents, SkipsWhatAnEarlierFreeTookAlong) {
  TTestForm form(nullptr);
  auto* parent = new TTestNode(&form);
  auto* child = new TTestNode(&form);
  child->SetParent(parent);
  // The child comes first: freeing the parent (last) frees it too.
  FreeComponents({child, parent});
  EXPECT_EQ(form.ComponentCount(), 0);
}

}  // namespace
