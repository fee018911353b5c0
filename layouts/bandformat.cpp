#include "layouts/bandformat.h"

#include "classlib/classes/typinfo.h"
#include "classlib/data/dataset.h"
#include "classlib/data/field.h"
#include "classlib/graphics/font.h"
#include "reportengine/report/qrprintable.h"

namespace {

TFontStyle FontStyleOf(TQrEkStyle Style) {
  switch (Style) {
    case TQrEkStyle::Bold: return fsBold;
    case TQrEkStyle::Italic: return fsItalic;
    case TQrEkStyle::Underline: return fsUnderline;
    case TQrEkStyle::StrikeOut: return fsStrikeOut;
  }
  return fsBold;
}

bool PublishesEnabled(TControl* Control) {
  PPropInfo prop = GetPropInfo(Control, "Enabled");
  return prop != nullptr && prop->Kind() == tkEnumeration;
}

// The column a control stands in: its published HelpContext, else none.
int HelpContextOf(TControl* Control) {
  PPropInfo prop = GetPropInfo(Control, "HelpContext");
  if (prop == nullptr || prop->Kind() != tkInteger)
    return -1;
  return static_cast<int>(GetOrdProp(Control, prop));
}

}  // namespace

void ApplyQrEk(TControl& Band, const TQrEkFormat& Format) {
  TFont& font = *Band.Font();
  TFontStyles styles;
  for (TQrEkStyle style : Format.Styles)
    styles.Include(FontStyleOf(style));
  font.SetStyle(styles);
  if (Format.Color)
    Band.SetColor(*Format.Color);
  if (Format.FontSize)
    font.SetSize(*Format.FontSize);
  if (Format.FontColor)
    font.SetColor(*Format.FontColor);
}

void EnableBandPrintables(TWinControl& Band, bool Enabled) {
  for (int k = 0; k < Band.ControlCount(); ++k)
    if (auto* printable = dynamic_cast<TQRPrintable*>(Band.Controls(k)))
      printable->SetEnabled(Enabled);
}

bool BooleanFieldIsTrue(const TDataSet& DataSet, const AnsiString& FieldName) {
  TField* field = DataSet.FindField(FieldName);
  return field != nullptr && field->AsBoolean();
}

std::vector<TControl*> ControlsInLabelColumn(TWinControl& Band, int Column) {
  std::vector<TControl*> controls;
  for (int k = 0; k < Band.ControlCount(); ++k) {
    TControl* control = Band.Controls(k);
    if (HelpContextOf(control) == Column && PublishesEnabled(control))
      controls.push_back(control);
  }
  return controls;
}
