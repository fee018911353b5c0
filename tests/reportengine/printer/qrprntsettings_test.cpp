// Printer settings over a device mode: what ReadSettings takes from the
// device, the guarded setters, what ApplySettings writes and hands to the
// printer, the two handlers with Cancel, and devices that answer badly.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/printers/devmode.h"
#include "classlib/printers/fakespooler.h"
#include "reportengine/printer/qrprinterdevice.h"
#include "reportengine/printer/qrprntsettings.h"
#include "tests/support/testqueues.h"

namespace {

// A device with chosen resolution, margins, paper and driver.
class FakeDevice : public TQRPrinterDevice {
public:
  bool DeviceFacts(TPrinter&, TQRDeviceFacts& facts) override {
    facts = Facts;
    return Answers;
  }
  bool DriverPath(const AnsiString&, AnsiString& path) override {
    path = Path;
    return DriverAnswers;
  }
  TQRDeviceFacts Facts{600, 600, 100, 120, 4960, 7016};
  bool Answers = true;
  AnsiString Path = "C:\\windows\\system32\\spool\\drivers\\x64\\3\\labeldrv.dll";
  bool DriverAnswers = true;
};

// One fake printer whose device mode the test shapes before the printer
// object reads it.
class Settings : public testing::Test {
protected:
  Settings() : spoolerScope_(spooler_), deviceScope_(device_) {}

  DEVMODEW& DevMode() { return DevModeOf(printer_.DevMode); }

  // The printer, made after the test shaped the device.
  TPrinter& Printer() {
    if (!devicePrinter_) {
      spooler_.AddPrinter(printer_);
      spooler_.Default = printer_.Name;
      devicePrinter_ = std::make_unique<TPrinter>();
    }
    return *devicePrinter_;
  }

  // The device mode the printer now holds.
  DEVMODEW PrinterDevMode() {
    AnsiString device, driver, port;
    HGLOBAL block = nullptr;
    Printer().GetPrinter(device, driver, port, block);
    return DevModeOf(DevModeFromGlobal(block));
  }

