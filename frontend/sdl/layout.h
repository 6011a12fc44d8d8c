// Where the large-print view puts its lines and how large each one is. The
// game hands its lines in sections parted by an empty line (what is said,
// where the player is, the pad); each section has a fixed share of the
// window's height, and its lines are drawn as large as the width allows,
// all made smaller alike where they would not fit that share together. So
// a line's size depends only on its own section: a pad that fills never
// shrinks the clue above it. The first section's lines are one sentence
// broken into lines, and share the size of the smallest. Kept free of SDL, so the layout
// can be tested without a window or a font.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace corvale {

// One line's place: its size in points (0 for a line not drawn) and the
// top of its text in pixels.
struct Placed {
    int size = 0;
    int top = 0;
};

// The shares of the height of `count` sections: what is said and where the
// player is in the menu; what is said, the clue and the pad in a puzzle.
inline std::vector<double> sectionshares(std::size_t count) {
    if (count == 2) return {0.35, 0.65};
    if (count == 3) return {0.3, 0.4, 0.3};
    return std::vector<double>(count, 1.0 / static_cast<double>(std::max<std::size_t>(count, 1)));
}

// The places of `lines` in a window `width` by `height` pixels, inside a
// margin of a twentieth of the width. `widths[i]` is line i's width and
// `skip` the height of one line, both in pixels at `refsize` points; text
// scales with its size.
inline std::vector<Placed> layout(const std::vector<std::string>& lines,
                                  const std::vector<int>& widths, int refsize, int skip, int width,
                                  int height) {
    std::vector<Placed> placed(lines.size());
    // The sections as ranges of lines [first, end).
    std::vector<std::pair<std::size_t, std::size_t>> sections{{0, 0}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            sections.back().second = i;
            sections.push_back({i + 1, i + 1});
        }
    }
    sections.back().second = lines.size();

    const int margin = width / 20;
    const double across = width - 2.0 * margin;
    const double down = height - 2.0 * margin;
    const std::vector<double> shares = sectionshares(sections.size());
    double top = margin;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const auto [first, end] = sections[s];
        const double band = down * shares[s];
        // Each line as large as the width allows; the lines of what is said
        // (one sentence) all at the least of those.
        std::vector<double> sizes;
        for (std::size_t i = first; i < end; ++i)
            sizes.push_back(static_cast<double>(refsize) * across / std::max(1, widths[i]));
        if (s == 0 && !sizes.empty())
            std::fill(sizes.begin(), sizes.end(), *std::min_element(sizes.begin(), sizes.end()));
        // Then all made smaller alike until together they fit the section's
        // height, so a short clue stays larger than the heading above it.
        double needed = 0;
        for (double size : sizes) needed += size * skip / refsize;
        const double scale = needed > band ? band / needed : 1.0;
        double y = top + (band - std::min(needed, band)) / 2;
        for (std::size_t i = first; i < end; ++i) {
            const int size = std::max(1, static_cast<int>(sizes[i - first] * scale));
            placed[i] = {size, static_cast<int>(y)};
            y += static_cast<double>(skip) * size / refsize;
        }
        top += band;
    }
    return placed;
}

}  // namespace corvale
