// TFields: the ordered fields of a data set. The list does not own them.
#pragma once
#include <vector>

#include "classlib/system/ansistring.h"

class TDataSet;
class TField;

// Field and parameter names match case-insensitively: ASCII letters in
// either case under every locale, other letters by the Turkish collation.
bool SameFieldName(const AnsiString& a, const AnsiString& b);

class TFields {
public:
  explicit TFields(TDataSet* DataSet) : FDataSet(DataSet) {}
  TFields(const TFields&) = delete;
  TFields& operator=(const TFields&) = delete;

  TDataSet* DataSet() const { return FDataSet; }
  int Count() const { return static_cast<int>(FList.size()); }
  // Raises EDatabaseError "Field index out of range" for a bad index.
  TField* Fields(int Index) const;
  TField* operator[](int Index) const { return Fields(Index); }
  // Case-insensitive; nullptr when missing.
  TField* FindField(const AnsiString& FieldName) const;
  // Raises EDatabaseError "Field '%s' not found".
  TField* FieldByName(const AnsiString& FieldName) const;
  TField* FieldByNumber(int FieldNo) const;
  int IndexOf(const TField* Field) const;
  // Raises EDatabaseError "Duplicate field name '%s'" for a taken name.
  void Add(TField* Field);
  void Remove(TField* Field);
  void Clear() { FList.clear(); }
  void SetFieldIndex(TField* Field, int Value);
  void CheckFieldName(const AnsiString& FieldName) const;
  auto begin() const { return FList.begin(); }
  auto end() const { return FList.end(); }

private:
  TDataSet* FDataSet;
  std::vector<TField*> FList;
};
