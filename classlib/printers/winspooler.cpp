#include "classlib/printers/winspooler.h"

#include "classlib/graphics/wintext.h"
#include "classlib/printers/devmode.h"

namespace {

// An open printer handle for one call sequence.
class OpenedPrinter {
public:
  explicit OpenedPrinter(const AnsiString& name, DWORD access = PRINTER_ACCESS_USE) {
    std::wstring wide = WideOf(name);
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
    if (!::OpenPrinterW(wide.data(), &handle_, &defaults))
      handle_ = nullptr;
  }
  ~OpenedPrinter() {
    if (handle_ != nullptr)
      ::ClosePrinter(handle_);
  }
  OpenedPrinter(const OpenedPrinter&) = delete;
  OpenedPrinter& operator=(const OpenedPrinter&) = delete;
  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

private:
  HANDLE handle_ = nullptr;
};

// GetPrinterW level 2 into a buffer of the size it asks for.
std::vector<std::uint8_t> PrinterInfo2(HANDLE printer) {
  DWORD needed = 0;
  ::GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (needed == 0)
    return {};
  std::vector<std::uint8_t> buffer(needed);
  if (!::GetPrinterW(printer, 2, buffer.data(), needed, &needed))
    return {};
  return buffer;
}

std::vector<WORD> WordCapabilities(const AnsiString& name, const AnsiString& port, WORD capability) {
  std::wstring device = WideOf(name), portW = WideOf(port);
  int count = ::DeviceCapabilitiesW(device.c_str(), portW.c_str(), capability, nullptr, nullptr);
  if (count <= 0)
    return {};
  std::vector<WORD> values(static_cast<std::size_t>(count));
  count = ::DeviceCapabilitiesW(device.c_str(), portW.c_str(), capability, reinterpret_cast<LPWSTR>(values.data()),
                                nullptr);
  values.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  return values;
}

}  // namespace

std::vector<AnsiString> TWinSpooler::PrinterNames() {
  DWORD needed = 0, returned = 0;
  DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  ::EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &returned);
  std::vector<AnsiString> names;
  if (needed == 0)
    return names;
  std::vector<std::uint8_t> buffer(needed);
  if (!::EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &returned))
    return names;
  const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i)
    names.push_back(AnsiOf(info[i].pPrinterName));
  return names;
}

AnsiString TWinSpooler::DefaultPrinter() {
  DWORD size = 0;
  ::GetDefaultPrinterW(nullptr, &size);
  if (size == 0)
    return AnsiString();
  std::wstring name(size, L'\0');
  if (!::GetDefaultPrinterW(name.data(), &size))
    return AnsiString();
  return AnsiOf(name.c_str());
}

bool TWinSpooler::GetPrinter(const AnsiString& name, TPrinterDetails& details) {
  OpenedPrinter printer(name);
  if (!printer)
    return false;
  std::vector<std::uint8_t> buffer = PrinterInfo2(printer.Get());
  if (buffer.empty())
    return false;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  details.Name = AnsiOf(info->pPrinterName);
  details.Driver = AnsiOf(info->pDriverName);
  details.Port = AnsiOf(info->pPortName);
  details.DevMode.clear();
  if (info->pDevMode != nullptr) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(info->pDevMode);
    details.DevMode.assign(p, p + DevModeSize(*info->pDevMode));
  }
  return true;
}

bool TWinSpooler::SetPrinter(const AnsiString& name, const std::vector<std::uint8_t>& devMode) {
  OpenedPrinter printer(name, PRINTER_ALL_ACCESS);
  if (!printer)
    return false;
  std::vector<std::uint8_t> buffer = PrinterInfo2(printer.Get());
  if (buffer.empty())
    return false;
  std::vector<std::uint8_t> mode = devMode;
  auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
  info->pDevMode = &DevModeOf(mode);
  info->pSecurityDescriptor = nullptr;  // leave the security alone
  return ::SetPrinterW(printer.Get(), 2, buffer.data(), 0) != FALSE;
}

std::vector<std::uint8_t> TWinSpooler::DocumentProperties(const AnsiString& name) {
  OpenedPrinter printer(name);
  if (!printer)
    return {};
  std::wstring device = WideOf(name);
  LONG size = ::DocumentPropertiesW(nullptr, printer.Get(), device.data(), nullptr, nullptr, 0);
  if (size <= 0)
    return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (::DocumentPropertiesW(nullptr, printer.Get(), device.data(), reinterpret_cast<DEVMODEW*>(bytes.data()), nullptr,
                            DM_OUT_BUFFER) != IDOK)
    return {};
  return bytes;
}

std::vector<WORD> TWinSpooler::Papers(const AnsiString& name, const AnsiString& port) {
  return WordCapabilities(name, port, DC_PAPERS);
}

std::vector<WORD> TWinSpooler::Bins(const AnsiString& name, const AnsiString& port) {
  return WordCapabilities(name, port, DC_BINS);
}

std::vector<AnsiString> TWinSpooler::PaperNames(const AnsiString& name, const AnsiString& port) {
  std::wstring device = WideOf(name), portW = WideOf(port);
  int count = ::DeviceCapabilitiesW(device.c_str(), portW.c_str(), DC_PAPERNAMES, nullptr, nullptr);
  std::vector<AnsiString> names;
  if (count <= 0)
    return names;
  // 64 characters per name, not necessarily terminated.
  std::vector<wchar_t> buffer(static_cast<std::size_t>(count) * 64);
  count = ::DeviceCapabilitiesW(device.c_str(), portW.c_str(), DC_PAPERNAMES, buffer.data(), nullptr);
  for (int i = 0; i < count; ++i) {
    const wchar_t* entry = buffer.data() + static_cast<std::size_t>(i) * 64;
    names.push_back(AnsiOf(entry, wcsnlen(entry, 64)));
  }
  return names;
}

