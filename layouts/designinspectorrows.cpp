#include "layouts/designinspectorrows.h"

#include <array>
#include <string_view>

#include "classlib/classes/typinfo.h"
#include "classlib/controls/control.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"
#include "layouts/core/bindinghints.h"
#include "layouts/core/inspectorvalues.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"

namespace {

bool StartsWith(std::string_view Text, std::string_view Prefix) { return Text.substr(0, Prefix.size()) == Prefix; }

// The rows of the fixed list that apply to one selection, in order.
class TRowWalker {
public:
  explicit TRowWalker(const TInspectorContext& Context)
      : C(Context), S0(Context.Selection.front()), Single(Context.Selection.size() == 1) {}

  std::vector<TInspectorRow> Walk() {
    PageRows();
    BindingRows();
    TextRows();
    GeometryRows();
    LookRows();
    LinkRows();
    MiscRows();
    BarcodeRows();
    return std::move(Rows);
  }

private:
  AnsiString T(const AnsiString& Text) const { return C.Translate ? C.Translate(Text) : Text; }
  bool All(const char* Name) const { return CommonProps(C.Selection, Name); }
  bool One(const char* Name) const { return Single && IsPublishedProp(S0, Name); }
  bool Has(const char* Name) const { return IsPublishedProp(S0, Name); }
  AnsiString TypeOf(const char* Name) const { return PropTypeName(S0, Name); }
  void Add(const AnsiString& Caption, const AnsiString& Value, const char* Kind, const char* Key) {
    Rows.push_back({T(Caption), Value, Key, Kind});
  }

  std::int64_t Ord(const AnsiString& Path) const {
    TPropertyPlace p;
    return ResolvePath(S0, Path, p) ? GetOrdProp(p.Owner, p.Name) : 0;
  }
  double Float(const AnsiString& Path) const {
    TPropertyPlace p;
    return ResolvePath(S0, Path, p) ? static_cast<double>(GetFloatProp(p.Owner, p.Name)) : 0;
  }
  AnsiString Str(const AnsiString& Path) const {
    TPropertyPlace p;
    return ResolvePath(S0, Path, p) ? GetStrProp(p.Owner, p.Name) : AnsiString();
  }
  AnsiString Bool(const AnsiString& Path) const { return BooleanText(Ord(Path), C.TextYes, C.TextNo); }
  AnsiString Int(const AnsiString& Path) const { return IntToStr(Ord(Path)); }
  AnsiString Mm(const AnsiString& Path) const { return MillimetreText(Float(Path)); }
  AnsiString HintValue(const char* Name) const { return TBindingHint(Str("Hint")).Value(Name); }
  AnsiString LinkedName(const char* Name) const {
    auto* linked = dynamic_cast<TComponent*>(GetObjectProp(S0, Name));
    return linked != nullptr ? linked->Name() : AnsiString();
  }

  void PageRows() {
    if (C.InvoiceLayout && (dynamic_cast<TQuickRep*>(S0) != nullptr || dynamic_cast<TZReport*>(S0) != nullptr))
      Add("Fatura Ayarlari", T("Fatura Ayarlari"), "TFatura", "Fatura");
    if (All("Bands") && TypeOf("Bands") == "tquickrepbands") {
      static constexpr std::array<std::array<const char*, 2>, 6> graphic = {{
          {"Detay Basligi", "HasColumnHeader"}, {"Detay", "HasDetail"}, {"Sayfa Alti", "HasPageFooter"},
          {"Sayfa Basligi", "HasPageHeader"}, {"Detay Ozeti", "HasSummary"}, {"Baslik", "HasTitle"}}};
      for (const auto& [caption, name] : graphic)
        BandRow(caption, name, name);
    }
    if (All("Bands") && TypeOf("Bands") == "tzreportbands") {
      static constexpr std::array<std::array<const char*, 3>, 6> text = {{
          {"Sayfa Basligi", "HasPageHeader", "HasPageHeader"}, {"Baslik", "HasHeader", "HasTitle"},
          {"Detay Basligi", "HasColumnHeader", "HasColumnHeader"}, {"Detay", "HasDetail", "HasDetail"},
          {"Detay Ozeti", "HasFooter", "HasSummary"}, {"Sayfa Alti", "HasPageFooter", "HasPageFooter"}}};
      for (const auto& [caption, name, keyName] : text)
        BandRow(caption, name, keyName);
    }
    if (All("Page")) {
      static constexpr std::array<std::array<const char*, 2>, 6> lengths = {{
          {"Yukseklik", "Page.Length"}, {"Genislik", "Page.Width"}, {"Sol Bosluk", "Page.LeftMargin"},
          {"Ust Bosluk", "Page.TopMargin"}, {"Alt Bosluk", "Page.BottomMargin"}, {"Sag Bosluk", "Page.RightMargin"}}};
      for (const auto& [caption, key] : lengths)
        Add(caption, Mm(key), "Extended", key);
      Add("Sayfa", T(Ord("Page.Orientation") == 0 ? "Dikey" : "Yatay"), "TOrientation", "Page.Orientation");
      Add("Sayfa Boyutu", PaperSizeName(), "TPaperSize", "Page.PaperSize");
      Add("Sutun Sayisi", Int("Page.Columns"), "Integer", "Page.Columns");
      Add("Sutun Araligi", Mm("Page.ColumnSpace"), "Extended", "Page.ColumnSpace");
    }
    if (All("Margins") && TypeOf("Margins") == "tzrmargins") {
      static constexpr std::array<std::array<const char*, 3>, 4> margins = {{
          {"Sol Bosluk", "Margins.Left", "Page.LeftMargin"}, {"Ust Bosluk", "Margins.Top", "Page.TopMargin"},
          {"Alt Bosluk", "Margins.Bottom", "Page.BottomMargin"}, {"Sag Bosluk", "Margins.Right", "Page.RightMargin"}}};
      for (const auto& [caption, path, key] : margins)
        Add(caption, Int(path), "Integer", key);
    }
  }

