#include "textreport/engine/zrctrls.h"

#include <algorithm>

#include "classlib/classes/typinfo.h"
#include "classlib/system/datetime.h"
#include "classlib/system/format.h"
#include "classlib/system/numconv.h"
#include "textreport/core/zrescapetext.h"
#include "textreport/core/zrutils.h"
#include "textreport/engine/zrbands.h"
#include "textreport/engine/zrvariables.h"

namespace {

bool Loading(const TComponent& c) { return c.ComponentState().Contains(csLoading); }
bool BeingDestroyed(const TComponent& c) { return c.ComponentState().Contains(csDestroying); }

bool AlignsRight(TZRAlignmentWidth X) { return X == zawRight || X == zawBandRight; }
bool AlignsCentre(TZRAlignmentWidth X) { return X == zawCenter || X == zawBandCenter; }

// The run a system or total label reads, when its report is one.
IZReport* RunOf(const TZReportControl& Control) { return dynamic_cast<IZReport*>(Control.Report()); }

}  // namespace

// ---- TZRAlignment -------------------------------------------------------------------------
BEGIN_PUBLISHED(TZRAlignment)
  PROPERTY(X, X, SetX).Default(zawLeft),
  PROPERTY(Y, Y, SetY).Default(zahTop),
END_PUBLISHED

void TZRAlignment::SetX(TZRAlignmentWidth Value) {
  FX = Value;
  Changed();
}

void TZRAlignment::SetY(TZRAlignmentHeight Value) {
  FY = Value;
  Changed();
}

void TZRAlignment::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TZRAlignment*>(Source)) {
    FX = other->FX;
    FY = other->FY;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TZRAlignment::Changed() {
  if (FLabel != nullptr)
    FLabel->Changed();
}

// ---- TZRCustomLabel -----------------------------------------------------------------------
BEGIN_PUBLISHED(TZRCustomLabel)
  PROPERTY(Align, Align, SetAlign).Default(zalNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Frame, Frame, SetFrame),
  PROPERTY(FontStyles, FontStyles, SetFontStyles).Default(TZRFontStyles{}),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
END_PUBLISHED

TZRCustomLabel::TZRCustomLabel(TComponent* AOwner)
    : TZReportControl(AOwner), FAlignment(std::make_unique<TZRAlignment>(this)) {}

TZRCustomLabel::~TZRCustomLabel() {
  if (FVariable != nullptr)
    FVariable->RemoveFreeNotification(this);
}

void TZRCustomLabel::Changed() {
  ApplyPixelBounds();
  Invalidate();
}

void TZRCustomLabel::SetAutoSize(TZAutoSize Value) {
  FAutoSize = Value;
  Changed();
}

void TZRCustomLabel::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Changed();
}

void TZRCustomLabel::SetVariable(TZRVariable* Value) {
  if (FVariable == Value)
    return;
  if (FVariable != nullptr)
    FVariable->RemoveFreeNotification(this);
  FVariable = Value;
  if (FVariable != nullptr)
    FVariable->FreeNotification(this);
  if (!BeingDestroyed(*this))
    Changed();
}

void TZRCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TZReportControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FVariable) {
    FVariable = nullptr;
    if (!BeingDestroyed(*this))
      Changed();
  }
}

void TZRCustomLabel::CMTextChanged(TMessage& Message) {
  TZReportControl::CMTextChanged(Message);
  Changed();
}

void TZRCustomLabel::GetLabelText(AnsiString& Text) {
  if (FVariable != nullptr)
    FVariable->GetFormattedText(Text);
  else
    Text = Caption();
}

AnsiString TZRCustomLabel::LabelText() {
  AnsiString text;
  GetLabelText(text);
  return text;
}

// Word wrapping goes paragraph by paragraph, so a line break in the text
// always starts a new line (an empty paragraph stays an empty line), and
// measures the characters that print: an escape code takes no room, and a
// line carries the styles in force where it starts and closes them where
// it ends.
void TZRCustomLabel::BuildLines(int W) {
  const AnsiString text = LabelText();
  if (!FWordWrap || W <= 0) {
    FLines.SetText(text);
    return;
  }
  TStringList paragraphs;
  paragraphs.SetText(text);
  FLines.Clear();
  for (int i = 0; i < paragraphs.Count(); ++i) {
    const AnsiString paragraph = paragraphs.Strings(i);
    TStringList wrapped;
    wrapped.SetText(WrapText(StripEscapes(paragraph), W));
    if (wrapped.Count() == 0) {
      FLines.Add("");
      continue;
    }
    // WrapText keeps the characters of each line as they stand and drops
    // only the spaces between lines: find each line again, counting
    // printing characters.
    const AnsiString visible = StripEscapes(paragraph);
    size_t from = 0;
    for (int j = 0; j < wrapped.Count(); ++j) {
      const AnsiString line = wrapped.Strings(j);
      from = visible.find(line, from);
      if (from == AnsiString::npos)
        break;
      FLines.Add(VisibleCopy(paragraph, static_cast<int>(from) + 1, static_cast<int>(line.size())));
      from += line.size();
    }
  }
}

