#include "classlib/classes/strings.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "classlib/classes/filer.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "classlib/system/strutils.h"

IMPLEMENT_CLASS(TStrings)
IMPLEMENT_CLASS(TStringList)

namespace {

// Position of the first "=", or npos.
size_t NameEnd(const AnsiString& line) { return line.find('='); }

bool NeedsQuotes(const AnsiString& text, char quote, char delimiter) {
  return std::any_of(text.begin(), text.end(), [&](char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == quote || c == delimiter;
  });
}

// Blanks separate items; a zero byte counts as one, so it can never stall the split.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Reads a quoted item starting at the quote: doubled quotes stand for one;
// an item without its closing quote runs to the end of the text.
AnsiString ExtractQuoted(const AnsiString& text, size_t& at, char quote) {
  AnsiString result;
  ++at;
  while (at < text.size()) {
    if (text[at] == quote) {
      if (at + 1 < text.size() && text[at + 1] == quote) {
        result += quote;
        at += 2;
        continue;
      }
      ++at;
      return result;
    }
    result += text[at++];
  }
  return result;
}

}  // namespace

// ---- TStrings

void TStrings::Error(const char* format, int value) {
  std::string text(format);
  size_t at = text.find("%d");
  if (at != std::string::npos)
    text.replace(at, 2, std::to_string(value));
  throw EStringListError(text);
}

int TStrings::Add(const AnsiString& text) {
  int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const AnsiString& text, TObject* object) {
  int index = Add(text);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(TStrings* strings) {
  BeginUpdate();
  try {
    int count = strings->Count();
    for (int i = 0; i < count; ++i)
      AddObject(strings->Get(i), strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::InsertObject(int index, const AnsiString& text, TObject* object) {
  Insert(index, text);
  PutObject(index, object);
}

void TStrings::Put(int index, const AnsiString& text) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, text, object);
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  try {
    AnsiString text = Get(index1);
    TObject* object = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, text);
    PutObject(index2, object);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex)
    return;
  BeginUpdate();
  try {
    AnsiString text = Get(curIndex);
    TObject* object = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, text, object);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(const AnsiString& text) const {
  int count = Count();
  for (int i = 0; i < count; ++i)
    if (CompareStrings(Get(i), text) == 0)
      return i;
  return -1;
}

int TStrings::IndexOfObject(TObject* object) const {
  int count = Count();
  for (int i = 0; i < count; ++i)
    if (GetObject(i) == object)
      return i;
  return -1;
}

bool TStrings::Equals(TStrings* strings) const {
  int count = Count();
  if (strings == nullptr || strings->Count() != count)
    return false;
  for (int i = 0; i < count; ++i)
    if (Get(i) != strings->Get(i))
      return false;
  return true;
}

int TStrings::CompareStrings(const AnsiString& s1, const AnsiString& s2) const { return AnsiCompareText(s1, s2); }

bool TStrings::SameName(const AnsiString& name1, const AnsiString& name2) const { return SameText(name1, name2); }

// ---- Name=value lines

int TStrings::IndexOfName(const AnsiString& name) const {
  int count = Count();
  for (int i = 0; i < count; ++i) {
    AnsiString line = Get(i);
    size_t end = NameEnd(line);
    if (end != AnsiString::npos && SameName(line.substr(0, end), name))
      return i;
  }
  return -1;
}

AnsiString TStrings::Names(int index) const {
  AnsiString line = Get(index);
  size_t end = NameEnd(line);
  return end == AnsiString::npos ? AnsiString() : line.substr(0, end);
}

AnsiString TStrings::Values(const AnsiString& name) const {
  int index = IndexOfName(name);
  return index < 0 ? AnsiString() : ValueFromIndex(index);
}

void TStrings::SetValues(const AnsiString& name, const AnsiString& value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0)
      Delete(index);
    return;
  }
  if (index < 0)
    Add(name + "=" + value);
  else
    Put(index, name + "=" + value);
}

AnsiString TStrings::ValueFromIndex(int index) const {
  AnsiString line = Get(index);
  size_t end = NameEnd(line);
  return end == AnsiString::npos ? AnsiString() : line.substr(end + 1);
}

void TStrings::SetValueFromIndex(int index, const AnsiString& value) {
  if (value.empty()) {
    Delete(index);
    return;
  }
  Put(index, Names(index) + "=" + value);
}

