// A report page on the shared test form with in-memory tables and a log of
// the bands as they are asked to print (BeforePrint), for the tests of the
// record loops: controllers, groups and sub-details. Header-only.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrcontroller.h"
#include "reportengine/report/qrgroup.h"
#include "reportengine/report/qrsubdetail.h"
#include "reportengine/report/quickrep.h"
#include "tests/support/formfixture.h"

namespace controller_test {

// One row of a table: field name and text, in column order.
using Row = std::vector<std::pair<std::string, std::string>>;

class ReportRun : public ::testing::Test {
protected:
  void SetUp() override {
    report = new TQuickRep(form.Host());
    report->SetParent(form.Host());
    report->SetShowProgress(false);
  }

  // An open in-memory table of string columns with the rows given.
  TRxMemoryData* Table(const std::vector<std::string>& columns, const std::vector<Row>& rows) {
    auto* table = new TRxMemoryData(form.Host());
    for (const std::string& column : columns)
      table->FieldDefs()->Add(column.c_str(), ftString, 20);
    table->Open();
    for (const Row& row : rows) {
      table->Append();
      for (const auto& [field, text] : row)
        table->FieldByName(field.c_str())->SetAsString(text.c_str());
      table->Post();
    }
    table->First();
    return table;
  }

  // The field's text in the table's current record.
  static std::string Value(TDataSet* table, const char* field) {
    return table->FieldByName(field)->AsString();
  }

  // Logs the band under its label each time it is asked to print; Detail
  // adds the text of Describe, when given, in brackets.
  void Log(TQRCustomBand* band, std::string label, std::function<std::string()> describe = nullptr) {
    band->BeforePrint = TQRBandBeforePrintEvent([this, label, describe](TQRCustomBand*, bool&) {
      log.push_back(describe ? label + "(" + describe() + ")" : label);
    });
  }

  // Logs the band each time it has printed (AfterPrint), when the page it
  // went to is known.
  void LogAfter(TQRCustomBand* band, std::string label, std::function<std::string()> describe) {
    band->AfterPrint = TQRBandAfterPrintEvent([this, label, describe](TQRCustomBand*, bool) {
      log.push_back(label + "(" + describe() + ")");
    });
  }

  TQRCustomBand* Band(TQRBandType kind) { return report->CreateBand(kind); }

  TQRGroup* Group(const char* expression, TComponent* master = nullptr) {
    auto* group = new TQRGroup(form.Host());
    group->SetParent(report);
    if (master != nullptr)
      group->SetMaster(master);
    group->SetExpression(expression);
    return group;
  }

  TQRSubDetail* SubDetail(TComponent* master = nullptr) {
    auto* sub = new TQRSubDetail(form.Host());
    sub->SetParent(report);
    if (master != nullptr)
      sub->SetMaster(master);
    return sub;
  }

  // Prepares the report into metafile pages, which stay in QRPrinter.
  void Run() { report->Prepare(); }

  int Pages() { return report->QRPrinter() != nullptr ? report->QRPrinter()->PageCount() : -1; }

  test_support::FormFixture form;
  TQuickRep* report = nullptr;
  std::vector<std::string> log;
};

}  // namespace controller_test
