#include "editor/CurveFiles.h"

#include "project/ControlPointCsv.h"
#include "project/FileIo.h"

void exportCurve(StatusLine& status, const ControlPointList& list, const std::string& key, bool asText) {
    const CsvFile file = csvFileOf(key);
    if (file.path.empty()) {
        status.set(file.refusal);
        return;
    }
    if (const std::error_code error = writeWholeFile(file.path, writeControlPointCsv(list.points, asText)))
        status.set("Could not write " + file.path + ": " + error.message());
    else
        status.set(file.path + " written");
}

std::optional<ControlPointList> importCurve(StatusLine& status, const ControlPointList& list, const std::string& key,
                                            bool asText) {
    const CsvFile file = csvFileOf(key);
    if (file.path.empty()) {
        status.set(file.refusal);
        return std::nullopt;
    }
    const std::optional<std::string> bytes = tryReadWholeFile(file.path);
    if (!bytes || bytes->empty()) {
        status.set(file.path + " not found!");
        return std::nullopt;
    }
    CsvPoints read = readControlPointCsv(*bytes, asText);
    if (!read.refusal.empty()) {
        status.set(read.refusal + " in " + file.path);
        return std::nullopt;
    }
    ControlPointList imported = list;
    imported.points = std::move(read.points);
    status.set(file.path + " imported");
    return imported;
}
