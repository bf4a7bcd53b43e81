#include "tool/ToolCommands.h"

#include "app/platform/Platform.h"
#include "project/CodecError.h"
#include "project/FileIo.h"
#include "project/JsonParser.h"
#include "project/LoadError.h"
#include "project/ProjectFiles.h"
#include "project/SaveError.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace {

constexpr int success = 0;
constexpr int failure = 1;
constexpr int usageError = 2;

const char* const usage = "usage: quillfront-tool info FILE\n"
                          "       quillfront-tool convert IN OUT\n"
                          "       quillfront-tool export-player PROJECT OUT [--player PATH]\n"
                          "       quillfront-tool check FILE\n"
                          "A name ending in .json is the JSON form, any other the binary form.\n";

bool isJsonName(const std::string& name) { return name.size() >= 5 && name.ends_with(".json"); }

std::span<const uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

struct LoadedProject {
    std::unique_ptr<Demo> demo;
    std::string form;     // "JSON", "binary" or "player"
    int syntaxErrors = 0; // JSON only: the document was read from a partial tree
};

// Throws LoadError or CodecError like the program's own loads.
LoadedProject loadProject(const std::string& path) {
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
        loaded.demo = readBinaryProject(bytesOf(*contents));
    }
    return loaded;
}

// Runs `command`, turning a refused load or save into a message and status 1.
int guarded(const std::string& path, std::ostream& err, const std::function<int()>& command) {
    try {
        return command();
    } catch (const LoadError& error) {
        err << path << ": " << error.what() << "\n";
    } catch (const CodecError& error) {
        err << path << ": " << error.what() << "\n";
    } catch (const SaveError& error) {
        err << path << ": " << error.what() << "\n";
    } catch (const std::bad_alloc&) {
        err << path << ": not enough memory\n";
    }
    return failure;
}

int writeFile(const std::string& path, std::span<const uint8_t> bytes, std::ostream& err) {
    if (const std::error_code error = writeWholeFile(path, bytes)) {
        err << path << ": " << error.message() << "\n";
        return failure;
    }
    return success;
}

int info(const std::string& path, std::ostream& out, std::ostream& err) {
    return guarded(path, err, [&] {
        const LoadedProject loaded = loadProject(path);
        const Demo& demo = *loaded.demo;
        out << path << " (" << loaded.form << " form)\n"
            << "bpm: " << demo.bpm << "\nbeat offset: " << demo.beat_offset << "\nend beat: " << demo.end_beat
            << "\nevents: " << demo.events.size() << "\neffects: " << demo.effects.size()
            << "\nshaders: " << demo.shaders.size() << "\ntextures: " << demo.textures.size()
            << "\naudio samples: " << demo.audio_samples.size() << "\nevent groups: " << demo.event_groups.size()
            << "\nfonts: " << demo.fonts.size() << "\nfont textures: " << demo.font_textures.size()
            << "\nmusic: " << demo.music->size()
            << " bytes\nunresolved references: " << demo.unresolvedReferences.size() << "\n";
        for (const std::string& reference : demo.unresolvedReferences)
            out << "  " << reference << "\n";
        if (loaded.syntaxErrors)
            out << "JSON syntax errors: " << loaded.syntaxErrors << "\n";
        return success;
    });
}

int check(const std::string& path, std::ostream& out, std::ostream& err) {
    return guarded(path, err, [&] {
        const LoadedProject loaded = loadProject(path);
        if (loaded.syntaxErrors) {
            err << path << ": " << loaded.syntaxErrors << " JSON syntax error(s); only part of it loads\n";
            return failure;
        }
        if (!loaded.demo->unresolvedReferences.empty()) {
            err << path << ": " << loaded.demo->unresolvedReferences.size() << " unresolved reference(s)\n";
            for (const std::string& reference : loaded.demo->unresolvedReferences)
                err << "  " << reference << "\n";
            return failure;
        }
        out << path << ": OK\n";
        return success;
    });
}

int convert(const std::string& in, const std::string& outPath, std::ostream& out, std::ostream& err) {
    return guarded(in, err, [&] {
        const LoadedProject loaded = loadProject(in);
        const int status = isJsonName(outPath) ? writeFile(outPath, bytesOf(writeJsonProject(*loaded.demo, false)), err)
                                               : writeFile(outPath, writeBinaryProject(*loaded.demo), err);
        if (status == success)
            out << "wrote " << outPath << "\n";
        return status;
    });
}

// The program beside this tool, where an installation puts both.
std::string defaultPlayer() {
    std::error_code ignored;
    const std::filesystem::path self = std::filesystem::read_symlink(runningExecutablePath(), ignored);
    return (self.parent_path() / "quillfront").string();
}

int exportPlayer(const std::string& project, const std::string& outPath, const std::string& player, std::ostream& out,
                 std::ostream& err) {
    return guarded(project, err, [&] {
        const LoadedProject loaded = loadProject(project);
        const std::optional<std::string> executable = tryReadWholeFile(player);
        if (!executable) {
            err << player << ": cannot be read (name the program with --player PATH)\n";
            return failure;
        }
        if (writeFile(outPath, makePlayer(bytesOf(*executable), *loaded.demo), err) != success)
            return failure;
        using std::filesystem::perms;
        std::filesystem::permissions(outPath, perms::owner_exec | perms::group_exec | perms::others_exec,
                                     std::filesystem::perm_options::add);
        out << "wrote " << outPath << "\n";
        return success;
    });
}

} // namespace

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string command = args.empty() ? "" : args[0];
    if (command == "info" && args.size() == 2)
        return info(args[1], out, err);
    if (command == "check" && args.size() == 2)
        return check(args[1], out, err);
    if (command == "convert" && args.size() == 3)
        return convert(args[1], args[2], out, err);
    if (command == "export-player" && args.size() == 3)
        return exportPlayer(args[1], args[2], defaultPlayer(), out, err);
    if (command == "export-player" && args.size() == 5 && args[3] == "--player")
        return exportPlayer(args[1], args[2], args[4], out, err);
    err << usage;
    return usageError;
}
