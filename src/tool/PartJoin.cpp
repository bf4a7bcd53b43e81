#include "tool/PartJoin.h"

#include "platform/Platform.h"
#include "tool/PartLabel.h"
#include "tool/WavEncoding.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <optional>

namespace fs = std::filesystem;

namespace {

constexpr int success = 0;
constexpr int failure = 1;

struct PartFile {
    std::string path;
    PartLabel label;
};

// A hidden folder beside the output for the join's own files, gone with it.
class WorkFolder {
public:
    explicit WorkFolder(const fs::path& out)
        : path_(out.parent_path() / unfinishedName(out, hostName(), currentProcessId(), "join")) {}
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    bool create(std::string& problem) {
        std::error_code error;
        fs::create_directory(path_, error);
        if (error)
            problem = path_.parent_path().string() + ": cannot be written: " + error.message();
        return !error;
    }
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// Runs ffmpeg quietly with `args`; false with the problem set when it fails.
bool runFfmpeg(const std::vector<std::string>& args, const std::string& failed, std::string& problem) {
    std::vector<std::string> argv = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y"};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildProcess ffmpeg = startProcess(argv, false, problem);
    if (ffmpeg.id == -1) {
        if (problem == "not found")
            problem = "ffmpeg was not found: install Debian's ffmpeg package";
        return false;
    }
    if (waitForProcess(ffmpeg) == 0)
        return true;
    problem = failed;
    return false;
}

// A file name as ffmpeg reads it: whole, so that a name starting with "-" or
// holding a ':' is not taken for an option or a protocol.
std::string ffmpegInput(const std::string& path) { return fs::absolute(path).string(); }

std::optional<PartLabel> readLabel(const std::string& path, const WorkFolder& work, std::string& problem) {
    const fs::path tags = work / "tags.txt";
    if (!runFfmpeg({"-i", ffmpegInput(path), "-f", "ffmetadata", tags.string()},
                   path + ": not a video file ffmpeg can read", problem))
        return std::nullopt;
    std::ifstream file(tags);
    for (std::string line; std::getline(file, line);)
        if (line.starts_with("comment="))
            if (std::optional<PartLabel> label = parseLabel(std::string_view(line).substr(8)))
                return label;
    problem = path + ": not a part file (one that 'quillfront-tool render PROJECT PART.mov --part K/N' writes, by "
                     "this version)";
    return std::nullopt;
}

// What `other` differs in from `first`, for saying why they cannot be joined.
std::string differenceOf(const PartLabel& first, const PartLabel& other) {
    if (first.project != other.project)
        return "another project, or another version of it";
    if (first.width != other.width || first.height != other.height)
        return "another picture size";
    if (first.fps != other.fps)
        return "another frame rate";
    if (!(first.span == other.span))
        return "another span of the demo";
    return "split into " + std::to_string(other.count) + " parts, not " + std::to_string(first.count);
}

std::string rangeText(const PartLabel& label, int index) {
    const FrameRange frames = partRange(label.span, index, label.count);
    return "part " + std::to_string(index) + " of " + std::to_string(label.count) + " (frames " +
           std::to_string(frames.first) + " to " + std::to_string(frames.end) + ")";
}

// Where a part that is not there stands: still being written, or missing.
std::string absentState(const fs::path& path) {
    const std::string host = hostName();
    for (const FolderEntry& entry : listFolder(fs::absolute(path).parent_path().string())) {
        const std::optional<OutputWriter> writer = writerOf(path, entry.name);
        if (!writer)
            continue;
        if (writer->host != host)
            return "running (on " + writer->host + ")";
        if (processIsRunning(writer->id))
            return "running (process " + std::to_string(writer->id) + ")";
    }
    return "missing";
}

bool appendFile(const fs::path& from, std::ofstream& to) {
    std::error_code error;
    if (fs::file_size(from, error) == 0 && !error)
        return true; // streaming nothing would count as a failure
    std::ifstream in(from, std::ios::binary);
    to << in.rdbuf();
    return in && to;
}

void writeBytes(std::ofstream& file, const std::vector<uint8_t>& bytes) {
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The parts' video streams one after another, and their sound likewise: a WAV
// file, which ffmpeg encodes exactly as it encodes a whole render's.
bool joinStreams(const std::vector<const PartFile*>& parts, const WorkFolder& work, std::string& problem) {
    std::ofstream video(work / "video.h264", std::ios::binary);
    std::ofstream sound(work / "sound.wav", std::ios::binary);
    writeBytes(sound, wavHeader(0, partSoundRate, 2)); // its length is known at the end
    for (const PartFile* part : parts) {
        const fs::path partVideo = work / "part.h264";
        const fs::path partSound = work / "part.raw";
        if (!runFfmpeg({"-i", ffmpegInput(part->path), "-map", "0:v:0", "-c", "copy", "-bsf:v", "h264_mp4toannexb",
                        "-f", "h264", partVideo.string(), "-map", "0:a:0", "-c", "copy", "-f", "s16le",
                        partSound.string()},
                       part->path + ": its video or sound cannot be read", problem))
            return false;
        if (!appendFile(partVideo, video) || !appendFile(partSound, sound)) {
            problem = work.path().string() + ": cannot be written";
            return false;
        }
    }
    const auto soundBytes = static_cast<uint64_t>(sound.tellp()) - 44;
    if (soundBytes > std::numeric_limits<uint32_t>::max()) {
        problem = "the sound is too long for one WAV file (over six hours)";
        return false;
    }
    sound.seekp(0);
    writeBytes(sound, wavHeader(static_cast<uint32_t>(soundBytes), partSoundRate, 2));
    if (!sound.flush() || !video.flush()) {
        problem = work.path().string() + ": cannot be written";
        return false;
    }
    return true;
}

bool writeJoined(const PartLabel& label, const WorkFolder& work, const fs::path& out, std::string& problem) {
    const fs::path joined = work / "joined.mp4";
    if (!runFfmpeg({"-framerate",   std::to_string(label.fps),
                    "-f",           "h264",
                    "-i",           (work / "video.h264").string(),
                    "-i",           (work / "sound.wav").string(),
                    "-map",         "0:v:0",
                    "-map",         "1:a:0",
                    "-c:v",         "copy",
                    "-c:a",         "aac",
                    "-b:a",         "192k",
                    "-movflags",    "+faststart",
                    "-f",           "mp4",
                    joined.string()},
                   "ffmpeg could not write the joined video", problem))
        return false;
    if (const std::error_code error = replaceFile(joined.string(), out.string())) {
        problem = out.string() + ": " + error.message();
        return false;
    }
    return true;
}

// Why the join cannot be made yet: each part of the render with whether it is
// done, then each file named that holds no part yet with where it stands.
void reportWhereThePartsStand(const PartLabel* render, const std::map<int, const PartFile*>& byIndex,
                              const std::vector<std::string>& absent, std::ostream& err) {
    err << "quillfront-tool join: cannot join yet: " << byIndex.size() << " of "
        << (render ? std::to_string(render->count) : std::string("the")) << " parts are done\n";
    for (int index = 1; render && index <= render->count; ++index) {
        const auto part = byIndex.find(index);
        err << "  " << rangeText(*render, index) << ": "
            << (part == byIndex.end() ? std::string("not done") : "done, " + part->second->path) << "\n";
    }
    for (const std::string& line : absent)
        err << "  " << line << "\n";
}

} // namespace

int joinParts(const std::vector<std::string>& paths, const std::string& outName, std::ostream& log, std::ostream& err) {
    const fs::path out = fs::absolute(outName);
    auto fail = [&err](const std::string& problem) {
        err << "quillfront-tool join: " << problem << "\n";
        return failure;
    };
    WorkFolder work(out);
    std::string problem;
    if (!work.create(problem))
        return fail(problem);

    std::vector<PartFile> found;
    std::vector<std::string> absent; // "PATH: state" of each path that holds no part yet
    for (const std::string& path : paths) {
        std::error_code error;
        if (!fs::exists(path, error)) {
            absent.push_back(path + ": " + absentState(path));
            continue;
        }
        std::optional<PartLabel> label = readLabel(path, work, problem);
        if (!label)
            return fail(problem);
        found.push_back({path, *label});
    }
    std::map<int, const PartFile*> byIndex;
    for (const PartFile& part : found) {
        if (!part.label.sameRender(found.front().label))
            return fail(part.path + " is not a part of the render " + found.front().path +
                        " belongs to: " + differenceOf(found.front().label, part.label));
        const auto [place, added] = byIndex.emplace(part.label.index, &part);
        if (!added)
            return fail(rangeText(part.label, part.label.index) + " is given twice: " + place->second->path + " and " +
                        part.path);
    }

    const int count = found.empty() ? 0 : found.front().label.count;
    if (found.empty() || static_cast<int>(byIndex.size()) != count || !absent.empty()) {
        reportWhereThePartsStand(found.empty() ? nullptr : &found.front().label, byIndex, absent, err);
        return failure;
    }

    std::vector<const PartFile*> inOrder;
    for (const auto& [index, part] : byIndex)
        inOrder.push_back(part);
    if (!joinStreams(inOrder, work, problem) || !writeJoined(found.front().label, work, out, problem))
        return fail(problem);
    const PartLabel& label = found.front().label;
    log << "joined " << count << " parts, frames " << label.span.first << " to " << label.span.end << " at "
        << label.fps << " fps: " << outName << "\n";
    return success;
}
