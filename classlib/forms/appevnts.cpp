#include "classlib/forms/appevnts.h"

BEGIN_PUBLISHED(TApplicationEvents)
  PROPERTY(OnException, OnException, OnException),
  PROPERTY(OnIdle, OnIdle, OnIdle),
  PROPERTY(OnMessage, OnMessage, OnMessage),
  PROPERTY(OnMinimize, OnMinimize, OnMinimize),
  PROPERTY(OnRestore, OnRestore, OnRestore),
  PROPERTY(OnModalBegin, OnModalBegin, OnModalBegin),
  PROPERTY(OnModalEnd, OnModalEnd, OnModalEnd),
END_PUBLISHED

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner) { Application->AddEvents(this); }

TApplicationEvents::~TApplicationEvents() { Application->RemoveEvents(this); }
