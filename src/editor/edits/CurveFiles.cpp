#include "editor/edits/CurveFiles.h"

#include "project/ControlPointCsv.h"
#include "project/FileIo.h"

std::string exportCurve(const ControlPointList& list, const std::string& key, bool asText) {
    const CsvFile file = csvFileOf(key);
    if (file.path.empty())
        return file.refusal;
    if (const std::error_code error = writeWholeFile(file.path, writeControlPointCsv(list.points, asText)))
        return "Could not write " + file.path + ": " + error.message();
    return file.path + " written";
}

ImportedCurve importCurve(const ControlPointList& list, const std::string& key, bool asText) {
    const CsvFile file = csvFileOf(key);
    if (file.path.empty())
        return {std::nullopt, file.refusal};
    const std::optional<std::string> bytes = tryReadWholeFile(file.path);
    if (!bytes || bytes->empty())
        return {std::nullopt, file.path + " not found!"};
    CsvPoints read = readControlPointCsv(*bytes, asText);
    if (!read.refusal.empty())
        return {std::nullopt, read.refusal + " in " + file.path};
    ControlPointList imported = list;
    imported.points = std::move(read.points);
    return {std::move(imported), file.path + " imported"};
}
