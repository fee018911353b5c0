#include <gtest/gtest.h>

#include "classlib/printers/devmode.h"
#include "classlib/printers/fakespooler.h"
#include "classlib/printers/printers.h"

namespace {

class FakeSpoolerTest : public testing::Test {
protected:
  FakeSpoolerTest() : scope(spooler) {
    TFakePrinter label;
    label.Name = "Etiket Yazıcı";
    label.Driver = "Etiket Sürücüsü";
    label.Port = "USB001";
    label.Papers = {DMPAPER_LETTER, DMPAPER_A4, DMPAPER_USER};
    label.PaperNames = {"Letter", "A4", "Özel"};
    label.Bins = {DMBIN_AUTO, DMBIN_MANUAL};
    label.TrueType = DCTT_BITMAP;
    label.Forms = {TPrinterForm{"A4", FORM_BUILTIN, {210000, 297000}, {0, 0, 210000, 297000}}};
    spooler.AddPrinter(label);
    TFakePrinter matrix;
    matrix.Name = "Nokta Vuruşlu";
    spooler.AddPrinter(matrix);
    spooler.Default = "Nokta Vuruşlu";
  }

  TFakeSpooler spooler;
  SpoolerScope scope;
};

TEST_F(FakeSpoolerTest, PrinterListAndDefault) {
  TPrinter printer;
  ASSERT_EQ(printer.Printers().Count(), 2);
  EXPECT_EQ(printer.Printers()[0], "Etiket Yazıcı");
  EXPECT_EQ(printer.PrinterIndex(), 1);
  printer.SetPrinterIndex(0);
  AnsiString device, driver, port;
  HGLOBAL mode = nullptr;
  printer.GetPrinter(device, driver, port, mode);
  EXPECT_EQ(device, "Etiket Yazıcı");
  EXPECT_EQ(driver, "Etiket Sürücüsü");
  EXPECT_EQ(port, "USB001");
  EXPECT_NE(mode, nullptr);
  printer.SetPrinterIndex(-1);
  EXPECT_EQ(printer.PrinterIndex(), 1);
  EXPECT_THROW(printer.SetPrinterIndex(2), EPrinter);
}

TEST_F(FakeSpoolerTest, NoPrintersMeansNoDefault) {
  spooler.Printers.clear();
  TPrinter printer;
  try {
    printer.PrinterIndex();
    FAIL() << "no exception";
  } catch (const EPrinter& e) {
    EXPECT_EQ(e.Message,
              "Bu bilgisayarda tanımlı bir yazıcı yok. Etiketleri yazdırmak ya da önizlemek için önce bir yazıcı "
              "kurun ve onu varsayılan yazıcı yapın.");
  }
}

// The device mode field of that name.
short& FieldOf(DEVMODEW& dm, const char* name) {
  std::string n = name;
  if (n == "Orientation") return dm.dmOrientation;
  if (n == "PaperSize") return dm.dmPaperSize;
  if (n == "PaperLength") return dm.dmPaperLength;
  if (n == "PaperWidth") return dm.dmPaperWidth;
  if (n == "Copies") return dm.dmCopies;
  return dm.dmDefaultSource;
}

struct FieldCase {
  const char* Name;
  DWORD Flag;
  short Value;
};

class DevModeFieldTest : public FakeSpoolerTest, public testing::WithParamInterface<FieldCase> {};

TEST_P(DevModeFieldTest, SetThroughThePrinterAndReadBack) {
  TPrinter printer;
  printer.SetPrinterIndex(0);
  AnsiString device, driver, port;
  HGLOBAL mode = nullptr;
  printer.GetPrinter(device, driver, port, mode);
  auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode));
  FieldOf(*dm, GetParam().Name) = GetParam().Value;
  dm->dmFields |= GetParam().Flag;
  GlobalUnlock(mode);
  printer.SetPrinter(device, driver, port, mode);

  HGLOBAL again = nullptr;
  printer.GetPrinter(device, driver, port, again);
  EXPECT_EQ(again, mode);
  dm = static_cast<DEVMODEW*>(GlobalLock(again));
  EXPECT_EQ(FieldOf(*dm, GetParam().Name), GetParam().Value);
  EXPECT_NE(dm->dmFields & GetParam().Flag, 0u);
  GlobalUnlock(again);

  // As the printer's own default, through SetPrinter/GetPrinter level 2.
  std::vector<std::uint8_t> bytes = DevModeFromGlobal(again);
  ASSERT_TRUE(Spooler().SetPrinter(device, bytes));
  TPrinterDetails details;
  ASSERT_TRUE(Spooler().GetPrinter(device, details));
  EXPECT_EQ(FieldOf(DevModeOf(details.DevMode), GetParam().Name), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Fields, DevModeFieldTest,
                         testing::Values(FieldCase{"Orientation", DM_ORIENTATION, DMORIENT_LANDSCAPE},
                                         FieldCase{"PaperSize", DM_PAPERSIZE, DMPAPER_A5},
                                         FieldCase{"PaperLength", DM_PAPERLENGTH, 1500},
                                         FieldCase{"PaperWidth", DM_PAPERWIDTH, 1000},
                                         FieldCase{"Copies", DM_COPIES, 3},
                                         FieldCase{"DefaultSource", DM_DEFAULTSOURCE, DMBIN_MANUAL}),
                         [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.Name); });

