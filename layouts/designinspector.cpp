#include "layouts/designinspector.h"

#include <cstdlib>

#include "classlib/classes/typinfo.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/graphics/colors.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/stdctrls/paintbox.h"
#include "components/vtbtnedit.h"
#include "layouts/core/bindinghints.h"
#include "layouts/core/inspectorvalues.h"
#include "reportengine/printer/qrpapers.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"

IMPLEMENT_CLASS(TDesignInspector)

namespace {

constexpr char InspectorFontName[] = "Tahoma";
constexpr int BrushStyleCount = 8;  // bsSolid .. bsDiagCross
constexpr int PenStyleCount = 7;    // psSolid .. psInsideFrame

template <std::size_t N>
void AddItems(TComboBox* Combo, const std::array<const char*, N>& Items) {
  for (const char* item : Items)
    Combo->Items()->Add(item);
}

bool IsBarcodePixelKey(const AnsiString& Key) {
  return Key == "Width" || Key == "Height" || Key == "Left" || Key == "Top" || Key == "GuardHeight";
}

}  // namespace

TDesignInspector::TDesignInspector(TComponent* AOwner, TInspectorHost* Host, TWinControl* Panel,
                                   TPaintBox* PaintBox)
    : TComponent(AOwner), FHost(Host), FPanel(Panel), FPaintBox(PaintBox) {
  FPaintBox->FreeNotification(this);
  FPaintBox->OnPaint = Method<&TDesignInspector::PaintBoxPaint>(this);
  FPaintBox->OnMouseDown = Method<&TDesignInspector::PaintBoxMouseDown>(this);
  FPaintBox->OnMouseMove = Method<&TDesignInspector::PaintBoxMouseMove>(this);
  FPaintBox->OnMouseUp = Method<&TDesignInspector::PaintBoxMouseUp>(this);
  CreateEditors();
}

TDesignInspector::~TDesignInspector() {
  if (FPaintBox != nullptr) {
    FPaintBox->OnPaint = TNotifyEvent();
    FPaintBox->OnMouseDown = TMouseEvent();
    FPaintBox->OnMouseMove = TMouseMoveEvent();
    FPaintBox->OnMouseUp = TMouseEvent();
  }
}

void TDesignInspector::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPaintBox)
    FPaintBox = nullptr;
  if (Operation == opRemove && AComponent == FActiveEditor)
    FActiveEditor = nullptr;
}

// ---- Editors ------------------------------------------------------------------------------

template <class E>
E* TDesignInspector::NewEditor(const char* Name) {
  auto* editor = new E(this);
  editor->SetName(Name);
  editor->SetVisible(false);
  editor->SetParent(FPanel);
  editor->OnKeyDown = Method<&TDesignInspector::EditorKeyDown>(this);
  return editor;
}

TComboBox* TDesignInspector::NewCombo(const char* Name) {
  auto* combo = NewEditor<TComboBox>(Name);
  combo->SetStyle(csDropDownList);
  combo->SetDropDownCount(16);
  combo->OnChange = Method<&TDesignInspector::PropEditorChange>(this);
  return combo;
}

