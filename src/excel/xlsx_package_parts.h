// The parts of an .xlsx package other than the sheets and the styles, as text: the
// content types, the relationships, the document properties, the workbook part with
// its sheet list and print areas, and the theme. Also the XML escaping and the
// spreadsheet's way of naming a sheet in a formula, shared with the sheet parts.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "excel/sheet_model.h"

namespace mireva::excel {

// The declaration every part starts with, newline included.
inline constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// Element text: & < > escaped.
void appendXmlText(std::string& out, std::string_view text);
// Attribute value: & < > " escaped.
void appendXmlAttribute(std::string& out, std::string_view text);
// A number as the file format writes it: up to 16 significant digits.
std::string xmlNumber(double value);

// The sheet name as a formula names it: in single quotes (a quote inside doubled)
// unless it consists of ASCII letters, digits, '_' and '.' only.
std::string quotedSheetName(const std::string& name);

// A sheet's print area as the workbook defines it.
struct PrintAreaName {
    int sheetIndex = 0;  // 0-based position in the workbook
    std::string sheetName;
    CellRange area;
};
// The print areas in the order the workbook lists them: by quoted sheet name,
// ignoring ASCII case.
std::vector<PrintAreaName> sortedPrintAreas(std::vector<PrintAreaName> areas);

std::string contentTypesXml(int sheets);
std::string rootRelationshipsXml();
std::string workbookRelationshipsXml(int sheets);
// `printAreas` sorted as sortedPrintAreas gives them.
std::string workbookXml(const std::vector<std::string>& sheetNames, const std::vector<PrintAreaName>& printAreas);
std::string appPropertiesXml(const std::vector<std::string>& sheetNames, const std::vector<PrintAreaName>& printAreas);
// Created and modified at `now` (UTC).
std::string corePropertiesXml(std::time_t now);
std::string_view themeXml();

}  // namespace mireva::excel
