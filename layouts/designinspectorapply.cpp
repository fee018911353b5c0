// Applying an editor's value to the selected controls (TDesignInspector).
#include <optional>

#include "classlib/classes/strings.h"
#include "classlib/classes/typinfo.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/strutils.h"
#include "components/vtbtnedit.h"
#include "layouts/core/inspectorvalues.h"
#include "layouts/designinspector.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrmemo.h"
#include "reportengine/report/qrband.h"
#include "support/barcode/components/stbarcode.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"

namespace {

constexpr char TakenNameText[] = "Bu komponent ismi daha once verilmis";
constexpr char BadNameText[] = "Bu komponent ismi gecerli degil";

bool StartsWithText(const AnsiString& Text, const char* Prefix) {
  const std::string_view prefix(Prefix);
  return std::string_view(Text).substr(0, prefix.size()) == prefix;
}

// The place of a row's key on Control, when Control publishes it.
std::optional<TPropertyPlace> PlaceOf(TControl* Control, const AnsiString& Key) {
  TPropertyPlace place;
  if (!ResolvePath(Control, PathOfKey(Control, Key), place))
    return std::nullopt;
  return place;
}

void SetOrdinal(TControl* Control, const AnsiString& Key, std::int64_t Value) {
  if (auto place = PlaceOf(Control, Key))
    SetOrdProp(place->Owner, place->Name, Value);
}

bool IsPageMeasure(const AnsiString& Key) {
  return Key == "Page.Width" || Key == "Page.Length" || Key == "Page.BottomMargin" || Key == "Page.TopMargin" ||
         Key == "Page.LeftMargin" || Key == "Page.RightMargin" || Key == "Page.ColumnSpace";
}

bool IsBarcodePixel(const AnsiString& Key) {
  return Key == "Width" || Key == "Height" || Key == "Left" || Key == "Top" || Key == "GuardHeight";
}

}  // namespace

void TDesignInspector::PropEditorChange(TObject* Sender) {
  const std::vector<TControl*> selection = Selection();
  const TInspectorRow* current = CurrentRow();
  if (selection.empty() || current == nullptr)
    return;
  const TInspectorRow row = *current;
  // The value is read before anything touches the editor (making its
  // window can lay the panel out anew, which reloads the editor); a number
  // that does not convert changes nothing, and the editor shows the
  // control's value again.
  FTypedText = FEdit->Text();
  std::optional<double> number;
  if (Sender == FCEdit)
    number = ParseInspectorNumber(FCEdit->Text());
  else if (Sender == FCeInteger)
    number = ParseInspectorInteger(FCeInteger->Text());
  if ((Sender == FCEdit || Sender == FCeInteger) && !number) {
    LoadEditor(selection.front());
    return;
  }
  FHost->SetLayoutModified();
  if (Sender == FEdit || Sender == FCEdit || Sender == FCeInteger)
    static_cast<TCustomEdit*>(Sender)->SelectAll();
  bool bandsSwitched = false;
  for (TControl* control : selection) {
    if (Sender == FCeInteger)
      ApplyInteger(control, row, static_cast<int>(*number));
    else if (Sender == FCEdit)
      ApplyDecimal(control, row, *number);
    else
      ApplyToControl(Sender, control, row, bandsSwitched);
  }
  if (bandsSwitched)
    FHost->BandsChanged();
  FHost->UpdateSelection();
  // The rows show the values just written.
  if (!Selection().empty()) {
    DrawInspector();
    if (FPaintBox != nullptr)
      FPaintBox->Invalidate();
  }
}

void TDesignInspector::ApplyToControl(TObject* Sender, TControl* Control, const TInspectorRow& Row,
                                      bool& BandsSwitched) {
  if (Sender == FEdit)
    ApplyText(Control, Row);
  else if (Sender == FComboBoolean)
    ApplyBoolean(Control, Row, BandsSwitched);
  else if (Sender == FBtnEdit)
    ApplyButton(Control, Row);
  else if (auto* combo = dynamic_cast<TComboBox*>(Sender))
    ApplyCombo(combo, Control, Row);
}

