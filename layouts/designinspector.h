// The designer's property inspector: a column of rows drawn on a paint box
// (a Turkish caption and the value of the first selected control each), and
// one editor control placed over the value of the current row. A value
// typed or chosen there is written to every selected control.
//
// The rows come from a fixed list (designinspectorrows.h). The designer
// hosts the inspector through TInspectorHost: it hands over its inspector
// panel and paint box, and calls SelectRow when the selection changes, after
// a move or resize and when the panel is resized.
#pragma once
#include <memory>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/controls/control.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/picture.h"
#include "layouts/designinspectorrows.h"

class TWinControl;
class TPaintBox;
class TEdit;
class TComboBox;
class TCurrencyEdit;
class TVtBtnEdit;
class TQuickRep;

// What the inspector asks of the designer that hosts it.
class TInspectorHost {
public:
  virtual ~TInspectorHost() = default;
  // The selection, first control first.
  virtual int SelectedCount() = 0;
  virtual TControl* SelectedControl(int Index) = 0;
  // The stage's grips follow the changed controls.
  virtual void UpdateSelection() = 0;
  virtual bool IsTextLayout() = 0;
  virtual bool IsInvoiceLayout() = 0;
  // The graphic page on the current tab (nullptr on text layouts).
  virtual TQuickRep* CurrentGraphicPage() = 0;
  // The owner of the layout's components.
  virtual TComponent* DesignRoot() = 0;
  virtual AnsiString Translate(const AnsiString& Text) = 0;
  // The information box with the caption "Bilgi".
  virtual void ShowInfo(const AnsiString& Text) = 0;
  virtual void SetLayoutModified() = 0;
  // The stage is sized to the current page plus 20 pixels each way and the
  // scroll bars follow.
  virtual void SizeStageToPage() = 0;
  // Bands were switched on or off: the design controller covers the new
  // ones, the stage hears of the removed ones, pages and bands repaint and
  // the layout-kind switch runs.
  virtual void BandsChanged() = 0;
  // Component was renamed from OldName: the component list (and, for a
  // page, the page tabs) follow.
  virtual void ComponentRenamed(TComponent* Component, const AnsiString& OldName) = 0;
  virtual void SelectComponent(TComponent* Component) = 0;
};

class TDesignInspector : public TComponent {
  DECLARE_CLASS(TDesignInspector, TComponent)

public:
  // The editors become children of Panel; the rows are drawn on PaintBox,
  // whose paint, mouse events the inspector takes over.
  TDesignInspector(TComponent* AOwner, TInspectorHost* Host, TWinControl* Panel, TPaintBox* PaintBox);
  ~TDesignInspector() override;

  // ---- Rows ----
  // Rebuilds the rows and the bitmap for the current selection.
  void DrawInspector();
  // Selects row Row (1-based): redraws, places the current row's editor
  // loaded from the first selected control, focuses it when the row changed.
  // Beyond RowCount the last row, below 1 the first. Nothing with an empty
  // selection: the last rows stay in view.
  void SelectRow(int Row);
  const std::vector<TInspectorRow>& InspectorRows() const { return FRows; }
  int RowCount() const { return static_cast<int>(FRows.size()); }
  int ActiveRow() const { return FActiveRow; }
  TBitmap& InspectorBitmap() { return FBitmap; }
  // True when every selected control publishes Name (also for none).
  bool CommonProps(const AnsiString& Name);

  // ---- Editors ----
  TWinControl* ActiveEditor() const { return FActiveEditor; }
  // The designer closes: the editor is hidden and forgotten.
  void ForgetEditor();
  // Applies the value of the editor Sender to the current row of every
  // selected control (Enter in an edit, any change of a combo, the values
  // the button edit hands over).
  void PropEditorChange(TObject* Sender);
  // The picture the button edit hands over for an image.
  TPicture& ImageBuffer() { return FImageBuffer; }

  TEdit* Edit() const { return FEdit; }
  TComboBox* ComboAlignment() const { return FComboAlignment; }
  TVtBtnEdit* BtnEdit() const { return FBtnEdit; }
  TCurrencyEdit* CEdit() const { return FCEdit; }
  TCurrencyEdit* CeInteger() const { return FCeInteger; }
  TComboBox* ComboBoolean() const { return FComboBoolean; }
  TComboBox* ComboBrush() const { return FComboBrush; }
  TComboBox* ComboShape() const { return FComboShape; }
  TComboBox* ComboPen() const { return FComboPen; }
  TComboBox* ComboOrientation() const { return FComboOrientation; }
  TComboBox* ComboPaperSize() const { return FComboPaperSize; }
  TComboBox* ComboSysData() const { return FComboSysData; }
  TComboBox* ComboClass() const { return FComboClass; }
  TComboBox* ComboBarcode() const { return FComboBarcode; }

  // "Var" and "Yok" unless the designer translates them.
  AnsiString TextYes = "Var";
  AnsiString TextNo = "Yok";

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void CreateEditors();
  TComboBox* NewCombo(const char* Name);
  template <class E>
  E* NewEditor(const char* Name);
  std::vector<TControl*> Selection();
  TInspectorContext Context();
  double BarcodeScale();
  void DrawRows();
  const TInspectorRow* CurrentRow() const;
  // Chooses and loads the editor of the current row from Control.
  TWinControl* LoadEditor(TControl* Control);
  void FillBandLinks();
  void PlaceEditor(TWinControl* Editor, bool Focus);

  // Editor and paint box events.
  void PaintBoxPaint(TObject* Sender);
  void PaintBoxMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void PaintBoxMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void PaintBoxMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void EditorKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void EditorKeyPress(TObject* Sender, char& Key);
  void StyleComboDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);

  // Applying, by editor (designinspectorapply.cpp).
  void ApplyToControl(TObject* Sender, TControl* Control, const TInspectorRow& Row, bool& BandsSwitched);
  void ApplyText(TControl* Control, const TInspectorRow& Row);
  void Rename(TControl* Control, const AnsiString& NewName);
  void ApplyInteger(TControl* Control, const TInspectorRow& Row, int Value);
  void ApplyDecimal(TControl* Control, const TInspectorRow& Row, double Value);
  void ApplyBoolean(TControl* Control, const TInspectorRow& Row, bool& BandsSwitched);
  void ApplyCombo(TComboBox* Combo, TControl* Control, const TInspectorRow& Row);
  void ApplyButton(TControl* Control, const TInspectorRow& Row);

  TInspectorHost* FHost;
  TWinControl* FPanel;
  TPaintBox* FPaintBox;
  TBitmap FBitmap;
  TPicture FImageBuffer;
  std::vector<TInspectorRow> FRows;
  int FActiveRow = 1;
  TWinControl* FActiveEditor = nullptr;
  AnsiString FTypedText;  // the text edit's text when applying began
  bool FDragging = false;
  int FDragY = 0;

  TEdit* FEdit = nullptr;
  TComboBox* FComboAlignment = nullptr;
  TVtBtnEdit* FBtnEdit = nullptr;
  TCurrencyEdit* FCEdit = nullptr;
  TCurrencyEdit* FCeInteger = nullptr;
  TComboBox* FComboBoolean = nullptr;
  TComboBox* FComboBrush = nullptr;
  TComboBox* FComboShape = nullptr;
  TComboBox* FComboPen = nullptr;
  TComboBox* FComboOrientation = nullptr;
  TComboBox* FComboPaperSize = nullptr;
  TComboBox* FComboSysData = nullptr;
  TComboBox* FComboClass = nullptr;
  TComboBox* FComboBarcode = nullptr;
};
