#include "tool/ToolCommands.h"

#include "platform/Platform.h"
#include "project/CodecError.h"
#include "project/FileIo.h"
#include "project/LoadError.h"
#include "project/ProjectFiles.h"
#include "project/SaveError.h"
#include "tool/CommandLine.h"
#include "tool/PartJoin.h"
#include "tool/ProjectFile.h"
#include "tool/RenderSettings.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace {

constexpr int success = 0;
constexpr int failure = 1;
constexpr int usageErrorStatus = 2;

std::span<const uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
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
        const LoadedProject loaded = loadProjectFile(path);
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
        const LoadedProject loaded = loadProjectFile(path);
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
        const LoadedProject loaded = loadProjectFile(in);
        const int status = isJsonName(outPath) ? writeFile(outPath, bytesOf(writeJsonProject(*loaded.demo, false)), err)
                                               : writeFile(outPath, writeBinaryProject(*loaded.demo), err);
        if (status == success)
            out << "wrote " << outPath << "\n";
        return status;
    });
}

// A program beside this tool, where an installation puts them all.
std::string besideTool(const char* program) {
    std::error_code ignored;
    const std::filesystem::path self = std::filesystem::read_symlink(runningExecutablePath(), ignored);
    return (self.parent_path() / program).string();
}

int exportPlayer(const std::string& project, const std::string& outPath, const std::string& player, std::ostream& out,
                 std::ostream& err) {
    return guarded(project, err, [&] {
        const LoadedProject loaded = loadProjectFile(project);
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

// The files of the browser player, built by emscripten, that every exported demo shares.
const char* const webPlayerFiles[] = {"index.html", "quillfront-player.js", "quillfront-player.wasm"};

int exportWeb(const std::string& project, const std::string& outDir, const std::string& playerDir, std::ostream& out,
              std::ostream& err) {
    return guarded(project, err, [&] {
        const LoadedProject loaded = loadProjectFile(project);
        std::vector<std::pair<std::string, std::string>> files;
        for (const char* name : webPlayerFiles) {
            std::optional<std::string> bytes = tryReadWholeFile(std::filesystem::path(playerDir) / name);
            if (!bytes) {
                err << playerDir << "/" << name
                    << ": cannot be read (the web player is built where emscripten is installed; "
                       "name its folder with --web-player DIR)\n";
                return failure;
            }
            files.emplace_back(name, std::move(*bytes));
        }
        std::error_code error;
        std::filesystem::create_directories(outDir, error);
        if (error) {
            err << outDir << ": " << error.message() << "\n";
            return failure;
        }
        for (const auto& [name, bytes] : files)
            if (writeFile((std::filesystem::path(outDir) / name).string(), bytesOf(bytes), err) != success)
                return failure;
        const std::string demo = (std::filesystem::path(outDir) / "demo.bin").string();
        if (writeFile(demo, writeBinaryProject(*loaded.demo), err) != success)
            return failure;
        out << "wrote " << outDir << ": index.html, the player and demo.bin\n";
        return success;
    });
}

// Rendering needs the run-time (composition, GL, the mixer), which this tool
// does without: a program of its own beside the tool does the work.
int render(const RenderSettings& settings, std::ostream& err) {
    std::vector<std::string> argv = renderArguments(settings);
    argv.insert(argv.begin(), besideTool("quillfront-render"));
    std::string problem;
    ChildProcess renderer = startProcess(argv, false, problem);
    if (renderer.id == -1) {
        err << argv[0] << ": " << problem << " (it renders for quillfront-tool and is installed beside it)\n";
        return failure;
    }
    return waitForProcess(renderer);
}

// ---------------------------------------------------------------------------
// The command line
// ---------------------------------------------------------------------------

int usageError(const std::string& problem, std::ostream& err);

struct ToolCommand {
    const char* name;
    // What the operands stand for, in order; one ending in "..." stands for one or more.
    std::vector<const char*> operands;
    std::vector<OptionSpec> options;
    const char* description;
    int (*run)(const ParsedCommandLine& line, std::ostream& out, std::ostream& err);
};

const std::vector<ToolCommand>& toolCommands() {
    static const std::vector<ToolCommand> commands = {
        {"info",
         {"FILE"},
         {},
         "tempo, end beat, object counts, references that match nothing",
         [](const ParsedCommandLine& line, std::ostream& out, std::ostream& err) {
             return info(line.operands[0], out, err);
         }},
        {"check",
         {"FILE"},
         {},
         "status 0 when the file loads cleanly, every reference resolved",
         [](const ParsedCommandLine& line, std::ostream& out, std::ostream& err) {
             return check(line.operands[0], out, err);
         }},
        {"convert",
         {"IN", "OUT"},
         {},
         "between the JSON form (resources inline) and the binary form",
         [](const ParsedCommandLine& line, std::ostream& out, std::ostream& err) {
             return convert(line.operands[0], line.operands[1], out, err);
         }},
        {"export-player",
         {"PROJECT", "OUT"},
         {{"--target", "SYSTEM", "linux (the default) or windows: the system the player runs on"},
          {"--player", "PATH",
           "the program to append to (default: quillfront, or windows/quillfront-player.exe, beside this tool)"}},
         "a standalone player: the program with the project appended",
         [](const ParsedCommandLine& line, std::ostream& out, std::ostream& err) {
             const auto target = line.options.find("--target");
             const std::string system = target == line.options.end() ? "linux" : target->second;
             if (system != "linux" && system != "windows")
                 return usageError("unknown target '" + system + "': linux or windows", err);
             const auto player = line.options.find("--player");
             const char* const beside = system == "windows" ? "windows/quillfront-player.exe" : "quillfront";
             return exportPlayer(line.operands[0], line.operands[1],
                                 player == line.options.end() ? besideTool(beside) : player->second, out, err);
         }},
        {"export-web",
         {"PROJECT", "OUTDIR"},
         {{"--web-player", "DIR", "the browser player's files (default: web/player beside this tool)"}},
         "a folder any web server shows the demo from: index.html, the player and the project",
         [](const ParsedCommandLine& line, std::ostream& out, std::ostream& err) {
             const auto player = line.options.find("--web-player");
             return exportWeb(line.operands[0], line.operands[1],
                              player == line.options.end() ? besideTool("web/player") : player->second, out, err);
         }},
        {"render",
         {"PROJECT", "OUT"},
         renderOptions(),
         "an MP4 video of the demo, a .mov part for join, or PNG frames and a WAV",
         [](const ParsedCommandLine& line, std::ostream&, std::ostream& err) {
             std::string problem;
             const std::optional<RenderSettings> settings = renderSettingsOf(line, problem);
             return settings ? render(*settings, err) : usageError(problem, err);
         }},
        {"join",
         {"PART...", "OUT"},
         {},
         "one MP4 from the part files of a render split with --part",
         [](const ParsedCommandLine& line, std::ostream& out, std::ostream& err) {
             const std::vector<std::string> parts(line.operands.begin(), line.operands.end() - 1);
             if (!line.operands.back().ends_with(".mp4"))
                 return usageError("join writes an MP4 file: OUT must end in .mp4, not '" + line.operands.back() + "'",
                                   err);
             return joinParts(parts, line.operands.back(), out, err);
         }},
    };
    return commands;
}

const std::vector<OptionSpec> globalOptions = {
    {"--help", "", "show this help, or the command's, and exit"},
    {"--version", "", "show the program's name and version and exit"},
};

const ToolCommand* findCommand(const std::string& name) {
    for (const ToolCommand& command : toolCommands())
        if (name == command.name)
            return &command;
    return nullptr;
}

std::string synopsisOf(const ToolCommand& command) {
    std::string synopsis = std::string("quillfront-tool ") + command.name;
    for (const char* operand : command.operands)
        synopsis += std::string(" ") + operand;
    for (const OptionSpec& option : command.options)
        synopsis += " [" + option.name + " " + option.valueName + "]";
    return synopsis;
}

void printUsage(std::ostream& stream) {
    const char* prefix = "usage: ";
    for (const ToolCommand& command : toolCommands()) {
        stream << prefix << synopsisOf(command) << "\n";
        prefix = "       ";
    }
}

void printHelp(std::ostream& out) {
    printUsage(out);
    out << "\nWorks on Quillfront project files without a display or audio device.\n"
           "A name ending in .json is the JSON form, any other the binary form or a player.\n\nCommands:\n";
    for (const ToolCommand& command : toolCommands())
        out << "  " << command.name << std::string(16 - std::string(command.name).size(), ' ') << command.description
            << "\n";
    out << "\nOptions:\n";
    for (const OptionSpec& option : globalOptions)
        out << "  " << option.name << std::string(16 - option.name.size(), ' ') << option.help << "\n";
    out << "\nOptions may come before or after the other arguments.\n"
           "'quillfront-tool COMMAND --help' describes a command.\n\n"
           "Exit status: 0 done; 1 the work failed (a file that cannot be read, loaded or\n"
           "written); 2 the command line is wrong.\n";
}

void printCommandHelp(const ToolCommand& command, std::ostream& out) {
    out << "usage: " << synopsisOf(command) << "\n\n" << command.name << ": " << command.description << "\n";
    if (!command.options.empty())
        out << "\nOptions:\n";
    for (const OptionSpec& option : command.options) {
        const std::string label = option.name + " " + option.valueName;
        out << "  " << label << std::string(label.size() < 16 ? 16 - label.size() : 1, ' ') << option.help << "\n";
    }
}

int usageError(const std::string& problem, std::ostream& err) {
    err << "quillfront-tool: " << problem << "\n";
    printUsage(err);
    err << "Try 'quillfront-tool --help' for more information.\n";
    return usageErrorStatus;
}

// Every option any command takes, to tell the command's name from an option's value.
std::vector<OptionSpec> allOptions() {
    std::vector<OptionSpec> options = globalOptions;
    for (const ToolCommand& command : toolCommands())
        options.insert(options.end(), command.options.begin(), command.options.end());
    return options;
}

bool takesMore(const ToolCommand& command) {
    for (const char* operand : command.operands)
        if (std::string_view(operand).ends_with("..."))
            return true;
    return false;
}

int runCommand(const ToolCommand& command, std::vector<std::string> args, std::ostream& out, std::ostream& err) {
    std::vector<OptionSpec> specs = globalOptions;
    specs.insert(specs.end(), command.options.begin(), command.options.end());
    ParsedCommandLine line = parseCommandLine(args, specs);
    if (!line.error.empty())
        return usageError(line.error, err);
    line.operands.erase(line.operands.begin()); // the command's name
    if (line.operands.size() < command.operands.size())
        return usageError(std::string("missing ") + command.operands[line.operands.size()] + " for " + command.name,
                          err);
    if (line.operands.size() > command.operands.size() && !takesMore(command))
        return usageError("unexpected argument '" + line.operands[command.operands.size()] + "'", err);
    return command.run(line, out, err);
}

} // namespace

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedCommandLine line = parseCommandLine(args, allOptions());
    if (line.options.contains("--version")) {
        out << "quillfront-tool (Quillfront) " << QUILLFRONT_VERSION << "\n";
        return success;
    }
    const ToolCommand* command = line.operands.empty() ? nullptr : findCommand(line.operands[0]);
    if (line.options.contains("--help")) {
        if (command)
            printCommandHelp(*command, out);
        else
            printHelp(out);
        return success;
    }
    if (!line.error.empty())
        return usageError(line.error, err);
    if (line.operands.empty())
        return usageError("missing command", err);
    if (!command)
        return usageError("unknown command '" + line.operands[0] + "'", err);
    return runCommand(*command, args, out, err);
}