void TDesignInspector::ApplyText(TControl* Control, const TInspectorRow& Row) {
  const AnsiString& text = FTypedText;
  if (Row.Key == "ComponentName") {
    Rename(Control, text);
    return;
  }
  if (Row.Key != "Caption" && Row.Key != "Mask" && Row.Key != "Expression" && Row.Key != "Code")
    return;
  if (IsPublishedProp(Control, Row.Key))
    SetStrProp(Control, Row.Key, text);
}

// A name the designer already uses, in any letter case, is refused before
// renaming, and so is a name that is no identifier; the control keeps its
// name and stays selected.
void TDesignInspector::Rename(TControl* Control, const AnsiString& NewName) {
  const AnsiString oldName = Control->Name();
  if (NewName == oldName)
    return;
  TComponent* scope = Control->Owner() != nullptr ? Control->Owner() : FHost->DesignRoot();
  const char* refusal = !IsValidIdent(NewName) ? BadNameText : nullptr;
  if (refusal == nullptr && !SameText(NewName, oldName) && scope != nullptr) {
    TComponent* holder = scope->FindComponent(NewName);
    if (holder != nullptr && holder != Control)
      refusal = TakenNameText;
  }
  if (refusal == nullptr) {
    try {
      Control->SetName(NewName);
    } catch (const Exception&) {
      // Any other failure of the rename: the old name stays, silently.
      FEdit->SetText(oldName);
      return;
    }
  }
  if (refusal != nullptr) {
    FEdit->SetText(oldName);
    FHost->ShowInfo(FHost->Translate(refusal));
    FHost->SelectComponent(Control);
    return;
  }
  FHost->ComponentRenamed(Control, oldName);
}

void TDesignInspector::ApplyInteger(TControl* Control, const TInspectorRow& Row, int Value) {
  const AnsiString& key = Row.Key;
  if (StartsWithText(key, "Frame.Draw")) {
    if (PropTypeName(Control, "Frame") == "tzrframe") {
      SetOrdinal(Control, key, Value);
      Control->Invalidate();
    }
    return;
  }
  if (key == "Width" || key == "Height" || key == "Left" || key == "Top") {
    if (!FHost->IsTextLayout() || !IsPublishedProp(Control, key))
      return;
    SetOrdProp(Control, key, Value);
    if ((key == "Width" || key == "Height") && dynamic_cast<TZReport*>(Control) != nullptr)
      FHost->SizeStageToPage();
    return;
  }
  if (key == "Karakter" || key == "Page.Columns" || key == "Pen.Width" || StartsWithText(key, "Frame")) {
    if (!FHost->IsTextLayout())
      SetOrdinal(Control, StartsWithText(key, "Frame") ? AnsiString("Frame.Width") : key, Value);
    return;
  }
  if (StartsWithText(key, "Page.") && PropTypeName(Control, "Margins") == "tzrmargins")
    SetOrdinal(Control, key, Value);
}

void TDesignInspector::ApplyDecimal(TControl* Control, const TInspectorRow& Row, double Value) {
  const AnsiString& key = Row.Key;
  if (key == "BarWidth" || key == "BarToSpaceRatio") {
    if (IsPublishedProp(Control, key))
      SetFloatProp(Control, key, Value);
  } else if (IsBarcodePixel(key)) {
    const std::optional<int> pixels = BarcodeMillimetresToPixels(Value, BarcodeScale());
    if (dynamic_cast<TStBarCode*>(Control) != nullptr && pixels && IsPublishedProp(Control, key))
      SetOrdProp(Control, key, *pixels);
  } else if (StartsWithText(key, "Size.")) {
    if (auto place = PlaceOf(Control, key))
      SetFloatProp(place->Owner, place->Name, Value);
  } else if (IsPageMeasure(key) && IsPublishedProp(Control, "Page")) {
    if (auto place = PlaceOf(Control, key))
      SetFloatProp(place->Owner, place->Name, Value);
    FHost->SizeStageToPage();
  }
}

