#include "ui/raster.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kivolt {
namespace {

// Larger radii would overflow the exact 64-bit corner test; no real shape comes close.
constexpr int kMaxRadius = 1 << 15;

// Filter weights of one stretch axis add up to exactly this, so flat colours stay flat.
constexpr std::int64_t kWeightUnit = 4096;

// Pixels left .. right of one row, both included; 64-bit so that x + w cannot overflow.
struct Span {
    long long left = 0;
    long long right = -1;
    bool empty() const { return left > right; }
};

bool isUsable(const PixelView& target) {
    return target.bits != nullptr && target.width > 0 && target.height > 0 &&
           (target.bytesPerPixel == 3 || target.bytesPerPixel == 4);
}

bool isUsable(const Image& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > INT_MAX / 8) return false;
    if (image.bytesPerPixel != 3 && image.bytesPerPixel != 4) return false;
    return image.pixels.size() / static_cast<std::size_t>(image.stride()) >=
           static_cast<std::size_t>(image.height);
}

const std::uint8_t* sourcePixel(const Image& image, long long x, long long y) {
    return image.pixels.data() + static_cast<std::size_t>(y) * image.stride() +
           static_cast<std::size_t>(x) * image.bytesPerPixel;
}

// A 24-bit image has no alpha to blend by or to copy.
DrawMode effectiveMode(const Image& image, DrawMode mode) {
    return image.bytesPerPixel == 4 || mode == DrawMode::Replace ? mode : DrawMode::Opaque;
}

// The alpha a source pixel is drawn with: its own, unless it has none or is drawn opaquely.
int sourceAlpha(const Image& image, const std::uint8_t* s, DrawMode mode) {
    return mode == DrawMode::Opaque || image.bytesPerPixel != 4 ? 255 : s[3];
}

// The rows (or columns) first .. last of a length starting at start that lie in 0 .. limit - 1.
Span visibleRange(long long start, long long length, int limit) {
    return {std::max(start, 0LL), std::min(start + length, static_cast<long long>(limit)) - 1};
}

void fillSpan(const PixelView& target, long long y, Span span, Colour colour) {
    if (y < 0 || y >= target.height) return;
    const Span visible = {std::max(span.left, 0LL),
                          std::min(span.right, static_cast<long long>(target.width) - 1)};
    if (visible.empty()) return;
    const auto blue = static_cast<std::uint8_t>(blueOf(colour));
    const auto green = static_cast<std::uint8_t>(greenOf(colour));
    const auto red = static_cast<std::uint8_t>(redOf(colour));
    std::uint8_t* p = target.pixel(static_cast<int>(visible.left), static_cast<int>(y));
    for (long long x = visible.left; x <= visible.right; ++x, p += target.bytesPerPixel) {
        p[0] = blue;
        p[1] = green;
        p[2] = red;
    }
}

// How many pixels the quarter ellipse cuts off at each end of the row that lies `row`
// rows inside the top or bottom edge (row < ry). A pixel `x` columns inside the edge is
// kept when its centre lies inside the ellipse of radii rx, ry centred on the corner box's
// inner corner; in half-pixel units that is dx² ry² + dy² rx² <= 4 rx² ry².
int cornerInset(int row, int rx, int ry) {
    const std::int64_t dy = 2LL * ry - 2LL * row - 1;
    const std::int64_t limit = 4LL * rx * rx * ry * ry;
    const auto inside = [&](int x) {
        const std::int64_t dx = 2LL * rx - 2LL * x - 1;
        return dx * dx * ry * ry + dy * dy * rx * rx <= limit;
    };
    // The column next to the inner corner is always inside, so the answer is below rx.
    int low = 0;
    int high = rx - 1;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (inside(mid)) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    return low;
}

class RoundedShape {
public:
    RoundedShape(Rect rect, int rx, int ry) : rect_(rect) {
        rx_ = std::max(0, std::min({rx, rect.w / 2, kMaxRadius}));
        ry_ = std::max(0, std::min({ry, rect.h / 2, kMaxRadius}));
        if (rx_ == 0 || ry_ == 0) rx_ = ry_ = 0;
    }

