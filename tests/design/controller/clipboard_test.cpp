// Copy, cut, paste and delete of the design selection, with the bytes the
// system clipboard holds checked and hand-made blocks under the format.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "classlib/classes/reader.h"
#include "classlib/graphics/clipbrd.h"
#include "design/core/componentwatch.h"
#include "design/dsnclipboard.h"
#include "editfixture.h"

namespace {

class DesignClipboard : public EditSurface {
protected:
  void SetUp() override {
    EditSurface::SetUp();
    // The host form of the designer publishes its label classes; here the
    // reader finds them registered.
    RegisterClasses({TQRLabel::StaticClass()});
    Clipboard().SetAsText("vorher");
    panel = new TPanel(host);
    panel->SetName("Box");
    panel->SetParent(stage);
    panel->SetBounds(250, 250, 300, 100);
    panel->SetControlStyle(panel->ControlStyle() + TControlStyle{csAcceptsControls});
  }

  // The raw bytes under the design format, empty when there are none.
  static std::string ClipboardBytes() {
    std::string bytes;
    Clipboard().Open();
    if (HANDLE block = GetClipboardData(DesignClipboardFormat())) {
      const auto* data = static_cast<const char*>(GlobalLock(block));
      bytes.assign(data, GlobalSize(block));
      GlobalUnlock(block);
    }
    Clipboard().Close();
    return bytes;
  }
  static void PutBytes(const std::string& bytes) {
    Clipboard().Open();
    Clipboard().Clear();
    Clipboard().SetBuffer(DesignClipboardFormat(), bytes.data(), bytes.size());
    Clipboard().Close();
  }
  static std::uint32_t LengthOf(const std::string& bytes) {
    std::uint32_t length = 0;
    std::memcpy(&length, bytes.data(), 4);
    return length;
  }
  static int Occurrences(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
      ++count;
    return count;
  }
  TComponent* Newest() const { return host->Components(host->ComponentCount() - 1); }
  // Copies Label at the given bounds and pastes it into the box.
  TControl* PastedIntoBox(TQRLabel* Label, TRect Bounds) {
    Label->SetBounds(Bounds.left, Bounds.top, Bounds.right, Bounds.bottom);
    select->SelectComponent(Label);
    controller->CopyToClipboard();
    select->SelectComponent(panel);
    const int before = host->ComponentCount();
    controller->PasteFromClipboard();
    EXPECT_EQ(host->ComponentCount(), before + 1);
    return dynamic_cast<TControl*>(Newest());
  }

