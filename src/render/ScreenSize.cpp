#include "render/ScreenSize.h"

ScreenSize screenSize;
