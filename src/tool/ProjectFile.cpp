#include "tool/ProjectFile.h"

#include "project/FileIo.h"
#include "project/JsonParser.h"
#include "project/LoadError.h"
#include "project/ProjectFiles.h"

#include <span>

bool isJsonName(const std::string& name) { return name.size() >= 5 && name.ends_with(".json"); }

LoadedProject loadProjectFile(const std::string& path) {
    const std::optional<std::string> contents = tryReadWholeFile(path);
    if (!contents)
        throw LoadError(LoadErrorKind::MissingFile, "cannot be read");
    LoadedProject loaded;
    if (isJsonName(path)) {
        loaded.form = "JSON";
        const JsonValue value = parseJson(*contents, &loaded.syntaxErrors);
        loaded.demo = std::make_unique<Demo>();
        loaded.demo->fromJson(value);
    } else if (std::optional<std::vector<uint8_t>> appended = readAppendedProject(path)) {
        loaded.form = "player";
        loaded.demo = readBinaryProject(*appended);
    } else {
        loaded.form = "binary";
        loaded.demo =
            readBinaryProject(std::span(reinterpret_cast<const uint8_t*>(contents->data()), contents->size()));
    }
    return loaded;
}
