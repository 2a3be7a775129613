// Storage of the program-wide values.
#include "program/globals.h"

namespace zelvane {

std::string YearText;
std::string AppTitle;
namespace startup {
zelvane::RunMode RunMode = kRunNone;
}
int16_t TwipsPerPixelX = 0;
int16_t TwipsPerPixelY = 0;
Color StartBrushColor = 0;
Color FaceFillColor = 0;
Color FaceInkColor = 0;
int32_t PreviewWidthTw = 0;
int32_t PreviewHeightTw = 0;
double FaceLeftTw = 0;
double FaceTopTw = 0;

}  // namespace zelvane
