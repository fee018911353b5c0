// The bands of a report page: horizontal strips that hold printables and
// print as a unit (once per page, once per report, once per record, or
// where a group breaks).
//
// TQRCustomBand carries everything a band is; TQRBand publishes its kind,
// TQRChildBand hangs under another band (ParentBand) and prints right after
// it. A band's width and place on the page are always the report's; only
// its height (Size.Height) is the user's.
//
// The band print procedure (Print) runs when the report's PrintBand is
// called for the band during a run: breaks, the fit check, the band's
// printables pass by pass until all are finished, its frame, its child.
#pragma once
#include <windows.h>

#include "classlib/classes/typinfo.h"
#include "reportengine/report/qrbasepanel.h"
#include "reportengine/report/qrprintable.h"

class TCustomQuickRep;
class TQRCustomController;
class TQRCustomBand;

enum TQRBandType {
  rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary, rbGroupHeader, rbGroupFooter, rbSubDetail,
  rbColumnHeader, rbOverlay, rbChild
};
DOZURI_ENUM(TQRBandType, "rbTitle", "rbPageHeader", "rbDetail", "rbPageFooter", "rbSummary", "rbGroupHeader",
            "rbGroupFooter", "rbSubDetail", "rbColumnHeader", "rbOverlay", "rbChild");

inline constexpr int QRBandTypeCount = 11;

// Shown at design time when a ParentBand or LinkBand would close a circle.
extern const char* const SQRCircularLinking;  // "Circular linking not allowed"

// The display name ("Page Header") and the component-name stem
// ("PageHeaderBand") of a kind; "" for a value outside the type.
AnsiString QRBandTypeName(TQRBandType Kind);
AnsiString QRBandNameStem(TQRBandType Kind);
// Fills the name tables; the engine's set-up calls it once, the name
// functions call it when it was not called yet.
void QRLoadBandNames();

// The mark a detail band sets when it moved on to a new column or page
// because it did not fit (a forced page break is then absorbed). One per
// thread that runs a report.
bool QRDetailBrokeColumn();
void QRSetDetailBrokeColumn(bool Value);

DOZURI_EVENT(TQRBandBeforePrintEvent, void(TQRCustomBand* Sender, bool& PrintBand));
DOZURI_EVENT(TQRBandAfterPrintEvent, void(TQRCustomBand* Sender, bool BandPrinted));

class TQRCustomBand : public TQRBasePanel, public IQRSizedControl {
  DECLARE_CLASS(TQRCustomBand, TQRBasePanel)

public:
  explicit TQRCustomBand(TComponent* AOwner);
  ~TQRCustomBand() override;

  // ---- Operations descendants override, in this order ----
  virtual void GetBandTypeName(AnsiString& Name);
  virtual void GetDefaultBandName(AnsiString& Name);
  virtual void AttachReport(TCustomQuickRep* Report);
  virtual void BandNotice() {}

  // The band print procedure; the report's PrintBand calls it.
  virtual void Print();

  // ---- Overrides ----
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetEnabled(bool Value) override;
  void SetParent(TWinControl* AParent) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void ApplyZoom(int Value) override;
  void PaintRuler(TQRUnit Units) override;

  TQRPanelRole PanelRole() const override { return TQRPanelRole::Band; }
  TQRBasePanel* OwningReport() override;
  IQRUnitReport* UnitReport() override;
  TQRUnit PrintableUnits() override;
  TQRPrinter* RunPrinter() override;
  bool UsesPrinterPages() override;
  void MarkDesignRepaint() override;

  // ---- IQRSizedControl ----
  void GetSizedBounds(int& ALeft, int& ATop, int& AWidth, int& AHeight) override;
  void SetSizedBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // ---- Properties ----
  TQRBandType BandType() const { return FBandType; }
  virtual void SetBandType(TQRBandType Value);
  bool AlignToBottom() const { return FAlignToBottom; }
  void SetAlignToBottom(bool Value) { FAlignToBottom = Value; }
  bool TransparentBand() const { return FTransparentBand; }
  void SetTransparentBand(bool Value) { FTransparentBand = Value; }
  bool ForceNewColumn() const { return FForceNewColumn; }
  void SetForceNewColumn(bool Value) { FForceNewColumn = Value; }
  bool ForceNewPage() const { return FForceNewPage; }
  void SetForceNewPage(bool Value) { FForceNewPage = Value; }
  bool PreCaluculateBandHeight() const { return FPreCalculate; }
  void SetPreCaluculateBandHeight(bool Value) { FPreCalculate = Value; }
  bool KeepOnOnePage() const { return FKeepOnOnePage; }
  void SetKeepOnOnePage(bool Value) { FKeepOnOnePage = Value; }
  // True when a child band points at this band.
  bool HasChild();
  // True makes a child band under this one; False frees it, handing the
  // child's own child to this band.
  void SetHasChild(bool Value);
  TQRCustomBand* LinkBand() const { return FLinkBand; }
  // A value whose LinkBand chain leads back here is refused.
  void SetLinkBand(TQRCustomBand* Value);
  TQRBandSize* Size() const { return FSize; }
  void SetSize(TQRBandSize* Value);

