// The program-wide values: start-up sets them, every subsystem reads them. They sit
// below the subsystems, so that none of them needs the start-up folder.
#pragma once

#include <cstdint>
#include <string>

#include "core/command_line.h"

namespace zelvane {

extern std::string YearText;  // "2020"
extern std::string AppTitle;  // from the executable's resources
namespace startup {
extern zelvane::RunMode RunMode;  // set once by Main
}
extern int16_t TwipsPerPixelX;
extern int16_t TwipsPerPixelY;

using Color = uint32_t;  // COLORREF: r + 256 g + 65536 b
extern Color StartBrushColor;
extern Color FaceFillColor;
extern Color FaceInkColor;

// The preview's layout, written by the preview driver, read by the clock face.
extern int32_t PreviewWidthTw;
extern int32_t PreviewHeightTw;
extern double FaceLeftTw;
extern double FaceTopTw;

inline constexpr char kYearText[] = "2020";
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kYellow = 0x00FFFF;

// The settings value shared with a running preview.
inline constexpr char kSettingsSection[] = "Settings";
inline constexpr char kActiveSetupKey[] = "ActiveSetup";
inline constexpr char kNoPreview[] = "0";

}  // namespace zelvane
