// A part file's label: what the join trusts to tell parts of one render apart.
#include "tool/PartLabel.h"

#include <gtest/gtest.h>

namespace {

const PartLabel label{"0123456789abcdef", 1920, 1080, 60, {600, 1201}, 3, 4};

TEST(PartLabelTest, ALabelReadsBackAsWrittenAndItsPartsCoverTheSpanOnce) {
    const std::optional<PartLabel> read = parseLabel(labelText(label));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->sameRender(label));
    EXPECT_EQ(read->index, 3);
    EXPECT_EQ(read->frames(), (FrameRange{900, 1050}));

    int64_t next = label.span.first;
    for (int index = 1; index <= 7; ++index) {
        const FrameRange part = partRange(label.span, index, 7);
        EXPECT_EQ(part.first, next);
        EXPECT_NEAR(static_cast<double>(part.length()), 601.0 / 7, 1.0);
        next = part.end;
    }
    EXPECT_EQ(next, label.span.end);
}

TEST(PartLabelTest, AnythingButAWellFormedLabelIsNoPart) {
    const std::string text = labelText(label);
    std::vector<std::string> wrong = {"", text + " ", text.substr(0, text.size() - 1), "x" + text,
                                      text.substr(0, 24) + "2" + text.substr(25)}; // another format
    for (const auto& [from, to] :
         std::vector<std::pair<std::string, std::string>>{{"part 3 of 4", "part 5 of 4"},
                                                          {"part 3 of 4", "part 0 of 4"},
                                                          {"part 3 of 4", "part 3 of 99999999999999999999"},
                                                          {"1920x1080", "-1920x1080"},
                                                          {"1920x1080", "99999x1080"},
                                                          {"60 fps", "0 fps"},
                                                          {"frames 600 to 1201", "frames 1201 to 600"},
                                                          {"frames 600 to 1201", "frames 0 to 9223372036854775807"},
                                                          {"0123456789abcdef", "0123456789ABCDEF"}}) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        wrong.push_back(changed);
    }
    for (const std::string& candidate : wrong)
        EXPECT_FALSE(parseLabel(candidate)) << candidate;
    EXPECT_FALSE(parseLabel(labelText({"0123456789abcdef", 320, 180, 30, {0, 3}, 1, 4})))
        << "a part that holds no frame";
}

TEST(PartLabelTest, AnUnfinishedFileNamesItsWriter) {
    const std::filesystem::path out = "/renders/part-2.mov";
    const std::string name = unfinishedName(out, "node-7.cluster", 4242, "video.mp4");
    const std::optional<OutputWriter> writer = writerOf(out, name);
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->host, "node-7.cluster");
    EXPECT_EQ(writer->id, 4242);
    EXPECT_FALSE(writerOf("/renders/part-1.mov", name)) << "another part's";
    EXPECT_FALSE(writerOf(out, ".part-2.mov.render@node@x.mov"));
}

} // namespace
