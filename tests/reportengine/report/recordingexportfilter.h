// An export filter that writes down what a run hands it, in order: the
// start with the page size, each page start and end, the bands with their
// top (0.1 mm) and the finish. Shared by the tests of the report's and the
// composite report's export. Header-only.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "classlib/classes/object.h"
#include "reportengine/report/qrexportfilter.h"

class RecordingExportFilter : public TObject, public IQRExportFilter {
public:
  void Start(int PaperWidth, int PaperLength, TFont*) override {
    started = true;
    log.push_back("start " + std::to_string(PaperWidth) + "x" + std::to_string(PaperLength));
    if (OnStart)
      OnStart();
  }
  bool Started() const override { return started; }
  void NewPage() override {
    log.push_back("page");
    if (OnNewPage)
      OnNewPage();
  }
  void EndPage() override { log.push_back("end"); }
  void AcceptGraphic(long double, long double, TGraphic*) override { log.push_back("graphic"); }
  void AcceptBand(TQRCustomBand* Band, long double, long double Y, long double) override {
    const std::string label = BandLabel ? BandLabel(Band) + " " : "";
    log.push_back("band " + label + std::to_string(static_cast<int>(Y)));
  }
  void Finish() override { log.push_back("finish"); }
  bool ContinuousPage() const override { return false; }

  // How many entries of the log are exactly Entry.
  int Count(const std::string& entry) const {
    int n = 0;
    for (const std::string& e : log)
      n += e == entry ? 1 : 0;
    return n;
  }

  // Names a band in the log ("band <name> <top>"); unset logs the top only.
  std::function<std::string(TQRCustomBand*)> BandLabel;
  // Called as the run starts the filter and as each page starts.
  std::function<void()> OnStart;
  std::function<void()> OnNewPage;

  bool started = false;
  std::vector<std::string> log;
};
