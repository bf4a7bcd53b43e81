#include "offline/ProgressBar.h"

#include <cinttypes>

namespace {

constexpr int barWidth = 30;
constexpr auto redrawInterval = std::chrono::milliseconds(100);

std::string minutesAndSeconds(double seconds) {
    const auto whole = static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

} // namespace

std::string ProgressBar::line(const char* label, int64_t done, int64_t total, double elapsed) {
    const int filled = total > 0 ? static_cast<int>(done * barWidth / total) : barWidth;
    const double fps = elapsed > 0.0 ? static_cast<double>(done) / elapsed : 0.0;
    const std::string left = fps > 0.0 ? minutesAndSeconds(static_cast<double>(total - done) / fps) : "-:--";
    char text[160];
    std::snprintf(text, sizeof text, "%s [%s%s] frame %" PRId64 "/%" PRId64 "  %.1f fps  %s left", label,
                  std::string(static_cast<size_t>(filled), '#').c_str(),
                  std::string(static_cast<size_t>(barWidth - filled), '.').c_str(), done, total, fps, left.c_str());
    return text;
}

void ProgressBar::update(const char* label, int64_t done, int64_t total) {
    const Clock::time_point now = Clock::now();
    if (stage_ != label) {
        if (drawn_ && terminal_)
            std::fputc('\n', stream_);
        stage_ = label;
        stageStart_ = now;
        drawn_ = false;
        tenthsLogged_ = 0;
    }
    const double elapsed = std::chrono::duration<double>(now - stageStart_).count();
    if (!terminal_) {
        const int64_t tenths = total > 0 ? done * 10 / total : 10;
        if (tenths > tenthsLogged_) {
            std::fprintf(stream_, "%s\n", line(label, done, total, elapsed).c_str());
            tenthsLogged_ = tenths;
        }
        return;
    }
    if (drawn_ && now - lastDrawn_ < redrawInterval && done != total)
        return;
    std::fprintf(stream_, "\r%s\033[K", line(label, done, total, elapsed).c_str());
    std::fflush(stream_);
    lastDrawn_ = now;
    drawn_ = true;
}

void ProgressBar::finish(const std::string& summary) {
    if (drawn_ && terminal_)
        std::fputc('\n', stream_);
    drawn_ = false;
    std::fprintf(stream_, "%s\n", summary.c_str());
}
