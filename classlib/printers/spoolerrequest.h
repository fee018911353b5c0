// The request scope of the spooler's answers, apart from the spooler itself:
// callers that only open a request or drop the answers need no <winspool.h>,
// whose macros (AddForm and others) would rename their own members.
#pragma once

// While one is open (they nest), Spooler() answers through the request's
// memory. The outermost scope starts and ends with nothing kept.
class SpoolerRequestScope {
public:
  SpoolerRequestScope();
  ~SpoolerRequestScope();
  SpoolerRequestScope(const SpoolerRequestScope&) = delete;
  SpoolerRequestScope& operator=(const SpoolerRequestScope&) = delete;
};

// Drops every kept answer: printers or their settings changed.
void ForgetSpoolerAnswers();

