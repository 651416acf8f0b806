// Drawing capabilities of the screen as sets, one per capability group, each element bit n
// in declaration order; and their text report, which the viewer also shows on its own.
#pragma once

#include <cstdint>

#include "core/set.h"
#include "core/string_list.h"

namespace rb {

enum class TRasterCap : uint8_t {
    rcRequiresBanding, rcTranserBitmaps, rcBitmaps64K, rcSetGetDIBits, rcSetDIBitsToDevice,
    rcFloodfills, rcWindows2xFeatures, rcPaletteBased, rcScaling, rcStretchBlt, rcStretchDIBits
};
const EnumInfo& DescribeEnum(TRasterCap);
using TRasterCaps = Set<TRasterCap>;

enum class TCurveCap : uint8_t {
    ccCircles, ccPieWedges, ccChords, ccEllipses, ccWideBorders, ccStyledBorders,
    ccWideStyledBorders, ccInteriors, ccRoundedRects
};
const EnumInfo& DescribeEnum(TCurveCap);
using TCurveCaps = Set<TCurveCap>;

enum class TLineCap : uint8_t {
    lcPolylines, lcMarkers, lcMultipleMarkers, lcWideLines, lcStyledLines, lcWideStyledLines,
    lcInteriors
};
const EnumInfo& DescribeEnum(TLineCap);
using TLineCaps = Set<TLineCap>;

enum class TPolygonCap : uint8_t {
    pcAltFillPolygons, pcRectangles, pcWindingFillPolygons, pcSingleScanlines, pcWideBorders,
    pcStyledBorders, pcWideStyledBorders, pcInteriors
};
const EnumInfo& DescribeEnum(TPolygonCap);
using TPolygonCaps = Set<TPolygonCap>;

enum class TTextCap : uint8_t {
    tcCharOutPrec, tcStrokeOutPrec, tcStrokeClipPrec, tcCharRotation90, tcCharRotationAny,
    tcScaleIndependent, tcDoubledCharScaling, tcIntMultiScaling, tcAnyMultiExactScaling,
    tcDoubleWeightChars, tcItalics, tcUnderlines, tcStrikeouts, tcRasterFonts, tcVectorFonts,
    tcNoScrollUsingBlts
};
const EnumInfo& DescribeEnum(TTextCap);
using TTextCaps = Set<TTextCap>;

// The sets from GetDeviceCaps's flag values (CURVECAPS, LINECAPS, POLYGONALCAPS, RASTERCAPS,
// TEXTCAPS); flags of no element are ignored.
TCurveCaps CurveCapsFrom(int32_t flags);
TLineCaps LineCapsFrom(int32_t flags);
TPolygonCaps PolygonCapsFrom(int32_t flags);
TRasterCaps RasterCapsFrom(int32_t flags);
TTextCaps TextCapsFrom(int32_t flags);

// One block each: a bracketed heading, then one "label=0|1" line per element in order.
void ReportCurveCaps(TCurveCaps caps, StringList& list);
void ReportLineCaps(TLineCaps caps, StringList& list);
void ReportPolygonCaps(TPolygonCaps caps, StringList& list);
void ReportRasterCaps(TRasterCaps caps, StringList& list);
void ReportTextCaps(TTextCaps caps, StringList& list);

}  // namespace rb
