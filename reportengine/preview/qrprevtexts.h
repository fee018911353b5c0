// The standard preview's texts, in English as the preview always shows them.
#pragma once

inline constexpr const char* SQRPreviewCaption = "Report Preview : ";
inline constexpr const char* SQRThumbnails = "ThumbNails";
inline constexpr const char* SQRSearchResults = "Search Results";
inline constexpr const char* SQRSearchText = "Search Text";
inline constexpr const char* SQRZoomFitHint = "Zoom to fit";
inline constexpr const char* SQRZoomWidthHint = "Zoom to width";
inline constexpr const char* SQRZoom100Hint = "100% Size";
inline constexpr const char* SQRFirstPageHint = "First page";
inline constexpr const char* SQRNextPageHint = "Next page";
inline constexpr const char* SQRPrevPageHint = "Previous page";
inline constexpr const char* SQRLastPageHint = "Last page";
inline constexpr const char* SQRGotoPageHint = "Select a Page";
inline constexpr const char* SQRFindHint = "Search for Text";
inline constexpr const char* SQRPrintSetupHint = "Printer setup";
inline constexpr const char* SQRPrintHint = "Print";
inline constexpr const char* SQRSaveHint = "Save report";
inline constexpr const char* SQRLoadHint = "Load report";
inline constexpr const char* SQRExitHint = "Close Preview";
inline constexpr const char* SQRClose = "&Close";
inline constexpr const char* SQRPage = "Page";
inline constexpr const char* SQROf = "of";
inline constexpr const char* SQRGotoPageCaption = "Select a page from 1 to %d";
inline constexpr const char* SQRGotoPagePrompt = "Enter page number";
inline constexpr const char* SQRNoMatch = "No matching text";
inline constexpr const char* SQRFileNotExist = "File does not exist";
inline constexpr const char* SQRSaveTitle = "Save report";
inline constexpr const char* SQRLoadTitle = "Load report";
inline constexpr const char* SQRPageFileText = "Report page file";
inline constexpr const char* SQRPageFileExt = "QRP";
