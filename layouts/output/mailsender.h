// The hand-over of a mail message to the user's mail client. The program
// uses the system's simple MAPI (the client shows its own send dialog);
// tests install a sender of their own, so no mail ever leaves a test.
#pragma once
#include <vector>

#include "classlib/system/ansistring.h"

struct TMailMessage {
  AnsiString Recipient;
  AnsiString Subject;
  AnsiString Body;
  std::vector<AnsiString> Attachments;  // full file names
};

class TMailSender {
public:
  virtual ~TMailSender() = default;
  // Returns when the client has taken the message (sent, queued or
  // cancelled by the user: nothing to report then). Raises with a Turkish
  // message when no client can take it.
  virtual void Send(const TMailMessage& Message) = 0;
};

// The sender in force (by default the MAPI one).
TMailSender& MailSender();
// Installs a sender (nullptr: the default one); gives the previous one.
TMailSender* SetMailSender(TMailSender* Sender);

class TMailSenderScope {
public:
  explicit TMailSenderScope(TMailSender& Sender) : previous_(SetMailSender(&Sender)) {}
  ~TMailSenderScope() { SetMailSender(previous_); }
  TMailSenderScope(const TMailSenderScope&) = delete;
  TMailSenderScope& operator=(const TMailSenderScope&) = delete;

private:
  TMailSender* previous_;
};
