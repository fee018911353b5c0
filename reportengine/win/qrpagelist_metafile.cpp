// The metafile side of the page list: pages go in and come out as enhanced
// metafiles, stored as their EMF file bytes.
#include "reportengine/qrpagelist.h"

#include "classlib/graphics/metafile.h"

void TQRPageList::AddPage(TMetafile& page) { AddPageData(page.EmfBytes()); }

std::unique_ptr<TMetafile> TQRPageList::GetPage(std::int32_t pageNumber) {
  std::optional<TPageData> bytes = GetPageData(pageNumber);
  if (!bytes)
    return nullptr;
  auto page = std::make_unique<TMetafile>();
  try {
    page->LoadFromBytes(*bytes);
  } catch (const EQRPageFileError&) {
    throw;
  } catch (const Exception&) {
    // A record whose payload is no metafile makes the whole file suspect.
    throw EQRPageFileError(SQRInvalidPageFile);
  }
  return page;
}