    Span rows() const { return {rect_.y, static_cast<long long>(rect_.y) + rect_.h - 1}; }

    Span row(long long y) const {
        const Span all = rows();
        if (rect_.w <= 0 || y < all.left || y > all.right) return {};
        const long long fromEdge = std::min(y - all.left, all.right - y);
        const int inset = fromEdge < ry_ ? cornerInset(static_cast<int>(fromEdge), rx_, ry_) : 0;
        return {static_cast<long long>(rect_.x) + inset,
                static_cast<long long>(rect_.x) + rect_.w - 1 - inset};
    }

private:
    Rect rect_;
    int rx_ = 0;
    int ry_ = 0;
};

// The row's pixels whose four neighbours all belong to the shape.
Span interiorOf(const RoundedShape& shape, long long y, Span span) {
    const Span above = shape.row(y - 1);
    const Span below = shape.row(y + 1);
    if (above.empty() || below.empty()) return {};
    return {std::max({span.left + 1, above.left, below.left}),
            std::min({span.right - 1, above.right, below.right})};
}

// Per-target-pixel filter taps of one stretch axis.
struct Taps {
    long long first = 0;  // first source pixel
    std::vector<std::int64_t> weights;
};

// Area average: target pixel d covers source d*s/D .. (d+1)*s/D.
Taps shrinkTaps(long long d, long long srcLen, long long dstLen) {
    Taps taps;
    const long long begin = d * srcLen;
    const long long end = (d + 1) * srcLen;
    taps.first = begin / dstLen;
    const long long last = (end - 1) / dstLen;
    std::int64_t total = 0;
    std::size_t largest = 0;
    for (long long k = taps.first; k <= last; ++k) {
        const long long overlap = std::min((k + 1) * dstLen, end) - std::max(k * dstLen, begin);
        taps.weights.push_back(overlap * kWeightUnit / srcLen);
        total += taps.weights.back();
        if (taps.weights.back() > taps.weights[largest]) largest = taps.weights.size() - 1;
    }
    taps.weights[largest] += kWeightUnit - total;
    return taps;
}

// Linear interpolation at the source position of target pixel d's centre, held at the edges.
Taps growTaps(long long d, long long srcLen, long long dstLen) {
    const long long numerator = (2 * d + 1) * srcLen - dstLen;
    const long long denominator = 2 * dstLen;
    if (numerator <= 0) return {0, {kWeightUnit}};
    const long long k = numerator / denominator;
    if (k >= srcLen - 1) return {srcLen - 1, {kWeightUnit}};
    const std::int64_t next = (numerator % denominator * kWeightUnit + denominator / 2) / denominator;
    return {k, {kWeightUnit - next, next}};
}

std::vector<Taps> axisTaps(long long srcLen, long long dstLen, Span targets) {
    std::vector<Taps> all;
    for (long long d = targets.left; d <= targets.right; ++d) {
        all.push_back(srcLen > dstLen ? shrinkTaps(d, srcLen, dstLen) : growTaps(d, srcLen, dstLen));
    }
    return all;
}

// Weighted sums of one source row segment, colours premultiplied by alpha (255 when opaque).
struct Sums {
    std::int64_t blue = 0;
    std::int64_t green = 0;
    std::int64_t red = 0;
    std::int64_t alpha = 0;

    void add(const Sums& other, std::int64_t weight) {
        blue += other.blue * weight;
        green += other.green * weight;
        red += other.red * weight;
        alpha += other.alpha * weight;
    }
};

