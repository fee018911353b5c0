#include "layouts/core/newlayoutpresets.h"

#include "classlib/system/numconv.h"
#include "layouts/core/bindinghints.h"

AnsiString InvoicePageHint(const TInvoicePreset& Preset) {
  return AnsiString(PageHareketBaslangic) + "=" + IntToStr(Preset.HareketBaslangic) + "\r\n" +
         PageHareketAlaniYukseklik + "=" + IntToStr(Preset.HareketAlaniYukseklik) + "\r\n" + PageHareketSayisi +
         "=" + IntToStr(Preset.HareketSayisi);
}