TZRCustomController* TZRCustomLabel::LabelController() const {
  if (auto* controller = dynamic_cast<TZRCustomController*>(ParentControl()))
    return controller;
  if (auto* band = dynamic_cast<TZRCustomBand*>(ParentControl()))
    return band->Controller();
  return nullptr;
}

TZREscapeStyles TZRCustomLabel::PrintStyles() const {
  TZREscapeStyles styles;
  // The options of the running document: those of the report, or of the
  // composite that prints it, as the print setup left them.
  const TZReportOptions* options = nullptr;
  if (TZRPrinter* document = Document())
    options = &document->Options();
  else if (IZReport* run = RunOf(*this))
    options = run->FetchOptions();
  if (options != nullptr && options->IgnoreStyles())
    return styles;
  static constexpr std::pair<TZRFontStyle, TZREscapeStyle> kStyles[] = {
      {zfsBold, zesBold}, {zfsItalic, zesItalic}, {zfsUnderline, zesUnderline},
      {zfsSuperScript, zesSuperScript}, {zfsSubScript, zesSubScript}};
  for (const auto& [font, escape] : kStyles)
    if (FontStyles().Contains(font))
      styles = styles + TZREscapeStyles{escape};
  return styles;
}

// The label's size follows its text, and band alignment places it in its
// band. Lengths count the characters that print, so escape codes in a
// caption take no room.
void TZRCustomLabel::FormatContent() {
  TZReportControl::FormatContent();
  if (BeingDestroyed(*this))
    return;
  TZReportControl* parent = ParentControl();
  const TZRAlignmentWidth x = FAlignment->X();
  int w = Width();
  if (FAutoSize == zasWidth && parent != nullptr) {
    w = parent->ClientWidthChars();
    if (Align() == zalNone && !AlignsRight(x) && !AlignsCentre(x))
      w -= Left();
  }
  BuildLines(w - Frame()->Width());
  if (FAutoSize == zasWidth) {
    int longest = 0;
    for (int i = 0; i < FLines.Count(); ++i)
      longest = std::max(longest, VisibleLength(FLines.Strings(i)));
    const int m = longest + Frame()->Width();
    int shift = 0;
    if (AlignsRight(x))
      shift = m - Width();
    else if (AlignsCentre(x))
      shift = (m - Width()) / 2;
    SetWidth(m);
    SetLeft(Left() - shift);
  }
  if (FAutoSize != zasNone)
    SetHeight(Frame()->Height() + FLines.Count());
  if (parent == nullptr)
    return;
  switch (x) {
    case zawBandLeft: SetLeft(parent->Frame()->Left()); break;
    case zawBandRight: SetLeft(parent->ClientWidthChars() - Width()); break;
    case zawBandCenter: SetLeft((parent->ClientWidthChars() - Width()) / 2); break;
    default: break;
  }
  switch (FAlignment->Y()) {
    case zahBandTop: SetTop(parent->Frame()->Top()); break;
    case zahBandBottom: SetTop(parent->ClientHeightChars() - Height()); break;
    case zahBandCenter: SetTop((parent->ClientHeightChars() - Height()) / 2); break;
    default: break;
  }
}

void TZRCustomLabel::AlignContent() {
  // A sized label stretches a band that may grow so that all of it shows.
  auto* band = dynamic_cast<TZRCustomBand*>(ParentControl());
  if (Printing() && FAutoSize != zasNone && band != nullptr && band->Stretch()) {
    const int bottom = Top() + Height() - 1;
    if (bottom >= band->Height() - band->Frame()->Bottom())
      band->SetHeight(bottom + band->Frame()->Bottom() + 1);
  }
  TZReportControl::AlignContent();
  const int width = ClientWidthChars();
  BuildLines(width);
  const TZRAlignmentWidth x = FAlignment->X();
  if (AlignsRight(x) || AlignsCentre(x))
    for (int i = 0; i < FLines.Count(); ++i) {
      const AnsiString line = FLines.Strings(i);
      const int room = width - VisibleLength(line);
      if (room <= 0)
        continue;
      const int before = AlignsRight(x) ? room : room / 2;
      FLines.SetStrings(i, Spaces(before) + line + Spaces(room - before));
    }
  const int free = ClientHeightChars() - FLines.Count();
  int above = 0;
  switch (FAlignment->Y()) {
    case zahBottom:
    case zahBandBottom: above = free; break;
    case zahCenter:
    case zahBandCenter: above = free / 2; break;
    default: break;
  }
  for (int i = 0; i < above; ++i)
    FLines.Insert(0, "");
}

