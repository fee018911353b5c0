#!/usr/bin/env python3
"""Writes the workbooks the workbook reader's tests, the end-to-end import
test and the benchmark read, with openpyxl as an independent writer.

  make_workbook.py sample OUT        two worksheets covering the value kinds
  make_workbook.py barcodes OUT N    one worksheet: a title row, then N rows of
                                     a 13-digit barcode stored as a number and
                                     a Turkish name
"""
import datetime
import sys

from openpyxl import Workbook

NAMES = ["Çiğ Köfte", "Şeker Ürünleri", "Işık Ğ İğne", "Öğle Yemeği", "Düğme"]


def sample(out):
    book = Workbook()
    sheet = book.active
    sheet.title = "Ürünler"
    sheet.append(["Barkod", "Adı", "Fiyat", "Tarih", "Toplam", None, "Not"])
    sheet.append([8690000000012, "Çiğ Köfte", 12.75, datetime.date(2024, 3, 1), "=C2*2", None, "ıİğĞüÜşŞöÖçÇ"])
    sheet.append([8690000000029, "Şeker", 3, datetime.datetime(1999, 12, 31, 18, 30), "=C3*2", None, "son"])
    second = book.create_sheet("İkinci")
    second["B2"] = "ikinci sayfa"
    second["B3"] = -0.5
    book.save(out)


def barcodes(out, count):
    book = Workbook()
    sheet = book.active
    sheet.title = "Barkodlar"
    sheet.append(["Barkod", "Adı"])
    for i in range(count):
        sheet.append([8690000000000 + i, "%s %d" % (NAMES[i % len(NAMES)], i + 1)])
    book.save(out)


if __name__ == "__main__":
    if sys.argv[1] == "sample":
        sample(sys.argv[2])
    elif sys.argv[1] == "barcodes":
        barcodes(sys.argv[2], int(sys.argv[3]))
    else:
        sys.exit("unknown workbook kind: " + sys.argv[1])