  void BandRow(const char* Caption, const char* Name, const char* KeyName) {
    Rows.push_back({T(Caption), Bool(AnsiString("Bands.") + Name), AnsiString("Bands.") + KeyName, "Boolean"});
  }

  AnsiString PaperSizeName() const {
    TPropertyPlace p;
    if (!ResolvePath(S0, "Page.PaperSize", p))
      return "";
    return GetEnumName(GetPropInfo(p.Owner, p.Name)->PropType, static_cast<int>(GetOrdProp(p.Owner, p.Name)));
  }

  void BindingRows() {
    if (All("DataSet"))
      Add("Tablo", HintValue(HintDataSet), "TDataSet", "DataSet");
    if (All("DataSource"))
      Add("Tablo", HintValue(HintDataSet), "TDataSet", "DataSet");
    if (All("Variable")) {
      Add("Tablo", HintValue(HintDataSet), "TDataSet", "DataSet");
      Add("Alan", HintValue(HintDataField), "TDataField", "DataField");
    }
    if (All("DataField"))
      Add("Alan", HintValue(HintDataField), "TDataField", "DataField");
    if (All("Data"))
      Add("Sistem Bilgisi", ItemText(SysDataItems, Ord("Data")), "TSysData", "SysData");
    if (All("DataKind"))
      Add("Sistem Bilgisi", ItemText(SysDataItems, Ord("DataKind")), "TZSysLabel", "SysData");
  }

  void TextRows() {
    if (All("Caption"))
      Add("Metin", Str("Caption"), "String", "Caption");
    if (All("Font"))
      Add("Font", T("Font"), "TFont", "Font");
    if (All("Color"))
      Add("Renk", T("Renk"), "TColor", "Color");
    if (One("Lines"))
      Add("Yazi", T("Yazi"), "TStringList", "Lines");
    if (One("Picture"))
      Add("Resim", T("Resim"), "TImage", "Image");
    const bool textLabel = C.TextLayout && dynamic_cast<TZRCustomLabel*>(S0) != nullptr;
    if (textLabel && One("Left"))
      Add("Sol", Int("Left"), "Integer", "Left");
    if (textLabel && One("Top"))
      Add("Ust", Int("Top"), "Integer", "Top");
    if (textLabel && All("FontStyles"))
      Add("Font", T("Font"), "TFont", "Font");
    if (C.TextLayout && One("Width"))
      Add("Genislik", Int("Width"), "Integer", "Width");
    if (C.TextLayout && One("Height"))
      Add("Yukseklik", Int("Height"), "Integer", "Height");
  }

  void GeometryRows() {
    if (All("Size") && TypeOf("Size") == "tqrprintablesize") {
      static constexpr std::array<std::array<const char*, 2>, 4> size = {{
          {"Sol Bosluk", "Size.Left"}, {"Ust Bosluk", "Size.Top"}, {"Genislik", "Size.Width"},
          {"Yukseklik", "Size.Height"}}};
      for (const auto& [caption, key] : size)
        Add(caption, Mm(key), "Extended", key);
    }
    if (All("Size") && TypeOf("Size") == "tqrbandsize") {
      Add("Genislik", Mm("Size.Width"), "Extended", "Size.Width");
      Add("Yukseklik", Mm("Size.Height"), "Extended", "Size.Height");
    }
    if (All("Alignment") && TypeOf("Alignment") == "talignment")
      Add("Hizalama", T(ItemText(AlignmentItems, Ord("Alignment"))), "TAlignment", "Alignment");
    if (All("Alignment") && TypeOf("Alignment") == "tzralignment")
      Add("Hizalama", T(ItemText(AlignmentItems, Ord("Alignment.X"))), "TZrAlignment", "Alignment");
  }

