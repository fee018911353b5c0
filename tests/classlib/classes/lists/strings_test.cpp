#include "classlib/classes/strings.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "classlib/classes/streams.h"
#include "tests/classlib/classes/lists/lines.h"
#include "tests/classlib/classes/lists/tempfolder.h"

namespace {

void SetLines(TStrings& strings, const Lines& lines) {
  strings.Clear();
  for (const AnsiString& line : lines)
    strings.Add(line);
}

}  // namespace

// ---- Values

struct ValuesCase {
  const char* what;
  Lines before;
  AnsiString name;
  AnsiString value;
  Lines after;
};

class StringListValues : public testing::TestWithParam<ValuesCase> {};

TEST_P(StringListValues, SetValues) {
  TStringList list;
  SetLines(list, GetParam().before);
  list.SetValues(GetParam().name, GetParam().value);
  EXPECT_EQ(LinesOf(list), GetParam().after) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StringListValues,
    testing::Values(
        ValuesCase{"replaces in place", {"A=1", "B=2", "C=3"}, "B", "x", {"A=1", "B=x", "C=3"}},
        ValuesCase{"ASCII case folding", {"FIYAT_1_1=5"}, "fiyat_1_1", "7", {"fiyat_1_1=7"}},
        ValuesCase{"empty deletes the line", {"A=1", "B=2", "C=3"}, "b", "", {"A=1", "C=3"}},
        ValuesCase{"empty on a missing name changes nothing", {"A=1"}, "Z", "", {"A=1"}},
        ValuesCase{"missing name appends", {"A=1", "plain"}, "NEW", "v", {"A=1", "plain", "NEW=v"}},
        ValuesCase{"first matching line only", {"K=1", "K=2"}, "k", "3", {"k=3", "K=2"}},
        ValuesCase{"a line without = has no name", {"K", "X=1"}, "K", "9", {"K", "X=1", "K=9"}},
        ValuesCase{"value may hold =", {}, "EXPR", "a=b", {"EXPR=a=b"}}));

TEST(StringList, NamesValuesAndValueFromIndex) {
  TStringList list;
  SetLines(list, {"KOD_1_1=123", "plain", "=orphan", "URUN=A=B"});
  EXPECT_EQ(list.Names(0), "KOD_1_1");
  EXPECT_EQ(list.Names(1), "");
  EXPECT_EQ(list.ValueFromIndex(1), "") << "a line without = has no value";
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.ValueFromIndex(2), "orphan");
  EXPECT_EQ(list.Values("urun"), "A=B");
  EXPECT_EQ(list.Values("kod_1_1"), "123");
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.IndexOfName("URUN"), 3);
  EXPECT_EQ(list.IndexOfName("plain"), -1);
}

TEST(StringList, TurkishLettersInNamesFoldOnlyAscii) {
  TStringList list;
  list.Add("fiyat=1");
  EXPECT_EQ(list.IndexOfName("FIYAT"), 0) << "ASCII I and i are the same letter for names";
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOfName("FIYAT"), -1);
  EXPECT_EQ(list.IndexOfName("fiyat"), 0);
}

// ---- Text

struct TextCase {
  const char* what;
  AnsiString text;
  Lines lines;
};

class StringListText : public testing::TestWithParam<TextCase> {};

