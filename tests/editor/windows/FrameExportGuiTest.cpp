// "Export Videoframes" through the real editor: numbered PNG files of the
// demo at 60 frames a second of music time, written beside the project.
#include "editor/windows/MainMenu.h"
#include "support/EditorSession.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Mean blue of a row of a 24-bit surface.
double rowBlue(SDL_Surface* image, int row) {
    const auto* bytes = static_cast<const uint8_t*>(image->pixels) + row * image->pitch;
    double sum = 0.0;
    for (int x = 0; x < image->w; ++x)
        sum += bytes[x * image->format->BytesPerPixel + 2];
    return sum / image->w;
}

TEST(FrameExportTest, WritesEveryFrameToTheEndBeatAndStopsByItself) {
    EditorSession session;
    ASSERT_TRUE(session.started());
    GuiDriver& gui = session.gui;
    std::ofstream("render") << "a file where the folder should be";
    gui.chooseMenuItem("File", "Export Videoframes");
    EXPECT_FALSE(session.app.editor.frameExport.running());
    EXPECT_EQ(session.app.status.text.rfind("Export stopped: render: cannot be made", 0), 0u)
        << session.app.status.text;
    std::filesystem::remove("render");

    session.demo().bpm = 0.0f;
    gui.chooseMenuItem("File", "Export Videoframes");
    EXPECT_FALSE(session.app.editor.frameExport.running()) << "with no tempo the export would never end";
    EXPECT_EQ(session.app.status.text, "Export needs a positive BPM and an end beat");
    session.demo().bpm = 120.0f;

    gui.typeInto(editorTitle, "##End beat", "1");
    gui.chooseMenuItem("File", "Export Videoframes");
    for (int frame = 0; frame < 200 && session.app.editor.frameExport.running(); ++frame)
        gui.frames(1);
    EXPECT_FALSE(session.app.editor.frameExport.running());
    EXPECT_EQ(session.app.status.text, "Exported 31 frames to render/");
    // 120 BPM at 60 frames a second: frame 30 is beat 1, the last one not past the end.
    EXPECT_TRUE(std::filesystem::exists("render/00030.png"));
    EXPECT_FALSE(std::filesystem::exists("render/00031.png"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("render"), {}), 31) << "no partial files left";

    SDL_Surface* image = IMG_Load("render/00015.png");
    ASSERT_NE(image, nullptr) << IMG_GetError();
    EXPECT_EQ(image->w, session.app.screen.width);
    EXPECT_EQ(image->h, session.app.screen.height);
    EXPECT_GT(rowBlue(image, image->h - 10), rowBlue(image, 10) + 4) << "the sky lightens downwards: right side up";
    SDL_FreeSurface(image);

    // "Stop Rendering!" ends an export early, with what it wrote kept whole.
    std::filesystem::remove_all("render");
    gui.typeInto(editorTitle, "##End beat", "100");
    gui.chooseMenuItem("File", "Export Videoframes");
    gui.click(editorTitle, "Stop Rendering!");
    EXPECT_FALSE(session.app.editor.frameExport.running());
    const auto written = std::distance(std::filesystem::directory_iterator("render"), {});
    EXPECT_GT(written, 0);
    EXPECT_LT(written, 100);
    EXPECT_EQ(session.app.status.text, "Exported " + std::to_string(written) + " frames to render/");
}

} // namespace
