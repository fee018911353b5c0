// TBiDiDBNavigator: the data navigator with three additions.
//  - Keyboard shortcuts for the eight common data-set commands, through
//    data-set actions it owns and puts into a form's action list (a form's
//    keys reach actions only through its action lists).
//  - Published glyphs for its ten buttons.
//  - A right-to-left navigator mirrors its button row and points its arrows
//    the other way.
#pragma once
#include <array>

#include "classlib/dbctrls/dbnavigator.h"

class TActionList;
class TBitmap;
class TDataSetAction;

class TBiDiDBNavigator : public TDBNavigator {
  DECLARE_CLASS(TBiDiDBNavigator, TDBNavigator)

public:
  static constexpr int ShortcutActions = 8;

  explicit TBiDiDBNavigator(TComponent* AOwner);
  ~TBiDiDBNavigator() override;

  // The glyph of one button; writing copies the picture into the button.
  TBitmap* Glyph(TNavigateBtn Button) const { return Buttons(Button)->Glyph(); }
  void SetGlyph(TNavigateBtn Button, TBitmap* Value) { Buttons(Button)->SetGlyph(Value); }

  TDataSource* DataSourceAct() const { return FDataSourceAct; }
  void SetDataSourceAct(TDataSource* Value);
  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* Value);
  // True after creation; the shortcut actions are bound only while it is.
  bool OldCreator() const { return FOldCreator; }
  void SetOldCreator(bool Value) { FOldCreator = Value; }

  // The shortcut action of first, prior, next, last, insert, delete, post
  // and cancel, in that order (nullptr while designing).
  TDataSetAction* ShortcutAction(int Index) const { return FActions[Index]; }

  // Whether the last visible button lies left of the first one.
  bool IsMirrored() const;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void Loaded() override;

private:
  template <TNavigateBtn B>
  TBitmap* GlyphOf() const { return Glyph(B); }
  template <TNavigateBtn B>
  void SetGlyphOf(TBitmap* Value) { SetGlyph(B, Value); }

  void CreateActions();
  void BindActions();
  void MirrorRow();
  void KeepMirrored();
  void BiDiModeChanged();
  void ExchangeGlyphs(TNavigateBtn A, TNavigateBtn B);

  std::array<TDataSetAction*, ShortcutActions> FActions{};
  TDataSource* FDataSourceAct = nullptr;
  TActionList* FActionList = nullptr;
  bool FOldCreator = true;
};
