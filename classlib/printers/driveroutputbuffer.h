// The output of a printer driver that runs in this process, gathered into
// large blocks before it reaches the spooler.
//
// A PostScript driver writes much of a page's data (its downloaded fonts
// above all) a couple of bytes per call; each call goes through the
// spooler's handle look-up, its locks and a file write. Gathering the bytes
// into blocks of BlockSize and handing each block over in one call leaves
// the job's bytes and their order exactly as they were. Whatever ends,
// reads, seeks or closes the job first hands over what is gathered.
//
// InstallDriverOutputBuffer redirects the named driver module's calls to
// the spooler (its import table) through the buffer; it does nothing when
// that module is not loaded here or imports none of them.
#pragma once
#include <windows.h>

#include <cstddef>

namespace driveroutput {

inline constexpr std::size_t BlockSize = 64 * 1024;

// True when the module's spooler imports now go through the buffer (also
// when an earlier call already redirected them).
bool InstallDriverOutputBuffer(const wchar_t* DriverModule);

// The calls the driver's imports are pointed at.
BOOL WINAPI BufferedWritePrinter(HANDLE Printer, LPVOID Data, DWORD Size, LPDWORD Written);
BOOL WINAPI FlushingEndDocPrinter(HANDLE Printer);
BOOL WINAPI FlushingClosePrinter(HANDLE Printer);
BOOL WINAPI FlushingSeekPrinter(HANDLE Printer, LARGE_INTEGER Distance, PLARGE_INTEGER NewPointer,
                                DWORD Method, BOOL Write);
BOOL WINAPI FlushingReadPrinter(HANDLE Printer, LPVOID Data, DWORD Size, LPDWORD Read);

// What is gathered for the printer, handed over now; false when the
// spooler refused it (the gathered bytes are dropped then, as an unbuffered
// write would have lost them).
bool FlushDriverOutput(HANDLE Printer);

}  // namespace driveroutput
