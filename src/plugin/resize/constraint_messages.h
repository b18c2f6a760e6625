#pragma once

// The words a zoom shows in the HUD when its target size hit a constraint.
// They are data and keep their exact spelling; "%1.0f" stands for the length
// in whole pixels.

#include <array>
#include <string>
#include <string_view>

namespace vantro::resize::message {

inline constexpr std::string_view kWindowNotResizable = "Window Not Resizable";
inline constexpr std::string_view kMaxScreenWidth = "Max Screen Width %1.0fpx";
inline constexpr std::string_view kMaxScreenHeight = "Max Screen Height %1.0fpx";
inline constexpr std::string_view kMaxWindowWidth = "Max Window Width %1.0fpx";
inline constexpr std::string_view kMaxWindowHeight = "Max Window Height %1.0fpx";
inline constexpr std::string_view kMinWindowWidth = "Min Window Width %1.0fpx";
inline constexpr std::string_view kMinWindowHeight = "Min Window Height %1.0fpx";
inline constexpr std::string_view kWidthIncremented = "Width Incremented %1.0fpx";
inline constexpr std::string_view kHeightIncremented = "Height Incremented %1.0fpx";
inline constexpr std::string_view kWidthRestricted = "Width Restricted %1.0fpx";
inline constexpr std::string_view kHeightRestricted = "Height Restricted %1.0fpx";

// Between the width line and the height line when both are filled.
inline constexpr std::string_view kLineSeparator = "\n";

// Window classes that are zoomed by size even without the resizable style
// flag (compared with the class name exactly).
inline constexpr std::array<std::string_view, 2> kResizableWithoutFlag = {"IWWindow", "ITNSWindow"};

// `text` with its "%1.0f" replaced by `length` printed as "%1.0f" prints it
// (rounded to a whole number; "nan" and "inf" for those).
std::string withLength(std::string_view text, double length);

} // namespace vantro::resize::message