std::vector<POINT> TWinSpooler::PaperSizes(const AnsiString& name, const AnsiString& port) {
  std::wstring device = WideOf(name), portW = WideOf(port);
  int count = ::DeviceCapabilitiesW(device.c_str(), portW.c_str(), DC_PAPERSIZE, nullptr, nullptr);
  if (count <= 0)
    return {};
  std::vector<POINT> sizes(static_cast<std::size_t>(count));
  count = ::DeviceCapabilitiesW(device.c_str(), portW.c_str(), DC_PAPERSIZE, reinterpret_cast<LPWSTR>(sizes.data()),
                                nullptr);
  sizes.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  return sizes;
}

int TWinSpooler::TrueType(const AnsiString& name, const AnsiString& port) {
  std::wstring device = WideOf(name), portW = WideOf(port);
  return ::DeviceCapabilitiesW(device.c_str(), portW.c_str(), DC_TRUETYPE, nullptr, nullptr);
}

int TWinSpooler::NumColors(const AnsiString& name) {
  std::wstring device = WideOf(name);
  HDC dc = ::CreateDCW(L"WINSPOOL", device.c_str(), nullptr, nullptr);
  if (dc == nullptr)
    return 0;
  int colors = ::GetDeviceCaps(dc, NUMCOLORS);
  ::DeleteDC(dc);
  return colors;
}

std::vector<TPrinterForm> TWinSpooler::EnumForms(const AnsiString& name) {
  OpenedPrinter printer(name);
  std::vector<TPrinterForm> forms;
  if (!printer)
    return forms;
  DWORD needed = 0, returned = 0;
  ::EnumFormsW(printer.Get(), 1, nullptr, 0, &needed, &returned);
  if (needed == 0)
    return forms;
  std::vector<std::uint8_t> buffer(needed);
  if (!::EnumFormsW(printer.Get(), 1, buffer.data(), needed, &needed, &returned))
    return forms;
  const auto* info = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i)
    forms.push_back(TPrinterForm{AnsiOf(info[i].pName), info[i].Flags, info[i].Size, RECT{info[i].ImageableArea.left,
                                 info[i].ImageableArea.top, info[i].ImageableArea.right, info[i].ImageableArea.bottom}});
  return forms;
}

namespace {

// AddFormW or SetFormW with the form as FORM_INFO_1W.
template <class Call>
bool WithFormInfo(const AnsiString& printerName, const TPrinterForm& form, Call call) {
  OpenedPrinter printer(printerName, PRINTER_ALL_ACCESS);
  if (!printer)
    return false;
  std::wstring formName = WideOf(form.Name);
  FORM_INFO_1W info{form.Flags, formName.data(), form.Size,
                    RECTL{form.ImageableArea.left, form.ImageableArea.top, form.ImageableArea.right,
                          form.ImageableArea.bottom}};
  return call(printer.Get(), formName.data(), reinterpret_cast<LPBYTE>(&info)) != FALSE;
}

}  // namespace

bool TWinSpooler::AddForm(const AnsiString& name, const TPrinterForm& form) {
  return WithFormInfo(name, form, [](HANDLE h, LPWSTR, LPBYTE info) { return ::AddFormW(h, 1, info); });
}

bool TWinSpooler::SetForm(const AnsiString& name, const TPrinterForm& form) {
  return WithFormInfo(name, form, [](HANDLE h, LPWSTR formName, LPBYTE info) { return ::SetFormW(h, formName, 1, info); });
}

TSpoolerHandle TWinSpooler::OpenPrinter(const AnsiString& name) {
  std::wstring wide = WideOf(name);
  HANDLE handle = nullptr;
  if (!::OpenPrinterW(wide.data(), &handle, nullptr))
    return 0;
  return reinterpret_cast<TSpoolerHandle>(handle);
}

DWORD TWinSpooler::StartDocPrinter(TSpoolerHandle printer, const AnsiString& docName, const AnsiString& dataType) {
  std::wstring doc = WideOf(docName), type = WideOf(dataType);
  DOC_INFO_1W info{doc.data(), nullptr, type.empty() ? nullptr : type.data()};
  return ::StartDocPrinterW(reinterpret_cast<HANDLE>(printer), 1, reinterpret_cast<LPBYTE>(&info));
}

bool TWinSpooler::StartPagePrinter(TSpoolerHandle printer) {
  return ::StartPagePrinter(reinterpret_cast<HANDLE>(printer)) != FALSE;
}

bool TWinSpooler::WritePrinter(TSpoolerHandle printer, const void* data, DWORD size, DWORD& written) {
  written = 0;
  return ::WritePrinter(reinterpret_cast<HANDLE>(printer), const_cast<void*>(data), size, &written) != FALSE;
}

bool TWinSpooler::EndPagePrinter(TSpoolerHandle printer) {
  return ::EndPagePrinter(reinterpret_cast<HANDLE>(printer)) != FALSE;
}

bool TWinSpooler::EndDocPrinter(TSpoolerHandle printer) {
  return ::EndDocPrinter(reinterpret_cast<HANDLE>(printer)) != FALSE;
}

bool TWinSpooler::AbortPrinter(TSpoolerHandle printer) {
  return ::AbortPrinter(reinterpret_cast<HANDLE>(printer)) != FALSE;
}

bool TWinSpooler::ClosePrinter(TSpoolerHandle printer) {
  return ::ClosePrinter(reinterpret_cast<HANDLE>(printer)) != FALSE;
}