  TPanel* panel = nullptr;
};

TEST_F(DesignClipboard, TwoLabelsOfOneBandGoToTheClipboardAsOneLengthPrefixedBlock) {
  controller->SetActive(true);
  select->SelectComponents({labelA, labelB});
  EXPECT_TRUE(controller->CanCopy());
  controller->CopyToClipboard();
  const std::string bytes = ClipboardBytes();
  ASSERT_GE(bytes.size(), 9u);
  const std::uint32_t length = LengthOf(bytes);
  ASSERT_LE(length + 4, bytes.size());
  EXPECT_EQ(bytes.substr(4, 4), "TPF0");
  EXPECT_EQ(bytes[4 + length - 1], '\0') << "one list end";
  EXPECT_EQ(Occurrences(bytes.substr(4, length), "TPF0"), 2);
  // Read back: two records, and the list end is the last of the L bytes.
  test_support::Owned<TPanel> scratch(new TPanel(nullptr));
  scratch->SetVisible(false);
  scratch->SetParent(host);
  TMemoryStream records;
  records.Write(bytes.data() + 4, static_cast<std::int32_t>(length));
  records.SetPosition(0);
  std::vector<AnsiString> names;
  {
    TReader reader(records);
    reader.ReadComponents(scratch.get(), scratch.get(), [&](TComponent* c) { names.push_back(c->Name()); });
    EXPECT_EQ(reader.Position(), static_cast<std::int64_t>(length));
  }
  EXPECT_EQ(names, (std::vector<AnsiString>{"LabelA", "LabelB"}));
  EXPECT_EQ(Occurrences(bytes, "LabelA"), 1);
  EXPECT_EQ(Occurrences(bytes, "LabelB"), 1);
  EXPECT_EQ(Clipboard().AsText(), "") << "the clipboard was emptied first";
}

TEST_F(DesignClipboard, LabelsOfTwoBandsAreNeitherCopiedNorCut) {
  controller->SetActive(true);
  select->SelectComponents({labelA, labelC});
  EXPECT_FALSE(controller->CanCopy());
  stage->CopySelection();
  EXPECT_EQ(Clipboard().AsText(), "vorher");
  stage->CutSelection();
  EXPECT_EQ(Clipboard().AsText(), "vorher");
  EXPECT_EQ(Selected(), (std::vector<TComponent*>{labelA, labelC})) << "nothing deleted";
}

TEST_F(DesignClipboard, ABlockThatIsNoDesignDataPastesNothing) {
  controller->SetActive(true);
  select->SelectComponents({labelA, labelB});
  controller->CopyToClipboard();
  const std::string good = ClipboardBytes();
  const std::uint32_t length = LengthOf(good);
  std::string tooLong = good.substr(0, 4 + length);
  const std::uint32_t claimed = length + 64;
  std::memcpy(tooLong.data(), &claimed, 4);
  std::string noSignature = good.substr(0, 4 + length);
  noSignature[4] = 'X';
  struct Case {
    const char* what;
    std::string bytes;
  };
  for (const Case& c : {Case{"a length beyond the block", tooLong}, Case{"shorter than the length", std::string("\x02\x00", 2)},
                        Case{"no signature", noSignature}}) {
    SCOPED_TRACE(c.what);
    PutBytes(c.bytes);
    select->SelectComponent(title);
    ASSERT_TRUE(controller->CanPaste());
    const int before = host->ComponentCount();
    const int onBand = title->ControlCount();
    controller->PasteFromClipboard();
    EXPECT_EQ(host->ComponentCount(), before);
    EXPECT_EQ(title->ControlCount(), onBand);
    EXPECT_EQ(Selected(), std::vector<TComponent*>{title}) << "nothing changes";
  }
}

TEST_F(DesignClipboard, APastedLabelStartingOutsideItsNewParentIsMovedBackInside) {
  controller->SetActive(true);
  // The box is 300 by 100.
  struct Case {
    TRect copied;  // left, top, width, height
    int left, top;
  };
  for (const Case& c : {Case{{500, 10, 120, 20}, 180, 10}, Case{{500, 10, 400, 20}, 0, 10},
                        Case{{-20, -5, 50, 20}, 0, 0}, Case{{10, 150, 50, 20}, 10, 80},
                        Case{{300, 100, 50, 20}, 300, 100}}) {
    SCOPED_TRACE(std::to_string(c.copied.left) + ", " + std::to_string(c.copied.top));
    TControl* pasted = PastedIntoBox(labelB, c.copied);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->Parent(), panel);
    EXPECT_EQ(pasted->Left(), c.left);
    EXPECT_EQ(pasted->Top(), c.top);
    EXPECT_EQ(pasted->Width(), c.copied.right);
    EXPECT_EQ(Selected(), std::vector<TComponent*>{pasted});
  }
}

TEST_F(DesignClipboard, ACopyPastedBesideItsOriginalIsNamedCoveredAndAnnounced) {
  std::vector<TComponent*> created;
  stage->OnControlCreate = TControlCreate([&](TObject*, TComponent* c) { created.push_back(c); });
  controller->SetActive(true);
  EXPECT_FALSE(controller->CanPaste()) << "no selection list yet";
  select->SelectComponent(labelA);
  controller->CopyToClipboard();
  EXPECT_FALSE(controller->CanPaste()) << "a label takes no paste";
  controller->PasteFromClipboard();
  EXPECT_EQ(Selected(), std::vector<TComponent*>{labelA});

  select->SelectComponent(title);
  controller->PasteFromClipboard();
  auto* copy = dynamic_cast<TQRLabel*>(Newest());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Name(), "QRLabel1");
  EXPECT_EQ(copy->Parent(), title);
  EXPECT_EQ(copy->Left(), 40);
  EXPECT_NE(controller->CoverOf(copy), nullptr);
  EXPECT_EQ(Selected(), std::vector<TComponent*>{copy});
  EXPECT_EQ(GripsOn(title).size(), 8u);
  test_support::Pump();
  EXPECT_EQ(created, std::vector<TComponent*>{copy});

  // Nothing selected after an earlier selection: the copy lands on the stage.
  controller->UnselectAll();
  controller->PasteFromClipboard();
  auto* onStage = dynamic_cast<TQRLabel*>(Newest());
  ASSERT_NE(onStage, nullptr);
  EXPECT_EQ(onStage->Parent(), stage);
  EXPECT_EQ(onStage->Name(), "QRLabel2");
  // The stage outlives this test's locals: its announcement is awaited here,
  // and the handler that writes to them goes before they do.
  test_support::Pump();
  EXPECT_EQ(created, (std::vector<TComponent*>{copy, onStage}));
  stage->OnControlCreate = nullptr;
}

