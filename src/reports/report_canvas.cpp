#include "reports/report_canvas.h"

namespace mireva {

void RecordingCanvas::setPen(ReportPen pen) {
    pen_ = pen;
    CanvasCall call;
    call.kind = CanvasCall::Pen;
    call.pen = pen;
    calls.push_back(call);
}

void RecordingCanvas::line(int x1, int y1, int x2, int y2) {
    calls.push_back(CanvasCall{CanvasCall::Line, pen_, x1, y1, x2, y2, 0, {}});
}

void RecordingCanvas::rectangle(int left, int bottom, int right, int top) {
    calls.push_back(CanvasCall{CanvasCall::Rectangle, pen_, left, bottom, right, top, 0, {}});
}

void RecordingCanvas::text(int x, int top, int cellHeight, SjView text) {
    calls.push_back(CanvasCall{CanvasCall::Text, pen_, x, top, 0, 0, cellHeight, std::string(text.bytes)});
}

std::vector<CanvasCall> RecordingCanvas::texts() const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : calls)
        if (c.kind == CanvasCall::Text) out.push_back(c);
    return out;
}

std::vector<CanvasCall> RecordingCanvas::lines() const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : calls)
        if (c.kind == CanvasCall::Line) out.push_back(c);
    return out;
}

}  // namespace mireva
