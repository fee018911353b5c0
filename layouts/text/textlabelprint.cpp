#include "layouts/text/textlabelprint.h"

#include "classlib/data/dataset.h"
#include "classlib/data/field.h"
#include "components/core/uitext.h"
#include "layouts/core/bindinghints.h"
#include "layouts/core/qrekitems.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"

namespace {

TZReport* ReportOf(const TZRCustomLabel& Label) { return dynamic_cast<TZReport*>(Label.Report()); }

bool OnDetailBand(const TZRCustomLabel& Label) {
  auto* band = dynamic_cast<TZRCustomBand*>(Label.Parent());
  return band != nullptr && band->BandType() == zbtDetail;
}

}  // namespace

void TransliterateTextLabel(TZRCustomLabel& Label) {
  if (dynamic_cast<TZRLabel*>(&Label) == nullptr)
    return;
  const AnsiString caption = Label.Caption();
  const AnsiString ascii = TransliterateTurkish(caption);
  if (ascii != caption)
    Label.SetCaption(ascii);
}

// The record's items replace the label's styles: none when the field holds
// no style item. A text page knows no strike-out.
void ApplyQrEkToTextLabel(TZRCustomLabel& Label) {
  if (dynamic_cast<TZRLabel*>(&Label) == nullptr || !OnDetailBand(Label))
    return;
  TZReport* report = ReportOf(Label);
  TDataSet* data = report != nullptr ? report->DataSet() : nullptr;
  TField* field = data != nullptr && data->Active() ? data->FindField(QrEkFieldName) : nullptr;
  if (field == nullptr)
    return;
  const TQrEkFormat format = ParseQrEk(field->AsString());
  TZRFontStyles styles;
  if (format.HasStyle(TQrEkStyle::Bold))
    styles << zfsBold;
  if (format.HasStyle(TQrEkStyle::Italic))
    styles << zfsItalic;
  if (format.HasStyle(TQrEkStyle::Underline))
    styles << zfsUnderline;
  Label.SetFontStyles(styles);
}

bool TextLabelPrintsNow(const TZRCustomLabel& Label) {
  TBindingHint hint;
  ReadComponentHint(const_cast<TZRCustomLabel*>(&Label), hint);
  TZReport* report = ReportOf(Label);
  const int page = report != nullptr ? report->PageNumber() : 0;
  const int records = report != nullptr ? report->RecordNumber : 0;
  return PrintsOnTextPage(hint.PrintOption(), page, records);
}

void TextLabelBeforePrint(TObject* Sender, bool& PrintIt) {
  auto* label = dynamic_cast<TZRCustomLabel*>(Sender);
  if (label == nullptr)
    return;
  TransliterateTextLabel(*label);
  ApplyQrEkToTextLabel(*label);
  if (!TextLabelPrintsNow(*label))
    PrintIt = false;
}