// The lines are cut to what shows inside the parent: the label's client
// area, no further than the parent's client area (the parent's own size,
// whatever its position on the page). A line is cut by the characters that
// print, so a style switched on inside it is switched off at the cut.
void TZRCustomLabel::Print(int X, int Y) {
  TZRPrinter* document = Document();
  if (document != nullptr) {
    int w = ClientWidthChars();
    int h = ClientHeightChars();
    if (const TZReportControl* parent = ParentControl()) {
      w = std::min(w, parent->Width() - parent->Frame()->Right() - Left() - Frame()->Left());
      h = std::min(h, parent->Height() - parent->Frame()->Bottom() - Top() - Frame()->Top());
    }
    const TZREscapeStyles styles = PrintStyles();
    const int column = X + Left() + Frame()->Left();
    const int line = Y + Top() + Frame()->Top();
    for (int i = 0; w > 0 && i < FLines.Count() && i < h; ++i) {
      const AnsiString text = VisibleCopy(FLines.Strings(i), 1, w);
      document->WriteText(column, line + i, StyleWrap(text, TZREscapeSet{}, styles));
    }
  }
  TZReportControl::Print(X, Y);
}

void TZRCustomLabel::PaintDesign() {
  TZReportControl::PaintDesign();
  const TZRCharMetrics cell = GetCharMetrics();
  const TRect client = ClientRect();
  RECT inner{client.left + Frame()->Left() * cell.Width, client.top + Frame()->Top() * cell.Height,
             client.right - Frame()->Right() * cell.Width, client.bottom - Frame()->Bottom() * cell.Height};
  TCanvas& canvas = *Canvas();
  canvas.Brush().SetStyle(bsClear);
  for (int i = 0; i < FLines.Count(); ++i)
    canvas.TextRect(inner, inner.left, inner.top + i * cell.Height, FLines.Strings(i));
}

// ---- TZRLabel -----------------------------------------------------------------------------
BEGIN_PUBLISHED(TZRLabel)
  PROPERTY(Alignment, Alignment, SetAlignment),
  PROPERTY(AutoSize, AutoSize, SetAutoSize).Default(zasNone),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Variable, Variable, SetVariable),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(false),
  PROPERTY(BeforePrint, BeforePrint, BeforePrint),
  PROPERTY(AfterPrint, AfterPrint, AfterPrint),
END_PUBLISHED

// ---- TZRSystemLabel -----------------------------------------------------------------------
BEGIN_PUBLISHED(TZRSystemLabel)
  PROPERTY(Alignment, Alignment, SetAlignment),
  PROPERTY(AutoSize, AutoSize, SetAutoSize).Default(zasNone),
  PROPERTY(DataKind, DataKind, SetDataKind).Default(zsdDateTime),
  PROPERTY(Text, Text, SetText),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(false),
  PROPERTY(BeforePrint, BeforePrint, BeforePrint),
  PROPERTY(AfterPrint, AfterPrint, AfterPrint),
END_PUBLISHED

// The design view names the value a label stands for. The record total and
// the running record number each show their own name.
const char* SystemDataDesignText(TZRSystemData Kind) {
  switch (Kind) {
    case zsdTime: return "hh:mm:ss";
    case zsdDate: return "dd/mm/yyyy";
    case zsdDateTime: return "dd/mm/yyyy hh:mm:ss";
    case zsdPageNumber: return "Page";
    case zsdReportTitle: return "Title";
    case zsdRecordCount: return "Count";
    case zsdRecordNumber: return "No.";
  }
  return "";
}

void TZRSystemLabel::SetDataKind(TZRSystemData Value) {
  FDataKind = Value;
  Changed();
}

void TZRSystemLabel::SetText(const AnsiString& Value) {
  FText = Value;
  Changed();
}

void TZRSystemLabel::GetLabelText(AnsiString& Text) {
  IZReport* run = RunOf(*this);
  if (!Printing() && (run == nullptr || !run->IsRunning())) {
    Text = FText + "(" + SystemDataDesignText(FDataKind) + ")";
    return;
  }
  AnsiString value;
  const TZRCustomController* controller = LabelController();
  switch (FDataKind) {
    case zsdTime: value = FormatDateTime("t", Now()); break;
    case zsdDate: value = FormatDateTime("c", Date()); break;
    case zsdDateTime: value = FormatDateTime("c", Now()); break;
    case zsdPageNumber: value = IntToStr(Document() != nullptr ? Document()->PageCount() : 0); break;
    case zsdReportTitle: value = run != nullptr ? run->FetchTitle() : AnsiString(); break;
    case zsdRecordCount: value = IntToStr(controller != nullptr ? controller->RecordTotal() : 0); break;
    case zsdRecordNumber: value = IntToStr(controller != nullptr ? controller->RecordNumber : 0); break;
  }
  Text = FText + value;
}

