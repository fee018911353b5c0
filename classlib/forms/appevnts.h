// TApplicationEvents: a component that receives the application's events
// (OnException, OnIdle, OnMessage ...) for the form that holds it. Several may
// exist at once; each one with a handler gets the event.
#pragma once
#include "classlib/classes/component.h"
#include "classlib/forms/application.h"

class TApplicationEvents : public TComponent {
  DECLARE_CLASS(TApplicationEvents, TComponent)

public:
  explicit TApplicationEvents(TComponent* AOwner);
  ~TApplicationEvents() override;

  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TMessageEvent OnMessage;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TNotifyEvent OnModalBegin;
  TNotifyEvent OnModalEnd;
};