void writeStretched(std::uint8_t* p, const Sums& sums, DrawMode mode, int bytesPerPixel) {
    constexpr std::int64_t kTotal = kWeightUnit * kWeightUnit;
    if (mode == DrawMode::Replace) {
        // Colours were summed weighted by alpha: dividing by the alpha sum gives them back.
        const std::int64_t weight = std::max<std::int64_t>(sums.alpha, 1);
        p[0] = static_cast<std::uint8_t>((sums.blue + weight / 2) / weight);
        p[1] = static_cast<std::uint8_t>((sums.green + weight / 2) / weight);
        p[2] = static_cast<std::uint8_t>((sums.red + weight / 2) / weight);
        if (bytesPerPixel == 4) p[3] = static_cast<std::uint8_t>((sums.alpha + kTotal / 2) / kTotal);
        return;
    }
    if (mode == DrawMode::Opaque) {
        const std::int64_t weight = sums.alpha;  // 255 * kTotal
        p[0] = static_cast<std::uint8_t>((sums.blue + weight / 2) / weight);
        p[1] = static_cast<std::uint8_t>((sums.green + weight / 2) / weight);
        p[2] = static_cast<std::uint8_t>((sums.red + weight / 2) / weight);
        return;
    }
    // The blend formula on the filtered pixel, with the one rounding at the end.
    const std::int64_t alpha = (sums.alpha + kTotal / 2) / kTotal;
    const auto blend = [&](std::uint8_t target, std::int64_t premultiplied) {
        return static_cast<std::uint8_t>((premultiplied + target * (255 - alpha) * kTotal) /
                                         (255 * kTotal));
    };
    p[0] = blend(p[0], sums.blue);
    p[1] = blend(p[1], sums.green);
    p[2] = blend(p[2], sums.red);
}

}  // namespace

void fillRect(const PixelView& target, Rect rect, Colour colour) {
    if (!isUsable(target) || rect.w <= 0) return;
    const Span rows = visibleRange(rect.y, rect.h, target.height);
    const Span span = {rect.x, static_cast<long long>(rect.x) + rect.w - 1};
    for (long long y = rows.left; y <= rows.right; ++y) fillSpan(target, y, span, colour);
}

void fillRoundRect(const PixelView& target, Rect rect, int rx, int ry, Colour colour) {
    if (!isUsable(target)) return;
    const RoundedShape shape(rect, rx, ry);
    const Span rows = visibleRange(rect.y, rect.h, target.height);
    for (long long y = rows.left; y <= rows.right; ++y) fillSpan(target, y, shape.row(y), colour);
}

void outlineRoundRect(const PixelView& target, Rect rect, int rx, int ry, Colour colour) {
    if (!isUsable(target)) return;
    const RoundedShape shape(rect, rx, ry);
    const Span rows = visibleRange(rect.y, rect.h, target.height);
    for (long long y = rows.left; y <= rows.right; ++y) {
        const Span span = shape.row(y);
        const Span interior = interiorOf(shape, y, span);
        if (interior.empty()) {
            fillSpan(target, y, span, colour);
        } else {
            fillSpan(target, y, {span.left, interior.left - 1}, colour);
            fillSpan(target, y, {interior.right + 1, span.right}, colour);
        }
    }
}

void drawHorizontalLine(const PixelView& target, int x, int y, int length, Colour colour) {
    fillRect(target, {x, y, length, 1}, colour);
}

void drawVerticalLine(const PixelView& target, int x, int y, int length, Colour colour) {
    fillRect(target, {x, y, 1, length}, colour);
}

void drawImage(const PixelView& target, const Image& image, int x, int y, DrawMode mode) {
    if (!isUsable(target) || !isUsable(image)) return;
    mode = effectiveMode(image, mode);
    const Span rows = visibleRange(y, image.height, target.height);
    const Span columns = visibleRange(x, image.width, target.width);
    for (long long ty = rows.left; ty <= rows.right; ++ty) {
        const std::uint8_t* s = sourcePixel(image, columns.left - x, ty - y);
        std::uint8_t* p = target.pixel(static_cast<int>(columns.left), static_cast<int>(ty));
        for (long long tx = columns.left; tx <= columns.right; ++tx) {
            const int alpha = sourceAlpha(image, s, mode);
            if (mode == DrawMode::Replace) {
                std::copy(s, s + 3, p);
                if (target.bytesPerPixel == 4) p[3] = static_cast<std::uint8_t>(alpha);
            } else {
                for (int channel = 0; channel < 3; ++channel)
                    p[channel] = static_cast<std::uint8_t>((s[channel] * alpha + p[channel] * (255 - alpha)) / 255);
            }
            s += image.bytesPerPixel;
            p += target.bytesPerPixel;
        }
    }
}

