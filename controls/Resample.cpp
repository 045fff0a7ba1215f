#include "controls/Resample.h"

#include <algorithm>
#include <cmath>

namespace ctl {

namespace {

struct Tap {
    int index;
    float weight;
};

// For each output position along one axis, the source positions it draws on and their weights
// (summing to 1).
std::vector<std::vector<Tap>> Taps(int srcLength, int dstLength) {
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(dstLength));
    const double scale = static_cast<double>(srcLength) / dstLength;
    for (int i = 0; i < dstLength; ++i) {
        auto& list = taps[static_cast<size_t>(i)];
        if (dstLength <= srcLength) {
            const double from = i * scale;
            const double to = (i + 1) * scale;
            for (int j = static_cast<int>(std::floor(from)); j < std::min(srcLength, static_cast<int>(std::ceil(to)));
                 ++j) {
                const double overlap = std::min<double>(to, j + 1) - std::max<double>(from, j);
                if (overlap > 0) list.push_back({j, static_cast<float>(overlap / scale)});
            }
        } else {
            const double centre = (i + 0.5) * scale - 0.5;
            const int j0 = static_cast<int>(std::floor(centre));
            const float t = static_cast<float>(centre - j0);
            list.push_back({std::clamp(j0, 0, srcLength - 1), 1.0f - t});
            list.push_back({std::clamp(j0 + 1, 0, srcLength - 1), t});
        }
    }
    return taps;
}

struct Premultiplied {
    float a, r, g, b;
};

Premultiplied Unpack(uint32_t p) {
    const float a = static_cast<float>(p >> 24) / 255.0f;
    return {a, a * ((p >> 16) & 0xFF), a * ((p >> 8) & 0xFF), a * (p & 0xFF)};
}

uint32_t Pack(const Premultiplied& p) {
    const float a = std::clamp(p.a, 0.0f, 1.0f);
    if (a <= 0.0f) return 0;
    auto channel = [a](float v) { return static_cast<uint32_t>(std::clamp(std::lround(v / a), 0L, 255L)); };
    const uint32_t alpha = static_cast<uint32_t>(std::lround(a * 255.0f));
    return (alpha << 24) | (channel(p.r) << 16) | (channel(p.g) << 8) | channel(p.b);
}

}  // namespace

std::vector<uint32_t> ResampleArgbRows(const SourceRow& source, int srcWidth, int srcHeight, int dstWidth,
                                       int dstHeight) {
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0) return {};
    const auto across = Taps(srcWidth, dstWidth);
    const auto down = Taps(srcHeight, dstHeight);
    // For each source row, the output rows it lends to, in the order of the output rows.
    std::vector<std::vector<Tap>> lendsTo(static_cast<size_t>(srcHeight));
    for (int y = 0; y < dstHeight; ++y)
        for (const Tap& tap : down[static_cast<size_t>(y)]) lendsTo[static_cast<size_t>(tap.index)].push_back({y, tap.weight});
    // Each source row is scaled across, then added into the output rows it lends to.
    std::vector<Premultiplied> sums(static_cast<size_t>(dstWidth) * dstHeight, Premultiplied{0, 0, 0, 0});
    std::vector<Premultiplied> row(static_cast<size_t>(dstWidth));
    for (int y = 0; y < srcHeight; ++y) {
        const auto& targets = lendsTo[static_cast<size_t>(y)];
        if (targets.empty()) continue;
        const uint32_t* in = source(y);
        for (int x = 0; x < dstWidth; ++x) {
            Premultiplied sum = {0, 0, 0, 0};
            for (const Tap& tap : across[static_cast<size_t>(x)]) {
                const Premultiplied p = Unpack(in[tap.index]);
                sum.a += p.a * tap.weight;
                sum.r += p.r * tap.weight;
                sum.g += p.g * tap.weight;
                sum.b += p.b * tap.weight;
            }
            row[static_cast<size_t>(x)] = sum;
        }
        for (const Tap& target : targets) {
            Premultiplied* out = sums.data() + static_cast<size_t>(target.index) * dstWidth;
            for (int x = 0; x < dstWidth; ++x) {
                out[x].a += row[static_cast<size_t>(x)].a * target.weight;
                out[x].r += row[static_cast<size_t>(x)].r * target.weight;
                out[x].g += row[static_cast<size_t>(x)].g * target.weight;
                out[x].b += row[static_cast<size_t>(x)].b * target.weight;
            }
        }
    }
    std::vector<uint32_t> out(sums.size());
    std::transform(sums.begin(), sums.end(), out.begin(), Pack);
    return out;
}

std::vector<uint32_t> ResampleArgb(const uint32_t* src, int srcWidth, int srcHeight, int dstWidth, int dstHeight) {
    return ResampleArgbRows([&](int y) { return src + static_cast<size_t>(y) * srcWidth; }, srcWidth, srcHeight,
                            dstWidth, dstHeight);
}

}  // namespace ctl
