// A main form made in a scratch program folder, with every dialog answered
// from a script.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <utility>

#include "app/generalhelpers.h"
#include "app/shell/mainform.h"
#include "classlib/data/field.h"
#include "classlib/forms/scripteddialogs.h"
#include "tests/classlib/forms/forms_test_util.h"
#include "tests/support/scratchfolder.h"

namespace shell_test {

class MainFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetProgramFileNameForTesting(folder.File("Dozuri.exe"));
    scope.emplace(dialogs);
  }
  void TearDown() override {
    if (form != nullptr)
      form->Free();
    scope.reset();
    SetProgramFileNameForTesting("");
  }

  TAnaF& Create() {
    form = NewForm<TAnaF>(Application);
    return *form;
  }
  TAnaF& CreateShown() {
    Create().SetWindowState(wsNormal);
    form->Show();
    forms_test::PumpUntil([] { return false; }, 50);
    return *form;
  }

  void AddRecord(std::initializer_list<std::pair<int, AnsiString>> fields) {
    TRxMemoryData& table = *form->RxBarkod;
    table.Append();
    for (const auto& [number, text] : fields)
      table.FieldByName(RecordFieldName(number))->SetAsString(text);
    table.Post();
  }
  // The given field of every record the table shows, in order.
  std::vector<AnsiString> Column(int number) {
    std::vector<AnsiString> texts;
    TRxMemoryData& table = *form->RxBarkod;
    for (table.First(); !table.Eof(); table.Next())
      texts.push_back(table.FieldByName(RecordFieldName(number))->AsString());
    return texts;
  }

  AnsiString RecordFile() const { return folder.File("Data\\barkod.bxf"); }

  ScratchFolder folder;
  TScriptedDialogService dialogs;
  std::optional<TDialogServiceScope> scope;
  TAnaF* form = nullptr;
};

}  // namespace shell_test
