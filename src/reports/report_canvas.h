// What the report page draws on: pens, lines, the frame rectangle and texts, in
// units of 0.01 mm with x to the right from the left edge of the printable area and
// y upward from its bottom edge. A printer, the preview and PDF files draw through
// a QPainter canvas; tests record the calls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/sj.h"

namespace mireva {

enum class ReportPen {
    Frame,   // solid, 0.30 mm
    Plain,   // the device's ordinary solid pen
    Dotted,  // dotted, thin
};

class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;
    virtual void setPen(ReportPen pen) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void rectangle(int left, int bottom, int right, int top) = 0;
    // A text, left-aligned, unclipped, whose first character cell (of
    // height `cellHeight`) has its top-left corner at (x, top).
    virtual void text(int x, int top, int cellHeight, SjView text) = 0;
};

// A canvas that keeps every call, for tests and for checking a page's content.
struct CanvasCall {
    enum Kind { Pen, Line, Rectangle, Text } kind = Line;
    ReportPen pen = ReportPen::Plain;    // the pen set (Pen) or in use (Line, Rectangle)
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Text: x1, y1 = left, top
    int height = 0;                      // Text: cell height
    std::string text;                    // Text: code page 932 bytes
};

class RecordingCanvas : public ReportCanvas {
public:
    void setPen(ReportPen pen) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int left, int bottom, int right, int top) override;
    void text(int x, int top, int cellHeight, SjView text) override;

    std::vector<CanvasCall> calls;

    // The text calls only, in drawing order.
    std::vector<CanvasCall> texts() const;
    // The line calls only, in drawing order.
    std::vector<CanvasCall> lines() const;

private:
    ReportPen pen_ = ReportPen::Plain;
};

}  // namespace mireva