  TFakeSpooler spooler_;
  SpoolerScope spoolerScope_;
  FakeDevice device_;
  QRPrinterDeviceScope deviceScope_;
  TFakePrinter printer_{.Name = "Etiket", .DevMode = MakeDevMode("Etiket"), .Papers = {1, 9, 256}};
  std::unique_ptr<TPrinter> devicePrinter_;
  TPrinterSettings settings_;
};

TEST(PrinterSettingsDefaults, FreshSettingsOfTheDeviceAndOfAReport) {
  TPrinterSettings device;
  EXPECT_EQ(device.PaperSize(), TQRPaperSize::A4);
  EXPECT_EQ(device.Printer(), nullptr);
  EXPECT_FALSE(device.UseStandardPrinter());
  EXPECT_EQ(device.MemoryLimit(), 250000);
  EXPECT_FALSE(device.OnApplyPrinterSettings);
  EXPECT_FALSE(device.SetCopies(2));  // no printer, no device mode

  TQRPrinterSettings report;
  EXPECT_EQ(report.PaperSize(), TQRPaperSize::Letter);
  EXPECT_EQ(report.Copies(), 1);
  EXPECT_FALSE(report.Duplex());
  EXPECT_EQ(report.OutputBin(), TQRBin::Auto);
  EXPECT_EQ(report.PrinterIndex(), -1);
  EXPECT_EQ(report.FirstPage(), 0);
  EXPECT_EQ(report.LastPage(), 0);
  EXPECT_EQ(report.Title(), "");
  EXPECT_EQ(report.MemoryLimit(), 250000);

  report.SetCopies(3);
  report.SetTitle("Etiketler");
  report.SetPaperSize(TQRPaperSize::Custom);
  TQRPrinterSettings copy;
  copy.Assign(&report);
  EXPECT_EQ(copy.Copies(), 3);
  EXPECT_EQ(copy.Title(), "Etiketler");
  EXPECT_EQ(copy.PaperSize(), TQRPaperSize::Custom);
}

TEST_F(Settings, ReadSettingsTakesTheDeviceState) {
  DEVMODEW& dm = DevMode();
  dm.dmFields |= DM_DUPLEX | DM_COLLATE;
  dm.dmCopies = 2;
  dm.dmDefaultSource = 14;
  dm.dmDuplex = 2;
  dm.dmCollate = DMCOLLATE_TRUE;
  settings_.SetPrinter(&Printer());

  EXPECT_EQ(settings_.Device(), "Etiket");
  EXPECT_EQ(settings_.Port(), "FAKE:");
  EXPECT_EQ(settings_.Driver(), "labeldrv.dll");
  EXPECT_EQ(settings_.PixelsPerX(), 600);
  EXPECT_EQ(settings_.PixelsPerY(), 600);
  EXPECT_EQ(settings_.Copies(), 2);
  EXPECT_EQ(settings_.OutputBin(), TQRBin::Cassette);
  EXPECT_TRUE(settings_.Duplex());
  EXPECT_EQ(settings_.ExtendedDuplex(), 2);
  EXPECT_EQ(settings_.LeftOffset(), 42);  // 100 px at 600 dpi = 42.33
  EXPECT_EQ(settings_.TopOffset(), 51);   // 120 px = 50.8
  EXPECT_EQ(settings_.PaperSize(), TQRPaperSize::A4);
  EXPECT_EQ(settings_.PaperWidth(), 2100);
  EXPECT_EQ(settings_.PrintQuality(), 300);
  EXPECT_EQ(settings_.Collate(), 1);
  EXPECT_EQ(settings_.ColorOption(), DMCOLOR_COLOR);
  EXPECT_TRUE(settings_.SupportedPapersRead());
  EXPECT_TRUE(settings_.SupportsPaperSize(TQRPaperSize::Letter));
  EXPECT_TRUE(settings_.SupportsPaperSize(TQRPaperSize::A4));
  EXPECT_TRUE(settings_.SupportsPaperSize(TQRPaperSize::Custom));  // the device lists 256
  EXPECT_FALSE(settings_.SupportsPaperSize(TQRPaperSize::A4Small));
  EXPECT_FALSE(settings_.SupportsPaperSize(static_cast<TQRPaperSize>(120)));
}

TEST_F(Settings, DefaultPaperIsTheDevicesPhysicalPaperInPortraitTerms) {
  DEVMODEW& dm = DevMode();
  dm.dmPaperSize = 120;  // a code no size has
  dm.dmOrientation = DMORIENT_LANDSCAPE;
  device_.Facts.PhysicalWidth = 7016;  // measured turned
  device_.Facts.PhysicalHeight = 4960;
  settings_.SetPrinter(&Printer());
  EXPECT_EQ(settings_.PaperSize(), TQRPaperSize::Default);
  EXPECT_EQ(settings_.PaperWidth(), 2100);
  EXPECT_EQ(settings_.PaperLength(), 2970);
}

TEST_F(Settings, WithoutTheCopiesFieldCopiesStayOneAndCannotBeSet) {
  DevMode().dmFields &= ~static_cast<DWORD>(DM_COPIES);
  DevMode().dmCopies = 5;
  settings_.SetPrinter(&Printer());
  EXPECT_EQ(settings_.Copies(), 1);
  EXPECT_FALSE(settings_.SetCopies(3));
  EXPECT_EQ(settings_.Copies(), 1);
  // Fields the device has accept their values.
  EXPECT_TRUE(settings_.SetOrientation(poLandscape));
  EXPECT_EQ(settings_.Orientation(), poLandscape);
  EXPECT_TRUE(settings_.SetOutputBin(TQRBin::Upper));
  EXPECT_FALSE(settings_.SetDuplex(true));  // no duplex field
  EXPECT_FALSE(settings_.Duplex());
}

TEST_F(Settings, PaperSizesAreStoredOnlyWhenTheDeviceListsThem) {
  settings_.SetPrinter(&Printer());
  EXPECT_FALSE(settings_.SetPaperSize(TQRPaperSize::A5));
  EXPECT_EQ(settings_.PaperSize(), TQRPaperSize::A4);
  EXPECT_TRUE(settings_.SetPaperSize(TQRPaperSize::Letter));
  EXPECT_EQ(settings_.PaperSize(), TQRPaperSize::Letter);
  EXPECT_EQ(settings_.PaperWidth(), 2159);
  EXPECT_EQ(settings_.PaperLength(), 2794);
  settings_.SetPaperSize(TQRPaperSize::Default);
  EXPECT_EQ(settings_.PaperSize(), TQRPaperSize::Default);

  // Custom keeps the stored size.
  EXPECT_TRUE(settings_.SetPaperSize(TQRPaperSize::Custom));
  settings_.SetPaperWidth(1000);
  settings_.SetPaperLength(505);
  EXPECT_EQ(settings_.PaperWidth(), 1000);
  EXPECT_EQ(settings_.PaperLength(), 505);
}

TEST_F(Settings, ApplyWritesTheWishesIntoThePrintersDeviceMode) {
  DevMode().dmFields |= DM_DUPLEX;
  settings_.SetPrinter(&Printer());
  ASSERT_TRUE(settings_.SetPaperSize(TQRPaperSize::Letter));
  settings_.SetCopies(4);
  settings_.SetOrientation(poLandscape);
  settings_.SetOutputBin(TQRBin::Upper);
  settings_.SetDuplex(true);
  settings_.SetExtendedDuplex(0);
  settings_.ApplySettings();

  DEVMODEW dm = PrinterDevMode();
  EXPECT_EQ(dm.dmPaperSize, 1);
  EXPECT_EQ(dm.dmCopies, 4);
  EXPECT_EQ(dm.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(dm.dmDefaultSource, 1);
  EXPECT_EQ(dm.dmDuplex, 3);
  EXPECT_TRUE(dm.dmFields & DM_COPIES && dm.dmFields & DM_DUPLEX && dm.dmFields & DM_DEFAULTSOURCE &&
              dm.dmFields & DM_ORIENTATION);
  // A standard paper sends no length and width of its own.
  EXPECT_EQ(dm.dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH), 0u);

  settings_.SetExtendedDuplex(2);
  settings_.SetOutputBin(TQRBin::Auto);
  settings_.SetUseCustomBinCode(true);
  settings_.SetCustomBinCode(260);
  settings_.ApplySettings();
  dm = PrinterDevMode();
  EXPECT_EQ(dm.dmDuplex, 2);
  EXPECT_EQ(dm.dmDefaultSource, 260);
}

TEST_F(Settings, CustomPaperSendsTheUserCodeWithItsPortraitSize) {
  settings_.SetPrinter(&Printer());
  ASSERT_TRUE(settings_.SetPaperSize(TQRPaperSize::Custom));
  settings_.SetPaperWidth(1000);
  settings_.SetPaperLength(505);
  settings_.SetOrientation(poLandscape);
  settings_.ApplySettings();
  DEVMODEW dm = PrinterDevMode();
  EXPECT_EQ(dm.dmPaperSize, 256);
  EXPECT_EQ(dm.dmPaperWidth, 1000);
  EXPECT_EQ(dm.dmPaperLength, 505);
  EXPECT_EQ(dm.dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH), static_cast<DWORD>(DM_PAPERLENGTH | DM_PAPERWIDTH));

