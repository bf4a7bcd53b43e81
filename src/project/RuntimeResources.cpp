#include "project/RuntimeResources.h"

namespace {

bool enabled = true;

} // namespace

bool runtimeResourcesEnabled() { return enabled; }

void setRuntimeResourcesEnabled(bool on) { enabled = on; }
