// What a person sees in a screenshot, checked on its pixels: no large black areas, the dialog
// colour inside group boxes, text in the rows of lists that hold rows, a caption on every
// button. Portable: the Windows tests describe their controls, these look at the picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rb::test {

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Colour& o) const { return !(*this == o); }
};

// A rectangle of pixels, right and bottom excluded.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Box Inset(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
    Box Cut(const Box& o) const;  // the part also inside `o`
};

// A picture: `height` rows of `width` pixels, three bytes each (red, green, blue), top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    Picture() = default;
    Picture(int w, int h, Colour fill);
    Colour At(int x, int y) const;
    void Set(int x, int y, Colour c);
    void Fill(const Box& box, Colour c);
    Box Whole() const { return {0, 0, width, height}; }
};

// What a person should find at a control of the window, in the picture's coordinates.
struct ControlSeen {
    enum class Kind { GroupBox, Button, List };
    Kind kind = Kind::Button;
    std::string name;          // for the messages, e.g. "group \"BIOS\""
    Box box;                   // group: inside its frame, below the caption; button: where its
                               // caption stands; list: its client area
    std::vector<Box> rows;     // list: each shown row that holds text
    std::vector<Box> covered;  // group: the controls standing inside it
    bool cutOff = false;       // part of the control lies outside what its window shows
};

// Near black: what an area nobody painted shows.
bool IsBlack(Colour c);
// The first `side` x `side` square of black pixels, if there is one.
std::optional<Box> FindBlackSquare(const Picture& picture, int side);
// How much of `box` (less the `excluded` boxes) shows exactly `colour`; 1 for no pixel at all.
double ShareOfColour(const Picture& picture, const Box& box, Colour colour,
                     const std::vector<Box>& excluded = {});
// Pixels of `box` that stand out from its most frequent colour as text does.
int InkPixels(const Picture& picture, const Box& box);

// The smallest box holding every pixel in which two pictures of one size differ, if any.
std::optional<Box> DifferingBox(const Picture& a, const Picture& b);
// The fault of a window whose picture depends on the order its windows paint in (`first` in
// the system's order, `second` in another), if it does: which of two overlapping windows
// shows would then depend on which repainted last.
std::optional<std::string> OrderFault(const Picture& first, const Picture& second);

// Every fault a person would see, one line each; empty when the picture shows all it should.
std::vector<std::string> FaultsSeen(const Picture& picture, const std::vector<ControlSeen>& controls,
                                    Colour dialogColour);

}  // namespace rb::test
