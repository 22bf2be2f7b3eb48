// The window's geometry, in pixels of the client area at 96 dpi.
//
// The painted background and the window both read their rectangles from here,
// so a click zone can never drift off the button painted under it.
#pragma once

#include <array>
#include <string_view>

namespace vellumino::layout {

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

inline constexpr int kClientWidth = 375;
inline constexpr int kClientHeight = 320;

// The picture is two rows taller than the client area; those rows are never seen.
inline constexpr int kPictureWidth = 375;
inline constexpr int kPictureHeight = 322;

inline constexpr Rect kText1{16, 113, 341, 16};
inline constexpr Rect kLabel1{75, 22, 293, 25};
inline constexpr Rect kLabel2{99, 200, 178, 41};

// The painted frame around the field.
inline constexpr Rect kFieldFrame{12, 108, 352, 24};

enum class ZoneId { Label3, Label4, Label5, Label6, Label7, Label8, Label9 };

struct Zone {
    ZoneId id;
    std::string_view objectName;
    Rect rect;
    std::string_view caption;  // UTF-8: the text painted under the zone
};

// In tab order, which is also the order in which the window creates them.
inline constexpr std::array<Zone, 7> kZones{{
    {ZoneId::Label3, "Label3", {10, 139, 76, 34}, "加空格"},
    {ZoneId::Label4, "Label4", {104, 140, 74, 33}, "加符号"},
    {ZoneId::Label5, "Label5", {289, 138, 76, 35}, "转火星"},
    {ZoneId::Label6, "Label6", {197, 140, 74, 33}, "转繁体"},
    {ZoneId::Label7, "Label7", {290, 183, 74, 34}, "复制"},
    {ZoneId::Label8, "Label8", {290, 229, 74, 36}, "清空"},
    {ZoneId::Label9, "Label9", {100, 281, 270, 35}, "2011最经典的个性签名，请点击这里"},
}};

constexpr const Zone& zone(ZoneId id)
{
    return kZones[static_cast<std::size_t>(id)];
}

// Where the hover card's portrait stands in the picture.
inline constexpr Rect kPortrait{10, 183, 80, 135};

}  // namespace vellumino::layout
