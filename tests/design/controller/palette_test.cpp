// The palette and its prototypes: picking templates, the buttons' stored
// names, and the controller's copies of a template with their names.
#include <gtest/gtest.h>

#include <string>

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "palettefixture.h"

namespace {

using Palette = PaletteSurface;

TEST_F(Palette, DesignModeFindsThePrototypesWhateverTheLetterCaseAndEnablesTheButtons) {
  TDsnButton* unknown = AddButton("Dpst_Nothing");
  controller->SetActive(true);
  EXPECT_TRUE(palette->Active());
  EXPECT_EQ(palette->ArrowButton(), arrow);
  EXPECT_EQ(arrow->Palette(), palette);
  EXPECT_TRUE(arrow->Down());
  EXPECT_EQ(labelButton->Prototype(), labelPrototype) << "\"DpsT_QRLabel\" finds \"Dpst_QRLabel\"";
  EXPECT_EQ(panelButton->Prototype(), panelPrototype);
  EXPECT_EQ(unknown->Prototype(), nullptr);
  for (TSpeedButton* button : std::vector<TSpeedButton*>{arrow, labelButton, panelButton, unknown})
    EXPECT_TRUE(button->Enabled()) << button->Name();
  EXPECT_EQ(palette->CurrentTemplate(), nullptr);

  controller->SetActive(false);
  for (TSpeedButton* button : std::vector<TSpeedButton*>{arrow, labelButton, panelButton, unknown})
    EXPECT_FALSE(button->Enabled()) << button->Name();
}

TEST_F(Palette, ClickingAButtonPicksItsPrototypeAndTheArrowOrAnUnknownNameGoesBackToSelecting) {
  TDsnButton* unknown = AddButton("Dpst_Nothing");
  controller->SetActive(true);

  ClickButton(labelButton);
  EXPECT_TRUE(labelButton->Down());
  EXPECT_FALSE(arrow->Down()) << "the buttons share one group";
  EXPECT_EQ(palette->CurrentTemplate(), labelPrototype);

  ClickButton(arrow);
  EXPECT_TRUE(arrow->Down());
  EXPECT_EQ(palette->CurrentTemplate(), nullptr);

  ClickButton(unknown);
  EXPECT_TRUE(arrow->Down()) << "a button without a prototype pushes the arrow again";
  EXPECT_FALSE(unknown->Down());
  EXPECT_EQ(palette->CurrentTemplate(), nullptr);

  // The arrow is no template; ResetToArrow leaves the template alone.
  palette->SetCurrentTemplate(panelPrototype);
  palette->ResetToArrow();
  EXPECT_TRUE(arrow->Down());
  EXPECT_EQ(palette->CurrentTemplate(), panelPrototype);
  palette->SetCurrentTemplate(arrow);
  EXPECT_EQ(palette->CurrentTemplate(), nullptr);
  palette->SetArrowButton(nullptr);
  EXPECT_EQ(palette->ArrowButton(), arrow);

  // Ending design mode ends the pick.
  ClickButton(panelButton);
  EXPECT_EQ(palette->CurrentTemplate(), panelPrototype);
  controller->SetActive(false);
  EXPECT_EQ(palette->CurrentTemplate(), nullptr);
}

TEST_F(Palette, AFreedPrototypeOrButtonLeavesNoLinkBehind) {
  controller->SetActive(true);
  ClickButton(panelButton);
  ASSERT_EQ(palette->CurrentTemplate(), panelPrototype);
  panelPrototype->Free();
  EXPECT_EQ(palette->CurrentTemplate(), nullptr);
  EXPECT_EQ(panelButton->Prototype(), nullptr);
  labelButton->Free();
  EXPECT_EQ(palette->Buttons(), std::vector<TDsnButton*>{panelButton});
}

// The palette written with the form as root and read back into another form.
TEST_F(Palette, ButtonsKeepTheirStoredNamesThroughAStreamAndJoinTheirPaletteWhenLoaded) {
  TDsnButton* empty = AddButton("");
  labelButton->SetGeneName(std::string(300, 'x'));
  EXPECT_EQ(labelButton->GeneName().size(), 255u) << "a stored name keeps at most 255 characters";
  labelButton->SetGeneName("DpsT_QRLabel");

  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.SetRoot(host);
    writer.WriteSignature();
    writer.WriteComponent(palette);
    writer.WriteListEnd();
  }
  const std::string bytes(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
  std::size_t names = 0;
  for (std::size_t at = bytes.find("GeneName"); at != std::string::npos; at = bytes.find("GeneName", at + 1))
    ++names;
  EXPECT_EQ(names, 3u) << "every button stores its name, an empty one too";

  test_support::Owned<TPanel> other(new TPanel(nullptr));
  stream.SetPosition(0);
  TDsnPanel* copy = nullptr;
  {
    TReader reader(stream);
    reader.ReadComponents(other.get(), other.get(),
                          [&copy](TComponent* c) { copy = dynamic_cast<TDsnPanel*>(c); });
  }
  ASSERT_NE(copy, nullptr);
  ASSERT_EQ(copy->Buttons().size(), 3u);
  EXPECT_EQ(copy->Buttons()[0]->GeneName(), "DpsT_QRLabel");
  EXPECT_EQ(copy->Buttons()[1]->GeneName(), "Dpst_Panel");
  EXPECT_EQ(copy->Buttons()[2]->GeneName(), "");
  EXPECT_EQ(copy->Buttons()[2]->Name(), empty->Name());
  for (TDsnButton* button : copy->Buttons()) {
    EXPECT_FALSE(button->Enabled());
    EXPECT_EQ(button->Palette(), copy);
    EXPECT_EQ(button->GroupIndex(), DsnButtonGroupIndex);
  }
  auto* arrowCopy = dynamic_cast<TArrowButton*>(other->FindComponent("ArrowButton1"));
  ASSERT_NE(arrowCopy, nullptr);
  EXPECT_FALSE(arrowCopy->Enabled());
  EXPECT_FALSE(arrowCopy->AllowAllUp());
}

TEST_F(Palette, ANewControlTakesTheFirstFreeNumberOfItsClass) {
  auto* taken1 = new TQRLabel(host);
  taken1->SetName("QRLabel1");
  auto* taken3 = new TQRLabel(host);
  taken3->SetName("qrlabel3");  // names are compared without letter case

  auto* fresh = new TQRLabel(host);
  controller->NameNewComponent(fresh);
  EXPECT_EQ(fresh->Name(), "QRLabel2");
  auto* next = new TQRLabel(host);
  controller->NameNewComponent(next);
  EXPECT_EQ(next->Name(), "QRLabel4");
  taken1->Free();
  auto* refill = new TPanel(host);
  controller->NameNewComponent(refill);
  EXPECT_EQ(refill->Name(), "Panel1");
  auto* label = new TQRLabel(host);
  controller->NameNewComponent(label);
  EXPECT_EQ(label->Name(), "QRLabel1") << "a gap left by a deleted label is filled first";
}

TEST_F(Palette, ACloneIsANamelessCopyInTheParentWithNestedNamesMadeUniqueAndTheHostTold) {
  controller->SetActive(true);
  // The first copy's panel takes Panel1 and the copy itself, named as a new
  // control, Panel2: the second copy's panel goes on to Panel3.
  for (const char* innerName : {"Panel1", "Panel3"}) {
    controller->CloneTemplate(panelPrototype, band);
    auto* clone = dynamic_cast<TPanel*>(controller->CloneResult());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->Parent(), band);
    EXPECT_EQ(clone->Owner(), host);
    EXPECT_EQ(clone->Name(), "");
    ASSERT_EQ(clone->ControlCount(), 1);
    TControl* inner = clone->Controls(0);
    EXPECT_EQ(inner->Owner(), host);
    EXPECT_EQ(inner->Name(), innerName) << "\"Inner\" is the prototype's own";
    EXPECT_EQ(panelPrototype->Name(), "Dpst_Panel") << "the template keeps its name";
    EXPECT_EQ(innerPrototype->Name(), "Inner");

    created.clear();
    test_support::Pump();
    EXPECT_EQ(created, (std::vector<TComponent*>{clone, inner})) << "the stage tells of each new component";
    controller->NameNewComponent(clone);
  }
  EXPECT_EQ(NamedLike("Panel"), 4);
}

TEST_F(Palette, AFailedCloneLeavesNothingOnTheFormAndTheTemplateKeepsItsName) {
  RegisterClasses({TBrokenLabel::StaticClass()});
  auto* broken = new TBrokenLabel(host);
  broken->SetName("Broken");
  broken->SetParent(panelPrototype);
  controller->SetActive(true);
  const int before = host->ComponentCount();
  const int onBand = band->ControlCount();

  EXPECT_THROW(controller->CloneTemplate(panelPrototype, band), EReadError);
  EXPECT_EQ(host->ComponentCount(), before) << "the half-made copy is freed";
  EXPECT_EQ(band->ControlCount(), onBand);
  EXPECT_EQ(controller->CloneResult(), nullptr);
  EXPECT_EQ(panelPrototype->Name(), "Dpst_Panel");
  test_support::Pump();
  EXPECT_TRUE(created.empty()) << "no notice names a freed component";
}

}  // namespace