void TDesignInspector::CreateEditors() {
  FEdit = NewEditor<TEdit>("Edit");
  FEdit->OnKeyPress = Method<&TDesignInspector::EditorKeyPress>(this);
  FComboAlignment = NewCombo("ComboAlignment");
  AddItems(FComboAlignment, AlignmentItems);
  FBtnEdit = NewEditor<TVtBtnEdit>("BtnEdit");
  FBtnEdit->SetReadOnly(true);
  // Its button runs the dialogs of the row's kind; the designer connects it.
  FCEdit = NewEditor<TCurrencyEdit>("CEdit");
  FCEdit->SetDecimalPlaces(4);
  FCEdit->SetDisplayFormat(InspectorDecimalFormat);
  FCEdit->SetZeroEmpty(false);
  FCEdit->OnKeyPress = Method<&TDesignInspector::EditorKeyPress>(this);
  FCeInteger = NewEditor<TCurrencyEdit>("CeInteger");
  FCeInteger->SetDecimalPlaces(0);
  FCeInteger->SetDisplayFormat(InspectorIntegerFormat);
  FCeInteger->SetZeroEmpty(false);
  FCeInteger->OnKeyPress = Method<&TDesignInspector::EditorKeyPress>(this);
  FComboBoolean = NewCombo("ComboBoolean");
  AddItems(FComboBoolean, BooleanItems);
  FComboBrush = NewCombo("ComboBrush");
  FComboPen = NewCombo("ComboPen");
  for (TComboBox* combo : {FComboBrush, FComboPen}) {
    combo->SetStyle(csOwnerDrawFixed);
    combo->OnDrawItem = Method<&TDesignInspector::StyleComboDrawItem>(this);
  }
  PTypeInfo brushStyles = dozuri::TypeInfoOf<TBrushStyle>();
  for (int i = 0; i < BrushStyleCount; ++i)
    FComboBrush->Items()->Add(GetEnumName(brushStyles, i));
  PTypeInfo penStyles = dozuri::TypeInfoOf<TPenStyle>();
  for (int i = 0; i < PenStyleCount; ++i)
    FComboPen->Items()->Add(GetEnumName(penStyles, i));
  FComboShape = NewCombo("ComboShape");
  AddItems(FComboShape, ShapeItems);
  FComboOrientation = NewCombo("ComboOrientation");
  AddItems(FComboOrientation, OrientationItems);
  FComboPaperSize = NewCombo("ComboPaperSize");
  PTypeInfo papers = dozuri::TypeInfoOf<TQRPaperSize>();
  for (int i = 0; i < QRPaperSizeCount; ++i)
    FComboPaperSize->Items()->Add(GetEnumName(papers, i));
  FComboSysData = NewCombo("ComboSysData");
  AddItems(FComboSysData, SysDataItems);
  FComboClass = NewCombo("ComboClass");
  FComboBarcode = NewCombo("ComboBarcode");
  AddItems(FComboBarcode, BarcodeTypeItems);
}

void TDesignInspector::ForgetEditor() {
  if (FActiveEditor != nullptr)
    FActiveEditor->Hide();
  FActiveEditor = nullptr;
}

// A picture of each brush or pen style beside nothing else: a filled box
// for a brush, a line across for a pen.
void TDesignInspector::StyleComboDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State) {
  auto* combo = static_cast<TComboBox*>(Control);
  TCanvas& canvas = *combo->Canvas();
  canvas.FillRect(Rect);
  const TColor ink = State.Contains(odSelected) ? clHighlightText : clWindowText;
  const RECT inner{Rect.left + 3, Rect.top + 2, Rect.right - 3, Rect.bottom - 2};
  if (combo == FComboBrush) {
    canvas.Pen().SetColor(ink);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetColor(ink);
    canvas.Brush().SetStyle(static_cast<TBrushStyle>(Index));
    SetBkColor(canvas.Handle(), ColorToRGB(State.Contains(odSelected) ? clHighlight : clWindow));
    canvas.Rectangle(inner);
  } else {
    canvas.Pen().SetColor(ink);
    canvas.Pen().SetStyle(static_cast<TPenStyle>(Index));
    canvas.Brush().SetStyle(bsClear);
    const int y = (inner.top + inner.bottom) / 2;
    canvas.MoveTo(inner.left, y);
    canvas.LineTo(inner.right, y);
  }
}

// ---- Rows ---------------------------------------------------------------------------------

std::vector<TControl*> TDesignInspector::Selection() {
  std::vector<TControl*> selection;
  const int count = FHost->SelectedCount();
  for (int i = 0; i < count; ++i)
    if (TControl* control = FHost->SelectedControl(i))
      selection.push_back(control);
  return selection;
}

bool TDesignInspector::CommonProps(const AnsiString& Name) { return ::CommonProps(Selection(), Name); }

double TDesignInspector::BarcodeScale() {
  TQuickRep* page = FHost->CurrentGraphicPage();
  if (page == nullptr)
    return 0;
  return PagePixelsPerMillimetre(page->Height(), static_cast<double>(page->Page()->Length()));
}

