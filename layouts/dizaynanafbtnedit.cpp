// The inspector's button (TDizaynAnaF::BtnEditBtnClick): the dialog of the
// current row's kind on the first selected control. Colours, fonts, lines
// and pictures are handed to the inspector through the button edit (its
// font's colour, its font, its hint, the picture buffer) and applied to the
// selection; the binding pickers write the binding hints themselves.
//
// A binding is written into each selected control's own hint, changing only
// the keys the picker sets, and each data text's reference comes from its
// own hint: copying the first control's whole hint into all would bind
// every selected text to the first one's field.
#include <memory>
#include <vector>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/application.h"
#include "classlib/graphics/colors.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/fileutils.h"
#include "components/vtbtnedit.h"
#include "layouts/core/bindinghints.h"
#include "layouts/core/pickerlists.h"
#include "layouts/databaseeditorf.h"
#include "layouts/designinspector.h"
#include "layouts/designinspectorrows.h"
#include "layouts/dizaynanaf.h"
#include "layouts/faturaayarf.h"
#include "layouts/parametreeditorf.h"
#include "layouts/printoptf.h"
#include "layouts/stringlisteditorf.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/report/quickrep.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"

namespace {

constexpr char ChooseTableFirstText[] = "Once veri tablosunu seciniz.";
constexpr char PictureUnreadableText[] = "Resim dosyasi okunamadi:";

template <class F>
struct FreeOnLeave {
  void operator()(F* Form) const { Form->Free(); }
};
template <class F>
using TOwnedDialog = std::unique_ptr<F, FreeOnLeave<F>>;

template <class F>
TOwnedDialog<F> NewDialog() {
  return TOwnedDialog<F>(NewForm<F>(Application));
}

// The data reference of a data-bound printable: DATASET "." DATAFIELD.
AnsiString DataReference(const TBindingHint& Hint) { return Hint.DataSet() + "." + Hint.DataField(); }

// A data text takes its own reference as DataField, a text label as text.
void BindDataReference(TControl* Control, const TBindingHint& Hint) {
  if (auto* text = dynamic_cast<TQRDBText*>(Control))
    text->SetDataField(DataReference(Hint));
  else if (dynamic_cast<TZRLabel*>(Control) != nullptr)
    Control->SetCaption(DataReference(Hint));
}

}  // namespace

// The nine kinds, on the designer's selection.
class TDesignerButtonCommand {
public:
  explicit TDesignerButtonCommand(TDizaynAnaF& Form) : F(Form), I(*Form.Inspector), Btn(*I.BtnEdit()) {
    for (int i = 0; i < std::max(F.DsnDpRegister1->SelectedCount(), 0); ++i)
      if (TControl* control = F.DsnDpRegister1->SelectedControl(i))
        Selection.push_back(control);
  }

  void Run(const AnsiString& Kind, const AnsiString& Key) {
    if (Selection.empty())
      return;
    S0 = Selection.front();
    if (Kind == "TColor")
      Colour(Key);
    else if (Kind == "TFont")
      Font();
    else if (Kind == "TImage")
      Picture();
    else if (Kind == "TDataSet")
      DataSetOrField(false);
    else if (Kind == "TDataField")
      DataSetOrField(true);
    else if (Kind == "TParameter")
      Parameter();
    else if (Kind == "TStringList")
      Lines();
    else if (Kind == "TFatura")
      Invoice();
    else if (Kind == "TPrintPage")
      PrintOption();
  }

private:
  void Apply() { I.PropEditorChange(&Btn); }
  bool HasHint() const { return IsPublishedProp(S0, "Hint"); }

  // The object a colour key names before its first "." (Frame, Brush,
  // Pen), else the control itself.
  void Colour(const AnsiString& Key) {
    TObject* holder = S0;
    const std::size_t dot = Key.find('.');
    if (dot != AnsiString::npos)
      holder = PublishedObject(S0, Key.substr(0, dot));
    if (holder != nullptr && IsPublishedProp(holder, "Color"))
      F.Cd->SetColor(static_cast<TColor>(GetOrdProp(holder, "Color")));
    if (F.Cd->Execute()) {
      Btn.Font()->SetColor(F.Cd->Color());
      Apply();
    }
    F.Cd->SetColor(clBtnFace);
  }

  void Font() {
    if (IsPublishedProp(S0, "Font")) {
      if (auto* font = dynamic_cast<TFont*>(GetObjectProp(S0, "Font")))
        F.Fd->Font()->Assign(font);
      RunFontDialog();
    }
    // A text label has only bold, italic and underline: the dialog starts
    // from exactly its styles.
    auto* label = dynamic_cast<TZRCustomLabel*>(S0);
    if (label == nullptr || !IsPublishedProp(S0, "FontStyles"))
      return;
    const TZRFontStyles styles = label->FontStyles();
    TFontStyles style;
    if (styles.Contains(zfsBold))
      style.Include(fsBold);
    if (styles.Contains(zfsItalic))
      style.Include(fsItalic);
    if (styles.Contains(zfsUnderline))
      style.Include(fsUnderline);
    F.Fd->Font()->SetStyle(style);
    RunFontDialog();
  }

  void RunFontDialog() {
    if (!F.Fd->Execute())
      return;
    Btn.Font()->Assign(F.Fd->Font());
    Apply();
  }

