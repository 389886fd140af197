#include "view/Redraw.h"