TEST_F(DesignClipboard, AClassTheProgramDoesNotKnowEndsThePasteAfterWhatWasReadBefore) {
  controller->SetActive(true);
  select->SelectComponents({labelA, labelB});
  controller->CopyToClipboard();
  std::string bytes = ClipboardBytes();
  // The second record's class becomes one nobody registered.
  const std::size_t second = bytes.find("TPF0", 8);
  ASSERT_NE(second, std::string::npos);
  const std::size_t cls = bytes.find("TQRLabel", second);
  ASSERT_NE(cls, std::string::npos);
  bytes.replace(cls, 8, "TQRLabeX");
  PutBytes(bytes);
  select->SelectComponent(detail);
  const int before = host->ComponentCount();
  EXPECT_THROW(controller->PasteFromClipboard(), Exception);
  ASSERT_EQ(host->ComponentCount(), before + 1);
  auto* first = dynamic_cast<TQRLabel*>(Newest());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Name(), "QRLabel1");
  EXPECT_EQ(first->Parent(), detail);
  EXPECT_NE(controller->CoverOf(first), nullptr);
  EXPECT_EQ(Selected(), std::vector<TComponent*>{first});
}

// ---- Delete ----
// Writes down the components freed, in order.
class FreedLog {
public:
  explicit FreedLog(const std::vector<TComponent*>& Watched)
      : FWatch([this](TComponent* c) { Freed.push_back(c); }) {
    for (TComponent* c : Watched)
      FWatch.Watch(c);
  }
  std::vector<TComponent*> Freed;

private:
  TComponentWatch FWatch;
};

TEST_F(DesignClipboard, DeletingAContainerWithSomeOfItsChildrenFreesEachOnceTheDeepestFirst) {
  controller->SetActive(true);
  select->SelectComponents({title, labelA, report});
  std::vector<TComponent*> asked;
  stage->OnDeleteQuery = TDeleteQuery([&](TObject*, TComponent* c, bool&) { asked.push_back(c); });
  FreedLog log({report, title, labelA});
  stage->DeleteSelection();
  EXPECT_EQ(asked, (std::vector<TComponent*>{report, labelA, title})) << "asked from the last to the first";
  EXPECT_EQ(log.Freed, (std::vector<TComponent*>{labelA, title, report}));
  EXPECT_EQ(controller->SelectedCount(), 0);
  title = detail = nullptr;
}

TEST_F(DesignClipboard, WhatTheHostRefusesStaysAndTheSelectionIsEmptyAfterwards) {
  controller->SetActive(true);
  select->SelectComponents({labelA, labelB});
  stage->OnDeleteQuery = TDeleteQuery([this](TObject*, TComponent* c, bool& canDelete) { canDelete = c != labelB; });
  FreedLog log({labelA, labelB});
  // The Delete key on the stage.
  PostMessageW(stage->Handle(), WM_KEYUP, VK_DELETE, 0);
  test_support::Pump();
  EXPECT_EQ(log.Freed, std::vector<TComponent*>{labelA});
  EXPECT_EQ(labelB->Parent(), title);
  EXPECT_EQ(controller->SelectedCount(), 0);
  EXPECT_TRUE(GripsOn(title).empty());

  // Refusing everything frees nothing; the selection goes all the same.
  stage->OnDeleteQuery = TDeleteQuery([](TObject*, TComponent*, bool& canDelete) { canDelete = false; });
  select->SelectComponent(labelB);
  controller->DeleteSelected();
  EXPECT_EQ(log.Freed.size(), 1u);
  EXPECT_EQ(controller->SelectedCount(), 0);
}

TEST_F(DesignClipboard, CutCopiesThenDeletes) {
  controller->SetActive(true);
  select->SelectComponents({labelA, labelB});
  FreedLog log({labelA, labelB});
  stage->CutSelection();
  EXPECT_EQ(log.Freed.size(), 2u);
  EXPECT_EQ(Occurrences(ClipboardBytes(), "TPF0"), 2);
  select->SelectComponent(detail);
  controller->PasteFromClipboard();
  EXPECT_EQ(controller->SelectedCount(), 2);
  EXPECT_NE(host->FindComponent("LabelA"), nullptr) << "the names were free again";
}

}  // namespace
