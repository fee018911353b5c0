#include "classlib/forms/dialogservice.h"

#include "classlib/forms/application.h"
#include "classlib/forms/dialogtexts.h"
#include "classlib/forms/win32dialogs.h"

namespace {
TDialogService* installed = nullptr;
}

TDialogService& DialogService() { return installed != nullptr ? *installed : Win32DialogService(); }

TDialogService* SetDialogService(TDialogService* Service) {
  TDialogService* previous = installed;
  installed = Service;
  return previous;
}

TModalResult ModalResultOf(TMsgDlgBtn Button) {
  static constexpr TModalResult results[] = {mrYes,   mrNo,     mrOk,  mrCancel,  mrAbort,   mrRetry,
                                             mrIgnore, mrAll,   mrNoToAll, mrYesToAll, mrNone};
  return results[Button];
}

AnsiString MessageDlgCaption(TMsgDlgType DlgType) {
  return DlgType == mtCustom ? Application->Title() : MessageTypeText(DlgType);
}

bool TDialogService::ExecutePrintBlock(PRINTDLGW& Block) { return PrintDlgW(&Block) != FALSE; }
