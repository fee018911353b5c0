// Shared pieces of the data-set tests: a data link that logs what it hears,
// and a table of names and ages whose events are logged in order.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/data/datalink.h"
#include "classlib/data/datasource.h"
#include "classlib/data/field.h"
#include "classlib/data/rxmemorydata.h"

using EventLog = std::vector<std::string>;

// Logs every notification of the link protocol (CheckBrowseMode excepted).
class TLoggingLink : public TDataLink {
public:
  explicit TLoggingLink(EventLog& log) : log_(log) {}

  int DataSetChanges = 0;
  std::vector<int> Scrolls;

protected:
  void ActiveChanged() override { log_.push_back("ActiveChanged"); }
  void DataSetChanged() override {
    ++DataSetChanges;
    log_.push_back("DataSetChanged");
  }
  void DataSetScrolled(int Distance) override {
    Scrolls.push_back(Distance);
    log_.push_back("DataSetScrolled");
  }
  void EditingChanged() override { log_.push_back("EditingChanged"); }
  void LayoutChanged() override { log_.push_back("LayoutChanged"); }
  void RecordChanged(TField* Field) override { log_.push_back("RecordChanged"); }
  void UpdateData() override { log_.push_back("UpdateData"); }

private:
  EventLog& log_;
};

// A table NAME (string 20), AGE (integer) holding the rows given, with the
// data set's events and a link's notifications logged in one list.
class TableFixture : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Appends one row each: {"Ali", 30}.
  void AddRows(const std::vector<std::pair<std::string, int>>& rows);
  // The NAME of every row shown, walked without logging; the cursor returns.
  std::vector<std::string> Names();
  std::string Current() { return Table->FieldByName("NAME")->AsString(); }
  void LogEvents(bool on) { logging_ = on; }

  EventLog Log;
  std::unique_ptr<TComponent> Owner;
  TRxMemoryData* Table = nullptr;
  TDataSource* Source = nullptr;
  std::unique_ptr<TLoggingLink> Link;

private:
  bool logging_ = true;
};
