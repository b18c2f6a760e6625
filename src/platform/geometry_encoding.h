#pragma once

// Type encodings of the geometry values that cross message sends.

#include "platform/geometry.h"
#include "runtime/type_encoding.h"

#include <vector>

VANTRO_TYPE_ENCODING(vantro::Point, "{Point=dd}");
VANTRO_TYPE_ENCODING(vantro::Size, "{Size=dd}");
VANTRO_TYPE_ENCODING(vantro::Rect, "{Rect={Point=dd}{Size=dd}}");
VANTRO_TYPE_ENCODING(std::vector<vantro::runtime::Object*>, "{vector<@>}");
