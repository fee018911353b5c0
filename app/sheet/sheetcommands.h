// The cell commands of the sheet mode that work on the tables alone.
#pragma once
#include <cstdint>

#include "app/sheet/sheettables.h"

// "Kopyala": every cell (ALAN1..ALAN20 of every row) of each table gets the
// table's first cell, table by table.
void CopyFirstCellEverywhere(TSheetTables& tables);

// The largest start of a numbered series: its numbers are carried with four
// decimals in a signed 64-bit integer.
constexpr std::int64_t SeriesNumberLimit = 922337203685477;

enum TSeriesResult { srDone, srNotANumber, srTooLarge };
// "Kopyala 2": the barcode cell (row, column) holds a whole number N. From
// that cell to column 20, then on every following row from column 1, each
// cell gets the current number, which grows by 1 after a cell within the
// first `columns` columns; columns past them repeat the number reached.
// Nothing changes when the cell holds no whole number, or when the series
// would pass SeriesNumberLimit.
TSeriesResult CopyNumberedSeries(TSheetTables& tables, int row, int column, int columns);

// What the form says for each refusal.
inline constexpr const char* SeriesNotANumberText = "1. hücredeki değerin sayısal olması gereklidir";
inline constexpr const char* SeriesTooLargeText = "Numaralar 922337203685477 sınırını aşıyor; hiçbir hücre değiştirilmedi.";
