#include "editor/windows/shadereditor/ConstantsPanel.h"

#include "editor/windows/EditorState.h"
#include "editor/windows/ToolWindows.h"

#include <imgui.h>

#include <cstdlib>
#include <optional>

namespace {

// Bytes of the source a widget rewrites.
struct Rewrite {
    int32_t start = 0;
    int32_t end = 0;
    std::string text;
};

std::string colourText(const float rgb[3]) {
    return constantText(rgb[0]) + "," + constantText(rgb[1]) + "," + constantText(rgb[2]);
}

// The rows of annotated literals, each a name, sliders and a colour for the first three.
std::optional<Rewrite> drawRows(const std::vector<NumberLiteral>& constants) {
    std::optional<Rewrite> rewrite;
    int32_t rowLine = -1;
    int inRow = 0;
    float rgb[3] = {0.0f, 0.0f, 0.0f};
    const NumberLiteral* first = nullptr;
    for (size_t i = 0; i < constants.size(); ++i) {
        const NumberLiteral& literal = constants[i];
        if (!literal.annotated)
            continue;
        ImGui::PushID(static_cast<int>(i));
        if (literal.line == rowLine) {
            ImGui::SameLine();
        } else {
            rowLine = literal.line;
            inRow = 0;
            ImGui::TextColored(ImColor(0xFF00FF00), "%s", literal.name.c_str());
            ImGui::SameLine();
        }
        float value = std::strtof(literal.tokenText.c_str(), nullptr);
        if (ImGui::SliderFloat("", &value, literal.minVal, literal.maxVal, "%.3f"))
            rewrite = Rewrite{literal.startOffset, literal.endOffset, constantText(value)};
        if (inRow < 3)
            rgb[inRow] = value;
        if (inRow == 0)
            first = &literal;
        if (++inRow == 3) {
            ImGui::SameLine();
            // Floats, so editing one component leaves the others exactly as written;
            // wide enough that its three fields read.
            ImGui::SetNextItemWidth(3.0f * 64.0f);
            if (ImGui::ColorEdit3("##colour", rgb, ImGuiColorEditFlags_Float))
                rewrite = Rewrite{first->startOffset, literal.endOffset, colourText(rgb)};
        }
        ImGui::PopID();
    }
    return rewrite;
}

void drawSplitter(ShaderEditorState& state) {
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, {0.0f, 0.0f});
    ImGui::InvisibleButton("##splitter_numbers_pane", {ImGui::GetContentRegionAvail().x, 8.0f});
    if (ImGui::IsItemHovered())
        ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeNS);
    if (ImGui::IsItemActive())
        state.numbersPanelHeight += static_cast<int>(ImGui::GetIO().MouseDelta.y);
    ImGui::PopStyleVar();
}

} // namespace

void drawConstantsPanel(ShaderEditorState& state, EditorState& editor) {
    ShaderProgram& program = *state.shown;
    if (state.constantsDirty) {
        state.constants = scanConstants(program.fragmentShaderSource);
        state.constantsDirty = false;
    }
    ImGui::BeginChild("##numbers_panel", {0.0f, static_cast<float>(state.numbersPanelHeight)}, true);
    ImGui::PushItemWidth(128.0f);
    const std::optional<Rewrite> rewrite = drawRows(state.constants);
    ImGui::PopItemWidth();
    ImGui::EndChild();
    drawSplitter(state);
    if (!rewrite)
        return;
    std::string source = program.fragmentShaderSource;
    source.replace(static_cast<size_t>(rewrite->start), static_cast<size_t>(rewrite->end - rewrite->start),
                   rewrite->text);
    const TextPosition cursor = state.code.model().cursor();
    state.code.setText(source, false);
    state.code.model().setCursor(cursor);
    setShaderSource(editor.history, program, std::move(source),
                    "Change a constant of " + program.fragmentShaderFilename,
                    MergeKey{windowTitle::shaderEditor, "constants", &program}, state.run);
    state.shownMark = program.edits.value();
    state.constantsDirty = true;
}
