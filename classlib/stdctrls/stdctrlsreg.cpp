#include "classlib/stdctrls/stdctrlsreg.h"

#include "classlib/stdctrls/bevel.h"
#include "classlib/stdctrls/bitbtn.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/filenameedit.h"
#include "classlib/stdctrls/groupbox.h"
#include "classlib/stdctrls/image.h"
#include "classlib/stdctrls/listbox.h"
#include "classlib/stdctrls/maskedit.h"
#include "classlib/stdctrls/memo.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/stdctrls/paintbox.h"
#include "classlib/stdctrls/radiogroup.h"
#include "classlib/stdctrls/rxlabel.h"
#include "classlib/stdctrls/rxspeedbutton.h"
#include "classlib/stdctrls/rxspinedit.h"
#include "classlib/stdctrls/scrollbar.h"
#include "classlib/stdctrls/scrollbox.h"
#include "classlib/stdctrls/shape.h"
#include "classlib/stdctrls/speedbutton.h"
#include "classlib/stdctrls/splitter.h"

void RegisterStdControls() {
  static const bool registered = [] {
    RegisterClasses({TMemo::StaticClass(), TMaskEdit::StaticClass(), TCheckBox::StaticClass(),
                     TRadioButton::StaticClass(), TGroupBox::StaticClass(), TRadioGroup::StaticClass(),
                     TComboBox::StaticClass(), TListBox::StaticClass(), TScrollBar::StaticClass(),
                     TBitBtn::StaticClass(), TSpeedButton::StaticClass(), TBevel::StaticClass(),
                     TShape::StaticClass(), TImage::StaticClass(), TPaintBox::StaticClass(),
                     TScrollBox::StaticClass(), TSplitter::StaticClass(), TCurrencyEdit::StaticClass(),
                     TRxCalcEdit::StaticClass(), TRxSpinEdit::StaticClass(), TFilenameEdit::StaticClass(),
                     TRxSpeedButton::StaticClass(), TRxLabel::StaticClass()});
    return true;
  }();
  (void)registered;
}
