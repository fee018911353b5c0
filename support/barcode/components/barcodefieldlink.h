// The data link of the data-bound barcode, kept in a unit of its own that
// names the data classes only here, so the barcode's unit needs none of
// their headers. It hands the field's display text to a callback whenever the
// record or the field's value changes.
#pragma once
#include <functional>
#include <memory>

#include "classlib/system/ansistring.h"

class TComponent;
class TField;
class TFieldDataLink;

class TBarcodeFieldLink {
public:
  using TCodeProc = std::function<void(const AnsiString& Code)>;

  explicit TBarcodeFieldLink(TCodeProc OnCode);
  ~TBarcodeFieldLink();
  TBarcodeFieldLink(const TBarcodeFieldLink&) = delete;
  TBarcodeFieldLink& operator=(const TBarcodeFieldLink&) = delete;

  // The data source (a TDataSource), or nullptr.
  TComponent* DataSource() const;
  // Raises EInvalidCast for a component that is not a TDataSource.
  void SetDataSource(TComponent* Value);
  const AnsiString& FieldName() const;
  void SetFieldName(const AnsiString& Value);
  // The field shown, or nullptr.
  TField* Field() const;

private:
  void DataChange();

  std::unique_ptr<TFieldDataLink> FLink;
  TCodeProc FOnCode;
};