void stretchImage(const PixelView& target, const Image& image, Rect dest, DrawMode mode) {
    if (!isUsable(target) || !isUsable(image) || dest.w <= 0 || dest.h <= 0) return;
    if (dest.w == image.width && dest.h == image.height) {
        drawImage(target, image, dest.x, dest.y, mode);
        return;
    }
    mode = effectiveMode(image, mode);
    const Span rows = visibleRange(dest.y, dest.h, target.height);
    const Span columns = visibleRange(dest.x, dest.w, target.width);
    if (rows.empty() || columns.empty()) return;

    const std::vector<Taps> columnTaps =
        axisTaps(image.width, dest.w, {columns.left - dest.x, columns.right - dest.x});
    const std::vector<Taps> rowTaps = axisTaps(image.height, dest.h, {rows.left - dest.y, rows.right - dest.y});
    const long long firstColumn = columnTaps.front().first;
    const long long lastColumn =
        columnTaps.back().first + static_cast<long long>(columnTaps.back().weights.size()) - 1;

    // Per target row: filter the source rows down to one row of sums, then filter that across.
    std::vector<Sums> rowSums(static_cast<std::size_t>(lastColumn - firstColumn + 1));
    for (long long ty = rows.left; ty <= rows.right; ++ty) {
        const Taps& vertical = rowTaps[static_cast<std::size_t>(ty - rows.left)];
        std::fill(rowSums.begin(), rowSums.end(), Sums{});
        for (std::size_t j = 0; j < vertical.weights.size(); ++j) {
            const std::int64_t weight = vertical.weights[j];
            const std::uint8_t* s = sourcePixel(image, firstColumn, vertical.first + static_cast<long long>(j));
            for (Sums& sums : rowSums) {
                const std::int64_t alpha = sourceAlpha(image, s, mode);
                sums.add({s[0] * alpha, s[1] * alpha, s[2] * alpha, alpha}, weight);
                s += image.bytesPerPixel;
            }
        }
        std::uint8_t* p = target.pixel(static_cast<int>(columns.left), static_cast<int>(ty));
        for (const Taps& horizontal : columnTaps) {
            Sums sums;
            for (std::size_t i = 0; i < horizontal.weights.size(); ++i) {
                sums.add(rowSums[static_cast<std::size_t>(horizontal.first - firstColumn) + i],
                         horizontal.weights[i]);
            }
            writeStretched(p, sums, mode, target.bytesPerPixel);
            p += target.bytesPerPixel;
        }
    }
}

Image scaledImage(const Image& image, int width, int height) {
    Image scaled;
    if (width <= 0 || height <= 0) return scaled;
    scaled.width = width;
    scaled.height = height;
    scaled.bytesPerPixel = 4;
    scaled.blendByAlpha = image.blendByAlpha;
    scaled.pixels.assign(static_cast<std::size_t>(scaled.stride()) * height, 0);
    stretchImage(scaled.view(), image, {0, 0, width, height}, DrawMode::Replace);
    return scaled;
}

void copyPixels(const PixelView& target, const PixelView& source, Rect rect) {
    if (!isUsable(target) || !isUsable(source) || rect.w <= 0) return;
    const Span rows = visibleRange(rect.y, rect.h, std::min(target.height, source.height));
    const Span columns = visibleRange(rect.x, rect.w, std::min(target.width, source.width));
    for (long long y = rows.left; y <= rows.right; ++y) {
        for (long long x = columns.left; x <= columns.right; ++x) {
            const std::uint8_t* s = source.pixel(static_cast<int>(x), static_cast<int>(y));
            std::copy(s, s + 3, target.pixel(static_cast<int>(x), static_cast<int>(y)));
        }
    }
}

}  // namespace kivolt
