#include "raster/PolygonFill.h"

#include <algorithm>
#include <vector>

namespace vireluna::raster {

namespace {

// Far corners are allowed: crossings are worked out in 128 bits and clamped to the image.
using Wide = __int128;

Wide CeilDiv(Wide numerator, Wide denominator) {  // denominator > 0
    const Wide quotient = numerator / denominator;
    return quotient + ((numerator % denominator) > 0 ? 1 : 0);
}

int ClampToInt(Wide value, int low, int high) {
    return static_cast<int>(std::clamp<Wide>(value, low, high));
}

struct Edge {
    PolygonPoint upper;
    PolygonPoint lower;
};

}  // namespace

void FillPolygon(RasterImage& image, std::span<const PolygonPoint> corners, Rgb colour) {
    if (corners.size() < 3) return;
    std::vector<Edge> edges;
    std::int64_t top = corners[0].y;
    std::int64_t bottom = corners[0].y;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const PolygonPoint& from = corners[i == 0 ? corners.size() - 1 : i - 1];
        const PolygonPoint& to = corners[i];
        top = std::min(top, to.y);
        bottom = std::max(bottom, to.y);
        if (from.y == to.y) continue;  // a level edge crosses no row
        edges.push_back(from.y < to.y ? Edge{from, to} : Edge{to, from});
    }
    const std::int64_t firstRow = std::max<std::int64_t>(top, 0);
    const std::int64_t endRow = std::min<std::int64_t>(bottom, image.Height());
    std::vector<Wide> crossings;
    for (std::int64_t y = firstRow; y < endRow; ++y) {
        crossings.clear();
        for (const Edge& edge : edges) {
            if (y < edge.upper.y || y >= edge.lower.y) continue;
            const Wide run = Wide{edge.lower.x} - edge.upper.x;
            const Wide rise = Wide{edge.lower.y} - edge.upper.y;
            crossings.push_back(edge.upper.x + CeilDiv(Wide{y - edge.upper.y} * run, rise));
        }
        std::sort(crossings.begin(), crossings.end());
        const int row = static_cast<int>(y);
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int left = ClampToInt(crossings[i], -1, image.Width());
            const int right = ClampToInt(crossings[i + 1], -1, image.Width());
            image.FillRect(left, row, right, row + 1, colour);
        }
    }
}

}  // namespace vireluna::raster