void TDesignInspector::ApplyBoolean(TControl* Control, const TInspectorRow& Row, bool& BandsSwitched) {
  const int index = FComboBoolean->ItemIndex();
  if (index < 0)
    return;
  const AnsiString& key = Row.Key;
  if (StartsWithText(key, "Frame.Draw")) {
    if (PropTypeName(Control, "Frame") == "tqrframe")
      SetOrdinal(Control, key, index);
  } else if (StartsWithText(key, "Bands.")) {
    if (auto place = PlaceOf(Control, key)) {
      SetOrdProp(place->Owner, place->Name, index);
      BandsSwitched = true;
    }
  } else if (IsPublishedProp(Control, key)) {
    static constexpr const char* flags[] = {"Transparent", "WordWrap", "Center", "ResetAfterPrint", "AutoSize",
                                            "Stretch", "ShowCode", "ForceNewPage", "ParentFont", "HasController"};
    for (const char* flag : flags)
      if (key == flag) {
        SetOrdProp(Control, key, index);
        BandsSwitched = BandsSwitched || key == "HasController";
      }
  }
}

void TDesignInspector::ApplyCombo(TComboBox* Combo, TControl* Control, const TInspectorRow& Row) {
  const int index = Combo->ItemIndex();
  if (Combo == FComboClass) {
    if (!IsPublishedProp(Control, Row.Key))
      return;
    TComponent* root = FHost->DesignRoot();
    const AnsiString name = index >= 0 ? Trim(Combo->Items()->Strings(index)) : AnsiString();
    TComponent* target = root != nullptr ? root->FindComponent(name) : nullptr;
    try {
      SetObjectProp(Control, Row.Key, target);
    } catch (const Exception&) {
      // A component of another kind than the link takes: the link stays.
    }
    return;
  }
  if (index < 0)
    return;
  SetOrdinal(Control, Row.Key, index);
  if (Combo == FComboOrientation || Combo == FComboPaperSize)
    FHost->SizeStageToPage();
}

// The values the button edit hands over: a colour as its font's colour, a
// font as its font, lines as its hint, a picture in ImageBuffer.
void TDesignInspector::ApplyButton(TControl* Control, const TInspectorRow& Row) {
  const AnsiString& key = Row.Key;
  if (key == "Color" || key == "Frame.Color" || key == "Brush.Color" || key == "Pen.Color") {
    SetOrdinal(Control, key, FBtnEdit->Font()->Color());
  } else if (Row.Kind == "TStringList") {
    if (dynamic_cast<TQRMemo*>(Control) != nullptr) {
      TStringList lines;
      lines.SetText(FBtnEdit->Hint());
      SetObjectProp(Control, "Lines", &lines);
    }
  } else if (Row.Kind == "TFont") {
    if (dynamic_cast<TQRCustomLabel*>(Control) != nullptr || dynamic_cast<TQRCustomBand*>(Control) != nullptr ||
        dynamic_cast<TStBarCode*>(Control) != nullptr)
      Control->Font()->Assign(FBtnEdit->Font());
    if (auto* label = dynamic_cast<TZRCustomLabel*>(Control)) {
      const TFontStyles style = FBtnEdit->Font()->Style();
      TZRFontStyles styles;
      if (style.Contains(fsBold))
        styles.Include(zfsBold);
      if (style.Contains(fsItalic))
        styles.Include(zfsItalic);
      if (style.Contains(fsUnderline))
        styles.Include(zfsUnderline);
      label->SetFontStyles(styles);
    }
  } else if (Row.Kind == "TImage") {
    if (auto* image = dynamic_cast<TQRImage*>(Control))
      image->Picture()->Assign(&FImageBuffer);
  }
}
