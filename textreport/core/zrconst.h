// The text engine's string table and its exception class.
//
// Every message and caption of the text engine is an English text of this
// table, looked up by its id; every error of the engine is raised as an
// EZRError carrying such a text.
#pragma once
#include <initializer_list>

#include "classlib/system/ansistring.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/format.h"

DOZURI_EXCEPTION(EZRError, Exception);

enum TZRStringId {
  // Document state and output
  SZRNotReady,
  SZRNotStarted,
  SZRCancelled,
  SZROutOfPageBounds,
  SZRInvalidPageRange,
  SZRInvalidFileName,
  // Variables, bands and controls
  SZRCircularReference,
  SZRBandNoChildren,
  SZRBandNoSubcontrollers,
  SZRBandCannotStretch,
  SZRCircularLinks,
  SZRReportOrBandsOnly,
  SZRReportBandsOnly,
  SZRDeleteBandQuestion,
  SZRControllerVariables,
  // Escape models and values
  SZRCustomModel,
  SZRNoneModel,
  SZRTrue,
  SZRFalse,
  // Preview
  SZRProcessing,
  SZRExit,
  SZRPrint,
  SZRSearch,
  SZRFirstPageHint,
  SZRPrevPageHint,
  SZRNextPageHint,
  SZRLastPageHint,
  SZRPageNumberHint,
  SZRSetupHint,
  SZRSaveHint,
  SZRLoadHint,
  SZRPrintHint,
  SZRSearchHint,
  SZRPageOf,
  SZRGoToPage,
  SZRSearchNotFound,
  SZRTextFileFilter,
  // Printer setup
  SZRConvertToOEM,
  SZRIgnoreFontStyles,
  SZREscapeSequence,
  SZRPrinterSetup,
  SZROk,
  SZRCancel,
  SZRHelp,
  SZRHostDesignText,
  // Search and progress
  SZRSearchCaption,
  SZRTextToSearch,
  SZRCaseSensitive,
  SZRFromCurrentPosition,
  SZRFind,
  SZRContinue,
  SZRPrinting,
  SZRComplete,
  SZRStringCount
};

// The text of an id; "" for an id outside the table.
const char* LoadZRString(TZRStringId id);

// Raises EZRError with the text of id formatted with the arguments.
[[noreturn]] void RaiseZRError(TZRStringId id, std::initializer_list<TVarRec> arguments = {});
