#pragma once

// The brush lives beside the pen; this header is here so code can name what it uses.
#include "gui/image/vPen.h"