TEST_F(FakeSpoolerTest, OrientationAndCopiesGoThroughTheDeviceMode) {
  TPrinter printer;
  printer.SetPrinterIndex(0);
  EXPECT_EQ(printer.Orientation(), poPortrait);
  printer.SetOrientation(poLandscape);
  printer.SetCopies(4);
  EXPECT_EQ(printer.Orientation(), poLandscape);
  EXPECT_EQ(printer.Copies(), 4);
  EXPECT_TRUE(printer.Capabilities().Contains(pcOrientation));
  EXPECT_TRUE(printer.Capabilities().Contains(pcCopies));
  // Without a device mode, SetPrinter reads the driver's defaults again.
  AnsiString device, driver, port;
  HGLOBAL mode = nullptr;
  printer.GetPrinter(device, driver, port, mode);
  printer.SetPrinter(device, driver, port, nullptr);
  EXPECT_EQ(printer.Orientation(), poPortrait);
  EXPECT_EQ(printer.Copies(), 1);
}

TEST_F(FakeSpoolerTest, SetPrinterWithAnUnknownDeviceAddsIt) {
  TPrinter printer;
  printer.SetPrinter("Ağ Yazıcısı", "Sürücü", "LPT1:", nullptr);
  EXPECT_EQ(printer.Printers().Count(), 3);
  EXPECT_EQ(printer.PrinterIndex(), 2);
  AnsiString device, driver, port;
  HGLOBAL mode = nullptr;
  printer.GetPrinter(device, driver, port, mode);
  EXPECT_EQ(device, "Ağ Yazıcısı");
  EXPECT_EQ(port, "LPT1:");
  EXPECT_NE(mode, nullptr);
}

TEST_F(FakeSpoolerTest, FormsAreAddedAndListed) {
  const TPrinterForm added[] = {
      {"VORTELIMCF_40X60", 0, {60000, 40000}, {0, 0, 60000, 40000}},
      {"VORTELIMCF_100X150", 0, {150000, 100000}, {0, 0, 150000, 100000}},
  };
  for (const TPrinterForm& form : added)
    EXPECT_TRUE(Spooler().AddForm("Etiket Yazıcı", form)) << form.Name;
  EXPECT_FALSE(Spooler().AddForm("Etiket Yazıcı", added[0]));
  EXPECT_FALSE(Spooler().AddForm("Yok", added[0]));
  std::vector<TPrinterForm> forms = Spooler().EnumForms("Etiket Yazıcı");
  ASSERT_EQ(forms.size(), 3u);
  EXPECT_EQ(forms[0].Name, "A4");
  EXPECT_EQ(forms[1], added[0]);
  EXPECT_EQ(forms[2], added[1]);
}

