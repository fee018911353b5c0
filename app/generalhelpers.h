// Where the program's files live, and the Turkish upper-casing the record
// filter compares with.
#pragma once
#include "classlib/system/ansistring.h"

// The running program's folder, with a trailing path delimiter.
AnsiString ExeDir();
// ExeDir + "Data\". Not created here: the main form makes it at start-up.
AnsiString DataDir();
// ExeDir + "Data\Ini\", made (with every missing parent) when missing. A
// failure to make it shows later, when a file in it is opened.
AnsiString IniDir();

// Upper-cases code page 1254 text by the Turkish rules, byte for byte:
// ı and I become I, i and İ become İ, çğöüş become ÇĞÖÜŞ, then a..z become
// A..Z. The result has as many bytes as the input, which prefix filters
// rely on.
AnsiString TurkishUpperCase(const AnsiString& text);
// One character of it.
char TurkishUpperChar(char c);

// The program's full file name; tests point it elsewhere.
AnsiString ProgramFileName();
void SetProgramFileNameForTesting(const AnsiString& fileName);
