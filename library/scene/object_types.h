// Type ids of the library's object kinds. Ids below 3000 are drawn in the 3D
// pass and take part in picking; ids above 3000 belong to the 2D pass.
#pragma once

namespace pexa {

enum ObjectType : int {
    kTypeAxis = 1001,
    kTypeBitmap = 1002,
    kTypeBox = 1003,
    kTypeCylinder = 1004,
    kTypeDisk = 1005,
    kTypeElevationGrid = 1006,
    kTypeGroup = 1007,
    kTypeIndexedFaceSet = 1008,
    kTypeLine = 1009,
    kTypePoint = 1012,
    kTypePrimitive = 1013,
    kTypeSphere = 1015,
    kTypeTetragon = 1016,
    kTypeTriangle = 1017,
    kTypeTextBMP = 1018,
    kTypeTextEXT = 1019,
    kTypeUse = 1020,
    kTypeColor = 2001,
    kTypeEnable = 2002,
    kTypeRotate = 2007,
    kTypePopMatrix = 2008,
    kTypePushMatrix = 2009,
    kTypeScale = 2010,
    kTypeTranslate = 2011,
    kTypeArc2D = 3001,
    kTypeBitmap2D = 3002,
    kTypeCircle2D = 3003,
    kTypeLineTo2D = 3004,
    kTypeLine2D = 3005,
    kTypeRectangle2D = 3006,
    kTypePie2D = 3007,
    kTypePixel2D = 3008,
    kTypePolyBezier2D = 3009,
    kTypePolygon2D = 3010,
    kTypePolyLine2D = 3011,
    kTypeText2D = 3012,
    kTypeTextBlock2D = 3013,
    kTypeBackColor2D = 4001,
    kTypeBackMode2D = 4002,
    kTypeBrush2D = 4003,
    kTypeFont2D = 4004,
    kTypeForeMix2D = 4005,
    kTypeMoveTo2D = 4006,
    kTypePen2D = 4007,
    kType2DFirst = 3000, // the boundary itself belongs to neither pass
};

inline bool Is3DType(int typeId) {
    return typeId < kType2DFirst;
}
inline bool Is2DType(int typeId) {
    return typeId > kType2DFirst;
}

} // namespace pexa