TEST_F(FakeSpoolerTest, DefaultFormNameReplacesThePaperFields) {
  EXPECT_EQ(Spooler().DefaultFormName("Etiket Yazıcı"), "");
  ASSERT_TRUE(Spooler().SetDefaultFormName("Etiket Yazıcı", "VORTELIMCF_40X60"));
  EXPECT_EQ(Spooler().DefaultFormName("Etiket Yazıcı"), "VORTELIMCF_40X60");
  TPrinterDetails details;
  ASSERT_TRUE(Spooler().GetPrinter("Etiket Yazıcı", details));
  const DEVMODEW& dm = DevModeOf(details.DevMode);
  EXPECT_NE(dm.dmFields & DM_FORMNAME, 0u);
  EXPECT_EQ(dm.dmFields & (DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH), 0u);
  // Names longer than the field are cut to 31 characters.
  ASSERT_TRUE(Spooler().SetDefaultFormName("Etiket Yazıcı", std::string(40, 'F')));
  EXPECT_EQ(Spooler().DefaultFormName("Etiket Yazıcı"), std::string(31, 'F'));
  EXPECT_FALSE(Spooler().SetDefaultFormName("Yok", "A4"));
}

TEST_F(FakeSpoolerTest, DeviceCapabilitiesComeFromTheTable) {
  EXPECT_EQ(Spooler().Papers("Etiket Yazıcı", "USB001"), (std::vector<WORD>{1, 9, 256}));
  EXPECT_EQ(Spooler().PaperNames("Etiket Yazıcı", "USB001")[2], "Özel");
  EXPECT_EQ(Spooler().Bins("Etiket Yazıcı", "USB001"), (std::vector<WORD>{DMBIN_AUTO, DMBIN_MANUAL}));
  EXPECT_EQ(Spooler().TrueType("Etiket Yazıcı", "USB001"), DCTT_BITMAP);
  EXPECT_EQ(Spooler().TrueType("Yok", ""), -1);
  EXPECT_TRUE(Spooler().Papers("Yok", "").empty());
}

TEST_F(FakeSpoolerTest, RawJobKeepsItsBytesAndCallOrder) {
  const std::string payload = std::string("\x1B@Fiş No: 12\r\n\x0C") + std::string(1, '\0');
  spooler.Calls.clear();
  TSpoolerHandle handle = Spooler().OpenPrinter("Nokta Vuruşlu");
  ASSERT_NE(handle, 0u);
  EXPECT_NE(Spooler().StartDocPrinter(handle, "Fiş", "RAW"), 0u);
  EXPECT_TRUE(Spooler().StartPagePrinter(handle));
  DWORD written = 0;
  EXPECT_TRUE(Spooler().WritePrinter(handle, payload.data(), static_cast<DWORD>(payload.size()), written));
  EXPECT_EQ(written, payload.size());
  EXPECT_TRUE(Spooler().EndPagePrinter(handle));
  EXPECT_TRUE(Spooler().EndDocPrinter(handle));
  EXPECT_FALSE(Spooler().WritePrinter(handle, payload.data(), 1, written));
  EXPECT_TRUE(Spooler().ClosePrinter(handle));
  ASSERT_EQ(spooler.Jobs.size(), 1u);
  const TFakeJob& job = spooler.Jobs[0];
  EXPECT_EQ(job.Printer, "Nokta Vuruşlu");
  EXPECT_EQ(job.DataType, "RAW");
  EXPECT_EQ(job.Pages, 1);
  EXPECT_TRUE(job.Ended);
  EXPECT_EQ(std::string(job.Bytes.begin(), job.Bytes.end()), payload);
  const std::vector<AnsiString> expected = {"OpenPrinter(Nokta Vuruşlu)", "StartDocPrinter(Fiş,RAW)", "StartPagePrinter",
                                            "WritePrinter(" + std::to_string(payload.size()) + ")",
                                            "EndPagePrinter", "EndDocPrinter",
                                            "WritePrinter(1)", "ClosePrinter"};
  EXPECT_EQ(spooler.Calls, expected);
  EXPECT_EQ(Spooler().OpenPrinter("Yok"), 0u);
}

TEST_F(FakeSpoolerTest, PrintingStateIsChecked) {
  TPrinter printer;
  EXPECT_FALSE(printer.Printing());
  EXPECT_THROW(printer.EndDoc(), EPrinter);
  EXPECT_THROW(printer.NewPage(), EPrinter);
  EXPECT_THROW(printer.Abort(), EPrinter);
}

}  // namespace
