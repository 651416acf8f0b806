#include "support/picture_checks.h"

#include <gtest/gtest.h>

#include <functional>

namespace rb::test {
namespace {

constexpr Colour kFace{240, 240, 240}, kWhite{255, 255, 255}, kBlack{0, 0, 0};
constexpr Colour kSelection{10, 36, 106};

// A small window as the tests see one: a group with a value box in it, a button with its
// caption, and a list of two rows, the second selected (white text on blue).
struct Scene {
    Picture picture{120, 90, kFace};
    ControlSeen group{ControlSeen::Kind::GroupBox, "group \"BIOS\"", {8, 20, 112, 40},
                      {}, {{20, 24, 100, 36}}};
    ControlSeen button{ControlSeen::Kind::Button, "button \"OK\"", {80, 45, 110, 55}, {}, {}};
    ControlSeen list{ControlSeen::Kind::List, "list \"Variable\"", {10, 60, 110, 88},
                     {{10, 62, 110, 74}, {10, 74, 110, 86}}, {}};

    Scene() {
        picture.Fill({20, 24, 100, 36}, kWhite);
        Write({22, 27, 60, 33}, kBlack);
        Write({84, 47, 104, 53}, kBlack);
        picture.Fill(list.box, kWhite);
        Write({12, 64, 50, 72}, kBlack);
        picture.Fill(list.rows[1], kSelection);
        Write({12, 76, 50, 84}, kWhite);
    }
    // Text-like strokes: every other column of the box, one pixel wide.
    void Write(const Box& box, Colour ink) {
        for (int x = box.left; x < box.right; x += 2) picture.Fill({x, box.top, x + 1, box.bottom}, ink);
    }
    std::vector<std::string> Faults() const {
        return FaultsSeen(picture, {group, button, list}, kFace);
    }
};

TEST(PictureChecks, FindWhatAPersonWouldMiss) {
    struct Case {
        const char* what;
        std::function<void(Scene&)> spoil;
        std::vector<std::string> faults;
    };
    const Case cases[] = {
        {"as it should be", [](Scene&) {}, {}},
        {"black lines of text are not black areas",
         [](Scene& s) { s.picture.Fill({2, 2, 118, 9}, kBlack); s.Write({2, 9, 118, 16}, kBlack); },
         {}},
        {"a square of 7 is still text",
         [](Scene& s) { s.picture.Fill({1, 1, 8, 8}, kBlack); }, {}},
        {"a square of 8 is an unpainted area",
         [](Scene& s) { s.picture.Fill({1, 1, 9, 9}, {12, 12, 12}); },
         {"black area at (1,1)-(9,9)"}},
        {"a group left unpainted around its box",
         [](Scene& s) {
             s.picture.Fill(s.group.box, kBlack);
             s.picture.Fill(s.group.covered[0], kWhite);
         },
         {"black area at (8,20)-(16,28)",
          "group \"BIOS\" at (8,20)-(112,40): only 0 % of its inside shows the dialog colour"}},
        {"a group with stale pixels of another colour",
         [](Scene& s) { s.picture.Fill({8, 20, 112, 22}, {200, 200, 200}); },
         {"group \"BIOS\" at (8,20)-(112,40): only 81 % of its inside shows the dialog colour"}},
        {"what stands in the group is not its inside",
         [](Scene& s) { s.picture.Fill({20, 24, 100, 36}, {90, 0, 0}); }, {}},
        {"a button without its caption",
         [](Scene& s) { s.picture.Fill(s.button.box, kFace); },
         {"button \"OK\" at (80,45)-(110,55) shows no caption"}},
        {"a grey caption of a disabled button is a caption",
         [](Scene& s) { s.picture.Fill(s.button.box, kFace); s.Write({84, 47, 104, 53}, {166, 166, 166}); },
         {}},
        {"a button partly outside its page",
         [](Scene& s) { s.button.cutOff = true; },
         {"button \"OK\" at (80,45)-(110,55) is cut off"}},
        {"a list whose rows are empty",
         [](Scene& s) { s.picture.Fill(s.list.rows[0], kWhite); s.picture.Fill(s.list.rows[1], kSelection); },
         {"list \"Variable\": 2 of its 2 shown rows show no text, the first at (10,62)-(110,74)"}},
        {"a list with only its selected row empty",
         [](Scene& s) { s.picture.Fill(s.list.rows[1], kSelection); },
         {"list \"Variable\": 1 of its 2 shown rows show no text, the first at (10,74)-(110,86)"}},
    };
    for (const Case& c : cases) {
        Scene scene;
        c.spoil(scene);
        EXPECT_EQ(scene.Faults(), c.faults) << c.what;
    }
}

TEST(PictureChecks, AnOrderFaultSpansEveryDifferingPixel) {
    const Picture first(20, 10, kFace);
    Picture second = first;
    EXPECT_EQ(OrderFault(first, second), std::nullopt);
    second.Set(3, 7, kBlack);
    second.Set(12, 2, kWhite);
    EXPECT_EQ(OrderFault(first, second),
              "what shows at (3,2)-(13,8) depends on the order its windows paint in");
    EXPECT_EQ(OrderFault(first, Picture(20, 11, kFace)),
              "what shows at (0,0)-(20,10) depends on the order its windows paint in");
}

TEST(PictureChecks, InkAndSharesCountOnlyTheirBox) {
    Picture p(10, 10, kWhite);
    p.Fill({0, 0, 5, 10}, kFace);
    p.Fill({6, 2, 8, 4}, kBlack);
    EXPECT_EQ(InkPixels(p, {5, 0, 10, 10}), 4);
    EXPECT_EQ(InkPixels(p, {0, 0, 5, 10}), 0);
    EXPECT_EQ(InkPixels(p, {8, 8, 20, 20}), 0);  // cut at the picture's edge
    EXPECT_DOUBLE_EQ(ShareOfColour(p, p.Whole(), kFace), 0.5);
    EXPECT_DOUBLE_EQ(ShareOfColour(p, p.Whole(), kFace, {{5, 0, 10, 10}}), 1.0);
    EXPECT_DOUBLE_EQ(ShareOfColour(p, {}, kFace), 1.0);
}

}  // namespace
}  // namespace rb::test
