#include "excel/xlsx_package_parts.h"

#include <algorithm>
#include <cstdio>

namespace mireva::excel {

namespace {

constexpr std::string_view kRelationshipsNs = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view kOfficeRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kSheetContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string absoluteCell(int row, int col) { return "$" + columnName(col) + "$" + std::to_string(row + 1); }

std::string printAreaFormula(const PrintAreaName& p) {
    const CellRange& a = p.area;
    std::string formula = quotedSheetName(p.sheetName) + "!" + absoluteCell(a.firstRow, a.firstCol);
    if (!a.isSingleCell()) formula += ":" + absoluteCell(a.lastRow, a.lastCol);
    return formula;
}

void relationship(std::string& out, int id, std::string_view type, std::string_view target) {
    out += "<Relationship Id=\"rId";
    out += std::to_string(id);
    out += "\" Type=\"";
    out += type;
    out += "\" Target=\"";
    out += target;
    out += "\"/>";
}

}  // namespace

namespace {

// The text with &, < and > escaped, and " too inside an attribute's quotes.
void appendXmlEscaped(std::string& out, std::string_view text, bool inQuotes) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += inQuotes ? "&quot;" : "\"";
                break;
            default:
                out += c;
        }
    }
}

}  // namespace

void appendXmlText(std::string& out, std::string_view text) { appendXmlEscaped(out, text, false); }

void appendXmlAttribute(std::string& out, std::string_view text) { appendXmlEscaped(out, text, true); }

std::string xmlNumber(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.16G", value);
    return buffer;
}

std::string quotedSheetName(const std::string& name) {
    if (!name.empty() && name[0] == '\'') return name;
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        const unsigned char u = static_cast<unsigned char>(c);
        return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || c == '_' || c == '.';
    });
    if (plain) return name;
    std::string quoted = "'";
    for (char c : name) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

std::vector<PrintAreaName> sortedPrintAreas(std::vector<PrintAreaName> areas) {
    std::stable_sort(areas.begin(), areas.end(), [](const PrintAreaName& a, const PrintAreaName& b) {
        return lowerAscii(quotedSheetName(a.sheetName)) < lowerAscii(quotedSheetName(b.sheetName));
    });
    return areas;
}

std::string contentTypesXml(int sheets) {
    std::string out(kXmlDeclaration);
    out +=
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/docProps/app.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
        "<Override PartName=\"/docProps/core.xml\" "
        "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
        "<Override PartName=\"/xl/theme/theme1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.theme+xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>";
    for (int i = 1; i <= sheets; ++i) {
        out += "<Override PartName=\"/xl/worksheets/sheet";
        out += std::to_string(i);
        out += ".xml\" ContentType=\"";
        out += kSheetContentType;
        out += "\"/>";
    }
    out += "</Types>";
    return out;
}

std::string rootRelationshipsXml() {
    std::string out(kXmlDeclaration);
    out += "<Relationships xmlns=\"";
    out += kRelationshipsNs;
    out += "\">";
    relationship(out, 1, std::string(kOfficeRel) + "/officeDocument", "xl/workbook.xml");
    relationship(out, 2, "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties",
                 "docProps/core.xml");
    relationship(out, 3, std::string(kOfficeRel) + "/extended-properties", "docProps/app.xml");
    out += "</Relationships>";
    return out;
}

std::string workbookRelationshipsXml(int sheets) {
    std::string out(kXmlDeclaration);
    out += "<Relationships xmlns=\"";
    out += kRelationshipsNs;
    out += "\">";
    const std::string sheetType = std::string(kOfficeRel) + "/worksheet";
    for (int i = 1; i <= sheets; ++i) relationship(out, i, sheetType, "worksheets/sheet" + std::to_string(i) + ".xml");
    relationship(out, sheets + 1, std::string(kOfficeRel) + "/theme", "theme/theme1.xml");
    relationship(out, sheets + 2, std::string(kOfficeRel) + "/styles", "styles.xml");
    out += "</Relationships>";
    return out;
}

std::string workbookXml(const std::vector<std::string>& sheetNames, const std::vector<PrintAreaName>& printAreas) {
    std::string out(kXmlDeclaration);
    out +=
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<fileVersion appName=\"xl\" lastEdited=\"4\" lowestEdited=\"4\" rupBuild=\"4505\"/>"
        "<workbookPr defaultThemeVersion=\"124226\"/>"
        "<bookViews><workbookView xWindow=\"240\" yWindow=\"15\" windowWidth=\"16095\" windowHeight=\"9660\"/>"
        "</bookViews><sheets>";
    for (size_t i = 0; i < sheetNames.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        out += "<sheet name=\"";
        appendXmlAttribute(out, sheetNames[i]);
        out += "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    }
    out += "</sheets>";
    if (!printAreas.empty()) {
        out += "<definedNames>";
        for (const PrintAreaName& p : printAreas) {
            out += "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"" + std::to_string(p.sheetIndex) + "\">";
            appendXmlText(out, printAreaFormula(p));
            out += "</definedName>";
        }
        out += "</definedNames>";
    }
    out += "<calcPr calcId=\"124519\" fullCalcOnLoad=\"1\"/></workbook>";
    return out;
}

std::string appPropertiesXml(const std::vector<std::string>& sheetNames, const std::vector<PrintAreaName>& printAreas) {
    std::string out(kXmlDeclaration);
    out +=
        "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
        "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
        "<Application>Microsoft Excel</Application><DocSecurity>0</DocSecurity><ScaleCrop>false</ScaleCrop>"
        "<HeadingPairs><vt:vector size=\"";
    out += printAreas.empty() ? "2" : "4";
    out += "\" baseType=\"variant\"><vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant><vt:variant><vt:i4>";
    out += std::to_string(sheetNames.size());
    out += "</vt:i4></vt:variant>";
    if (!printAreas.empty()) {
        out += "<vt:variant><vt:lpstr>Named Ranges</vt:lpstr></vt:variant><vt:variant><vt:i4>";
        out += std::to_string(printAreas.size());
        out += "</vt:i4></vt:variant>";
    }
    out += "</vt:vector></HeadingPairs><TitlesOfParts><vt:vector size=\"";
    out += std::to_string(sheetNames.size() + printAreas.size());
    out += "\" baseType=\"lpstr\">";
    for (const std::string& name : sheetNames) {
        out += "<vt:lpstr>";
        appendXmlText(out, name);
        out += "</vt:lpstr>";
    }
    for (const PrintAreaName& p : printAreas) {
        out += "<vt:lpstr>";
        appendXmlText(out, quotedSheetName(p.sheetName) + "!Print_Area");
        out += "</vt:lpstr>";
    }
    out +=
        "</vt:vector></TitlesOfParts><Company></Company><LinksUpToDate>false</LinksUpToDate>"
        "<SharedDoc>false</SharedDoc><HyperlinksChanged>false</HyperlinksChanged><AppVersion>12.0000</AppVersion>"
        "</Properties>";
    return out;
}

std::string corePropertiesXml(std::time_t now) {
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::string out(kXmlDeclaration);
    out +=
        "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
        "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
        "<dc:creator></dc:creator><cp:lastModifiedBy></cp:lastModifiedBy>"
        "<dcterms:created xsi:type=\"dcterms:W3CDTF\">";
    out += stamp;
    out += "</dcterms:created><dcterms:modified xsi:type=\"dcterms:W3CDTF\">";
    out += stamp;
    out += "</dcterms:modified></cp:coreProperties>";
    return out;
}

}  // namespace mireva::excel
