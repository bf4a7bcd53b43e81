#include "project/Demo.h"

Demo* theDemo = nullptr;

void Demo::renderAt(float) {}
