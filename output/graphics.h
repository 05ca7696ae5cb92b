#pragma once

// The toolkit-neutral drawing values shared by components, draw commands and
// the canvas interface.
#include "output/graphics_alignment.h"
#include "output/graphics_brush.h"
#include "output/graphics_color.h"
#include "output/graphics_font.h"
#include "output/graphics_pen.h"
#include "output/graphics_shape.h"
