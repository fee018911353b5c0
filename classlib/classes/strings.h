// String lists: the abstract TStrings and the TStringList that stores them.
//
// Lines are 8-bit text (code page 1254), each with an optional object that
// the list does not own.
//
// Name=value lines: Names, Values, IndexOfName and ValueFromIndex split a
// line at its first "=". Names match case-insensitively by folding ASCII
// letters only (so "fiyat" and "FIYAT" match under every locale); with
// CaseSensitive they match exactly. Assigning "" to a value deletes its line;
// assigning to a missing name appends "name=value".
//
// IndexOf, Find and sorting compare with the platform's collation: Turkish
// alphabetical order, case-insensitive unless CaseSensitive.
//
// Text joins the lines with CR LF; assigning it splits at CR LF, CR or LF
// (a final line break ends the last line and adds no empty one).
//
// CommaText and DelimitedText: a line that holds a blank, a control
// character, the quote or the delimiter is written quoted with inner quotes
// doubled. Reading splits at the delimiter and at blanks outside quotes; a
// delimiter at the very end adds an empty line. CommaText always uses ","
// and the double quote.
#pragma once
#include <vector>

#include "classlib/classes/events.h"
#include "classlib/classes/lists.h"
#include "classlib/classes/persistent.h"
#include "classlib/system/ansistring.h"

class TStream;
class TReader;
class TWriter;

class TStrings : public TPersistent {
  DECLARE_CLASS(TStrings, TPersistent)

public:
  TStrings() = default;

  // ---- Lines and objects
  virtual int Count() const = 0;
  AnsiString Strings(int index) const { return Get(index); }
  void SetStrings(int index, const AnsiString& text) { Put(index, text); }
  AnsiString operator[](int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }

  virtual int Add(const AnsiString& text);
  virtual int AddObject(const AnsiString& text, TObject* object);
  void Append(const AnsiString& text) { Add(text); }
  virtual void AddStrings(TStrings* strings);
  virtual void Insert(int index, const AnsiString& text) = 0;
  void InsertObject(int index, const AnsiString& text, TObject* object);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  virtual int IndexOf(const AnsiString& text) const;
  int IndexOfObject(TObject* object) const;
  // Same count and the same lines, case-sensitively; objects are not compared.
  bool Equals(TStrings* strings) const;

  // ---- Name=value lines
  int IndexOfName(const AnsiString& name) const;
  AnsiString Names(int index) const;
  AnsiString Values(const AnsiString& name) const;
  void SetValues(const AnsiString& name, const AnsiString& value);
  // The text after the first "="; "" for a line without one.
  AnsiString ValueFromIndex(int index) const;
  void SetValueFromIndex(int index, const AnsiString& value);

  // ---- Whole-list texts
  virtual AnsiString Text() const;
  virtual void SetText(const AnsiString& text);
  AnsiString CommaText() const;
  void SetCommaText(const AnsiString& text);
  AnsiString DelimitedText() const;
  void SetDelimitedText(const AnsiString& text);
  char Delimiter() const { return delimiter_; }
  void SetDelimiter(char value) { delimiter_ = value; }
  char QuoteChar() const { return quoteChar_; }
  void SetQuoteChar(char value) { quoteChar_ = value; }

  // ---- Files and streams: 8-bit text, CR LF line breaks
  virtual void LoadFromFile(const AnsiString& fileName);
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToFile(const AnsiString& fileName);
  virtual void SaveToStream(TStream& stream);

  // ---- Change notices are held back between BeginUpdate and EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  virtual int Capacity() const { return Count(); }
  virtual void SetCapacity(int) {}

  void Assign(TPersistent* Source) override;
  // Streams the lines as the "Strings" property: a list of strings, written
  // when the list has lines (or, against an ancestor, differs from it).
  void DefineProperties(TFiler& Filer) override;

protected:
  virtual AnsiString Get(int index) const = 0;
  virtual void Put(int index, const AnsiString& text);
  virtual TObject* GetObject(int index) const { return nullptr; }
  virtual void PutObject(int index, TObject* object) {}
  // Told when updating begins (true) and ends (false).
  virtual void SetUpdateState(bool updating) {}
  // Negative, zero or positive, by the platform's collation.
  virtual int CompareStrings(const AnsiString& s1, const AnsiString& s2) const;
  // Whether two names of name=value lines match.
  virtual bool SameName(const AnsiString& name1, const AnsiString& name2) const;
  [[noreturn]] static void Error(const char* format, int value);

private:
  void ReadData(TReader& Reader);
  void WriteData(TWriter& Writer);
  AnsiString JoinDelimited(char delimiter, char quote) const;
  void SplitDelimited(const AnsiString& text, char delimiter, char quote);

  int updateCount_ = 0;
  char delimiter_ = ',';
  char quoteChar_ = '"';
};

class TStringList;
// Negative, zero or positive as the line at index1 sorts before, with or
// after the one at index2.
using TStringListSortCompare = int (*)(TStringList* list, int index1, int index2);

class TStringList : public TStrings {
  DECLARE_CLASS(TStringList, TStrings)

public:
  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(items_.size()); }
  // A sorted list puts the line in its place; Duplicates decides about a
  // line that is there already (dupError raises EStringListError "String
  // list does not allow duplicates").
  int Add(const AnsiString& text) override;
  int AddObject(const AnsiString& text, TObject* object) override;
  void Insert(int index, const AnsiString& text) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  // Refused on a sorted list before anything moves (EStringListError).
  void Move(int curIndex, int newIndex) override;
  int IndexOf(const AnsiString& text) const override;
  // Binary search of a sorted list: true when found; index is the first
  // matching line, or where the text would go.
  virtual bool Find(const AnsiString& text, int& index) const;
  virtual void Sort();
  virtual void CustomSort(TStringListSortCompare compare);

  bool Sorted() const { return sorted_; }
  // Sorts the list when switched on.
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }
  bool CaseSensitive() const { return caseSensitive_; }
  // A sorted list sorts again when this changes.
  void SetCaseSensitive(bool value);
  int Capacity() const override { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int value) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  AnsiString Get(int index) const override;
  void Put(int index, const AnsiString& text) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void SetUpdateState(bool updating) override;
  int CompareStrings(const AnsiString& s1, const AnsiString& s2) const override;
  bool SameName(const AnsiString& name1, const AnsiString& name2) const override;
  virtual void Changed();
  virtual void Changing();

private:
  struct Item {
    AnsiString Text;
    TObject* Object = nullptr;
  };

  void CheckIndex(int index) const;
  void InsertItem(int index, const AnsiString& text, TObject* object);
  void SortBy(TStringListSortCompare compare);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