TEST_P(StringListText, SplitsAtLineBreaks) {
  TStringList list;
  list.SetText(GetParam().text);
  EXPECT_EQ(LinesOf(list), GetParam().lines) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Table, StringListText,
                         testing::Values(TextCase{"empty", "", {}},
                                         TextCase{"CR LF", "a\r\nb\r\n", {"a", "b"}},
                                         TextCase{"LF", "a\nb", {"a", "b"}},
                                         TextCase{"CR", "a\rb\r", {"a", "b"}},
                                         TextCase{"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
                                         TextCase{"empty lines kept", "\r\n\r\nx", {"", "", "x"}},
                                         TextCase{"mixed", "1\r\n2\n3\r4", {"1", "2", "3", "4"}},
                                         TextCase{"last line without break", "only", {"only"}}));

TEST(StringList, TextJoinsWithCrLf) {
  TStringList list;
  SetLines(list, {"a", "", "b"});
  EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
  TStringList empty;
  EXPECT_EQ(empty.Text(), "");
}

// ---- CommaText and DelimitedText

struct CommaCase {
  Lines lines;
  AnsiString text;
};

class StringListCommaWrite : public testing::TestWithParam<CommaCase> {};

TEST_P(StringListCommaWrite, QuotesWhatNeedsIt) {
  TStringList list;
  SetLines(list, GetParam().lines);
  EXPECT_EQ(list.CommaText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, StringListCommaWrite,
                         testing::Values(CommaCase{{"a", "b"}, "a,b"},
                                         CommaCase{{"a b", "c"}, "\"a b\",c"},
                                         CommaCase{{"x,y"}, "\"x,y\""},
                                         CommaCase{{"say \"hi\""}, "\"say \"\"hi\"\"\""},
                                         CommaCase{{"a", "", "b"}, "a,,b"},
                                         CommaCase{{""}, "\"\""},
                                         CommaCase{{"tab\there"}, "\"tab\there\""},
                                         CommaCase{{}, ""}));

class StringListCommaRead : public testing::TestWithParam<CommaCase> {};

TEST_P(StringListCommaRead, SplitsAtCommasAndBlanks) {
  TStringList list;
  list.SetCommaText(GetParam().text);
  EXPECT_EQ(LinesOf(list), GetParam().lines) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, StringListCommaRead,
                         testing::Values(CommaCase{{"a", "b", "c"}, "a,b,c"},
                                         CommaCase{{"a", "b"}, "a b"},
                                         CommaCase{{"a b", "c"}, "\"a b\", c"},
                                         CommaCase{{"say \"hi\""}, "\"say \"\"hi\"\"\""},
                                         CommaCase{{"a", ""}, "a,"},
                                         CommaCase{{"a", "", "b"}, "a,,b"},
                                         CommaCase{{"a", "", "b"}, "a, ,b"},
                                         CommaCase{{"open quote"}, "\"open quote"},
                                         CommaCase{{"q", "rest"}, "\"q\"rest"},
                                         CommaCase{{""}, "\"\""},
                                         CommaCase{{}, "   "}));

TEST(StringList, CommaTextRoundTripsAwkwardLines) {
  TStringList list, back;
  SetLines(list, {"plain", "with space", "", "comma,inside", "\"quoted\"", "çğıİöşü"});
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(LinesOf(back), LinesOf(list));
}

TEST(StringList, DelimitedTextUsesDelimiterAndQuoteChar) {
  TStringList list;
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  SetLines(list, {"a;b", "c", "it's"});
  EXPECT_EQ(list.DelimitedText(), "'a;b';c;'it''s'");
  EXPECT_EQ(list.CommaText(), "a;b,c,it's") << "CommaText keeps to comma and double quote";
  TStringList back;
  back.SetDelimiter(';');
  back.SetQuoteChar('\'');
  back.SetDelimitedText(list.DelimitedText());
  EXPECT_EQ(LinesOf(back), LinesOf(list));
  EXPECT_EQ(back.Delimiter(), ';');
}

// ---- Sorted lists

struct SortedCase {
  TDuplicates duplicates;
  Lines added;
  Lines result;
  bool raises;
};

class StringListSorted : public testing::TestWithParam<SortedCase> {};

TEST_P(StringListSorted, DuplicatesRule) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(GetParam().duplicates);
  bool raised = false;
  for (const AnsiString& line : GetParam().added) {
    try {
      list.Add(line);
    } catch (const EStringListError& error) {
      EXPECT_EQ(error.Message, "String list does not allow duplicates");
      raised = true;
    }
  }
  EXPECT_EQ(raised, GetParam().raises);
  EXPECT_EQ(LinesOf(list), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StringListSorted,
    testing::Values(SortedCase{dupIgnore, {"b", "a", "B", "c"}, {"a", "b", "c"}, false},
                    SortedCase{dupAccept, {"b", "a", "b"}, {"a", "b", "b"}, false},
                    SortedCase{dupError, {"b", "a", "A"}, {"a", "b"}, true},
                    SortedCase{dupIgnore, {"şeker", "armut", "çilek", "zeytin", "ıspanak", "incir"},
                               {"armut", "çilek", "ıspanak", "incir", "şeker", "zeytin"}, false}));

TEST(StringList, FindGivesPositionOrInsertionPoint) {
  TStringList list;
  SetLines(list, {"delta", "alpha", "charlie"});
  list.SetSorted(true);
  EXPECT_EQ(LinesOf(list), (Lines{"alpha", "charlie", "delta"}));
  int index = -1;
  EXPECT_TRUE(list.Find("DELTA", index));
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(list.Find("charlie", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("bravo", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("zulu", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(list.IndexOf("Delta"), 2);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError) << "a sorted list places lines itself";
  EXPECT_THROW(list.Move(0, 2), EStringListError);
  EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);
  EXPECT_EQ(LinesOf(list), (Lines{"alpha", "charlie", "delta"})) << "refused edits lose nothing";
}

TEST(StringList, CaseSensitiveSortedListSortsAgain) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  SetLines(list, {"b", "B", "a", "A"});
  list.SetCaseSensitive(true);
  EXPECT_EQ(LinesOf(list), (Lines{"a", "A", "b", "B"})) << "lower case first when the rest is equal";
  int index = -1;
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_TRUE(list.Find(list[i], index)) << list[i];
    EXPECT_EQ(index, i);
  }
}

TEST(StringList, CustomSortSeesTheListAsItWas) {
  TStringList list;
  SetLines(list, {"ccc", "a", "bb"});
  list.CustomSort([](TStringList* l, int a, int b) {
    return static_cast<int>(l->Strings(a).size()) - static_cast<int>(l->Strings(b).size());
  });
  EXPECT_EQ(LinesOf(list), (Lines{"a", "bb", "ccc"}));
}

// ---- Objects, Assign, AddStrings, Exchange, Move, Equals

TEST(StringList, ObjectsTravelWithTheirLines) {
  TObject one, two;
  TStringList list;
  list.AddObject("one", &one);
  list.AddObject("two", &two);
  list.Add("none");
  list.Exchange(0, 1);
  EXPECT_EQ(list.Objects(0), &two);
  list.Move(0, 2);
  EXPECT_EQ(LinesOf(list), (Lines{"one", "none", "two"}));
  EXPECT_EQ(list.Objects(2), &two);
  EXPECT_EQ(list.IndexOfObject(&one), 0);

  TStringList copy;
  copy.Add("old");
  copy.Assign(&list);
  EXPECT_TRUE(copy.Equals(&list));
  EXPECT_EQ(copy.Objects(2), &two);
  copy.Assign(&copy);
  EXPECT_EQ(copy.Count(), 3) << "assigning a list to itself keeps it";
  copy.AddStrings(&list);
  EXPECT_EQ(copy.Count(), 6);
  EXPECT_FALSE(copy.Equals(&list));
  copy.SetStrings(5, "changed");
  EXPECT_EQ(copy[5], "changed");
}

TEST(StringList, AssignFromANonListRaises) {
  TStringList list;
  TPersistent other;
  EXPECT_THROW(list.Assign(&other), EConvertError);
}

TEST(StringList, IndexErrors) {
  TStringList list;
  list.Add("x");
  struct Case {
    std::function<void()> call;
    const char* message;
  };
  std::vector<Case> cases = {
      {[&] { list.Strings(1); }, "List index out of bounds (1)"},
      {[&] { list.Delete(-1); }, "List index out of bounds (-1)"},
      {[&] { list.Insert(2, "y"); }, "List index out of bounds (2)"},
      {[&] { list.Objects(5); }, "List index out of bounds (5)"},
      {[&] { list.Exchange(0, 1); }, "List index out of bounds (1)"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no exception for " << c.message;
    } catch (const EStringListError& error) {
      EXPECT_EQ(error.Message, c.message);
    }
  }
}

// ---- Change notices

class ChangeCounter : public TObject {
public:
  int changes = 0, changings = 0;
  void Changed(TObject*) { ++changes; }
  void Changing(TObject*) { ++changings; }
};

TEST(StringList, OnChangeFiresPerEditAndOnceForAnUpdate) {
  ChangeCounter counter;
  TStringList list;
  list.OnChange = Method<&ChangeCounter::Changed>(&counter);
  list.OnChanging = Method<&ChangeCounter::Changing>(&counter);
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(counter.changes, 2);
  EXPECT_EQ(counter.changings, 2);
  list.BeginUpdate();
  list.Add("c");
  list.Delete(0);
  list.SetText("x\r\ny");
  EXPECT_EQ(counter.changes, 2) << "held back while updating";
  list.EndUpdate();
  EXPECT_EQ(counter.changes, 3);
  EXPECT_EQ(counter.changings, 3);
}

// ---- Files and streams

TEST(StringList, SaveAndLoadEightBitTextWithCrLf) {
  TempFolder folder;
  TStringList list;
  SetLines(list, {"VORTELIM BARKOD", "URUN_FONT_ADI=Tahoma", "KOD_1_1=Çağrı"});
  list.SaveToFile(folder.File("sheet.bcd"));
  EXPECT_EQ(ReadWholeFile(folder.Path("sheet.bcd")),
            AnsiString("VORTELIM BARKOD\r\nURUN_FONT_ADI=Tahoma\r\nKOD_1_1=Çağrı\r\n"));
  TStringList loaded;
  loaded.LoadFromFile(folder.File("sheet.bcd"));
  EXPECT_TRUE(loaded.Equals(&list));

  WriteWholeFile(folder.Path("unix.txt"), "a\nb\n");
  loaded.LoadFromFile(folder.File("unix.txt"));
  EXPECT_EQ(LinesOf(loaded), (Lines{"a", "b"}));
}

TEST(StringList, LoadFromStreamReadsFromThePosition) {
  TStringStream stream("skip|one\r\ntwo");
  stream.SetPosition(5);
  TStringList list;
  list.LoadFromStream(stream);
  EXPECT_EQ(LinesOf(list), (Lines{"one", "two"}));
  TStringStream out;
  list.SaveToStream(out);
  EXPECT_EQ(out.DataString(), "one\r\ntwo\r\n");
}

TEST(StringList, ZeroBytesInCommaTextSeparateAndRoundTrip) {
  TStringList list;
  list.SetCommaText(AnsiString("a,\"b c\"\0\0x", 10));
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b c", "x"}));
  Lines withZero = {AnsiString("n\0l", 3), "z"};
  SetLines(list, withZero);
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(LinesOf(back), withZero);
}
