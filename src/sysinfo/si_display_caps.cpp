#include "sysinfo/si_display_caps.h"

#include <iterator>

#include "core/text.h"

namespace rb {

namespace {

const char* const kRasterNames[] = {
    "rcRequiresBanding", "rcTranserBitmaps", "rcBitmaps64K",        "rcSetGetDIBits",
    "rcSetDIBitsToDevice", "rcFloodfills",   "rcWindows2xFeatures", "rcPaletteBased",
    "rcScaling",         "rcStretchBlt",     "rcStretchDIBits",
};
const char* const kRasterLabels[] = {
    "Requires Banding", "Can Transer Bitmaps", "Supports Bitmaps > 64K",
    "Supports SetDIBits and GetDIBits", "Supports SetDIBitsToDevice", "Can Perform Floodfills",
    "Supports Windows 2.0 Features", "Palette Based", "Scaling", "Supports StretchBlt",
    "Supports StretchDIBits",
};

const char* const kCurveNames[] = {
    "ccCircles",       "ccPieWedges",         "ccChords",    "ccEllipses",    "ccWideBorders",
    "ccStyledBorders", "ccWideStyledBorders", "ccInteriors", "ccRoundedRects",
};
const char* const kCurveLabels[] = {
    "Circles",        "Pie Wedges",              "Chords",    "Ellipses",           "Wide Borders",
    "Styled Borders", "Wide and Styled Borders", "Interiors", "Rounded Rectangles",
};

const char* const kLineNames[] = {
    "lcPolylines",   "lcMarkers",         "lcMultipleMarkers", "lcWideLines",
    "lcStyledLines", "lcWideStyledLines", "lcInteriors",
};
const char* const kLineLabels[] = {
    "Polylines",    "Markers",               "Multiple Markers", "Wide Lines",
    "Styled Lines", "Wide and Styled Lines", "Interiors",
};

const char* const kPolygonNames[] = {
    "pcAltFillPolygons", "pcRectangles",    "pcWindingFillPolygons", "pcSingleScanlines",
    "pcWideBorders",     "pcStyledBorders", "pcWideStyledBorders",   "pcInteriors",
};
const char* const kPolygonLabels[] = {
    "Alternate Fill Polygons", "Rectangles",     "Winding Fill Polygons",   "Single Scanlines",
    "Wide Borders",            "Styled Borders", "Wide and Styled Borders", "Interiors",
};

const char* const kTextNames[] = {
    "tcCharOutPrec",        "tcStrokeOutPrec",     "tcStrokeClipPrec",
    "tcCharRotation90",     "tcCharRotationAny",   "tcScaleIndependent",
    "tcDoubledCharScaling", "tcIntMultiScaling",   "tcAnyMultiExactScaling",
    "tcDoubleWeightChars",  "tcItalics",           "tcUnderlines",
    "tcStrikeouts",         "tcRasterFonts",       "tcVectorFonts",
    "tcNoScrollUsingBlts",
};
const char* const kTextLabels[] = {
    "Capable of Character Output Precision",
    "Capable of Stroke Output Precision",
    "Capable of Stroke Clip Precision",
    "Supports 90 Degree Character Rotation",
    "Supports Character Rotation to Any Angle",
    "X And Y Scale Independent",
    "Supports Doubled Character Scaling",
    "Supports Integer Multiples Only When Scaling",
    "Supports Any Multiples For Exact Character Scaling",
    "Supports Double Weight Characters",
    "Supports Italics",
    "Supports Underlines",
    "Supports Strikeouts",
    "Supports Raster Fonts",
    "Supports Vector Fonts",
    "Cannot Scroll Using Blts",
};

static_assert(std::size(kRasterNames) == std::size(kRasterLabels), "one label per element");
static_assert(std::size(kCurveNames) == std::size(kCurveLabels), "one label per element");
static_assert(std::size(kLineNames) == std::size(kLineLabels), "one label per element");
static_assert(std::size(kPolygonNames) == std::size(kPolygonLabels), "one label per element");
static_assert(std::size(kTextNames) == std::size(kTextLabels), "one label per element");

template <size_t N>
constexpr int Count(const char* const (&)[N]) {
    return static_cast<int>(N);
}

template <size_t N>
void ReportBlock(const char* heading, const char* const (&labels)[N], uint32_t mask,
                 StringList& list) {
    list.Add(heading);
    for (size_t i = 0; i < N; ++i) list.Add(Format("%s=%u", labels[i], (mask >> i) & 1U));
}

}  // namespace

const EnumInfo& DescribeEnum(TRasterCap) {
    static const EnumInfo info{"TRasterCap", kRasterNames, Count(kRasterNames), "TRasterCaps"};
    return info;
}

const EnumInfo& DescribeEnum(TCurveCap) {
    static const EnumInfo info{"TCurveCap", kCurveNames, Count(kCurveNames), "TCurveCaps"};
    return info;
}

const EnumInfo& DescribeEnum(TLineCap) {
    static const EnumInfo info{"TLineCap", kLineNames, Count(kLineNames), "TLineCaps"};
    return info;
}

const EnumInfo& DescribeEnum(TPolygonCap) {
    static const EnumInfo info{"TPolygonCap", kPolygonNames, Count(kPolygonNames),
                               "TPolygonCaps"};
    return info;
}

const EnumInfo& DescribeEnum(TTextCap) {
    static const EnumInfo info{"TTextCap", kTextNames, Count(kTextNames), "TTextCaps"};
    return info;
}

namespace {

// The device-capability flag of each set element, in the elements' order.
const uint32_t kCurveFlags[] = {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x80, 0x100};
const uint32_t kLineFlags[] = {0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x80};
const uint32_t kPolygonFlags[] = {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x80};
const uint32_t kRasterFlags[] = {0x2,   0x1,    0x8, 0x80, 0x200, 0x1000,
                                 0x10,  0x100,  0x4, 0x800, 0x2000};
const uint32_t kTextFlags[] = {0x1,   0x2,   0x4,   0x8,    0x10,   0x20,
                               0x40,  0x80,  0x100, 0x200,  0x400,  0x800,
                               0x1000, 0x2000, 0x4000, 0x10000};

template <size_t N>
uint32_t ElementMask(const uint32_t (&table)[N], int32_t flags) {
    uint32_t mask = 0;
    for (size_t i = 0; i < N; ++i) {
        if (static_cast<uint32_t>(flags) & table[i]) mask |= 1U << i;
    }
    return mask;
}

}  // namespace

TCurveCaps CurveCapsFrom(int32_t flags) {
    return TCurveCaps::FromMask(ElementMask(kCurveFlags, flags));
}
TLineCaps LineCapsFrom(int32_t flags) {
    return TLineCaps::FromMask(ElementMask(kLineFlags, flags));
}
TPolygonCaps PolygonCapsFrom(int32_t flags) {
    return TPolygonCaps::FromMask(ElementMask(kPolygonFlags, flags));
}
TRasterCaps RasterCapsFrom(int32_t flags) {
    return TRasterCaps::FromMask(ElementMask(kRasterFlags, flags));
}
TTextCaps TextCapsFrom(int32_t flags) {
    return TTextCaps::FromMask(ElementMask(kTextFlags, flags));
}

void ReportCurveCaps(TCurveCaps caps, StringList& list) {
    ReportBlock("[Curve Capabilities]", kCurveLabels, caps.Mask(), list);
}

void ReportLineCaps(TLineCaps caps, StringList& list) {
    ReportBlock("[Line Capabilities]", kLineLabels, caps.Mask(), list);
}

void ReportPolygonCaps(TPolygonCaps caps, StringList& list) {
    ReportBlock("[Polygonal Capabilities]", kPolygonLabels, caps.Mask(), list);
}

void ReportRasterCaps(TRasterCaps caps, StringList& list) {
    ReportBlock("[Raster Capabilities]", kRasterLabels, caps.Mask(), list);
}

void ReportTextCaps(TTextCaps caps, StringList& list) {
    ReportBlock("[Text Capabilities]", kTextLabels, caps.Mask(), list);
}

}  // namespace rb
