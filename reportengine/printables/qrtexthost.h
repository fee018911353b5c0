// What the text printables ask of the report they print on and of the band
// that holds them: text measures in the report's way, the band's growth for
// stretching labels, and the run's values that the data printables show.
// One place that knows the report and band classes, so the label classes
// speak only to TQRBasePanel and TWinControl.
#pragma once
#include "classlib/system/ansistring.h"

class TComponent;
class TDataSet;
class TFont;
class TList;
class TQRBasePanel;
class TQREvEnvironment;
class TQRPrintable;
class TWinControl;

// The report's width of Text in Font, in screen pixels: through the run's
// printer canvas (scaled to 96 pixels per inch) while a run prints on the
// printer, otherwise the extent on a screen-compatible context plus 1.
int QRReportTextWidth(TQRBasePanel& Report, TFont& Font, const AnsiString& Text);
// The height of a one-character text in Font on the screen-compatible
// context.
int QRReportTextHeight(TQRBasePanel& Report, TFont& Font);

// Whether Band is a band that can grow by Amount (0.1 mm) on its page.
bool QRBandCanExpand(TWinControl* Band, long double Amount);
// Grows Band by Amount for a stretching printable; NewExpanded is the band's
// growth during its print so far (see the band's ExpandBand).
void QRBandExpand(TWinControl* Band, long double Amount, long double& NewExpanded, bool& HasExpanded);

// The run's values the system-data printable shows.
bool QRIsQuickRep(TQRBasePanel* Report);
int QRReportPageNumber(TQRBasePanel* Report);
AnsiString QRReportTitle(TQRBasePanel* Report);
// The record count of the report's data set when it is assigned and open,
// else 1 (also 1 when asking fails).
int QRReportDetailCount(TQRBasePanel* Report);
int QRReportDetailNumber(TQRBasePanel* Report);

// What an expression printable binds to: the report's data sets and its
// functions, and the notify lists that make it count printed details.
TList* QRReportDataSets(TQRBasePanel* Report);
TQREvEnvironment* QRReportFunctions(TQRBasePanel* Report);
// Registers Client with Master's notify list: a report's, or the controller
// of a sub-detail. Gives False when Master is neither.
bool QRAddNotifyClient(TComponent* Master, TQRPrintable* Client);
// Takes Client off Master's notify list again.
void QRRemoveNotifyClient(TComponent* Master, TQRPrintable* Client);