// A band is laid out before the run knows whether it still fits on the
// page; one that moves to the next page takes its page number there.
void TZRSystemLabel::Print(int X, int Y) {
  if (FDataKind == zsdPageNumber)
    UpdateLayout();
  TZRCustomLabel::Print(X, Y);
}

// ---- TZRTotalLabel ------------------------------------------------------------------------
BEGIN_PUBLISHED(TZRTotalLabel)
  PROPERTY(Alignment, Alignment, SetAlignment),
  PROPERTY(AutoSize, AutoSize, SetAutoSize).Default(zasNone),
  PROPERTY(Kind, Kind, SetKind),
  PROPERTY(Level, Level, SetLevel),
  PROPERTY(Variable, Variable, SetVariable),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(false),
  PROPERTY(BeforePrint, BeforePrint, BeforePrint),
  PROPERTY(AfterPrint, AfterPrint, AfterPrint),
END_PUBLISHED

const char* TotalKindName(TZRTotalKind Kind) {
  static constexpr const char* kNames[] = {"Value", "Count", "Sum", "Min", "Max", "Avg"};
  const auto index = static_cast<size_t>(Kind);
  return index < std::size(kNames) ? kNames[index] : "";
}

TZRTotalLabel::TZRTotalLabel(TComponent* AOwner) : TZRCustomLabel(AOwner) { FKind = ztkSum; }

void TZRTotalLabel::SetKind(TZRTotalKind Value) {
  FKind = Value;
  Changed();
}

void TZRTotalLabel::SetLevel(TComponent* Value) {
  if (FLevel == Value)
    return;
  if (!Loading(*this) && ParentControl() != nullptr) {
    TZRCustomController* controller = LabelController();
    if (controller == nullptr)
      return;
    const auto& groups = controller->GroupList();
    if (Value != controller && std::find(groups.begin(), groups.end(), Value) == groups.end())
      return;
  }
  if (FLevel != nullptr)
    FLevel->RemoveFreeNotification(this);
  FLevel = Value;
  if (FLevel != nullptr)
    FLevel->FreeNotification(this);
  if (Loading(*this) || ParentControl() == nullptr)
    return;
  const auto& variables = LabelController()->VariableList();
  if (Variable() != nullptr && std::find(variables.begin(), variables.end(), Variable()) == variables.end())
    SetVariable(nullptr);
}

int TZRTotalLabel::LevelIndex() const {
  const TZRCustomController* controller = LabelController();
  if (controller == nullptr || FLevel == controller)
    return 0;
  const auto& groups = controller->GroupList();
  const auto found = std::find(groups.begin(), groups.end(), FLevel);
  return found == groups.end() ? 0 : static_cast<int>(found - groups.begin()) + 1;
}

// A total reads one level of an aggregator; another kind of variable, or a
// level the aggregator does not keep, shows nothing.
void TZRTotalLabel::GetLabelText(AnsiString& Text) {
  TZRVariable* variable = Variable();
  if (variable == nullptr) {
    Text = Caption();
    return;
  }
  if (!Printing()) {
    Text = Format("%s(%s)", {TotalKindName(FKind), variable->Name()});
    return;
  }
  if (FKind == ztkValue) {
    variable->GetFormattedText(Text);
    return;
  }
  Text.clear();
  auto* aggregator = dynamic_cast<TZRAggregator*>(variable);
  const int index = LevelIndex();
  if (aggregator == nullptr || index >= aggregator->LevelCount())
    return;
  const TZRAggregateLevel& level = aggregator->Level(index);
  switch (FKind) {
    case ztkCount: Text = IntToStr(level.Count); break;
    case ztkSum: variable->Format()->FormatValue(level.Sum, Text); break;
    case ztkMin: variable->Format()->FormatValue(level.Min, Text); break;
    case ztkMax: variable->Format()->FormatValue(level.Max, Text); break;
    case ztkAvg: variable->Format()->FormatValue(aggregator->Average(index), Text); break;
    case ztkValue: break;
  }
}

// Placed on a band at design time, a total counts over the band's
// controller (or over the controller it is placed on).
void TZRTotalLabel::SetParent(TWinControl* AParent) {
  TZRCustomLabel::SetParent(AParent);
  if (AParent == nullptr || !Designing() || Loading(*this))
    return;
  if (TZRCustomController* controller = LabelController())
    SetLevel(controller);
}

void TZRTotalLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TZRCustomLabel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLevel)
    FLevel = nullptr;
}

void RegisterZRLabelClasses() {
  RegisterClasses({TZRLabel::StaticClass(), TZRSystemLabel::StaticClass(), TZRTotalLabel::StaticClass()});
}
