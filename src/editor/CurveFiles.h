// "Export" and "Import" of the point editors: a curve to and from its CSV file
// in "resources/", each saying on the status line what it did or why not.
#pragma once

#include "editor/StatusLine.h"
#include "project/ControlPointList.h"

#include <optional>
#include <string>

// Writes the curve's points to "resources/<key>.csv" (atomically).
void exportCurve(StatusLine& status, const ControlPointList& list, const std::string& key, bool asText);
// `list` with the points of "resources/<key>.csv" (its mode and repeat kept),
// or nothing when the file is missing, empty or refused.
std::optional<ControlPointList> importCurve(StatusLine& status, const ControlPointList& list, const std::string& key,
                                            bool asText);
