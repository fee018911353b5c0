#include "layouts/core/newlayoutpresets.h"

#include <gtest/gtest.h>

#include "layouts/core/bindinghints.h"

namespace {

TEST(InvoicePresets, TheirHintsCarryTheThreeLinesInOrderAndMakeAnInvoicePage) {
  struct Case {
    const char* Kind;
    TInvoicePreset Preset;
    const char* Hint;
  };
  for (const Case& c : {Case{"graphic", GraphicInvoicePreset,
                             "HAREKETBASLANGIC=75\r\nHAREKETALANIYUKSEKLIK=200\r\nHAREKETSAYISI=40"},
                        Case{"text", TextInvoicePreset,
                             "HAREKETBASLANGIC=16\r\nHAREKETALANIYUKSEKLIK=35\r\nHAREKETSAYISI=35"}}) {
    SCOPED_TRACE(c.Kind);
    const AnsiString text = InvoicePageHint(c.Preset);
    EXPECT_EQ(text, c.Hint);
    const TBindingHint hint(text);
    EXPECT_TRUE(hint.IsInvoicePage());
    EXPECT_EQ(hint.HareketSayisi(), c.Preset.HareketSayisi);
  }
}

}  // namespace
