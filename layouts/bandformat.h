// What the runner's band handlers do to a band and the controls on it for
// one record: the record's QR_EK formatting, the blanking of placeholder
// labels, and the columns of a multi-column label band.
#pragma once
#include "classlib/controls/wincontrol.h"
#include "layouts/core/qrekitems.h"

class TDataSet;

// The band's font loses its styles, then takes the record's items: colour,
// font size, font colour and styles. Printables that use their parent's
// font follow the band.
void ApplyQrEk(TControl& Band, const TQrEkFormat& Format);

// Every printable placed on the band (barcode proxies included) prints
// only when Enabled.
void EnableBandPrintables(TWinControl& Band, bool Enabled);

// True when the data set has a field of that name that is true for the
// current record; false when it lacks the field.
bool BooleanFieldIsTrue(const TDataSet& DataSet, const AnsiString& FieldName);

// The controls of a multi-column label band that stand in column Column
// (their HelpContext) and publish Enabled.
std::vector<TControl*> ControlsInLabelColumn(TWinControl& Band, int Column);
