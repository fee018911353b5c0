// The standard preview's tool bar pictures, drawn here: zoom, page arrows,
// go to page, lens, printer, disk and folder.
#pragma once

class TComponent;
class TImageList;

// The order of the pictures in the image list.
enum TQRPreviewGlyph {
  qpgZoomFit, qpgZoomWidth, qpgZoom100, qpgFirst, qpgPrior, qpgNext, qpgLast, qpgGotoPage, qpgFind, qpgSetup,
  qpgPrint, qpgSave, qpgLoad, qpgGlyphCount
};

// An image list of 16 x 16 pictures in TQRPreviewGlyph order, owned by Owner.
TImageList* MakeQRPreviewImages(TComponent* Owner);
