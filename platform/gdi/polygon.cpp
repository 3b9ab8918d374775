// Polygon: scan-converted fill (alternate rule, pixel centres on the left and top edges inside)
// and then the closed outline in the pen.
#include <algorithm>
#include <vector>

#include "platform/gdi/access.h"
#include "platform/gdi/tools.h"

namespace platform::gdi {

namespace {

struct Edge {
    int64_t x1, y1, x2, y2;  // y1 < y2
};

int64_t CeilDiv(__int128 numerator, int64_t denominator) {  // denominator > 0
    __int128 q = numerator / denominator;
    return static_cast<int64_t>(q + ((numerator % denominator) > 0 ? 1 : 0));
}

void FillPolygon(Canvas& canvas, const BrushTool& brush, const POINT* points, int count) {
    std::vector<Edge> edges;
    int64_t top = INT64_MAX, bottom = INT64_MIN;
    for (int i = 0; i < count; ++i) {
        const POINT& p = points[i];
        const POINT& q = points[(i + 1) % count];
        if (p.y == q.y) continue;  // horizontal edges add nothing
        Edge e = p.y < q.y ? Edge{p.x, p.y, q.x, q.y} : Edge{q.x, q.y, p.x, p.y};
        edges.push_back(e);
        top = std::min(top, e.y1);
        bottom = std::max(bottom, e.y2);
    }
    if (edges.empty()) return;
    // Only rows inside the clip matter.
    const Box& clip = canvas.clip();
    top = std::max<int64_t>(top, clip.top - canvas.origin_y());
    bottom = std::min<int64_t>(bottom, clip.bottom - canvas.origin_y());
    std::vector<int64_t> crossings;
    for (int64_t y = top; y < bottom; ++y) {
        crossings.clear();
        for (const Edge& e : edges) {
            if (y < e.y1 || y >= e.y2) continue;
            __int128 run = static_cast<__int128>(e.x2 - e.x1) * (y - e.y1);
            crossings.push_back(e.x1 + CeilDiv(run, e.y2 - e.y1));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            canvas.FillSpan(y, crossings[i], crossings[i + 1], brush.ink);
        }
    }
}

}  // namespace

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

BOOL WINAPI Polygon(HDC hdc, const POINT* points, int count) {
    DeviceContext* dc = LookupDc(hdc);
    if (!dc || !points || count < 2) return FALSE;
    Canvas canvas(*dc);
    BrushTool brush = BrushOf(*dc, canvas);
    if (brush.visible) FillPolygon(canvas, brush, points, count);
    PenTool pen = PenOf(*dc, canvas);
    for (int i = 0; i < count; ++i) {
        const POINT& p = points[i];
        const POINT& q = points[(i + 1) % count];
        DrawLine(canvas, pen, p.x, p.y, q.x, q.y);
    }
    return TRUE;
}
