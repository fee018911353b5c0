// TOpenPictureDialog: an open dialog whose filter lists the picture formats
// the graphics classes can load.
#pragma once
#include "classlib/forms/dialogs.h"

class TOpenPictureDialog : public TOpenDialog {
  DECLARE_CLASS(TOpenPictureDialog, TOpenDialog)

public:
  explicit TOpenPictureDialog(TComponent* AOwner);
};

// "All (*.bmp;*.jpg;...)|*.bmp;*.jpg;...|Bitmaps (*.bmp)|*.bmp|..." for the
// file formats TPicture knows.
AnsiString GraphicFilter();