TInspectorContext TDesignInspector::Context() {
  TInspectorContext context;
  context.Selection = Selection();
  context.TextLayout = FHost->IsTextLayout();
  context.InvoiceLayout = FHost->IsInvoiceLayout();
  context.BarcodePixelsPerMm = BarcodeScale();
  context.TextYes = TextYes;
  context.TextNo = TextNo;
  context.Translate = [this](const AnsiString& Text) { return FHost->Translate(Text); };
  return context;
}

void TDesignInspector::DrawInspector() {
  FRows = BuildInspectorRows(Context());
  DrawRows();
}

void TDesignInspector::DrawRows() {
  const int width = FPaintBox != nullptr ? std::max(FPaintBox->Width(), 1) : 1;
  const int height = FPaintBox != nullptr ? std::max(FPaintBox->Height(), 1) : 1;
  FBitmap.SetSize(width, height);
  TCanvas& canvas = FBitmap.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(RECT{0, 0, width, height});
  canvas.Font().SetName(InspectorFontName);
  canvas.Font().SetColor(clWindowText);
  canvas.Brush().SetStyle(bsClear);
  for (int i = 0; i < RowCount(); ++i) {
    const int top = i * InspectorRowHeight;
    const int bottom = top + InspectorRowHeight - 1;
    canvas.TextOut(InspectorCaptionX, top + InspectorTextDown, FRows[i].Caption);
    canvas.TextOut(InspectorValueX, top + InspectorTextDown, FRows[i].Value);
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(0, bottom);
    canvas.LineTo(width, bottom);
    canvas.MoveTo(InspectorValueLeft, top);
    canvas.LineTo(InspectorValueLeft, bottom);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(InspectorValueLeft + 1, top);
    canvas.LineTo(InspectorValueLeft + 1, bottom);
  }
}

const TInspectorRow* TDesignInspector::CurrentRow() const {
  return FActiveRow >= 1 && FActiveRow <= RowCount() ? &FRows[FActiveRow - 1] : nullptr;
}

void TDesignInspector::SelectRow(int Row) {
  const std::vector<TControl*> selection = Selection();
  if (selection.empty())
    return;
  DrawInspector();
  const bool rowChanged = Row != FActiveRow;
  FActiveRow = std::max(std::min(Row, RowCount()), 1);
  ForgetEditor();
  if (TWinControl* editor = LoadEditor(selection.front())) {
    FActiveEditor = editor;
    PlaceEditor(editor, rowChanged);
  }
  if (FPaintBox != nullptr)
    FPaintBox->Invalidate();
}

TWinControl* TDesignInspector::LoadEditor(TControl* Control) {
  const TInspectorRow* row = CurrentRow();
  if (row == nullptr)
    return nullptr;
  TPropertyPlace place;
  const bool known = ResolvePath(Control, PathOfKey(Control, row->Key), place);
  const auto ordinal = [&]() -> int { return known ? static_cast<int>(GetOrdProp(place.Owner, place.Name)) : -1; };
  const auto setCombo = [&](TComboBox* combo, int index) -> TWinControl* {
    combo->SetItemIndex(index >= 0 && index < combo->Items()->Count() ? index : -1);
    return combo;
  };
  switch (EditorOfKind(row->Kind)) {
    case TInspectorEditor::Button: {
      const TBindingHint hint(Control->Hint());
      FBtnEdit->SetText(row->Kind == "TDataSet"     ? hint.DataSet()
                        : row->Kind == "TDataField" ? hint.DataField()
                                                    : FHost->Translate(ButtonTextOfKind(row->Kind)));
      return FBtnEdit;
    }
    case TInspectorEditor::Text:
      FEdit->SetText(known ? GetStrProp(place.Owner, place.Name) : AnsiString());
      return FEdit;
    case TInspectorEditor::Decimal: {
      double value = known && GetPropInfo(place.Owner, place.Name)->Kind() == tkFloat
                         ? static_cast<double>(GetFloatProp(place.Owner, place.Name))
                         : 0;
      if (known && dynamic_cast<TStBarCode*>(Control) != nullptr && IsBarcodePixelKey(row->Key))
        value = BarcodePixelsToMillimetres(ordinal(), BarcodeScale());
      FCEdit->SetValue(value);
      return FCEdit;
    }
    case TInspectorEditor::Integer:
      FCeInteger->SetValue(known ? ordinal() : 0);
      return FCeInteger;
    case TInspectorEditor::Boolean: return setCombo(FComboBoolean, known ? (ordinal() == 1 ? 1 : 0) : -1);
    case TInspectorEditor::Alignment: return setCombo(FComboAlignment, ordinal());
    case TInspectorEditor::Brush: return setCombo(FComboBrush, ordinal());
    case TInspectorEditor::Pen: return setCombo(FComboPen, ordinal());
    case TInspectorEditor::Shape: return setCombo(FComboShape, ordinal());
    case TInspectorEditor::Orientation: return setCombo(FComboOrientation, ordinal());
    case TInspectorEditor::PaperSize: return setCombo(FComboPaperSize, ordinal());
    case TInspectorEditor::SysData: return setCombo(FComboSysData, ordinal());
    case TInspectorEditor::BarcodeType: return setCombo(FComboBarcode, ordinal());
    case TInspectorEditor::BandLink: {
      FillBandLinks();
      auto* linked = known ? dynamic_cast<TComponent*>(GetObjectProp(place.Owner, place.Name)) : nullptr;
      return setCombo(FComboClass, linked != nullptr ? FComboClass->Items()->IndexOf(linked->Name()) : -1);
    }
    case TInspectorEditor::None: break;
  }
  return nullptr;
}

