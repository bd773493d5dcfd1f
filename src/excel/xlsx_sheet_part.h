// One sheet's part of the package (xl/worksheets/sheetN.xml) from its model: column
// widths, rows with their heights and cells (texts stored in the cell, each cell's
// format from the workbook's styles), merges, margins, page setup and the ranges whose
// numbers stored as text are not flagged.
#pragma once

#include <string>

#include "excel/sheet_model.h"
#include "excel/xlsx_styles.h"

namespace mireva::excel {

// Appends the part to `out`. `selected`: the sheet the workbook opens on. False, with
// the reason in `error`, for a text longer than a cell can hold.
bool appendSheetXml(std::string& out, const SheetModel& sheet, XlsxStyles& styles, bool selected, std::string& error);

// A column width in characters as the file stores it: widened by the cell padding
// and rounded to whole pixels of the default font.
double storedColumnWidth(double characters);

}  // namespace mireva::excel
