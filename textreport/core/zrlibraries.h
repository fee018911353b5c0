// The built-in element libraries of ElementLibraries(), in this order:
// General, Mathematics, String, Date/Time and Constants.
//
// Arguments are checked by kind (ClassifyValue) in CheckArguments;
// Calculate relies on that check. Mathematical elements raise the floating-
// point errors (EInvalidOp, EZeroDivide, EOverflow) for arguments outside
// their domain; DMY and YMD raise EConvertError for an impossible date.
#pragma once
#include <span>

#include "textreport/core/zreval.h"

// The maker tag every built-in library carries.
inline constexpr const char* ZRLibraryTag = "Dozuri";

// A library with a fixed list of element names.
class TZRBuiltInLibrary : public TZRElementLibrary {
  DECLARE_CLASS(TZRBuiltInLibrary, TZRElementLibrary)

public:
  int ElementCount() override { return static_cast<int>(FNames.size()); }
  void ElementName(int Index, AnsiString& Name) override;
  using TZRElementLibrary::ElementName;

protected:
  TZRBuiltInLibrary(TZRElementCollection* Collection, std::span<const char* const> Names)
      : TZRElementLibrary(Collection), FNames(Names) {}

private:
  std::span<const char* const> FNames;
};

// not, iif, isnull.
class TZRGeneralLibrary : public TZRBuiltInLibrary {
  DECLARE_CLASS(TZRGeneralLibrary, TZRBuiltInLibrary)

public:
  explicit TZRGeneralLibrary(TZRElementCollection* Collection);
  bool CheckArguments(int Index, const TZRArguments* Arguments) override;
  void Calculate(int Index, const TZRArguments* Arguments, Variant& Result) override;
};

// Int, Frac, SQRT, Abs, Sin, Cos, Tan, Atn, Exp, Ln, Round: doubles.
class TZRMathLibrary : public TZRBuiltInLibrary {
  DECLARE_CLASS(TZRMathLibrary, TZRBuiltInLibrary)

public:
  explicit TZRMathLibrary(TZRElementCollection* Collection);
  bool CheckArguments(int Index, const TZRArguments* Arguments) override;
  void Calculate(int Index, const TZRArguments* Arguments, Variant& Result) override;
};

// Trim, Len, Upper, Lower, Proper, Copy, Delete, Pos, Str, FormatFloat, FormatCurr.
class TZRStringLibrary : public TZRBuiltInLibrary {
  DECLARE_CLASS(TZRStringLibrary, TZRBuiltInLibrary)

public:
  explicit TZRStringLibrary(TZRElementCollection* Collection);
  bool CheckArguments(int Index, const TZRArguments* Arguments) override;
  void Calculate(int Index, const TZRArguments* Arguments, Variant& Result) override;
};

// Year, Month, Day, DMY, YMD.
class TZRDateTimeLibrary : public TZRBuiltInLibrary {
  DECLARE_CLASS(TZRDateTimeLibrary, TZRBuiltInLibrary)

public:
  explicit TZRDateTimeLibrary(TZRElementCollection* Collection);
  bool CheckArguments(int Index, const TZRArguments* Arguments) override;
  void Calculate(int Index, const TZRArguments* Arguments, Variant& Result) override;
};

// True, False, Date (today), Pi: no arguments.
class TZRConstantLibrary : public TZRBuiltInLibrary {
  DECLARE_CLASS(TZRConstantLibrary, TZRBuiltInLibrary)

public:
  explicit TZRConstantLibrary(TZRElementCollection* Collection);
  bool CheckArguments(int Index, const TZRArguments* Arguments) override;
  void Calculate(int Index, const TZRArguments* Arguments, Variant& Result) override;
};
