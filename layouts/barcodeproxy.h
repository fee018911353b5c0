// Barcode proxies: the banded engine prints only printables, so the runner
// gives every barcode of a graphic page a plain image (a proxy) on the
// barcode's band, with the barcode's bounds, the barcode's name as its Hint
// and Tag -1250. Before the proxy prints, the barcode paints itself into the
// proxy's bitmap. Proxies belong to the runner for one run and are never
// stored in a layout.
#pragma once
class TComponent;
class TQRImage;
class TStBarCode;

// Made by Owner, on the barcode's parent.
TQRImage* CreateBarcodeProxy(TComponent& Owner, TStBarCode& Barcode);
bool IsBarcodeProxy(const TQRImage& Image);
// The proxy's bitmap is cleared to white, then the barcode paints its
// current code into it. An empty code (a placeholder label) leaves the
// bitmap blank instead of failing; a code the symbology rejects raises.
void PaintBarcodeIntoProxy(TStBarCode& Barcode, TQRImage& Proxy);
