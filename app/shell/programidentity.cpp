#include "app/shell/programidentity.h"

bool FocusOnInsert = false;
AnsiString ActiveListFile;

AnsiString MainFormCaption() { return AnsiString(ApplicationTitle) + " " + ProgramVersion; }
