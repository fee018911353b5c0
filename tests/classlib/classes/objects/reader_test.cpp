// Reading components: trees, events by name, references with fix-up, the
// tolerant read driven by OnError, and damaged streams.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "fixtures.h"

namespace {

// Text form -> binary stream, so cases read as the format they test.
std::unique_ptr<TMemoryStream> FromText(const std::string& text) {
  TStringStream input(text);
  auto output = std::make_unique<TMemoryStream>();
  ObjectTextToBinary(input, *output);
  output->SetPosition(0);
  return output;
}

// One record followed by the end-of-list byte, as ReadComponents expects.
std::unique_ptr<TMemoryStream> Records(const std::string& text) {
  auto output = FromText(text);
  output->SetPosition(output->Size());
  const unsigned char end = 0;
  output->WriteBuffer(&end, 1);
  output->SetPosition(0);
  return output;
}

// A form with two pages, a label on page 1 that refers to page 2 and binds
// the form's ButtonClick.
struct TreeFixture : testing::Test {
  void SetUp() override { RegisterSampleClasses(); }

  static std::unique_ptr<TSampleForm> MakeForm() {
    auto form = std::make_unique<TSampleForm>(nullptr);
    form->SetName("Form1");
    auto* page1 = new TSample(form.get());
    page1->SetName("Page1");
    page1->SetParent(form.get());
    auto* page2 = new TSample(form.get());
    page2->SetName("Page2");
    page2->SetParent(form.get());
    auto* label = new TSample(form.get());
    label->SetName("Label1");
    label->SetParent(page1);
    label->Text = "Fatura";
    label->SetBuddy(page2);
    label->OnChange = Method<&TSampleForm::ButtonClick>(form.get());
    return form;
  }

