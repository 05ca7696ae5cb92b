#pragma once

// The toolkit-neutral drawing values shared by components, draw commands and
// the canvas interface.
#include "platform/graphics_alignment.h"
#include "platform/graphics_brush.h"
#include "platform/graphics_color.h"
#include "platform/graphics_font.h"
#include "platform/graphics_pen.h"
#include "platform/graphics_shape.h"
