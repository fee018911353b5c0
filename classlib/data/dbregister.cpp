#include "classlib/data/dbregister.h"

#include "classlib/data/blobfields.h"
#include "classlib/data/booleanfield.h"
#include "classlib/data/datasource.h"
#include "classlib/data/datetimefields.h"
#include "classlib/data/dbtables.h"
#include "classlib/data/numericfields.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/data/stringfield.h"

void RegisterDataClasses() {
  static const bool registered = [] {
    RegisterClasses({TDataSource::StaticClass(), TRxMemoryData::StaticClass(), TTable::StaticClass(),
                     TQuery::StaticClass(), TStringField::StaticClass(), TSmallintField::StaticClass(),
                     TIntegerField::StaticClass(), TWordField::StaticClass(), TAutoIncField::StaticClass(),
                     TLargeintField::StaticClass(), TFloatField::StaticClass(), TCurrencyField::StaticClass(),
                     TBCDField::StaticClass(), TBooleanField::StaticClass(), TDateField::StaticClass(),
                     TTimeField::StaticClass(), TDateTimeField::StaticClass(), TBlobField::StaticClass(),
                     TMemoField::StaticClass(), TGraphicField::StaticClass()});
    return true;
  }();
  (void)registered;
}
