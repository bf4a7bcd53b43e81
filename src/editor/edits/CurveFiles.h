// "Export" and "Import" of the point editors: a curve to and from its CSV file
// in "resources/", each returning what it did or why not, for the status line.
#pragma once

#include "project/ControlPointList.h"

#include <optional>
#include <string>

// Writes the curve's points to "resources/<key>.csv" (atomically). Returns
// what happened.
std::string exportCurve(const ControlPointList& list, const std::string& key, bool asText);

struct ImportedCurve {
    std::optional<ControlPointList>
        list;            // `list` with the file's points; nothing when the file is missing, empty or refused
    std::string message; // what happened
};
// The points of "resources/<key>.csv" in place of the list's (its mode and repeat kept).
ImportedCurve importCurve(const ControlPointList& list, const std::string& key, bool asText);