  void LookRows() {
    static constexpr std::array<std::array<const char*, 3>, 4> sides = {{
        {"Alt Cizgi", "Bottom", "Frame.DrawBottom"}, {"Ust Cizgi", "Top", "Frame.DrawTop"},
        {"Sol Cizgi", "Left", "Frame.DrawLeft"}, {"Sag Cizgi", "Right", "Frame.DrawRight"}}};
    if (All("Frame") && TypeOf("Frame") == "tqrframe") {
      for (const auto& [caption, side, key] : sides)
        Add(caption, Bool(key), "Boolean", key);
      Add("Cizgi Rengi", T("Cizgi Rengi"), "TColor", "Frame.Color");
      Add("Cizgi Genisligi", Int("Frame.Width"), "Integer", "Frame.Width");
    }
    if (All("Frame") && TypeOf("Frame") == "tzrframe")
      for (const auto& [caption, side, key] : sides)
        Add(caption, Int(AnsiString("Frame.") + side), "Integer", key);
    static constexpr std::array<std::array<const char*, 2>, 4> flags = {{
        {"Transparan", "Transparent"}, {"Kaydirma", "WordWrap"}, {"Otomatik Boyut", "AutoSize"},
        {"Resim Ortalama", "Center"}}};
    for (const auto& [caption, name] : flags)
      if (All(name))
        Add(caption, Bool(name), "Boolean", name);
    if (dynamic_cast<TQRImage*>(S0) != nullptr && All("Stretch"))
      Add("Resim Sigdir", Bool("Stretch"), "Boolean", "Stretch");
    if (All("Shape"))
      Add("Sekil", ItemText(ShapeItems, Ord("Shape")), "TShape", "Shape");
    if (All("Brush")) {
      Add("Dolgu Stili", T("Dolgu"), "TBrush", "Brush.Style");
      Add("Dolgu Rengi", "Renk", "TColor", "Brush.Color");
    }
    if (All("Pen")) {
      Add("Kalem Stili", T("Kalem"), "TPen", "Pen.Style");
      Add("Kalem Rengi", T("Renk"), "TColor", "Pen.Color");
      Add("Kalem Boyutu", Int("Pen.Width"), "Integer", "Pen.Width");
    }
  }

  void LinkRows() {
    static constexpr std::array<std::array<const char*, 2>, 4> links = {{
        {"Link Band", "LinkBand"}, {"Master", "Master"}, {"Alt Band", "FooterBand"}, {"Ust Band", "HeaderBand"}}};
    for (const auto& [caption, name] : links)
      if (One(name))
        Add(caption, LinkedName(name), "TBandClass", name);
    if (All("HasController"))
      Add("Alt Detay", Bool("HasController"), "Boolean", "HasController");
  }

  void MiscRows() {
    if (All("Tag") && dynamic_cast<TQRDBText*>(S0) != nullptr)
      Add("Karakter", Int("Tag"), "Integer", "Karakter");
    if (All("Hint") && (dynamic_cast<TQRLabel*>(S0) != nullptr || dynamic_cast<TQRImage*>(S0) != nullptr ||
                        dynamic_cast<TZRLabel*>(S0) != nullptr))
      Add("Parametre", HintValue(HintParametre), "TParameter", "Parameter");
    if (One("Expression"))
      Add("Expression", Str("Expression"), "String", "Expression");
    if (All("ResetAfterPrint"))
      Add("Yaz Resetle", Bool("ResetAfterPrint"), "Boolean", "ResetAfterPrint");
    if (All("Mask"))
      Add("Gosterim Formati", Str("Mask"), "String", "Mask");
    if (One("Name") && dynamic_cast<TQuickRep*>(S0) == nullptr)
      Add("Nesne Adi", Str("Name"), "String", "ComponentName");
    if (Has("Hint") && Has("OnPrint") && All("Hint") && All("OnPrint"))
      Add("Yazdirma", T("Yazdirma"), "TPrintPage", "PrintPage");
    if (Has("Hint") && Has("BeforePrint") && All("Hint") && All("BeforePrint") && All("Variable"))
      Add("Yazdirma", T("Yazdirma"), "TPrintPage", "PrintPage");
  }

