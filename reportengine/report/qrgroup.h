// TQRGroup: a group header band. It prints whenever the value of its
// Expression changes between consecutive records of its master's loop, and
// its FooterBand prints when the group ends. The master (the report page or
// a controller band) owns the loop; its controller asks the group through
// CheckChanged, CheckReprint, PrintHeader and PrintFooter.
#pragma once
#include <memory>

#include "reportengine/evaluator/qrevvalue.h"
#include "reportengine/report/qrband.h"

class TQREvaluator;

class TQRGroup : public TQRCustomBand {
  DECLARE_CLASS(TQRGroup, TQRCustomBand)

public:
  explicit TQRGroup(TComponent* AOwner);
  ~TQRGroup() override;

  // ---- Run protocol (from the master's controller) ----
  // The evaluator takes the report's DataSetList and Functions and prepares
  // Expression; no value yet; HeaderPage 1.
  void Prepare();
  void Unprepare();
  // Changed = whether the value differs from LastValue (the first check
  // always changes). A different kind is a change; an error never is.
  void CheckChanged();
  // Evaluates, stores the value and marks the group changed, without
  // comparing: what a group does when an earlier group changed.
  void TakeValue();
  // With ReprintOnNewPage: an open group whose header printed on an earlier
  // page is marked changed (HeaderPage moves to this page).
  void CheckReprint();
  // The report prints this band; the group is open.
  void PrintHeader();
  // The report prints FooterBand when there is one; the group is closed.
  void PrintFooter();

  // ---- Overrides ----
  void SetParent(TWinControl* AParent) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // ---- Published properties ----
  const AnsiString& Expression() const { return FExpression; }
  void SetExpression(const AnsiString& Value) { FExpression = Value; }
  TQRCustomBand* FooterBand() const { return FFooterBand; }
  // The band becomes a group footer.
  void SetFooterBand(TQRCustomBand* Value);
  // Only a controller band or a report; anything else is ignored.
  TComponent* Master() const { return FMaster; }
  void SetMaster(TComponent* Value);
  bool ReprintOnNewPage() const { return FReprintOnNewPage; }
  void SetReprintOnNewPage(bool Value) { FReprintOnNewPage = Value; }

  // ---- Run state ----
  TQREvaluator* Evaluator() const { return FEvaluator.get(); }
  bool Changed() const { return FChanged; }
  void SetChanged(bool Value) { FChanged = Value; }
  bool HasValue() const { return FHasValue; }
  void SetHasValue(bool Value) { FHasValue = Value; }
  const TQREvValue& LastValue() const { return FLastValue; }
  bool InGroup() const { return FInGroup; }
  int HeaderPage() const { return FHeaderPage; }

private:
  void Evaluate(TQREvValue& Result);
  void RebuildReportBands();

  std::unique_ptr<TQREvaluator> FEvaluator;
  AnsiString FExpression;
  TQRCustomBand* FFooterBand = nullptr;
  TComponent* FMaster = nullptr;
  bool FReprintOnNewPage = false;
  bool FChanged = false;
  bool FHasValue = false;
  TQREvValue FLastValue;
  bool FInGroup = false;
  int FHeaderPage = 1;
};

// Whether a group's new value differs from the last: a different kind is a
// change; integers, floats, strings (byte for byte) and booleans compare by
// value; an error result never changes.
bool QRGroupValueChanged(const TQREvValue& Last, const TQREvValue& Current);