  static std::unique_ptr<TMemoryStream> Write(TComponent* root) {
    auto stream = std::make_unique<TMemoryStream>();
    TWriter writer(*stream);
    writer.WriteRootComponent(root);
    writer.FlushBuffer();
    stream->SetPosition(0);
    return stream;
  }
};

TEST_F(TreeFixture, RoundTripKeepsOwnersParentsOrderReferencesAndEvents) {
  auto original = MakeForm();
  auto stream = Write(original.get());

  TSampleForm form(nullptr);
  TReader reader(*stream);
  reader.ReadRootComponent(&form);

  ASSERT_EQ(form.ComponentCount(), 3);
  // Pre-order: a component before its children.
  EXPECT_EQ(form.Components(0)->Name(), "Page1");
  EXPECT_EQ(form.Components(1)->Name(), "Label1");
  EXPECT_EQ(form.Components(2)->Name(), "Page2");
  auto* page1 = static_cast<TSample*>(form.FindComponent("page1"));
  auto* page2 = static_cast<TSample*>(form.FindComponent("PAGE2"));
  auto* label = static_cast<TSample*>(form.FindComponent("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(page1->Parent(), &form);
  EXPECT_EQ(page2->Parent(), &form);
  EXPECT_EQ(label->Parent(), page1);
  EXPECT_EQ(label->Text, "Fatura");
  EXPECT_EQ(label->Buddy(), page2);
  // Loaded ran after the fix-up, once per component, root included.
  EXPECT_EQ(label->BuddyAtLoaded, page2);
  EXPECT_EQ(label->LoadedCalls, 1);
  EXPECT_EQ(form.LoadedCalls, 1);
  // The event is bound to the reading root's method of that name.
  EXPECT_EQ(label->OnChange.GetMethod(), Method<&TSampleForm::ButtonClick>(&form));
  label->OnChange(label);
  ASSERT_EQ(form.Clicks.size(), 1u);
  EXPECT_EQ(form.Clicks[0], label);
}

TEST_F(TreeFixture, RootCreatedFromTheStreamsClass) {
  auto original = MakeForm();
  auto stream = Write(original.get());
  TReader reader(*stream);
  std::unique_ptr<TComponent> root(reader.ReadRootComponent(nullptr));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->ClassName(), "TSampleForm");
  EXPECT_EQ(root->Name(), "Form1");
  EXPECT_EQ(root->ComponentCount(), 3);

  // A damaged stream frees the root it created, with all it had read.
  auto cut = Write(original.get());
  cut->SetSize(cut->Size() - 3);
  cut->SetPosition(0);
  TReader failing(*cut);
  EXPECT_THROW(failing.ReadRootComponent(nullptr), EReadError);
}

TEST_F(TreeFixture, WrittenTreeAsText) {
  auto original = MakeForm();
  auto stream = Write(original.get());
  TStringStream text;
  ObjectBinaryToText(*stream, text);
  EXPECT_EQ(text.DataString(),
            "object Form1: TSampleForm\r\n"
            "  Items = <>\r\n"
            "  object Page1: TSample\r\n"
            "    Items = <>\r\n"
            "    object Label1: TSample\r\n"
            "      Text = 'Fatura'\r\n"
            "      Items = <>\r\n"
            "      Buddy = Page2\r\n"
            "      OnChange = ButtonClick\r\n"
            "    end\r\n"
            "  end\r\n"
            "  object Page2: TSample\r\n"
            "    Items = <>\r\n"
            "  end\r\n"
            "end\r\n");
}

TEST_F(TreeFixture, DefinedPropertiesRoundTrip) {
  TSampleForm original(nullptr);
  original.SetName("Form1");
  auto* table = new TSample(&original);  // a component that is not a control keeps a design position
  table->SetName("Table1");
  table->SetDesignInfo((200 << 16) | 64);
  table->Data = std::string("\x00\x01\xFF", 3);
  table->SetParent(&original);
  auto stream = Write(&original);

  TStringStream text;
  ObjectBinaryToText(*stream, text);
  EXPECT_NE(text.DataString().find("    Left = 64\r\n    Top = 200\r\n    Data = {\r\n      0001FF}\r\n"),
            std::string::npos)
      << text.DataString();

  stream->SetPosition(0);
  TSampleForm form(nullptr);
  TReader reader(*stream);
  reader.ReadRootComponent(&form);
  auto* read = static_cast<TSample*>(form.FindComponent("Table1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->DesignInfo(), (200 << 16) | 64);
  EXPECT_EQ(read->Data, std::string("\x00\x01\xFF", 3));
}

// A descendant writes only what differs from its ancestor, and its
// components that the ancestor has carry the inherited flag.
TEST_F(TreeFixture, DescendantWritesDifferencesOnly) {
  auto ancestor = MakeForm();
  auto descendant = MakeForm();
  static_cast<TSample*>(descendant->FindComponent("Label1"))->Text = "Changed";
  descendant->Small = 4;
  static_cast<TSampleItem*>(static_cast<TSample*>(descendant->FindComponent("Page2"))->Items()->Add())->Caption = "new";
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteDescendent(descendant.get(), ancestor.get());
  }
  stream.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(stream, text);
  EXPECT_EQ(text.DataString(),
            "inherited Form1: TSampleForm\r\n"
            "  Small = 4\r\n"
            "  inherited Page1: TSample\r\n"
            "    inherited Label1: TSample\r\n"
            "      Text = 'Changed'\r\n"
            "    end\r\n"
            "  end\r\n"
            "  inherited Page2: TSample\r\n"
            "    Items = <\r\n"
            "      item\r\n"
            "        Caption = 'new'\r\n"
            "        Value = 0\r\n"
            "      end>\r\n"
            "  end\r\n"
            "end\r\n");
}

// A component renamed while it is read (as a loader does to avoid a clash)
// is still the one its references name, not the unrelated owner's
// component that already has the old name.
TEST_F(TreeFixture, ReferenceFollowsComponentRenamedDuringRead) {
  auto stream = Records(
      "object Page1: TSample\n"
      "  object Label1: TSample\n"
      "    Buddy = Shape1\n"
      "  end\n"
      "  object Shape1: TSample\n"
      "  end\n"
      "end\n");
  TSampleForm form(nullptr);
  auto* existing = new TSample(&form);
  existing->SetName("Shape1");

  TReader reader(*stream);
  std::vector<std::string> seen;
  reader.OnSetName = [&](TReader*, TComponent* component, AnsiString& name) {
    seen.push_back(name);
    if (form.FindComponent(name) != nullptr)
      name = "Sample" + std::to_string(form.ComponentCount());
  };
  reader.ReadComponents(&form, &form, nullptr);

  // OnSetName ran for every component created, at every depth.
  EXPECT_EQ(seen, (std::vector<std::string>{"Page1", "Label1", "Shape1"}));
  auto* label = static_cast<TSample*>(form.FindComponent("Label1"));
  ASSERT_NE(label, nullptr);
  ASSERT_NE(label->Buddy(), nullptr);
  EXPECT_NE(label->Buddy(), existing);
  EXPECT_EQ(label->Buddy()->Name(), "Sample4");  // four components when it was named
  EXPECT_EQ(label->Buddy()->Parent()->Name(), "Page1");
}

TEST_F(TreeFixture, ReferenceToComponentOutsideTheStreamResolvesInRoot) {
  auto stream = Records("object Label1: TSample\n  Buddy = Table1\nend\n");
  TSampleForm form(nullptr);
  auto* table = new TSample(&form);
  table->SetName("Table1");
  TReader reader(*stream);
  reader.ReadComponents(&form, &form, nullptr);
  EXPECT_EQ(static_cast<TSample*>(form.FindComponent("Label1"))->Buddy(), table);
}

TEST_F(TreeFixture, OnReferenceNameMayChangeTheName) {
  auto stream = Records("object Label1: TSample\n  Buddy = Old\nend\n");
  TSampleForm form(nullptr);
  auto* target = new TSample(&form);
  target->SetName("New");
  TReader reader(*stream);
  reader.OnReferenceName = [](TReader*, AnsiString& name) {
    if (name == "Old")
      name = "New";
  };
  reader.ReadComponents(&form, &form, nullptr);
  EXPECT_EQ(static_cast<TSample*>(form.FindComponent("Label1"))->Buddy(), target);
}

// A collection read twice: the references met in the first items, freed by
// the second read, are dropped rather than fixed up into freed items.
TEST_F(TreeFixture, ReferencesOfReplacedCollectionItemsAreDropped) {
  auto stream = Records(
      "object Label1: TSample\n"
      "  Items = <\n    item\n      Target = Label1\n    end>\n"
      "  Items = <\n    item\n      Value = 2\n    end\n    item\n      Target = Label1\n    end>\n"
      "end\n");
  TSampleForm form(nullptr);
  TReader reader(*stream);
  reader.ReadComponents(&form, &form, nullptr);
  auto* label = static_cast<TSample*>(form.FindComponent("Label1"));
  ASSERT_EQ(label->Items()->Count(), 2);
  EXPECT_EQ(static_cast<TSampleItem*>(label->Items()->Items(0))->Target, nullptr);
  EXPECT_EQ(static_cast<TSampleItem*>(label->Items()->Items(1))->Target, label);
}

TEST_F(TreeFixture, OnCreateComponentMayHandTheInstance) {
  auto stream = Records("object Label1: TSample\n  Small = 7\nend\n");
  TSampleForm form(nullptr);
  TReader reader(*stream);
  TSample* made = nullptr;
  reader.OnCreateComponent = [&](TReader*, TClass cls, TComponent*& component) {
    EXPECT_EQ(cls, TSample::StaticClass());
    made = new TSample(&form);
    component = made;
  };
  reader.ReadComponents(&form, &form, nullptr);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->Name(), "Label1");
  EXPECT_EQ(made->Small, 7);
}

TEST_F(TreeFixture, ClassKnownOnlyAsRootFieldClassIsCreated) {
  auto stream = Records("object Extra: TFieldOnly\nend\n");
  TSampleForm form(nullptr);
  TReader reader(*stream);
  reader.ReadComponents(&form, &form, nullptr);
  ASSERT_NE(form.FindComponent("Extra"), nullptr);
  EXPECT_EQ(form.FindComponent("Extra")->ClassName(), "TFieldOnly");
}

// ---- The tolerant read ---------------------------------------------------------
struct TolerantCase {
  const char* name;
  const char* text;
  const char* expectedMessage;  // part of the one error reported
};

const TolerantCase kTolerantCases[] = {
    {"UnknownProperty", "object Label1: TSample\n  Small = 5\n  Colour = 3\n  Medium = 6\nend\n",
     "Property Colour does not exist"},
    {"BadEnumValue", "object Label1: TSample\n  Small = 5\n  Kind = skCircle\n  Medium = 6\nend\n",
     "Invalid property value"},
    {"WrongValueType", "object Label1: TSample\n  Small = 5\n  Large = 'text'\n  Medium = 6\nend\n",
     "Invalid property value"},
    {"BadSetElement", "object Label1: TSample\n  Small = 5\n  Options = [soBold, soWavy]\n  Medium = 6\nend\n",
     "Invalid property value"},
    {"UnknownNestedProperty", "object Label1: TSample\n  Small = 5\n  Frame.Depth = 2\n  Medium = 6\nend\n",
     "Property Depth does not exist"},
    {"UnknownDottedPath", "object Label1: TSample\n  Small = 5\n  Pen.Width = (\n    1\n    2)\n  Medium = 6\nend\n",
     "Property Pen does not exist"},
    {"UnknownMethodName", "object Label1: TSample\n  Small = 5\n  OnChange = NoSuchHandler\n  Medium = 6\nend\n",
     "NoSuchHandler"},
    {"MethodOfAnotherSignature", "object Label1: TSample\n  Small = 5\n  OnChange = Print\n  Medium = 6\nend\n",
     "Invalid class typecast"},
    {"IntegerOutOfRange", "object Label1: TSample\n  Small = 5\n  Large = 5000000000\n  Medium = 6\nend\n",
     "Invalid property value"},
    {"BadItemProperty",
     "object Label1: TSample\n  Small = 5\n  Items = <\n    item\n      Colour = 1\n      Value = 4\n    end>\n"
     "  Medium = 6\nend\n",
     "Property Colour does not exist"},
};

class TolerantRead : public testing::TestWithParam<TolerantCase> {
protected:
  void SetUp() override { RegisterSampleClasses(); }
};

TEST_P(TolerantRead, ErrorSkipsTheValueAndKeepsTheOthers) {
  const TolerantCase& c = GetParam();
  auto stream = Records(c.text);
  TSampleForm form(nullptr);
  TReader reader(*stream);
  std::vector<std::string> errors;
  reader.OnError = [&](TReader*, const AnsiString& message, bool& handled) {
    errors.push_back(message);
    handled = true;
  };
  reader.ReadComponents(&form, &form, nullptr);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find(c.expectedMessage), std::string::npos) << errors[0];
  auto* label = static_cast<TSample*>(form.FindComponent("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Small, 5);
  EXPECT_EQ(label->Medium, 6);
  EXPECT_FALSE(label->OnChange.Assigned());
  EXPECT_EQ(reader.Position(), stream->Size());
}

TEST_P(TolerantRead, WithoutOnErrorTheFirstErrorRaisesEReadError) {
  const TolerantCase& c = GetParam();
  auto stream = Records(c.text);
  TSampleForm form(nullptr);
  TReader reader(*stream);
  try {
    reader.ReadComponents(&form, &form, nullptr);
    FAIL() << "no exception";
  } catch (EReadError& e) {
    EXPECT_NE(e.Message.find(c.expectedMessage), std::string::npos) << e.Message;
  }
  // The half-read component is freed with the failed read.
  EXPECT_EQ(form.FindComponent("Label1"), nullptr);
}

TEST_P(TolerantRead, UnhandledErrorAlsoRaises) {
  auto stream = Records(GetParam().text);
  TSampleForm form(nullptr);
  TReader reader(*stream);
  int calls = 0;
  reader.OnError = [&](TReader*, const AnsiString&, bool& handled) {
    ++calls;
    handled = false;
  };
  EXPECT_THROW(reader.ReadComponents(&form, &form, nullptr), EReadError);
  EXPECT_EQ(calls, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, TolerantRead, testing::ValuesIn(kTolerantCases),
                         [](const testing::TestParamInfo<TolerantCase>& info) { return info.param.name; });

TEST(TolerantReadTree, UnknownClassIsSkippedWithEverythingNestedInIt) {
  RegisterSampleClasses();
  // Two records, as a layout file holds them: TPF0 + component, TPF0 + component, 0.
  TMemoryStream layout;
  std::int64_t firstEnd = 0;
  {
    auto first = FromText(
        "object Page1: TSample\n  object Lost: TUnregistered\n    Small = 1\n    object LostChild: TSample\n"
        "      Buddy = Page1\n    end\n  end\n  object Kept: TSample\n    Small = 2\n  end\nend\n");
    auto second = FromText("object Page2: TSample\nend\n");
    layout.CopyFrom(*first, 0);
    firstEnd = layout.Size();
    layout.CopyFrom(*second, 0);
    const unsigned char end[2] = {0, 0};
    layout.WriteBuffer(end, 2);
    layout.SetPosition(0);
  }
  EXPECT_GT(firstEnd, 0);
  TSampleForm form(nullptr);
  TReader reader(layout);
  std::vector<std::string> errors;
  std::vector<TComponent*> records;
  reader.OnError = [&](TReader*, const AnsiString& message, bool& handled) {
    errors.push_back(message);
    handled = true;
  };
  reader.ReadComponents(&form, &form, [&](TComponent* c) { records.push_back(c); });
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Class TUnregistered not found");
  EXPECT_EQ(form.FindComponent("Lost"), nullptr);
  EXPECT_EQ(form.FindComponent("LostChild"), nullptr);
  auto* kept = static_cast<TSample*>(form.FindComponent("Kept"));
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->Small, 2);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0]->Name(), "Page1");
  EXPECT_EQ(records[1]->Name(), "Page2");
  // One of the two end bytes is read.
  EXPECT_EQ(reader.Position(), layout.Size() - 1);
}

TEST(TolerantReadTree, UnknownClassWithoutOnErrorRaisesAndFreesTheRecord) {
  RegisterSampleClasses();
  auto stream = Records("object Page1: TSample\n  object Lost: TUnregistered\n  end\nend\n");
  TSampleForm form(nullptr);
  TReader reader(*stream);
  try {
    reader.ReadComponents(&form, &form, nullptr);
    FAIL() << "no exception";
  } catch (EReadError& e) {
    EXPECT_EQ(e.Message, "Class TUnregistered not found");
  }
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(TolerantReadTree, DuplicateNameWithHandledErrorSkipsTheComponent) {
  RegisterSampleClasses();
  auto stream = Records("object Page1: TSample\n  object Twin: TSample\n    object Inner: TSample\n    end\n"
                         "  end\nend\n");
  TSampleForm form(nullptr);
  (new TSample(&form))->SetName("Twin");
  TReader reader(*stream);
  std::vector<std::string> errors;
  reader.OnError = [&](TReader*, const AnsiString& message, bool& handled) {
    errors.push_back(message);
    handled = true;
  };
  reader.ReadComponents(&form, &form, nullptr);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "A component named Twin already exists");
  EXPECT_EQ(form.ComponentCount(), 2);  // the old Twin and Page1
  EXPECT_EQ(form.FindComponent("Inner"), nullptr);
}

// OnFindMethod may clear the error: the event stays unassigned (a runner
// that lacks the designer's handlers).
TEST(TolerantReadTree, FindMethodHookDropsUnknownHandlerSilently) {
  RegisterSampleClasses();
  auto stream = Records("object Label1: TSample\n  OnChange = DesignerOnly\n  Small = 3\nend\n");
  TSampleForm form(nullptr);
  TReader reader(*stream);
  std::vector<std::string> asked;
  reader.OnFindMethod = [&](TReader*, const AnsiString& name, const TMethodCode*& address, bool& error) {
    asked.push_back(name);
    if (error) {
      address = nullptr;
      error = false;
    }
  };
  reader.ReadComponents(&form, &form, nullptr);
  EXPECT_EQ(asked, std::vector<std::string>{"DesignerOnly"});
  auto* label = static_cast<TSample*>(form.FindComponent("Label1"));
  EXPECT_FALSE(label->OnChange.Assigned());
  EXPECT_EQ(label->Small, 3);
}

// ---- Damaged streams ------------------------------------------------------------
std::vector<unsigned char> SampleTreeBytes() {
  RegisterSampleClasses();
  auto stream = FromText(
      "object Form1: TSampleForm\n"
      "  Small = 1\n  Large = 123456\n  Text = 'abc'\n  Ratio = 2.5\n  Factor = 1.5s\n  Options = [soItalic]\n"
      "  Lines.Strings = (\n    'x'\n    'y')\n"
      "  Items = <\n    item\n      Caption = 'i'\n      Value = 3\n    end>\n"
      "  object Child: TSample\n    Buddy = Form1\n    OnChange = ButtonClick\n    Data = {\n      0102}\n"
      "  end\n"
      "end\n");
  auto* p = static_cast<unsigned char*>(stream->Memory());
  return std::vector<unsigned char>(p, p + stream->Size());
}

// Reads a root from bytes; true when it completed.
bool ReadRoot(const std::vector<unsigned char>& bytes, bool tolerant) {
  TMemoryStream stream;
  if (!bytes.empty())
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  stream.SetPosition(0);
  TSampleForm form(nullptr);
  TReader reader(stream);
  if (tolerant)
    reader.OnError = [](TReader*, const AnsiString&, bool& handled) { handled = true; };
  try {
    reader.ReadRootComponent(&form);
    return true;
  } catch (EReadError&) {
    return false;
  }
}

TEST(DamagedStream, EveryTruncationRaisesEReadError) {
  std::vector<unsigned char> bytes = SampleTreeBytes();
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + length);
    EXPECT_FALSE(ReadRoot(cut, false)) << length;
    EXPECT_FALSE(ReadRoot(cut, true)) << length;
  }
  EXPECT_TRUE(ReadRoot(bytes, true));
}