  void BarcodeRows() {
    if (All("BarCodeType"))
      Add("Dozuri Tipi", Int("BarCodeType"), "TBarcodeType", "BarcodeType");
    if (All("Code"))
      Add("Dozuri", Str("Code"), "String", "Code");
    if (All("BarWidth"))
      Add("Bar Genisligi", DecimalText(Float("BarWidth")), "Extended", "BarWidth");
    if (All("BarToSpaceRatio"))
      Add("Cizgi Bosluk Orani", DecimalText(Float("BarToSpaceRatio")), "Extended", "BarToSpaceRatio");
    static constexpr std::array<std::array<const char*, 2>, 3> flags = {{
        {"Kod Göster", "ShowCode"}, {"Yeni Sayfa Ac", "ForceNewPage"}, {"Parent Font", "ParentFont"}}};
    for (const auto& [caption, name] : flags)
      if (All(name))
        Add(caption, Bool(name), "Boolean", name);
    if (dynamic_cast<TStBarCode*>(S0) == nullptr)
      return;
    static constexpr std::array<std::array<const char*, 2>, 5> pixels = {{
        {"Genislik", "Width"}, {"Yukseklik", "Height"}, {"Sol Bosluk", "Left"}, {"Ust Bosluk", "Top"},
        {"Y.Cizgi Yuksekligi", "GuardHeight"}}};
    for (const auto& [caption, name] : pixels)
      if (All(name))
        Add(caption,
            BarcodeMillimetreText(BarcodePixelsToMillimetres(static_cast<int>(Ord(name)), C.BarcodePixelsPerMm)),
            "Extended", name);
  }

  const TInspectorContext& C;
  TControl* S0;
  bool Single;
  std::vector<TInspectorRow> Rows;
};

}  // namespace

std::vector<TInspectorRow> BuildInspectorRows(const TInspectorContext& Context) {
  if (Context.Selection.empty() || Context.Selection.front() == nullptr)
    return {};
  return TRowWalker(Context).Walk();
}

bool CommonProps(const std::vector<TControl*>& Selection, const AnsiString& Name) {
  for (TControl* control : Selection)
    if (control == nullptr || !IsPublishedProp(control, Name))
      return false;
  return true;
}

TObject* PublishedObject(TObject* Instance, const AnsiString& Name) {
  PPropInfo prop = Instance != nullptr ? GetPropInfo(Instance, Name) : nullptr;
  return prop != nullptr && prop->Kind() == tkClass ? GetObjectProp(Instance, prop) : nullptr;
}

AnsiString PropTypeName(TObject* Instance, const AnsiString& Name) {
  PPropInfo prop = Instance != nullptr ? GetPropInfo(Instance, Name) : nullptr;
  return prop != nullptr ? LowerCase(prop->PropType->Name) : AnsiString();
}

bool ResolvePath(TObject* Instance, const AnsiString& Path, TPropertyPlace& Place) {
  TObject* owner = Instance;
  std::string_view rest = Path;
  for (std::size_t dot = rest.find('.'); dot != std::string_view::npos; dot = rest.find('.')) {
    owner = PublishedObject(owner, AnsiString(rest.substr(0, dot)));
    rest.remove_prefix(dot + 1);
  }
  if (owner == nullptr || !IsPublishedProp(owner, AnsiString(rest)))
    return false;
  Place = {owner, AnsiString(rest)};
  return true;
}

AnsiString PathOfKey(TObject* Instance, const AnsiString& Key) {
  if (Key == "Karakter")
    return "Tag";
  if (Key == "ComponentName")
    return "Name";
  if (Key == "Image")
    return "Picture";
  if (Key == "SysData")
    return IsPublishedProp(Instance, "Data") ? "Data" : "DataKind";
  if (StartsWith(Key, "Bands."))
    return "Bands." + BandSwitchProperty(Key, PropTypeName(Instance, "Bands") == "tzreportbands");
  if (StartsWith(Key, "Frame.Draw") && PropTypeName(Instance, "Frame") == "tzrframe")
    return "Frame." + Key.substr(std::string_view("Frame.Draw").size());
  if (StartsWith(Key, "Page.") && Key.size() > 11 && Key.substr(Key.size() - 6) == "Margin" &&
      !IsPublishedProp(Instance, "Page") && PropTypeName(Instance, "Margins") == "tzrmargins")
    return "Margins." + Key.substr(5, Key.size() - 11);
  if (Key == "Alignment" && PropTypeName(Instance, "Alignment") == "tzralignment")
    return "Alignment.X";
  return Key;
}