  // Back to a standard size: the custom length and width no longer count.
  ASSERT_TRUE(settings_.SetPaperSize(TQRPaperSize::A4));
  settings_.ApplySettings();
  dm = PrinterDevMode();
  EXPECT_EQ(dm.dmPaperSize, 9);
  EXPECT_EQ(dm.dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH), 0u);

  // A code of the report's own replaces the size's code.
  settings_.SetUseCustomPaperCode(true);
  settings_.SetCustomPaperCode(300);
  settings_.ApplySettings();
  EXPECT_EQ(PrinterDevMode().dmPaperSize, 300);
}

// A device may give the user paper code to a paper of its own (a PostScript
// driver numbers its printer description's papers from it): the code would
// print on that paper, so the user size goes by length and width alone. A
// device whose user code has no size of its own, or the asked size, keeps it.
TEST_F(Settings, AUserCodeThatNamesAnotherPaperIsNotSent) {
  printer_.PaperSizes = {{2159, 2794}, {2099, 2970}, {2794, 3556}};  // 256 is 11 x 14 in
  settings_.SetPrinter(&Printer());
  ASSERT_TRUE(settings_.SetPaperSize(TQRPaperSize::Custom));
  settings_.SetPaperWidth(1000);
  settings_.SetPaperLength(1500);
  settings_.ApplySettings();
  DEVMODEW dm = PrinterDevMode();
  EXPECT_EQ(dm.dmFields & DM_PAPERSIZE, 0u);
  EXPECT_EQ(dm.dmPaperSize, 0);
  EXPECT_EQ(dm.dmPaperWidth, 1000);
  EXPECT_EQ(dm.dmPaperLength, 1500);
  EXPECT_EQ(dm.dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH), static_cast<DWORD>(DM_PAPERLENGTH | DM_PAPERWIDTH));

  // The same size as the device's user paper: the code goes as usual.
  settings_.SetPaperWidth(2794);
  settings_.SetPaperLength(3556);
  settings_.ApplySettings();
  dm = PrinterDevMode();
  EXPECT_EQ(dm.dmFields & DM_PAPERSIZE, static_cast<DWORD>(DM_PAPERSIZE));
  EXPECT_EQ(dm.dmPaperSize, 256);

  // A code of the report's own is sent as it is.
  settings_.SetPaperWidth(1000);
  settings_.SetPaperLength(1500);
  settings_.SetUseCustomPaperCode(true);
  settings_.SetCustomPaperCode(256);
  settings_.ApplySettings();
  EXPECT_EQ(PrinterDevMode().dmPaperSize, 256);

  // After a user size went out alone, a standard paper, also through fresh
  // settings, gets its code again.
  settings_.SetUseCustomPaperCode(false);
  settings_.ApplySettings();
  ASSERT_EQ(PrinterDevMode().dmFields & DM_PAPERSIZE, 0u);
  TPrinterSettings fresh;
  fresh.SetPrinter(&Printer());
  ASSERT_TRUE(fresh.SetPaperSize(TQRPaperSize::A4));
  fresh.ApplySettings();
  dm = PrinterDevMode();
  EXPECT_EQ(dm.dmFields & DM_PAPERSIZE, static_cast<DWORD>(DM_PAPERSIZE));
  EXPECT_EQ(dm.dmPaperSize, 9);
  EXPECT_EQ(dm.dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH), 0u);
}

