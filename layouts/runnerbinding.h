// Binding one component of a loaded layout to the host's data: the first
// part of a run of the report runner.
//
// A component's binding hint (layouts/core/bindinghints.h) names a
// parameter, a data set and a data field; the binder asks the report
// component for their values and writes them into the component's published
// properties: a label's Caption ("ERROR" when the host gives no value), a
// published DataSet and DataField, and the report component's default mask
// into an empty Mask (data texts keep theirs). A data set the host does not
// know is remembered: such a layout cannot be printed, but the walk goes on
// so every component is bound as far as it can be.
//
// The binder tests classes by the names layouts store, so it binds any
// printable that publishes these properties, whichever unit defines it.
#pragma once
#include "classlib/classes/component.h"
#include "layouts/core/bindinghints.h"

class TVtRapor;
class TDataSet;

// The text a parameter label shows when the host gives no value.
inline constexpr char MissingParameterText[] = "ERROR";

// True when Object's class, or one of its ancestors, has that name.
bool IsInstanceOf(const TObject* Object, const char* ClassName);

class TLayoutBinder {
public:
  // Rapor may be nil: then no host question is asked, parameters show
  // "ERROR" and every named data set counts as missing.
  explicit TLayoutBinder(TVtRapor* Rapor) : FRapor(Rapor) {}

  // Parameter, data set, data field and mask of one component that
  // publishes a Hint; other components are left alone.
  void Bind(TComponent* C);

  // Whether some component named a data set the host did not give.
  bool DataSetMissing() const { return FDataSetMissing; }
  // The first such name ("" when none), for callers that report it.
  const AnsiString& MissingDataSetName() const { return FMissingName; }

  // The host's data set of that name, or nil (always nil without a report
  // component).
  TDataSet* AskDataSet(const AnsiString& Name) const;

private:
  void BindParameter(TComponent* C, const AnsiString& Code);
  void BindDataSet(TComponent* C, const AnsiString& Name);
  void BindDataField(TComponent* C, const AnsiString& Field);
  void BindMask(TComponent* C);

  TVtRapor* FRapor;
  bool FDataSetMissing = false;
  AnsiString FMissingName;
};