// Every single-byte change either reads or raises EReadError; ASan watches
// for everything else.
TEST(DamagedStream, EveryByteChangeReadsOrRaises) {
  std::vector<unsigned char> bytes = SampleTreeBytes();
  for (std::size_t i = 0; i < bytes.size(); ++i)
    for (unsigned char value : {0x00, 0x01, 0x0E, 0x7F, 0xF2, 0xFF}) {
      std::vector<unsigned char> changed = bytes;
      changed[i] = value;
      ReadRoot(changed, true);
      ReadRoot(changed, false);
    }
  SUCCEED();
}

TEST(DamagedStream, HugeLengthsAreRefusedBeforeAllocating) {
  struct Case {
    const char* name;
    std::vector<unsigned char> value;
  };
  const Case cases[] = {
      {"LString", {0x0C, 0xFF, 0xFF, 0xFF, 0x7F}},
      {"Binary", {0x0A, 0xFF, 0xFF, 0xFF, 0x7F}},
      {"WString", {0x12, 0xFF, 0xFF, 0xFF, 0x3F}},
      {"NegativeLength", {0x0C, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"UnknownTag", {0x33}},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> bytes = {'T', 'P', 'F', '0', 7, 'T', 'S', 'a', 'm', 'p', 'l', 'e', 0, 4, 'T', 'e', 'x', 't'};
    bytes.insert(bytes.end(), c.value.begin(), c.value.end());
    bytes.insert(bytes.end(), {0, 0});
    EXPECT_FALSE(ReadRoot(bytes, true)) << c.name;
  }
}

TEST(DamagedStream, DeepNestingIsRefused) {
  std::vector<unsigned char> bytes = {'T', 'P', 'F', '0'};
  const int depth = 10000;
  for (int i = 0; i < depth; ++i) {
    bytes.insert(bytes.end(), {7, 'T', 'S', 'a', 'm', 'p', 'l', 'e', 0, 0});  // class, no name, no properties
  }
  bytes.insert(bytes.end(), 2 * depth, 0);
  EXPECT_FALSE(ReadRoot(bytes, true));

  std::vector<unsigned char> lists = {'T', 'P', 'F', '0', 7, 'T', 'S', 'a', 'm', 'p', 'l', 'e', 0, 5, 'L', 'i', 'n', 'e', 's'};
  lists.insert(lists.end(), depth, vaList);
  lists.insert(lists.end(), depth + 2, 0);
  EXPECT_FALSE(ReadRoot(lists, true));
}

TEST(DamagedStream, WrongSignatureRaises) {
  std::vector<unsigned char> bytes = SampleTreeBytes();
  bytes[3] = '1';
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  stream.SetPosition(0);
  TReader reader(stream);
  TSampleForm form(nullptr);
  try {
    reader.ReadRootComponent(&form);
    FAIL() << "no exception";
  } catch (EReadError& e) {
    EXPECT_EQ(e.Message, "Invalid stream format");
  }
}

}  // namespace
