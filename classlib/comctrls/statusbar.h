// The status bar over comctl32's status class: a row of panels (a
// collection, each with its text, width and alignment), or one simple
// panel with its own text.
#pragma once
#include <memory>

#include "classlib/classes/collection.h"
#include "classlib/controls/wincontrol.h"

class TCanvas;
class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
DOZURI_ENUM(TStatusPanelStyle, "psText", "psOwnerDraw");
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
DOZURI_ENUM(TStatusPanelBevel, "pbNone", "pbLowered", "pbRaised");

class TStatusPanel : public TCollectionItem {
  DECLARE_CLASS(TStatusPanel, TCollectionItem)

public:
  explicit TStatusPanel(TCollection* Collection);

  const AnsiString& Text() const { return FText; }
  void SetText(const AnsiString& Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle Value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel Value);

  void Assign(TPersistent* Source) override;
  AnsiString GetDisplayName() override;

private:
  AnsiString FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelStyle FStyle = psText;
  TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels : public TCollection {
  DECLARE_CLASS(TStatusPanels, TCollection)

public:
  explicit TStatusPanels(TStatusBar* StatusBar);

  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }
  TStatusPanel* operator[](int Index) const { return Items(Index); }
  TPersistent* GetOwner() override;

protected:
  void Update(TCollectionItem* Item) override;

private:
  TStatusBar* FStatusBar;
};

DOZURI_EVENT(TDrawPanelEvent, void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect));

class TStatusBar : public TWinControl {
  DECLARE_CLASS(TStatusBar, TWinControl)

public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;

  TStatusPanels* Panels() const { return FPanels.get(); }
  void SetPanels(TStatusPanels* Value) { FPanels->Assign(Value); }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const AnsiString& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const AnsiString& Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  // The canvas OnDrawPanel draws on (the panel's DC while it draws).
  TCanvas* Canvas() const { return FCanvas.get(); }

  void Dispatch(TMessage& Message) override;

  TDrawPanelEvent OnDrawPanel;

protected:
  friend class TStatusPanels;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  // Draws an owner-drawn panel: OnDrawPanel, or the panel's colour.
  virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);
  // Puts the panels' edges and texts into the window.
  void UpdatePanels();
  void UpdatePanel(int Index);
  void UpdateSimpleText();

private:
  void CNDrawItem(TMessage& Message);

  std::unique_ptr<TStatusPanels> FPanels;
  std::unique_ptr<TCanvas> FCanvas;
  bool FSimplePanel = false;
  AnsiString FSimpleText;
  bool FSizeGrip = true;
};
