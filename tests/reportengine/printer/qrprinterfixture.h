// What the printer object's tests share: a window that records the notices
// it gets, a stand-in report, page runs with a known text per page, and the
// texts a page metafile holds. Header-only.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "classlib/controls/wincontrol.h"
#include "classlib/graphics/metafile.h"
#include "classlib/graphics/screenfacts.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/printer/qrprinterdevice.h"
#include "tests/support/formfixture.h"

namespace qrprinter_test {

// A window that keeps the printer object's messages (WM_USER .. WM_USER+4).
class RecordingTarget : public TWinControl {
public:
  explicit RecordingTarget(TComponent* AOwner) : TWinControl(AOwner) {}
  struct Message {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
  };
  std::vector<Message> Messages;
  std::function<void(UINT, WPARAM, LPARAM)> OnMessage;

  std::vector<WPARAM> WParamsOf(UINT msg) const {
    std::vector<WPARAM> values;
    for (const Message& m : Messages)
      if (m.Msg == msg)
        values.push_back(m.WParam);
    return values;
  }
  std::vector<std::pair<WPARAM, LPARAM>> Received(UINT msg) const {
    std::vector<std::pair<WPARAM, LPARAM>> values;
    for (const Message& m : Messages)
      if (m.Msg == msg)
        values.emplace_back(m.WParam, m.LParam);
    return values;
  }

  void WndProc(TMessage& message) override {
    if (message.Msg >= WM_USER && message.Msg <= WM_USER + 4) {
      Messages.push_back({message.Msg, message.WParam, message.LParam});
      if (OnMessage)
        OnMessage(message.Msg, message.WParam, message.LParam);
      return;
    }
    TWinControl::WndProc(message);
  }
};

inline RecordingTarget* AddTarget(test_support::FormFixture& form) {
  auto* target = form.Add<RecordingTarget>(0, 0, 20, 20);
  target->HandleNeeded();
  return target;
}

// A report as the printer object sees its parent.
class TestReport : public TComponent, public IQRPrinterParent {
public:
  TestReport() : TComponent(nullptr) {}
  bool ParentUseStandardPrinter() const override { return false; }
  std::int32_t ParentMemoryLimit() const override { return 250000; }
  bool ParentShowProgress() const override { return ShowProgress; }
  bool ParentExporting() const override { return Exporting; }
  void ParentAfterPrint() override { ++AfterPrintCount; }

  bool ShowProgress = false;
  bool Exporting = false;
  int AfterPrintCount = 0;
};

// A printer device that reports no resolution and no offsets.
class NoResolutionDevice : public TQRPrinterDevice {
public:
  bool DeviceFacts(TPrinter&, TQRDeviceFacts& facts) override {
    facts = TQRDeviceFacts{};
    return true;
  }
};

// A 600 dpi device on A4 without margins.
class FixedDevice : public TQRPrinterDevice {
public:
  bool DeviceFacts(TPrinter&, TQRDeviceFacts& facts) override {
    facts = TQRDeviceFacts{600, 600, 0, 0, 4961, 7016};
    return true;
  }
  bool DriverPath(const AnsiString&, AnsiString& path) override {
    path = "C:\\windows\\system32\\fake.drv";
    return true;
  }
};

inline std::wstring PageText(int n) {
  return L"Sayfa " + std::to_wstring(n);
}

inline AnsiString ToAnsi(const std::wstring& ascii) {
  return AnsiString(ascii.begin(), ascii.end());
}

// BeginDoc, pages 1..count each with its PageText, EndDoc.
inline void RunMetafilePages(TQRPrinter& printer, int count) {
  printer.BeginDoc();
  for (int n = 1; n <= count; ++n) {
    printer.NewPage();
    TCanvas& canvas = printer.CurrentCanvas();
    canvas.Font().SetName("Arial");
    canvas.Font().SetSize(14);
    canvas.TextOut(printer.DeviceX(200), printer.DeviceY(200), ToAnsi(PageText(n)));
  }
  printer.EndDoc();
}

// The texts of every EMR_EXTTEXTOUTW record of a page.
inline std::vector<std::wstring> TextsOf(TMetafile& page) {
  std::vector<std::wstring> texts;
  EnumEnhMetaFile(
      nullptr, page.Handle(),
      [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
        if (record->iType == EMR_EXTTEXTOUTW) {
          auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
          auto* chars =
              reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
          reinterpret_cast<std::vector<std::wstring>*>(data)->emplace_back(chars, text->emrtext.nChars);
        }
        return 1;
      },
      &texts, nullptr);
  return texts;
}

template <class F>
void ExpectQRError(F&& call, const char* message) {
  try {
    call();
    ADD_FAILURE() << "no EQRError, expected \"" << message << "\"";
  } catch (const EQRError& e) {
    EXPECT_EQ(e.Message, message);
  }
}

}  // namespace qrprinter_test