TEST_F(Settings, QualityColourAndCollationReachDevicesThatHaveTheFields) {
  DevMode().dmFields |= DM_COLLATE;
  settings_.SetPrinter(&Printer());
  settings_.SetPrintQuality(600);
  settings_.SetColorOption(DMCOLOR_MONOCHROME);
  settings_.SetCollate(1);
  settings_.ApplySettings();
  DEVMODEW dm = PrinterDevMode();
  EXPECT_EQ(dm.dmPrintQuality, 600);
  EXPECT_EQ(dm.dmColor, DMCOLOR_MONOCHROME);
  EXPECT_EQ(dm.dmCollate, DMCOLLATE_TRUE);

  // Values a device mode cannot hold leave the device's own.
  settings_.SetPrintQuality(0);
  settings_.SetColorOption(7);
  settings_.ApplySettings();
  dm = PrinterDevMode();
  EXPECT_EQ(dm.dmPrintQuality, 600);
  EXPECT_EQ(dm.dmColor, DMCOLOR_MONOCHROME);
}

TEST_F(Settings, FieldsTheDeviceLacksAreNotForced) {
  DevMode().dmFields &= ~static_cast<DWORD>(DM_PRINTQUALITY | DM_COLOR | DM_PAPERSIZE);
  DevMode().dmPrintQuality = 0;
  settings_.SetPrinter(&Printer());
  settings_.SetPrintQuality(600);
  settings_.SetCollate(1);
  settings_.ApplySettings();
  DEVMODEW dm = PrinterDevMode();
  EXPECT_EQ(dm.dmPrintQuality, 0);
  EXPECT_EQ(dm.dmFields & (DM_PRINTQUALITY | DM_COLOR | DM_COLLATE | DM_PAPERSIZE), 0u);
}

TEST_F(Settings, ApplyHandlerSeesTheFilledModeAndCancelKeepsThePrinters) {
  settings_.SetPrinter(&Printer());
  settings_.SetCopies(7);
  int seenCopies = 0;
  settings_.OnApplyPrinterSettings = [&](TObject* sender, bool& cancel, void* devMode) {
    EXPECT_EQ(sender, &settings_);
    seenCopies = static_cast<DEVMODEW*>(devMode)->dmCopies;
    cancel = true;
  };
  settings_.ApplySettings();
  EXPECT_EQ(seenCopies, 7);
  EXPECT_EQ(PrinterDevMode().dmCopies, 1);

  settings_.OnApplyPrinterSettings = [](TObject*, bool&, void*) {};
  settings_.ApplySettings();
  EXPECT_EQ(PrinterDevMode().dmCopies, 7);
}

TEST_F(Settings, GetHandlerCancelReadsNothing) {
  DevMode().dmCopies = 3;
  settings_.OnGetPrinterSettings = [](TObject*, bool& cancel, void* devMode) {
    EXPECT_NE(devMode, nullptr);
    cancel = true;
  };
  settings_.SetPrinter(&Printer());
  EXPECT_EQ(settings_.Copies(), 1);
  EXPECT_EQ(settings_.PixelsPerX(), 0);
  EXPECT_FALSE(settings_.SupportedPapersRead());
}

