#include "support/picture_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

namespace rb::test {
namespace {

// A black square this big is an area left unpainted: text strokes and frame lines are thinner.
constexpr int kBlackSquare = 8;
// A group's inside may differ from the dialog colour in no more than this share of its pixels.
constexpr double kGroupShare = 0.99;
// Text stands out from its background by at least this much in one channel...
constexpr int kInkContrast = 64;
// ... and even one short word has more pixels than this.
constexpr int kLeastInk = 5;

uint32_t Packed(Colour c) { return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }

int Contrast(Colour a, Colour b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

std::string Where(const Box& b) {
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", b.left, b.top, b.right, b.bottom);
    return text;
}

std::string Percent(double share) {
    char text[16];
    std::snprintf(text, sizeof text, "%.0f %%", share * 100);
    return text;
}

}  // namespace

Box Box::Cut(const Box& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
}

Picture::Picture(int w, int h, Colour fill) : width(w), height(h) {
    rgb.resize(size_t(w) * size_t(h) * 3);
    Fill(Whole(), fill);
}

Colour Picture::At(int x, int y) const {
    const size_t at = (size_t(y) * size_t(width) + size_t(x)) * 3;
    return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

void Picture::Set(int x, int y, Colour c) {
    const size_t at = (size_t(y) * size_t(width) + size_t(x)) * 3;
    rgb[at] = c.r;
    rgb[at + 1] = c.g;
    rgb[at + 2] = c.b;
}

void Picture::Fill(const Box& box, Colour c) {
    const Box b = box.Cut(Whole());
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) Set(x, y, c);
    }
}

bool IsBlack(Colour c) { return std::max({c.r, c.g, c.b}) <= 16; }

std::optional<Box> FindBlackSquare(const Picture& picture, int side) {
    // For each column, how many black pixels end at the current row.
    std::vector<int> heights(size_t(picture.width), 0);
    for (int y = 0; y < picture.height; ++y) {
        int run = 0;  // columns side by side whose black reaches `side` rows up
        for (int x = 0; x < picture.width; ++x) {
            int& h = heights[size_t(x)];
            h = IsBlack(picture.At(x, y)) ? h + 1 : 0;
            run = h >= side ? run + 1 : 0;
            if (run >= side) return Box{x - side + 1, y - side + 1, x + 1, y + 1};
        }
    }
    return std::nullopt;
}

double ShareOfColour(const Picture& picture, const Box& box, Colour colour,
                     const std::vector<Box>& excluded) {
    const Box b = box.Cut(picture.Whole());
    long counted = 0, matching = 0;
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) {
            if (std::any_of(excluded.begin(), excluded.end(),
                            [x, y](const Box& e) { return e.Holds(x, y); })) {
                continue;
            }
            ++counted;
            if (picture.At(x, y) == colour) ++matching;
        }
    }
    return counted == 0 ? 1.0 : double(matching) / double(counted);
}

int InkPixels(const Picture& picture, const Box& box) {
    const Box b = box.Cut(picture.Whole());
    std::unordered_map<uint32_t, int> counts;
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) ++counts[Packed(picture.At(x, y))];
    }
    if (counts.empty()) return 0;
    const uint32_t most = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& c) {
                              return a.second < c.second;
                          })->first;
    const Colour background{uint8_t(most >> 16), uint8_t(most >> 8), uint8_t(most)};
    int ink = 0;
    for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) {
            if (Contrast(picture.At(x, y), background) >= kInkContrast) ++ink;
        }
    }
    return ink;
}

std::optional<Box> DifferingBox(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height) return a.Whole();
    std::optional<Box> box;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.At(x, y) == b.At(x, y)) continue;
            if (!box) box = Box{x, y, x + 1, y + 1};
            box->left = std::min(box->left, x);
            box->right = std::max(box->right, x + 1);
            box->bottom = y + 1;
        }
    }
    return box;
}

std::optional<std::string> OrderFault(const Picture& first, const Picture& second) {
    const auto box = DifferingBox(first, second);
    if (!box) return std::nullopt;
    return "what shows at " + Where(*box) + " depends on the order its windows paint in";
}

std::vector<std::string> FaultsSeen(const Picture& picture, const std::vector<ControlSeen>& controls,
                                    Colour dialogColour) {
    std::vector<std::string> faults;
    if (const auto black = FindBlackSquare(picture, kBlackSquare)) {
        faults.push_back("black area at " + Where(*black));
    }
    for (const ControlSeen& c : controls) {
        if (c.cutOff) faults.push_back(c.name + " at " + Where(c.box) + " is cut off");
        switch (c.kind) {
            case ControlSeen::Kind::GroupBox: {
                const double share = ShareOfColour(picture, c.box, dialogColour, c.covered);
                if (share < kGroupShare) {
                    faults.push_back(c.name + " at " + Where(c.box) + ": only " + Percent(share) +
                                     " of its inside shows the dialog colour");
                }
                break;
            }
            case ControlSeen::Kind::Button:
                if (InkPixels(picture, c.box) < kLeastInk) {
                    faults.push_back(c.name + " at " + Where(c.box) + " shows no caption");
                }
                break;
            case ControlSeen::Kind::List: {
                std::vector<size_t> blank;
                for (size_t i = 0; i < c.rows.size(); ++i) {
                    if (InkPixels(picture, c.rows[i]) < kLeastInk) blank.push_back(i);
                }
                if (!blank.empty()) {
                    faults.push_back(c.name + ": " + std::to_string(blank.size()) + " of its " +
                                     std::to_string(c.rows.size()) +
                                     " shown rows show no text, the first at " +
                                     Where(c.rows[blank.front()]));
                }
                break;
            }
        }
    }
    return faults;
}

}  // namespace rb::test