// " ", then the current graphic page and its bands (not the palette's
// prototypes), in the designer's component order.
void TDesignInspector::FillBandLinks() {
  TStrings* items = FComboClass->Items();
  items->Clear();
  items->Add(" ");
  TQuickRep* page = FHost->CurrentGraphicPage();
  TComponent* root = FHost->DesignRoot();
  if (page == nullptr || root == nullptr)
    return;
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent* c = root->Components(i);
    auto* band = dynamic_cast<TQRCustomBand*>(c);
    if (c == page || (band != nullptr && band->Tag() != PrototypeTag && band->Parent() == page))
      items->Add(c->Name());
  }
}

void TDesignInspector::PlaceEditor(TWinControl* Editor, bool Focus) {
  const int top = (FPaintBox != nullptr ? FPaintBox->Top() : 0) + (FActiveRow - 1) * InspectorRowHeight;
  const int width = (FPaintBox != nullptr ? FPaintBox->Width() : InspectorEditorLeft) - InspectorEditorLeft;
  Editor->SetBounds(InspectorEditorLeft, top, std::max(width, 0), InspectorRowHeight);
  Editor->Show();
  if (Focus && Editor->CanFocus())
    Editor->SetFocus();
}

// ---- Paint box and keys -----------------------------------------------------------------

void TDesignInspector::PaintBoxPaint(TObject*) {
  if (FPaintBox != nullptr)
    FPaintBox->Canvas()->Draw(0, 0, FBitmap);
}

void TDesignInspector::PaintBoxMouseDown(TObject*, TMouseButton, TShiftState, int, int Y) {
  FDragging = true;
  FDragY = Y;
  SelectRow(Y / InspectorRowHeight + 1);
}

void TDesignInspector::PaintBoxMouseMove(TObject*, TShiftState, int, int Y) {
  if (!FDragging || std::abs(Y - FDragY) < InspectorDragStep)
    return;
  FDragY = Y;
  SelectRow(Y / InspectorRowHeight + 1);
}

void TDesignInspector::PaintBoxMouseUp(TObject*, TMouseButton, TShiftState, int, int) { FDragging = false; }

void TDesignInspector::EditorKeyDown(TObject* Sender, WORD& Key, TShiftState) {
  if (Key == VK_UP || Key == VK_DOWN) {
    const int row = FActiveRow + (Key == VK_UP ? -1 : 1);
    Key = 0;
    if (row >= 1 && row <= RowCount())
      SelectRow(row);
  } else if (Key == VK_RETURN && (Sender == FEdit || Sender == FCEdit || Sender == FCeInteger)) {
    Key = 0;
    PropEditorChange(Sender);
  }
}

// Enter has been handled at its key-down: no beep, no line break.
void TDesignInspector::EditorKeyPress(TObject*, char& Key) {
  if (Key == '\r')
    Key = 0;
}
