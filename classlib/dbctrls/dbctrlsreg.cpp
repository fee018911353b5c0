#include "classlib/dbctrls/dbctrlsreg.h"

#include "classlib/data/dbregister.h"
#include "classlib/dbctrls/dbactns.h"
#include "classlib/dbctrls/dbcheckbox.h"
#include "classlib/dbctrls/dbcombobox.h"
#include "classlib/dbctrls/dbdateedit.h"
#include "classlib/dbctrls/dbedit.h"
#include "classlib/dbctrls/dbgrid.h"
#include "classlib/dbctrls/dbimage.h"
#include "classlib/dbctrls/dbmemo.h"
#include "classlib/dbctrls/dbnavigator.h"
#include "classlib/dbctrls/dbtext.h"
#include "classlib/dbctrls/rxdbgrid.h"

void RegisterDataControls() {
  RegisterDataClasses();
  RegisterClasses({TDBEdit::StaticClass(), TDBText::StaticClass(), TDBGrid::StaticClass(), TDBMemo::StaticClass(),
                   TDBCheckBox::StaticClass(), TDBComboBox::StaticClass(), TDBImage::StaticClass(),
                   TDBNavigator::StaticClass(),
                   TDataSetFirst::StaticClass(), TDataSetPrior::StaticClass(), TDataSetNext::StaticClass(),
                   TDataSetLast::StaticClass(), TDataSetInsert::StaticClass(), TDataSetDelete::StaticClass(),
                   TDataSetEdit::StaticClass(), TDataSetPost::StaticClass(), TDataSetCancel::StaticClass(),
                   TDataSetRefresh::StaticClass()});
  RegisterClasses({TRxDBGrid::StaticClass(), TDBDateEdit::StaticClass()});
}
