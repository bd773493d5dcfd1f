#include "excel/xlsx_styles.h"

#include "excel/xlsx_package_parts.h"

namespace mireva::excel {

namespace {

constexpr const char* kFontName = "ＭＳ Ｐゴシック";
constexpr std::uint16_t kDefaultFontTenths = 110;

const char* borderStyle(Border b) {
    switch (b.style) {
        case LineStyle::None:
            return nullptr;
        case LineStyle::Continuous:
            switch (b.weight) {
                case LineWeight::Hairline:
                    return "hair";
                case LineWeight::Thin:
                    return "thin";
                case LineWeight::Medium:
                    return "medium";
            }
            break;
        case LineStyle::Dashed:
            switch (b.weight) {
                case LineWeight::Hairline:
                    return "hair";
                case LineWeight::Thin:
                    return "dashed";
                case LineWeight::Medium:
                    return "mediumDashed";
            }
            break;
    }
    return nullptr;
}

// The line a border draws: a dashed hairline is drawn as a hairline.
std::uint32_t borderCode(Border b) {
    if (b.isNone()) return 0;
    if (b.weight == LineWeight::Hairline) return 1;
    return 2 + (b.style == LineStyle::Dashed ? 2u : 0u) + (b.weight == LineWeight::Medium ? 1u : 0u);
}

std::uint32_t bordersKey(const ResolvedFormat& f) {
    return borderCode(f.left) | borderCode(f.right) << 4 | borderCode(f.top) << 8 | borderCode(f.bottom) << 12;
}

void appendBorderSide(std::string& out, const char* side, Border b) {
    const char* style = borderStyle(b);
    out += '<';
    out += side;
    if (!style) {
        out += "/>";
        return;
    }
    out += " style=\"";
    out += style;
    out += "\"><color rgb=\"FF000000\"/></";
    out += side;
    out += '>';
}

}  // namespace

XlsxStyles::XlsxStyles() {
    fonts_.push_back(kDefaultFontTenths);
    fontBySize_.emplace(kDefaultFontTenths, 0);
    borders_.push_back(ResolvedFormat{});
    borderByKey_.emplace(0, 0);
    xfs_.push_back(Xf{0, 0, 0, ResolvedFormat{}});
}

std::uint32_t XlsxStyles::numberFormatId(const std::string& text) {
    for (size_t i = 0; i < numberFormatTexts_.size(); ++i)
        if (numberFormatTexts_[i] == text) return static_cast<std::uint32_t>(i);
    numberFormatTexts_.push_back(text);
    customNumberFormat_.push_back(0);
    return static_cast<std::uint32_t>(numberFormatTexts_.size() - 1);
}

std::uint32_t XlsxStyles::cellFormat(const ResolvedFormat& given, std::uint32_t numberFormat) {
    ResolvedFormat f = given;
    if (f.style.fontTenths == kDefaultFontTenths) f.style.fontTenths = 0;
    f.style.numberFormat = 0;  // the workbook-wide id below stands for it
    if (f.isDefault() && numberFormat == 0) return 0;

    std::uint64_t key = f.style.fontTenths;
    key = key << 2 | static_cast<std::uint64_t>(f.style.horizontal);
    key = key << 2 | static_cast<std::uint64_t>(f.style.vertical);
    key = key << 1 | (f.style.wrap ? 1u : 0u);
    key = key << 1 | (f.style.shrink ? 1u : 0u);
    key = key << 16 | bordersKey(f);
    key = key << 16 | numberFormat;
    auto found = xfByKey_.find(key);
    if (found != xfByKey_.end()) return found->second;

    Xf xf{0, 0, 0, f};
    const std::uint16_t size = f.style.fontTenths ? f.style.fontTenths : kDefaultFontTenths;
    auto font = fontBySize_.try_emplace(size, static_cast<std::uint32_t>(fonts_.size()));
    if (font.second) fonts_.push_back(size);
    xf.font = font.first->second;
    auto border = borderByKey_.try_emplace(bordersKey(f), static_cast<std::uint32_t>(borders_.size()));
    if (border.second) borders_.push_back(f);
    xf.border = border.first->second;
    if (numberFormat) {
        std::uint32_t& custom = customNumberFormat_[numberFormat];
        if (!custom) {
            customTexts_.push_back(numberFormatTexts_[numberFormat]);
            custom = static_cast<std::uint32_t>(163 + customTexts_.size());
        }
        xf.numberFormat = custom;
    }
    const auto index = static_cast<std::uint32_t>(xfs_.size());
    xfs_.push_back(xf);
    xfByKey_.emplace(key, index);
    return index;
}

std::string XlsxStyles::stylesXml() const {
    std::string out(kXmlDeclaration);
    out += "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    if (!customTexts_.empty()) {
        out += "<numFmts count=\"" + std::to_string(customTexts_.size()) + "\">";
        for (size_t i = 0; i < customTexts_.size(); ++i) {
            out += "<numFmt numFmtId=\"" + std::to_string(164 + i) + "\" formatCode=\"";
            appendXmlAttribute(out, customTexts_[i]);
            out += "\"/>";
        }
        out += "</numFmts>";
    }
    out += "<fonts count=\"" + std::to_string(fonts_.size()) + "\">";
    for (std::uint16_t tenths : fonts_) {
        out += "<font><sz val=\"" + xmlNumber(tenths / 10.0) + "\"/><color theme=\"1\"/><name val=\"";
        out += kFontName;
        out += "\"/><family val=\"3\"/></font>";
    }
    out +=
        "</fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
        "<fill><patternFill patternType=\"gray125\"/></fill></fills>";
    out += "<borders count=\"" + std::to_string(borders_.size()) + "\">";
    for (const ResolvedFormat& b : borders_) {
        out += "<border>";
        appendBorderSide(out, "left", b.left);
        appendBorderSide(out, "right", b.right);
        appendBorderSide(out, "top", b.top);
        appendBorderSide(out, "bottom", b.bottom);
        out += "<diagonal/></border>";
    }
    out +=
        "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
        "</cellStyleXfs>";
    out += "<cellXfs count=\"" + std::to_string(xfs_.size()) + "\">";
    for (const Xf& xf : xfs_) {
        const CellStyle& s = xf.format.style;
        out += "<xf numFmtId=\"" + std::to_string(xf.numberFormat) + "\" fontId=\"" + std::to_string(xf.font) +
               "\" fillId=\"0\" borderId=\"" + std::to_string(xf.border) + "\" xfId=\"0\"";
        if (xf.numberFormat) out += " applyNumberFormat=\"1\"";
        if (xf.font) out += " applyFont=\"1\"";
        if (xf.border) out += " applyBorder=\"1\"";
        // Every format sets its vertical alignment (centre unless told otherwise), so
        // every one applies its alignment; bottom is the file format's default and
        // is not written.
        out += " applyAlignment=\"1\"";
        std::string alignment;
        if (s.horizontal == HAlign::Left) alignment += " horizontal=\"left\"";
        if (s.horizontal == HAlign::Center) alignment += " horizontal=\"center\"";
        if (s.vertical == VAlign::Default) alignment += " vertical=\"center\"";
        if (s.vertical == VAlign::Top) alignment += " vertical=\"top\"";
        if (s.wrap) alignment += " wrapText=\"1\"";
        // Shrinking and wrapping exclude each other; wrapping wins.
        if (s.shrink && !s.wrap) alignment += " shrinkToFit=\"1\"";
        if (alignment.empty()) {
            out += "/>";
        } else {
            out += "><alignment" + alignment + "/></xf>";
        }
    }
    out +=
        "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
        "<dxfs count=\"0\"/><tableStyles count=\"0\" defaultTableStyle=\"TableStyleMedium9\" "
        "defaultPivotStyle=\"PivotStyleLight16\"/></styleSheet>";
    return out;
}

}  // namespace mireva::excel