// ---- Whole-list texts

AnsiString TStrings::Text() const {
  AnsiString result;
  int count = Count();
  for (int i = 0; i < count; ++i) {
    result += Get(i);
    result += "\r\n";
  }
  return result;
}

void TStrings::SetText(const AnsiString& text) {
  BeginUpdate();
  try {
    Clear();
    size_t at = 0;
    while (at < text.size()) {
      size_t end = text.find_first_of("\r\n", at);
      if (end == AnsiString::npos)
        end = text.size();
      Add(text.substr(at, end - at));
      at = end;
      if (at < text.size() && text[at] == '\r')
        ++at;
      if (at < text.size() && text[at] == '\n')
        ++at;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

AnsiString TStrings::JoinDelimited(char delimiter, char quote) const {
  int count = Count();
  if (count == 1 && Get(0).empty())
    return AnsiString(2, quote);
  AnsiString result;
  for (int i = 0; i < count; ++i) {
    if (i > 0)
      result += delimiter;
    AnsiString line = Get(i);
    result += NeedsQuotes(line, quote, delimiter) ? AnsiQuotedStr(line, quote) : line;
  }
  return result;
}

void TStrings::SplitDelimited(const AnsiString& text, char delimiter, char quote) {
  BeginUpdate();
  try {
    Clear();
    size_t at = 0;
    auto skipBlanks = [&] {
      while (at < text.size() && IsBlank(text[at]))
        ++at;
    };
    skipBlanks();
    while (at < text.size()) {
      if (text[at] == quote) {
        Add(ExtractQuoted(text, at, quote));
      } else {
        size_t start = at;
        while (at < text.size() && static_cast<unsigned char>(text[at]) > ' ' && text[at] != delimiter)
          ++at;
        Add(text.substr(start, at - start));
      }
      skipBlanks();
      if (at < text.size() && text[at] == delimiter) {
        if (at + 1 == text.size())
          Add(AnsiString());
        ++at;
        skipBlanks();
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

AnsiString TStrings::DelimitedText() const { return JoinDelimited(delimiter_, quoteChar_); }

void TStrings::SetDelimitedText(const AnsiString& text) { SplitDelimited(text, delimiter_, quoteChar_); }

// CommaText uses "," and the double quote whatever Delimiter and QuoteChar say.
AnsiString TStrings::CommaText() const { return JoinDelimited(',', '"'); }

void TStrings::SetCommaText(const AnsiString& text) { SplitDelimited(text, ',', '"'); }

// ---- Files and streams

void TStrings::LoadFromFile(const AnsiString& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TStrings::LoadFromStream(TStream& stream) {
  std::int64_t size = stream.Size() - stream.Position();
  if (size < 0)
    size = 0;
  AnsiString text(static_cast<size_t>(size), '\0');
  if (size > 0)
    stream.ReadBuffer(text.data(), static_cast<std::int32_t>(size));
  SetText(text);
}

void TStrings::SaveToFile(const AnsiString& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

void TStrings::SaveToStream(TStream& stream) {
  AnsiString text = Text();
  stream.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

// ---- Updates and assignment

void TStrings::BeginUpdate() {
  if (updateCount_ == 0)
    SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0)
    return;
  if (--updateCount_ == 0)
    SetUpdateState(false);
}

void TStrings::Assign(TPersistent* Source) {
  if (Source == this)
    return;  // clearing first would lose the lines
  if (auto* strings = dynamic_cast<TStrings*>(Source)) {
    BeginUpdate();
    try {
      Clear();
      AddStrings(strings);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

// ---- Streaming

void TStrings::DefineProperties(TFiler& Filer) {
  bool hasData = Count() > 0;
  if (TPersistent* ancestor = Filer.Ancestor()) {
    auto* strings = dynamic_cast<TStrings*>(ancestor);
    hasData = strings == nullptr || !Equals(strings);
  }
  Filer.DefineProperty(
      "Strings", [this](TReader& reader) { ReadData(reader); }, [this](TWriter& writer) { WriteData(writer); },
      hasData);
}

void TStrings::ReadData(TReader& Reader) {
  Reader.ReadListBegin();
  BeginUpdate();
  try {
    Clear();
    while (!Reader.EndOfList())
      Add(Reader.ReadString());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  Reader.ReadListEnd();
}

void TStrings::WriteData(TWriter& Writer) {
  Writer.WriteListBegin();
  int count = Count();
  for (int i = 0; i < count; ++i)
    Writer.WriteString(Get(i));
  Writer.WriteListEnd();
}

// ---- TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    Error("List index out of bounds (%d)", index);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange)
    OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging)
    OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

AnsiString TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].Text;
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].Object;
}

void TStringList::Put(int index, const AnsiString& text) {
  if (sorted_)
    Error("Operation not allowed on sorted list", 0);
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].Text = text;
  Changed();
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].Object = object;
  Changed();
}

void TStringList::InsertItem(int index, const AnsiString& text, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

int TStringList::Add(const AnsiString& text) { return AddObject(text, nullptr); }

int TStringList::AddObject(const AnsiString& text, TObject* object) {
  int index = Count();
  if (sorted_ && Find(text, index)) {
    if (duplicates_ == dupIgnore)
      return index;
    if (duplicates_ == dupError)
      Error("String list does not allow duplicates", 0);
  }
  InsertItem(index, text, object);
  return index;
}

void TStringList::Insert(int index, const AnsiString& text) {
  if (sorted_)
    Error("Operation not allowed on sorted list", 0);
  if (index < 0 || index > Count())
    Error("List index out of bounds (%d)", index);
  InsertItem(index, text, nullptr);
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty())
    return;
  Changing();
  items_.clear();
  items_.shrink_to_fit();
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
  Changed();
}

// A sorted list would lose the line: Move deletes it and then cannot insert it.
void TStringList::Move(int curIndex, int newIndex) {
  if (sorted_ && curIndex != newIndex)
    Error("Operation not allowed on sorted list", 0);
  TStrings::Move(curIndex, newIndex);
}

int TStringList::IndexOf(const AnsiString& text) const {
  if (!sorted_)
    return TStrings::IndexOf(text);
  int index = 0;
  return Find(text, index) ? index : -1;
}

bool TStringList::Find(const AnsiString& text, int& index) const {
  int low = 0, high = Count();
  while (low < high) {
    int middle = low + (high - low) / 2;
    if (CompareStrings(items_[static_cast<size_t>(middle)].Text, text) < 0)
      low = middle + 1;
    else
      high = middle;
  }
  index = low;
  return low < Count() && CompareStrings(items_[static_cast<size_t>(low)].Text, text) == 0;
}

// Sorts a copy of the order, so the compare function always sees the list as
// it was, then puts the lines in that order.
void TStringList::SortBy(TStringListSortCompare compare) {
  if (Count() < 2)
    return;
  Changing();
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int index : order)
    sorted.push_back(std::move(items_[static_cast<size_t>(index)]));
  items_.swap(sorted);
  Changed();
}

void TStringList::Sort() {
  if (sorted_)
    return;
  SortBy([](TStringList* list, int a, int b) {
    return list->CompareStrings(list->items_[static_cast<size_t>(a)].Text, list->items_[static_cast<size_t>(b)].Text);
  });
}

void TStringList::CustomSort(TStringListSortCompare compare) {
  if (!sorted_ && compare != nullptr)
    SortBy(compare);
}

void TStringList::SetSorted(bool value) {
  if (value == sorted_)
    return;
  if (value)
    Sort();
  sorted_ = value;
}

// A sorted list is sorted again by the new comparison, so Find stays right.
void TStringList::SetCaseSensitive(bool value) {
  if (value == caseSensitive_)
    return;
  caseSensitive_ = value;
  if (sorted_) {
    sorted_ = false;
    Sort();
    sorted_ = true;
  }
}

void TStringList::SetCapacity(int value) {
  if (value < Count())
    Error("List capacity out of bounds (%d)", value);
  items_.reserve(static_cast<size_t>(value));
}

int TStringList::CompareStrings(const AnsiString& s1, const AnsiString& s2) const {
  return caseSensitive_ ? AnsiCompareStr(s1, s2) : AnsiCompareText(s1, s2);
}

bool TStringList::SameName(const AnsiString& name1, const AnsiString& name2) const {
  return caseSensitive_ ? name1 == name2 : SameText(name1, name2);
}