// Devices that answer no resolution, no device context or no driver.
TEST_F(Settings, BadDeviceAnswersGiveSaneSettings) {
  struct Case {
    const char* Name;
    TQRDeviceFacts Facts;
    bool Answers;
  };
  const Case cases[] = {
      {"no resolution", {0, 0, 100, 120, 4960, 7016}, true},
      {"no vertical resolution", {600, 0, 100, 120, 4960, 7016}, true},
      {"negative resolution", {-1, -1, 100, 120, 4960, 7016}, true},
      {"no device context", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    device_.Facts = c.Facts;
    device_.Answers = c.Answers;
    device_.DriverAnswers = false;
    TPrinterSettings settings;
    settings.SetPrinter(&Printer());
    settings.SetPaperSize(TQRPaperSize::Default);
    EXPECT_EQ(settings.PixelsPerX(), 0);
    EXPECT_EQ(settings.PixelsPerY(), 0);
    EXPECT_EQ(settings.LeftOffset(), 0);
    EXPECT_EQ(settings.TopOffset(), 0);
    // The device mode says A4: the paper comes from the table.
    EXPECT_EQ(settings.PaperWidth(), 2100);
    EXPECT_EQ(settings.PaperLength(), 2970);
    EXPECT_EQ(settings.Driver(), "Fake Driver");
    EXPECT_TRUE(settings.SupportsPaperSize(TQRPaperSize::A4));
  }
}

TEST_F(Settings, APaperListTheDeviceCannotGiveLeavesTheFlags) {
  printer_.Papers.clear();
  settings_.SetPrinter(&Printer());
  EXPECT_TRUE(settings_.SupportedPapersRead());
  EXPECT_FALSE(settings_.SupportsPaperSize(TQRPaperSize::A4));
  EXPECT_FALSE(settings_.SetPaperSize(TQRPaperSize::Letter));
  EXPECT_EQ(settings_.PaperSize(), TQRPaperSize::A4);
}

TEST(PrinterSettingsWithoutPrinters, NothingIsReadOrWritten) {
  TFakeSpooler spooler;
  SpoolerScope scope(spooler);
  TPrinter printer;
  TPrinterSettings settings;
  settings.SetPrinter(&printer);
  settings.ApplySettings();
  EXPECT_EQ(settings.PixelsPerX(), 0);
  EXPECT_FALSE(settings.SupportedPapersRead());
  EXPECT_FALSE(settings.HasField(DM_COPIES));
  EXPECT_FALSE(settings.SetOrientation(poLandscape));
}

// The test desktop's PDF queue, read through the platform's own calls.
TEST(PrinterSettingsOnTheDesktop, TheQueueGivesResolutionPaperAndDriver) {
  std::string queue = test_queues::Env("DOZURI_PDF_PRINTER");
  if (queue.empty())
    GTEST_SKIP() << "no test printer on this desktop";
  TPrinter printer;
  int index = printer.Printers().IndexOf(queue);
  ASSERT_GE(index, 0) << queue;
  printer.SetPrinterIndex(index);
  TPrinterSettings settings;
  settings.SetPrinter(&printer);
  EXPECT_EQ(settings.Device(), queue);
  EXPECT_GT(settings.PixelsPerX(), 0);
  EXPECT_GT(settings.PixelsPerY(), 0);
  EXPECT_GT(settings.PaperWidth(), 0);
  EXPECT_GT(settings.PaperLength(), settings.PaperWidth() / 2);
  EXPECT_FALSE(settings.Driver().empty());
  EXPECT_EQ(settings.Driver().find('\\'), AnsiString::npos);
  EXPECT_TRUE(settings.SupportedPapersRead());
  EXPECT_TRUE(settings.SupportsPaperSize(TQRPaperSize::A4) || settings.SupportsPaperSize(TQRPaperSize::Letter));

  // Written back and read again, a supported paper and the orientation stay.
  TQRPaperSize paper = settings.SupportsPaperSize(TQRPaperSize::A4) ? TQRPaperSize::A4 : TQRPaperSize::Letter;
  ASSERT_TRUE(settings.SetPaperSize(paper));
  ASSERT_TRUE(settings.SetOrientation(poLandscape));
  settings.ApplySettings();
  EXPECT_EQ(printer.Orientation(), poLandscape);
  TPrinterSettings again;
  again.SetPrinter(&printer);
  EXPECT_EQ(again.PaperSize(), paper);
  EXPECT_EQ(again.PaperWidth(), PaperWidthOf(paper));
}

}  // namespace
