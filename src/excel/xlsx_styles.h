// The workbook's cell formats (styles part): every distinct resolved cell format with
// its number format becomes one cell format, numbered in the order the sheets first
// use them; fonts, borders and number formats are shared the same way. Format 0 is
// the cell style every cell starts from: the Japanese face at 11 pt, vertically
// centred. A cell format replaces it as a whole, so every format carries the face and
// the centring too, unless it sets its own vertical alignment.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "excel/sheet_model.h"

namespace mireva::excel {

class XlsxStyles {
public:
    XlsxStyles();

    // The workbook-wide id of a number format text ("" = general, id 0).
    std::uint32_t numberFormatId(const std::string& text);
    // The cell format of a resolved format whose number format has the workbook-wide
    // id `numberFormat`; 0 for the default format.
    std::uint32_t cellFormat(const ResolvedFormat& format, std::uint32_t numberFormat);

    // Cell formats made so far, the default one not counted.
    size_t formatCount() const { return xfs_.size() - 1; }

    std::string stylesXml() const;

private:
    struct Xf {
        std::uint32_t font;
        std::uint32_t border;
        std::uint32_t numberFormat;  // 0 or 164 + index of a custom format
        ResolvedFormat format;
    };
    std::vector<std::string> numberFormatTexts_{""};
    std::vector<std::uint32_t> customNumberFormat_{0};  // by workbook id: 0 until a format uses it
    std::vector<std::string> customTexts_;              // in order of first use
    std::unordered_map<std::uint64_t, std::uint32_t> xfByKey_;
    std::unordered_map<std::uint16_t, std::uint32_t> fontBySize_;
    std::vector<std::uint16_t> fonts_;  // sizes in tenths
    std::unordered_map<std::uint32_t, std::uint32_t> borderByKey_;
    std::vector<ResolvedFormat> borders_;
    std::vector<Xf> xfs_;
};

}  // namespace mireva::excel
