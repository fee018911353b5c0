#include "app/shell/programidentity.h"

bool FocusOnInsert = false;
AnsiString ActiveListFile;

AnsiString MainFormTitle() { return AnsiString(ApplicationTitle) + " " + ProgramVersion; }