  TQRBandBeforePrintEvent BeforePrint;
  TQRBandAfterPrintEvent AfterPrint;

  // ---- Run state ----
  TCustomQuickRep* ParentReport() const { return FParentReport; }
  TQRCustomController* NotifyController() const { return FNotifyController; }
  void SetNotifyController(TQRCustomController* Value) { FNotifyController = Value; }
  long double Expanded() const { return FExpanded; }
  void SetExpanded(long double Value) { FExpanded = Value; }
  long double StretchHeight() const { return FStretchHeight; }
  const RECT& BandRect() const { return FBandRect; }
  int LoadedHeight() const { return FLoadedHeight; }
  bool Arranging() const { return FArranging; }
  void SetArranging(bool Value) { FArranging = Value; }

  // The first child band (kind rbChild) in the report's band list whose
  // ParentBand is this band; nullptr without a report.
  TQRCustomBand* ChildBand();
  // Size.Height, plus, with IncludeLinks, the linked band's height with its
  // links and its control height in screen pixels.
  long double HeightWithLinks(bool IncludeLinks);
  // True when the report has room for the band grown by Amount (0.1 mm).
  bool CanExpand(long double Amount);
  // Asked by stretching printables once per added line (see the .cpp).
  bool ExpandBand(long double& NewExpanded, bool& HasExpanded, long double Amount);
  // The height (0.1 mm) the band needs for the data of its stretching
  // printables, keeping the space below the lowest of them.
  long double PreCalculateHeight();
  // The kind of the first band up the ParentBand chain that is no child
  // band (the band's own kind when it is none).
  TQRBandType EffectiveBandType();
  // The ParentBand of a child band; nullptr for other bands.
  virtual TQRCustomBand* ParentBandOf() { return nullptr; }

protected:
  void Paint() override;
  // The report this band sits on, or nullptr.
  TCustomQuickRep* ReportParent() const;
  // The fit check before the band prints: a new column when it does not fit.
  void MakeSpace();

  TQRBandType FBandType = rbTitle;

private:
  void PrintPasses();
  void ComputeBandRect(long double Height);
  void ApplyLoadedHeight();

  TQRBandSize* FSize;
  TCustomQuickRep* FParentReport = nullptr;
  TQRCustomController* FNotifyController = nullptr;
  TQRCustomBand* FLinkBand = nullptr;
  long double FExpanded = 0;
  long double FStretchHeight = 0;
  RECT FBandRect{};
  int FLoadedHeight = 40;
  bool FArranging = false;
  bool FAlignToBottom = false;
  bool FTransparentBand = false;
  bool FForceNewColumn = false;
  bool FForceNewPage = false;
  bool FPreCalculate = false;
  bool FKeepOnOnePage = false;
  // Lets one refused growth through (see PrintPasses).
  bool FForceGrowth = false;
};

class TQRBand : public TQRCustomBand {
  DECLARE_CLASS(TQRBand, TQRCustomBand)

public:
  explicit TQRBand(TComponent* AOwner);
};

class TQRChildBand : public TQRCustomBand {
  DECLARE_CLASS(TQRChildBand, TQRCustomBand)

public:
  explicit TQRChildBand(TComponent* AOwner);

  TQRCustomBand* ParentBand() const { return FParentBand; }
  // A value whose chain of parent bands leads back here is refused
  // ("Circular linking not allowed" at design time).
  void SetParentBand(TQRCustomBand* Value);
  TQRCustomBand* ParentBandOf() override { return FParentBand; }

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TQRCustomBand* FParentBand = nullptr;
};

// True when following LinkBand (Links) or ParentBand (not Links) from Start
// reaches Target. A chain that closes on itself without reaching Target
// stops too.
bool QRBandChainReaches(TQRCustomBand* Start, TQRCustomBand* Target, bool Links);
