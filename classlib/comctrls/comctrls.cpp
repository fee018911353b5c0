#include "classlib/comctrls/comctrls.h"

#include "classlib/comctrls/hotkey.h"
#include "classlib/comctrls/listview.h"
#include "classlib/comctrls/pagecontrol.h"
#include "classlib/comctrls/progressbar.h"
#include "classlib/comctrls/richedit.h"
#include "classlib/comctrls/statusbar.h"
#include "classlib/comctrls/tabcontrol.h"
#include "classlib/comctrls/toolbar.h"
#include "classlib/comctrls/trackbar.h"
#include "classlib/comctrls/treeview.h"
#include "classlib/comctrls/updown.h"

void InitCommonControl(DWORD Classes) {
  static DWORD registered = 0;
  if ((registered & Classes) == Classes)
    return;
  INITCOMMONCONTROLSEX icc{sizeof(icc), Classes};
  if (InitCommonControlsEx(&icc))
    registered |= Classes;
}

void RegisterComCtrls() {
  RegisterClasses({TTabControl::StaticClass(), TPageControl::StaticClass(), TTabSheet::StaticClass(),
                   TStatusBar::StaticClass(), TToolBar::StaticClass(), TToolButton::StaticClass(),
                   TProgressBar::StaticClass(), TTrackBar::StaticClass(), TUpDown::StaticClass(),
                   THotKey::StaticClass(), TListView::StaticClass(), TTreeView::StaticClass(),
                   TRichEdit::StaticClass()});
}