  // A file that cannot be read as a picture changes nothing.
  void Picture() {
    if (!F.Opp->Execute() || !FileExists(F.Opp->FileName()))
      return;
    try {
      I.ImageBuffer().LoadFromFile(F.Opp->FileName());
    } catch (const Exception&) {
      F.MesajBilgi(F._(PictureUnreadableText) + "\r\n" + F.Opp->FileName());
      return;
    }
    Apply();
  }

  void DataSetOrField(bool FieldPicker) {
    auto picker = NewDialog<TDatabaseEditorF>();
    if (F.Rapor != nullptr)
      picker->FieldList->Assign(F.Rapor->FieldList());
    TBindingHint first;
    ReadComponentHint(S0, first);
    picker->GrupAdi = first.GrupAdi();
    picker->TableAdi = first.DataSet();
    picker->FieldAdi = first.DataField();
    if (FieldPicker) {
      picker->ShowFieldsOnly();
      if (picker->TableAdi.empty()) {
        F.MesajBilgi(F._(ChooseTableFirstText));
        return;
      }
    } else {
      picker->ShowTablesOnly();
    }
    picker->ShowModal();
    if (!picker->Secildi || !HasHint())
      return;
    for (TControl* control : Selection) {
      TBindingHint hint;
      if (!ReadComponentHint(control, hint))
        continue;
      const bool tableChanged = hint.DataSet() != picker->TableAdi;
      hint.SetValue(HintDataSet, picker->TableAdi);
      if (FieldPicker)
        hint.SetValue(HintDataField, picker->FieldAdi);
      else if (tableChanged)
        hint.SetValue(HintDataField, "");
      hint.SetValue(HintGrupAdi, picker->GrupAdi);
      WriteComponentHint(control, hint);
      BindDataReference(control, hint);
    }
    Btn.SetText(FieldPicker ? picker->FieldAdi : picker->TableAdi);
    LayoutModified = true;
  }

  void Parameter() {
    auto picker = NewDialog<TParametreEditorF>();
    if (F.Rapor != nullptr)
      picker->ParametreList->Assign(F.Rapor->ParametreList());
    TBindingHint first;
    if (ReadComponentHint(S0, first))
      picker->Parametre = first.Parametre();
    picker->ShowModal();
    if (!picker->Secildi || !HasHint())
      return;
    for (TControl* control : Selection) {
      TBindingHint hint;
      if (!ReadComponentHint(control, hint))
        continue;
      hint.SetValue(HintParametre, picker->Parametre);
      WriteComponentHint(control, hint);
    }
    Btn.SetText(picker->Parametre);
    LayoutModified = true;
  }

  void Lines() {
    auto editor = NewDialog<TStringListEditorF>();
    if (auto* lines = dynamic_cast<TStrings*>(IsPublishedProp(S0, "Lines") ? GetObjectProp(S0, "Lines") : nullptr))
      editor->LinesText = lines->Text();
    if (editor->ShowModal() != mrOk)
      return;
    Btn.SetHint(editor->LinesText);
    Apply();
  }

  // The invoice keys the dialog sets reach the page's hint only where it
  // already has them.
  void Invoice() {
    auto dialog = NewDialog<TFaturaAyarF>();
    dialog->QuickRep = dynamic_cast<TQuickRep*>(S0);
    dialog->ZReport = dynamic_cast<TZReport*>(S0);
    if (dialog->QuickRep == nullptr && dialog->ZReport == nullptr) {
      dialog->QuickRep = F.CurrentQuickRep;
      dialog->ZReport = F.IsZReport() ? F.CurrentZReport : nullptr;
    }
    if (F.FormOpenHook)
      F.FormOpenHook(dialog.get());
    if (dialog->ShowModal() != mrOk)
      return;
    TBindingHint hint;
    if (ReadComponentHint(S0, hint))
      WriteComponentHint(S0, TBindingHint(MergeKnownHintLines(hint.Text(), dialog->ResultHint)));
    F.FitStageToPage(F.IsZReport() ? static_cast<TControl*>(F.CurrentZReport) : F.CurrentQuickRep);
    LayoutModified = true;
  }

  // The dialog writes the chosen option into each selected control's own
  // hint, leaving its other lines alone.
  void PrintOption() {
    auto dialog = NewDialog<TPrintOptF>();
    dialog->Selection.assign(Selection.begin(), Selection.end());
    if (dialog->ShowModal() != mrOk)
      return;
    LayoutModified = true;
  }

  TDizaynAnaF& F;
  TDesignInspector& I;
  TVtBtnEdit& Btn;
  std::vector<TControl*> Selection;
  TControl* S0 = nullptr;
};

void TDizaynAnaF::BtnEditBtnClick(TObject*) {
  const std::vector<TInspectorRow>& rows = Inspector->InspectorRows();
  const int row = Inspector->ActiveRow();
  if (row < 1 || row > static_cast<int>(rows.size()))
    return;
  TDesignerButtonCommand(*this).Run(rows[row - 1].Kind, rows[row - 1].Key);
}

void TDizaynAnaF::BtnEditKindClick(const AnsiString& Kind) {
  const std::vector<TInspectorRow>& rows = Inspector->InspectorRows();
  AnsiString key;
  for (const TInspectorRow& row : rows)
    if (row.Kind == Kind) {
      key = row.Key;
      break;
    }
  TDesignerButtonCommand(*this).Run(Kind, key);
}
