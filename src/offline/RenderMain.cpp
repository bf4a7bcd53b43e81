// quillfront-render: the work of `quillfront-tool render`, in a program of its
// own because it needs the run-time (composition, GL, the mixer) that the tool
// does without. The tool checks the command line and runs this program beside
// it with the same settings; it can also be run directly.
#include "offline/RenderJob.h"
#include "project/ConsoleLog.h"
#include "tool/CommandLine.h"
#include "tool/RenderSettings.h"

#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
    const ParsedCommandLine line = parseCommandLine({argv + 1, argv + argc}, renderOptions());
    std::string problem = line.error;
    if (problem.empty() && line.operands.size() != 2)
        problem = "wants PROJECT and OUT";
    std::optional<RenderSettings> settings;
    if (problem.empty())
        settings = renderSettingsOf(line, problem);
    if (!settings) {
        std::fprintf(stderr,
                     "quillfront-render: %s\nusage: quillfront-render PROJECT OUT [--size WxH] [--fps N] [--from BEAT] "
                     "[--to BEAT] [--part K/N]\n",
                     problem.c_str());
        return 2;
    }
    sendLogTo(stderr); // standard output is for the tool's progress and closing line
    // A writer whose reader has gone is told so by its write, not killed.
    std::signal(SIGPIPE, SIG_IGN);
    for (const int stopSignal : {SIGINT, SIGTERM})
        std::signal(stopSignal, [](int) { renderInterrupted = 1; });
    return renderDemo(*settings);
}
