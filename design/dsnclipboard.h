// The system clipboard side of copying and pasting on the design surface:
// the block of design/core/clipboardblock.h under the registered format.
#pragma once
#include <windows.h>

#include <vector>

#include "classlib/classes/streams.h"

class TComponent;

// The number the system gives "Dsn_ClipboardFormat" (the same every time).
UINT DesignClipboardFormat();
bool DesignClipboardHasData();
// Replaces the clipboard's contents by the components, written with Root
// as root, in the given order.
void PutDesignClipboard(TComponent* Root, const std::vector<TComponent*>& Components);
// The records of the clipboard's block into Data; false when there is no
// block of the format or it is not one (see TakeClipboardBlock).
bool GetDesignClipboard(TMemoryStream& Data);
