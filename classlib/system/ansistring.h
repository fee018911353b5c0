// AnsiString: 8-bit text in Windows code page 1254, the system's own encoding.
#pragma once
#include <string>

using AnsiString = std::string;
