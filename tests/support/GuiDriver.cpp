// Every use of Dear ImGui's internal interface in the tests is in this file:
// it changes between releases. What it relies on, as Dear ImGui 1.86 does it:
// - ids: a window's items hash from the window's ID (its name's hash); PushID
//   and an open TreeNode hash their string or int onto the seed.
// - a child region is a window named "<parent>/<str_id>_<%08X id>" (or
//   "<parent>/<%08X id>" without a name, as list boxes make), id in the
//   parent's scope; its items hash from its own ID.
// - a table pushes its id (plus instance number, 0 for the first) over its
//   items, in its own child window when it scrolls.
// - popups, menus and combo lists are windows of the open-popup stack, their
//   items hashing from the popup window's ID; a menu bar's menus hash under
//   "##menubar".
// - the navigation target (NavId) is processed wherever its window draws it,
//   clipped or not, and its rectangle is kept in NavRectRel.
#include "support/GuiDriver.h"

#include "app/Shell.h"
#include "project/ProjectFiles.h"

#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

struct GuiDriver::Target {
    ImGuiWindow* window = nullptr;            // the window that draws the item, or the region itself
    ImGuiID id = 0;                           // 0: the path names the region `window`
    ImRect rect;                              // screen rectangle, once probed (a region: its window's)
    std::string name;                         // the path as written, for failure messages
    ImGuiNavLayer layer = ImGuiNavLayer_Main; // once probed: a menu bar's items are on the menu layer
};

struct GuiDriver::ShownGlyph {
    unsigned codepoint = 0;
    ImRect box;
    float penX = 0.0f; // where the text's pen stood: the glyph's box less its bearing
    float penY = 0.0f;
    float advance = 0.0f; // to the next glyph's pen
    float space = 0.0f;   // a space's advance in the glyph's font and size
};

namespace {

ImGuiContext& context() { return *ImGui::GetCurrentContext(); }

ImGuiID hashName(const std::string& name, ImGuiID seed) {
    return ImGui::GetIDWithSeed(name.data(), name.data() + name.size(), seed);
}

ImGuiID hashInt(int index, ImGuiID seed) { return ImHashData(&index, sizeof index, seed); }

// A child region's window: "<parent>/<str_id>_<%08X id>", or "<parent>/<%08X id>"
// for one made without a name (BeginChildFrame, list boxes).
ImGuiWindow* childRegion(ImGuiWindow* parent, const std::string& name, ImGuiID id) {
    char full[512];
    ImFormatString(full, sizeof full, "%s/%s_%08X", parent->Name, name.c_str(), id);
    if (ImGuiWindow* named = ImGui::FindWindowByName(full))
        return named;
    ImFormatString(full, sizeof full, "%s/%08X", parent->Name, id);
    return ImGui::FindWindowByName(full);
}

ImGuiWindow* openPopupWithId(ImGuiID id) {
    for (const ImGuiPopupData& popup : context().OpenPopupStack)
        if (popup.PopupId == id && popup.Window)
            return popup.Window;
    return nullptr;
}

ImGuiWindow* topPopup() {
    const ImGuiContext& g = context();
    return g.OpenPopupStack.empty() ? nullptr : g.OpenPopupStack.back().Window;
}

// One scope further down. Open popups come first: a context menu's id is its
// item's, which is also a plain scope.
void stepInto(ImGuiWindow*& window, ImGuiID& seed, const PathSegment& segment) {
    if (segment.isIndex()) {
        seed = hashInt(segment.index(), seed);
        return;
    }
    const ImGuiID id = hashName(segment.name(), seed);
    if (ImGuiWindow* popup = openPopupWithId(id)) {
        window = popup;
        seed = popup->ID;
    } else if (ImGuiTable* table = ImGui::TableFindByID(id); table && table->InnerWindow) {
        window = table->InnerWindow;
        seed = id;
    } else if (ImGuiWindow* child = childRegion(window, segment.name(), id)) {
        window = child;
        seed = child->ID;
    } else {
        seed = id;
    }
}

bool isDescendant(const ImGuiWindow* window, const ImGuiWindow* ancestor) {
    for (; window; window = window->ParentWindow) {
        if (window == ancestor)
            return true;
        if (!(window->Flags & ImGuiWindowFlags_ChildWindow))
            return false;
    }
    return false;
}

bool isPopupLike(const ImGuiWindow* window) {
    return (window->Flags & (ImGuiWindowFlags_Popup | ImGuiWindowFlags_Tooltip | ImGuiWindowFlags_ChildMenu)) != 0;
}

// The windows drawn in the last frame that show what lies inside `base`: itself and its child regions.
std::vector<ImGuiWindow*> drawnWithin(ImGuiWindow* base) {
    std::vector<ImGuiWindow*> windows;
    for (ImGuiWindow* window : context().Windows)
        if (window->Active && (window == base || (!isPopupLike(window) && isDescendant(window, base))))
            windows.push_back(window);
    return windows;
}

struct ShownVertex {
    const ImDrawVert* vertex;
    const ImDrawCmd* command;
};

// Every vertex the window drew last frame with the command drawing it, in buffer order.
std::vector<ShownVertex> drawnVertices(const ImGuiWindow* window) {
    const ImDrawList& list = *window->DrawList;
    std::vector<const ImDrawCmd*> commandOf(static_cast<size_t>(list.VtxBuffer.Size), nullptr);
    for (const ImDrawCmd& command : list.CmdBuffer) {
        if (command.UserCallback)
            continue;
        for (unsigned i = command.IdxOffset; i < command.IdxOffset + command.ElemCount; ++i) {
            const unsigned vertex = list.IdxBuffer[static_cast<int>(i)] + command.VtxOffset;
            if (vertex < commandOf.size())
                commandOf[vertex] = &command;
        }
    }
    std::vector<ShownVertex> vertices;
    for (size_t i = 0; i < commandOf.size(); ++i)
        if (commandOf[i])
            vertices.push_back({&list.VtxBuffer[static_cast<int>(i)], commandOf[i]});
    return vertices;
}

bool insideClip(const ImVec2& point, const ImDrawCmd& command) {
    const ImVec4& clip = command.ClipRect;
    return point.x >= clip.x && point.y >= clip.y && point.x <= clip.z && point.y <= clip.w;
}

bool sameUv(const ImVec2& a, const ImVec2& b) { return a.x == b.x && a.y == b.y; }

struct GlyphSource {
    const ImFont* font;
    const ImFontGlyph* glyph;
};

using UvBox = std::tuple<float, float, float, float>;

// Glyphs by where they lie in the font atlas: a glyph quad carries exactly these coordinates.
std::map<UvBox, GlyphSource> glyphsByUv() {
    std::map<UvBox, GlyphSource> glyphs;
    for (const ImFont* font : ImGui::GetIO().Fonts->Fonts)
        for (const ImFontGlyph& glyph : font->Glyphs)
            if (glyph.Visible)
                glyphs.emplace(UvBox{glyph.U0, glyph.V0, glyph.U1, glyph.V1}, GlyphSource{font, &glyph});
    return glyphs;
}

void appendUtf8(std::string& text, unsigned codepoint) {
    char bytes[5];
    text += ImTextCharToUtf8(bytes, codepoint);
}

size_t utf8PrefixLength(const std::string& text, size_t from, size_t most) {
    size_t end = std::min(text.size(), from + most);
    while (end > from && end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return end - from;
}

ImU32 styleColour(ImGuiCol colour, float alphaFactor) {
    const ImGuiStyle& style = ImGui::GetStyle();
    ImVec4 value = style.Colors[colour];
    value.w *= style.Alpha * alphaFactor;
    return ImGui::ColorConvertFloat4ToU32(value);
}

// Whether `colour` is the style's `which`, as drawn enabled or disabled.
bool isStyleColour(ImU32 colour, ImGuiCol which) {
    return colour == styleColour(which, 1.0f) || colour == styleColour(which, ImGui::GetStyle().DisabledAlpha);
}

struct JoinedText {
    std::string text;
    std::vector<size_t> glyphOfByte; // SIZE_MAX for spaces and line breaks put in between
};

// Reading order: lines by the pen's height (glyphs within half a line of the
// line's first share it), then left to right; gaps wider than half a space,
// indentation included, become spaces.
template <typename Glyph> JoinedText joinGlyphs(const std::vector<Glyph>& glyphs) {
    std::vector<size_t> order(glyphs.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t l, size_t r) {
        return std::tie(glyphs[l].penY, glyphs[l].penX) < std::tie(glyphs[r].penY, glyphs[r].penX);
    });
    std::vector<std::vector<size_t>> lines;
    float lineY = 0.0f;
    for (size_t index : order) {
        const Glyph& glyph = glyphs[index];
        if (lines.empty() || glyph.penY - lineY > glyph.box.GetHeight() * 0.5f) {
            lines.emplace_back();
            lineY = glyph.penY;
        }
        lines.back().push_back(index);
    }
    float left = FLT_MAX; // indentation is counted from the leftmost line
    for (const std::vector<size_t>& line : lines)
        for (size_t index : line)
            left = std::min(left, glyphs[index].penX);
    JoinedText joined;
    const auto put = [&](const std::string& bytes, size_t glyph) {
        joined.text += bytes;
        joined.glyphOfByte.insert(joined.glyphOfByte.end(), bytes.size(), glyph);
    };
    for (std::vector<size_t>& line : lines) {
        if (!joined.text.empty())
            put("\n", SIZE_MAX);
        std::sort(line.begin(), line.end(), [&](size_t l, size_t r) { return glyphs[l].penX < glyphs[r].penX; });
        for (size_t k = 0; k < line.size(); ++k) {
            const Glyph& glyph = glyphs[line[k]];
            const float gap =
                k == 0 ? glyph.penX - left : glyph.penX - (glyphs[line[k - 1]].penX + glyphs[line[k - 1]].advance);
            if (gap > glyph.space * 0.5f)
                put(std::string(static_cast<size_t>(std::max(1.0f, std::round(gap / glyph.space))), ' '), SIZE_MAX);
            std::string bytes;
            appendUtf8(bytes, glyph.codepoint);
            put(bytes, line[k]);
        }
    }
    return joined;
}

template <typename Glyph>
ImRect boxOf(const std::vector<Glyph>& glyphs, const JoinedText& joined, size_t from, size_t length) {
    ImRect box(ImVec2(FLT_MAX, FLT_MAX), ImVec2(-FLT_MAX, -FLT_MAX));
    for (size_t i = from; i < from + length && i < joined.glyphOfByte.size(); ++i)
        if (joined.glyphOfByte[i] != SIZE_MAX)
            box.Add(glyphs[joined.glyphOfByte[i]].box);
    return box;
}

std::string describeWindow(const ImGuiWindow* window) {
    return window ? "\"" + std::string(window->Name) + "\"" : "none";
}

} // namespace

std::string ItemPath::describe() const {
    std::string text = "{";
    for (const PathSegment& segment : segments_) {
        if (text.size() > 1)
            text += ", ";
        text += segment.isIndex() ? std::to_string(segment.index()) : "\"" + segment.name() + "\"";
    }
    return text + "}";
}

namespace {

// What an edit can change in a project, cheaply enough to take every frame:
// the project form, the shader sources and the sizes of the embedded files.
std::string projectFingerprint(const Demo& demo) {
    std::string print = writeJsonProject(demo, true);
    for (const auto& shader : demo.shaders)
        print += shader->vertexShaderSource + shader->fragmentShaderSource;
    print += std::to_string(demo.music->size());
    for (const auto& texture : demo.textures)
        print += ' ' + std::to_string(texture->imageBuffer->size());
    for (const auto& sample : demo.audio_samples)
        print += ' ' + std::to_string(sample->audioBuffer->size());
    for (const auto& font : demo.fonts)
        print += ' ' + std::to_string(font->fontBuffer->size());
    return print;
}

} // namespace

GuiDriver::GuiDriver(AppState& app) : app_(app) {}

// Every frame of every GUI test checks that the project changed only through
// the edit history (or was replaced by a load), so an edit that cannot be
// undone, or a window that changes what it only shows, fails the test.
void GuiDriver::frames(int count) {
    for (int i = 0; i < count; ++i) {
        const Demo* demo = app_.project.demo.get();
        const std::string before = projectFingerprint(*demo);
        const uint64_t position = app_.editor.history.position();
        runFrame(app_);
        if (app_.project.demo.get() == demo && app_.editor.history.position() == position &&
            projectFingerprint(*demo) != before)
            ADD_FAILURE() << "a frame changed the project without a step in the edit history";
    }
}

void GuiDriver::pushKey(Uint32 type, SDL_Keycode key, Uint16 modifiers) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    event.key.windowID = SDL_GetWindowID(app_.window.window);
    SDL_PushEvent(&event);
}

void GuiDriver::key(SDL_Keycode key, Uint16 modifiers) { holdKey(key, 1, modifiers); }

void GuiDriver::typeText(const std::string& text) {
    pushText(text);
    frames(2);
}

void GuiDriver::holdModifiers(Uint16 modifiers) {
    heldModifiers_ = modifiers;
    SDL_SetModState(static_cast<SDL_Keymod>(modifiers));
    if (modifiers & KMOD_CTRL)
        pushKey(SDL_KEYDOWN, SDLK_LCTRL, modifiers);
    if (modifiers & KMOD_SHIFT)
        pushKey(SDL_KEYDOWN, SDLK_LSHIFT, modifiers);
    frames(1);
}

void GuiDriver::releaseModifiers() {
    SDL_SetModState(KMOD_NONE);
    if (heldModifiers_ & KMOD_SHIFT)
        pushKey(SDL_KEYUP, SDLK_LSHIFT, KMOD_NONE);
    if (heldModifiers_ & KMOD_CTRL)
        pushKey(SDL_KEYUP, SDLK_LCTRL, KMOD_NONE);
    heldModifiers_ = KMOD_NONE;
    frames(1);
}

void GuiDriver::holdKey(SDL_Keycode key, int count, Uint16 modifiers) {
    // As a keyboard sends them: the modifiers go down first and up last. The GUI
    // reads them from SDL's keyboard state, the shell from each event.
    const bool ctrl = (modifiers & KMOD_CTRL) != 0;
    const bool shift = (modifiers & KMOD_SHIFT) != 0;
    SDL_SetModState(static_cast<SDL_Keymod>(modifiers));
    if (ctrl)
        pushKey(SDL_KEYDOWN, SDLK_LCTRL, modifiers);
    if (shift)
        pushKey(SDL_KEYDOWN, SDLK_LSHIFT, modifiers);
    pushKey(SDL_KEYDOWN, key, modifiers);
    frames(count);
    pushKey(SDL_KEYUP, key, modifiers);
    frames(1);
    SDL_SetModState(KMOD_NONE);
    if (shift)
        pushKey(SDL_KEYUP, SDLK_LSHIFT, KMOD_NONE);
    if (ctrl)
        pushKey(SDL_KEYUP, SDLK_LCTRL, KMOD_NONE);
    frames(3); // a window placed by the key settles in the frame after
}

// SDL's text events hold 31 bytes: longer text goes in pieces, never splitting a character.
void GuiDriver::pushText(const std::string& text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(app_.window.window);
    const size_t room = sizeof event.text.text - 1;
    for (size_t at = 0; at < text.size();) {
        size_t length = utf8PrefixLength(text, at, room);
        if (length == 0)
            length = std::min(room, text.size() - at); // not UTF-8: pass the bytes on as they are
        std::fill(std::begin(event.text.text), std::end(event.text.text), '\0');
        text.copy(event.text.text, length, at);
        SDL_PushEvent(&event);
        at += length;
    }
}

bool GuiDriver::find(const ItemPath& path, bool regionAllowed, Target& out, bool quiet) {
    const std::vector<PathSegment>& segments = path.segments();
    out = Target{};
    out.name = path.describe();
    if (segments.empty() || segments.front().isIndex()) {
        ADD_FAILURE() << "an item path starts with a window title: " << out.name;
        return false;
    }
    ImGuiWindow* window = ImGui::FindWindowByName(segments.front().name().c_str());
    if (!window) {
        if (!quiet)
            ADD_FAILURE() << "no window \"" << segments.front().name() << "\" for " << out.name;
        return false;
    }
    ImGuiID seed = window->ID;
    for (size_t i = 1; i + 1 < segments.size(); ++i)
        stepInto(window, seed, segments[i]);
    out.window = window;
    out.rect = window->Rect();
    if (segments.size() == 1)
        return true;
    const PathSegment& last = segments.back();
    if (last.isIndex()) {
        out.id = hashInt(last.index(), seed);
        return true;
    }
    const ImGuiID id = hashName(last.name(), seed);
    if (regionAllowed) {
        ImGuiWindow* region = nullptr;
        if (ImGuiTable* table = ImGui::TableFindByID(id); table && table->InnerWindow != table->OuterWindow)
            region = table->InnerWindow;
        else
            region = childRegion(window, last.name(), id);
        if (region) {
            out.window = region;
            out.rect = region->Rect();
            return true;
        }
    }
    out.id = id;
    return true;
}

// Dear ImGui skips the items of a child region its parent has scrolled (or
// clipped) wholly out of sight, so that region is scrolled back first, as far
// as the parent shows some of it; the scroll carries on up through the parents.
void GuiDriver::reveal(const Target& target) {
    for (ImGuiWindow* region = target.window; region->Flags & ImGuiWindowFlags_ChildWindow;
         region = region->ParentWindow) {
        ImGuiWindow* parent = region->ParentWindow;
        if (!parent)
            return;
        if (!region->SkipItems && parent->InnerClipRect.Overlaps(region->Rect()))
            continue;
        ImGui::ScrollToRect(parent, region->Rect());
        frames(2);
        return;
    }
}

// Makes the item the navigation target for one frame: Dear ImGui then processes
// it wherever it is drawn, even clipped, and keeps its rectangle. Hovering by the
// pointer is held off for that frame so that the frame draws the item as it is,
// not as hovered; focus, target and those flags are put back afterwards.
bool GuiDriver::probe(Target& target) {
    reveal(target);
    ImGuiContext& g = context();
    ImGuiWindow* const window = target.window;
    ImGuiWindow* const navWindow = g.NavWindow;
    const ImGuiID navId = g.NavId;
    const ImGuiNavLayer navLayer = g.NavLayer;
    const ImGuiID navFocusScope = g.NavFocusScopeId;
    const bool disableHighlight = g.NavDisableHighlight;
    const bool disableMouseHover = g.NavDisableMouseHover;
    ImGuiID lastIds[ImGuiNavLayer_COUNT];
    std::copy(std::begin(window->NavLastIds), std::end(window->NavLastIds), lastIds);

    // A window appearing in that frame takes the focus, and the target with it: then once more.
    bool alive = false;
    for (int attempt = 0; attempt < 2 && !alive; ++attempt) {
        ImGui::SetFocusID(target.id, window);
        g.NavDisableHighlight = true;
        g.NavDisableMouseHover = true;
        frames(1);
        alive = g.NavIdIsAlive && g.NavId == target.id && g.NavWindow;
        if (g.NavId == target.id)
            break;
    }
    if (alive) {
        target.window = g.NavWindow;
        target.rect = ImGui::WindowRectRelToAbs(g.NavWindow, g.NavWindow->NavRectRel[g.NavLayer]);
        target.layer = g.NavLayer;
    }

    g.NavWindow = navWindow;
    g.NavId = navId;
    g.NavLayer = navLayer;
    g.NavFocusScopeId = navFocusScope;
    g.NavDisableHighlight = disableHighlight;
    g.NavDisableMouseHover = disableMouseHover;
    std::copy(std::begin(lastIds), std::end(lastIds), window->NavLastIds);
    return alive;
}

bool GuiDriver::locate(const ItemPath& path, bool regionAllowed, Target& out, bool intoSight) {
    if (!find(path, regionAllowed, out))
        return false;
    if (out.id == 0 && !out.window->Active) {
        ADD_FAILURE() << "region " << out.name << " is not shown";
        return false;
    }
    if (out.id != 0 && !probe(out)) {
        ADD_FAILURE() << "no item " << out.name;
        return false;
    }
    return !intoSight || bringIntoSight(out);
}

// An item scrolls within its window, a child region within its parent, as far
// as the window shows it whole (or its middle, when it is the larger); menu
// bars and top-level windows do not scroll.
bool GuiDriver::bringIntoSight(Target& target) {
    ImGuiWindow* scrolled = target.id != 0                                          ? target.window
                            : (target.window->Flags & ImGuiWindowFlags_ChildWindow) ? target.window->ParentWindow
                                                                                    : nullptr;
    if (!scrolled || target.layer != ImGuiNavLayer_Main)
        return true;
    const auto inSight = [&] {
        const ImRect& view = scrolled->InnerClipRect;
        const bool larger = target.rect.GetWidth() > view.GetWidth() || target.rect.GetHeight() > view.GetHeight();
        return larger ? view.Contains(target.rect.GetCenter()) : view.Contains(target.rect);
    };
    if (inSight())
        return true;
    ImGui::ScrollToRect(scrolled, target.rect);
    frames(2);
    if (target.id == 0) {
        target.rect = target.window->Rect();
    } else if (!probe(target)) {
        ADD_FAILURE() << "item " << target.name << " went away while scrolled into sight";
        return false;
    }
    return true;
}

// As keyboard navigation presses: the item becomes the target and is activated,
// which works where it is clipped too (the target is never clipped).
void GuiDriver::press(const Target& target, int activateFlags) {
    reveal(target);
    ImGuiContext& g = context();
    g.NavInputSource = ImGuiInputSource_Keyboard;
    ImGui::SetFocusID(target.id, target.window);
    g.NavNextActivateId = target.id;
    g.NavNextActivateFlags = activateFlags;
    frames(2);
}

bool GuiDriver::pressed(const Target& target, const char* what) {
    if (context().LastActiveId == target.id)
        return true;
    Target again = target;
    if (probe(again))
        ADD_FAILURE() << what << " " << target.name << " is shown but took no press (disabled?)";
    else
        ADD_FAILURE() << "no " << what << " " << target.name;
    return false;
}

void GuiDriver::click(const ItemPath& item) {
    Target target;
    if (!find(item, false, target))
        return;
    press(target, ImGuiActivateFlags_None);
    pressed(target, "item");
}

void GuiDriver::activate(const ItemPath& item) {
    Target target;
    if (!find(item, false, target))
        return;
    press(target, ImGuiActivateFlags_None);
    if (context().ActiveId != target.id)
        pressed(target, "item");
}

void GuiDriver::typeInto(const ItemPath& field, const std::string& text, AfterTyping after) {
    typeText(field, text, after, false);
}

void GuiDriver::typeInto(const char* window, const char* label, const std::string& text, bool numberField) {
    typeText(ItemPath{window, label}, text, AfterTyping::confirm, numberField);
}

// A field preferring text input selects its whole text, so typing replaces it.
// A number field with step buttons holds its text field under "" below its
// label: both are tried, `innerFirst` saving the frames of a try where it is.
void GuiDriver::typeText(const ItemPath& field, const std::string& text, AfterTyping after, bool innerFirst) {
    Target outer;
    if (!find(field, false, outer))
        return;
    Target inner = outer;
    inner.id = ImGui::GetIDWithSeed("", nullptr, outer.id);
    ImGuiContext& g = context();
    const Target* active = nullptr;
    const Target* const candidates[] = {innerFirst ? &inner : &outer, innerFirst ? &outer : &inner};
    for (const Target* candidate : candidates) {
        press(*candidate, ImGuiActivateFlags_PreferInput);
        if (g.ActiveId == candidate->id && g.InputTextState.ID == candidate->id) {
            active = candidate;
            break;
        }
    }
    if (!active) {
        ADD_FAILURE() << "no text field " << outer.name;
        return;
    }
    selectAllText();
    pushText(text);
    frames(1);
    if (after == AfterTyping::keepEditing)
        return;
    // A multi-line field (one with a child region named by its label) ends with
    // Ctrl+Enter, unless it was made to take Ctrl+Enter for a new line: then, as
    // a user would, take the new line back and press Enter.
    const PathSegment& label = field.segments().back();
    if (active != &outer || label.isIndex() || !childRegion(outer.window, label.name(), outer.id)) {
        key(SDLK_RETURN);
        return;
    }
    key(SDLK_RETURN, KMOD_LCTRL);
    if (g.ActiveId == outer.id) {
        key(SDLK_BACKSPACE);
        key(SDLK_RETURN);
    }
}

// Activation selects a single-line field's text but not a multi-line one's: there
// the user selects it all with Ctrl+A.
void GuiDriver::selectAllText() {
    const ImGuiInputTextState& state = context().InputTextState;
    const int start = std::min(state.GetSelectionStart(), state.GetSelectionEnd());
    const int end = std::max(state.GetSelectionStart(), state.GetSelectionEnd());
    if (state.CurLenW > 0 && (start != 0 || end != state.CurLenW))
        ctrlKey(SDLK_a);
}

void GuiDriver::setValue(const ItemPath& field, double value) {
    char number[64];
    const std::to_chars_result written = std::to_chars(std::begin(number), std::end(number), value);
    typeInto(field, std::string(number, written.ptr));
}

// Steps through open menus: each name but the last must open a menu, the last is chosen.
void GuiDriver::chooseMenuItem(const ItemPath& window, std::initializer_list<const char*> menusThenItem) {
    Target bar;
    if (!find(window, true, bar))
        return;
    if (bar.id != 0) {
        ADD_FAILURE() << window.describe() << " is not a window with a menu bar";
        return;
    }
    ImGuiWindow* current = bar.window;
    ImGuiID seed = hashName("##menubar", current->ID);
    ItemPath path = window / "##menubar";
    const ImGuiContext& g = context();
    size_t index = 0;
    for (const char* name : menusThenItem) {
        path = path / name;
        const Target entry{current, hashName(name, seed), {}, path.describe()};
        if (++index == menusThenItem.size()) {
            press(entry, ImGuiActivateFlags_None);
            pressed(entry, "menu item");
            return;
        }
        press(entry, ImGuiActivateFlags_None);
        if (g.OpenPopupStack.empty() || g.OpenPopupStack.back().PopupId != entry.id || !topPopup()) {
            ADD_FAILURE() << "menu " << entry.name << " did not open";
            return;
        }
        current = topPopup();
        seed = current->ID;
    }
}

void GuiDriver::chooseMenuItem(const ItemPath& window, const char* menu, const char* item) {
    chooseMenuItem(window, {menu, item});
}

void GuiDriver::chooseMenuItem(const char* menu, const char* item) { chooseMenuItem("##MainMenuBar", {menu, item}); }

// The item's path is taken from inside the topmost popup. A lone label not found
// there may be under a per-entry scope (PushID((void*)i) as ImGui::Combo makes
// them, PushID(i) as loops do): then it is found as a user finds it, by the text
// the popup shows, scrolling the list with the wheel until it shows, and its id
// is the one the GUI reports hovered under the pointer.
bool GuiDriver::findInTopPopup(const ItemPath& item, Target& out) {
    ImGuiWindow* popup = topPopup();
    if (!popup) {
        ADD_FAILURE() << "no popup is open for " << item.describe();
        return false;
    }
    const std::vector<PathSegment>& segments = item.segments();
    if (segments.empty()) {
        ADD_FAILURE() << "an empty path inside the popup";
        return false;
    }
    ImGuiWindow* window = popup;
    ImGuiID seed = popup->ID;
    for (size_t i = 0; i + 1 < segments.size(); ++i)
        stepInto(window, seed, segments[i]);
    const PathSegment& last = segments.back();
    out = Target{window,
                 last.isIndex() ? hashInt(last.index(), seed) : hashName(last.name(), seed),
                 {},
                 "popup \"" + std::string(popup->Name) + "\" " + item.describe()};
    if (probe(out) || (segments.size() == 1 && !last.isIndex() && findShownEntry(last.name(), out)))
        return true;
    ADD_FAILURE() << "no item " << out.name;
    return false;
}

bool GuiDriver::findShownEntry(const std::string& label, Target& out) {
    ImGuiWindow* popup = topPopup();
    if (!popup)
        return false;
    const std::string shown(label.c_str(), ImGui::FindRenderedTextEnd(label.c_str()));
    constexpr int mostNotches = 100;
    for (int notch = 0; notch <= mostNotches; ++notch) {
        const Target region{popup, 0, popup->Rect(), out.name};
        const std::vector<ShownGlyph> glyphs = glyphsIn(region);
        const JoinedText joined = joinGlyphs(glyphs);
        for (size_t start = 0; start < joined.text.size();) {
            const size_t end = std::min(joined.text.find('\n', start), joined.text.size());
            const std::string line = joined.text.substr(start, end - start);
            if (line == shown || line.rfind(shown + " ", 0) == 0) {
                const ImVec2 middle = boxOf(glyphs, joined, start, shown.size()).GetCenter();
                placePointerOn(middle.x, middle.y);
                const ImGuiContext& g = context();
                if (g.HoveredId != 0 && g.HoveredWindow && isDescendant(g.HoveredWindow, popup)) {
                    out.window = g.HoveredWindow;
                    out.id = g.HoveredId;
                    return true;
                }
            }
            start = end + 1;
        }
        if (popup->Scroll.y >= popup->ScrollMax.y)
            return false;
        placePointerOn(popup->InnerRect.GetCenter().x, popup->InnerRect.GetCenter().y);
        pushWheel(-1);
    }
    return false;
}

void GuiDriver::choose(const Target& entry) {
    press(entry, ImGuiActivateFlags_None);
    pressed(entry, "popup item");
}

void GuiDriver::choosePopupItem(const ItemPath& item) {
    Target entry;
    if (findInTopPopup(item, entry))
        choose(entry);
}

// The box is scrolled into sight first, as a user would: its list opens beside
// it, and a list opened below the screen's edge cannot be pointed at.
void GuiDriver::chooseComboItem(const ItemPath& combo, const char* label) {
    Target box;
    if (!locate(combo, false, box, true))
        return;
    const int popupsBefore = context().OpenPopupStack.Size;
    press(box, ImGuiActivateFlags_None);
    if (context().OpenPopupStack.Size <= popupsBefore || !topPopup()) {
        ADD_FAILURE() << "combo " << box.name << " did not open";
        return;
    }
    Target entry;
    if (findInTopPopup(ItemPath{label}, entry))
        choose(entry);
}

void GuiDriver::pointer(const std::string& xdotoolArguments) {
    const std::string command = "xdotool " + xdotoolArguments;
    if (std::system(command.c_str()) != 0)
        ADD_FAILURE() << "could not run " << command;
}

void GuiDriver::moveMouse(float x, float y) {
    placePointer(x, y);
    frames(2);
}

// Warps the X pointer itself (xdotool's moves do not reach Xvfb's pointer here).
void GuiDriver::placePointer(float x, float y) {
    int left = 0;
    int top = 0;
    SDL_GetWindowPosition(app_.window.window, &left, &top);
    SDL_WarpMouseGlobal(left + static_cast<int>(x), top + static_cast<int>(y));
}

void GuiDriver::pointerButton(int button, bool down, int framesAfter) {
    pointer(std::string(down ? "mousedown " : "mouseup ") + std::to_string(button));
    frames(framesAfter);
}

// The pointer moves by a pixel on the way: a move is what ends keyboard
// navigation's hold on hovering.
void GuiDriver::placePointerOn(float x, float y) {
    placePointer(std::floor(x) - 1.0f, std::floor(y));
    frames(1);
    placePointer(std::floor(x), std::floor(y));
    frames(1);
}

void GuiDriver::mouseDown() { pointerButton(1, true, 2); }

void GuiDriver::mouseUp() { pointerButton(1, false, 2); }

void GuiDriver::drag(float fromX, float fromY, float toX, float toY, int steps) {
    moveMouse(fromX, fromY);
    mouseDown();
    for (int i = 1; i <= steps; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(steps);
        placePointer(fromX + (toX - fromX) * f, fromY + (toY - fromY) * f);
        frames(1);
    }
    mouseUp();
}

// Puts the pointer on the middle of the item or region, scrolling it into sight
// first, and checks that no other window covers that point.
bool GuiDriver::pointAt(const ItemPath& path) {
    Target target;
    if (!locate(path, true, target, true))
        return false;
    const ImVec2 middle = target.rect.GetCenter();
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    if (middle.x < 0.0f || middle.y < 0.0f || middle.x >= display.x || middle.y >= display.y) {
        ADD_FAILURE() << target.name << " lies off the screen, at (" << middle.x << ", " << middle.y << ")";
        return false;
    }
    placePointerOn(middle.x, middle.y);
    const ImGuiWindow* hovered = context().HoveredWindow;
    if (!hovered || !isDescendant(hovered, target.window)) {
        ADD_FAILURE() << target.name << " is covered by window " << describeWindow(hovered);
        return false;
    }
    return true;
}

void GuiDriver::hover(const ItemPath& itemOrRegion) { pointAt(itemOrRegion); }

void GuiDriver::mouseClick(const ItemPath& itemOrRegion) {
    if (!pointAt(itemOrRegion))
        return;
    pointerButton(1, true, 1);
    pointerButton(1, false, 2);
}

void GuiDriver::rightClick(const ItemPath& itemOrRegion) {
    if (!pointAt(itemOrRegion))
        return;
    pointerButton(3, true, 1);
    pointerButton(3, false, 2);
}

// The GUI counts a second press within io.MouseDoubleClickTime as a double
// click, timed by the clock; frames drawn by software rendering are slow enough
// (some 70 ms each) to pass the 0.3 s default between the presses' frames, so
// the time is lengthened for the gesture.
void GuiDriver::doubleClick(const ItemPath& itemOrRegion) {
    if (!pointAt(itemOrRegion))
        return;
    float& doubleClickTime = ImGui::GetIO().MouseDoubleClickTime;
    const float usual = doubleClickTime;
    doubleClickTime = 2.0f;
    pointerButton(1, true, 1);
    pointerButton(1, false, 1);
    pointerButton(1, true, 1);
    pointerButton(1, false, 2);
    doubleClickTime = usual;
}

// The SDL back end reads the wheel from events only, one notch per event.
void GuiDriver::pushWheel(int direction) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = SDL_GetWindowID(app_.window.window);
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    event.wheel.y = direction;
    SDL_PushEvent(&event);
    frames(1);
}

void GuiDriver::wheel(const ItemPath& itemOrRegion, int notches) {
    if (!pointAt(itemOrRegion))
        return;
    for (int i = 0; i < std::abs(notches); ++i)
        pushWheel(notches > 0 ? 1 : -1);
    frames(1);
}

std::vector<GuiDriver::ShownGlyph> GuiDriver::glyphsIn(const Target& target) const {
    const std::map<UvBox, GlyphSource> atlas = glyphsByUv();
    ImRect area = target.rect;
    area.Expand(1.0f);
    std::vector<ShownGlyph> glyphs;
    for (ImGuiWindow* window : drawnWithin(target.window)) {
        const std::vector<ShownVertex> vertices = drawnVertices(window);
        // A glyph is a quad of four vertices in a row: top left, top right, bottom right, bottom left.
        for (size_t i = 0; i + 3 < vertices.size(); ++i) {
            const ImDrawVert& a = *vertices[i].vertex;
            const ImDrawVert& c = *vertices[i + 2].vertex;
            const auto found = atlas.find(UvBox{a.uv.x, a.uv.y, c.uv.x, c.uv.y});
            if (found == atlas.end() || vertices[i + 3].command != vertices[i].command)
                continue;
            const ImFontGlyph& glyph = *found->second.glyph;
            const ImRect box(a.pos, c.pos);
            const ImVec2 middle = box.GetCenter();
            i += 3;
            if (!area.Contains(middle) || !insideClip(middle, *vertices[i].command) || glyph.Y1 <= glyph.Y0)
                continue;
            const float scale = box.GetHeight() / (glyph.Y1 - glyph.Y0);
            const ImFontGlyph* space = found->second.font->FindGlyph(' ');
            glyphs.push_back({glyph.Codepoint, box, box.Min.x - glyph.X0 * scale, box.Min.y - glyph.Y0 * scale,
                              glyph.AdvanceX * scale, (space ? space->AdvanceX : glyph.AdvanceX) * scale});
        }
    }
    return glyphs;
}

std::string GuiDriver::shownText(const ItemPath& itemOrRegion) {
    Target target;
    if (!locate(itemOrRegion, true, target, true))
        return {};
    return joinGlyphs(glyphsIn(target)).text;
}

void GuiDriver::clickText(const ItemPath& region, const std::string& text) {
    Target target;
    if (!locate(region, true, target, true))
        return;
    const std::vector<ShownGlyph> glyphs = glyphsIn(target);
    const JoinedText joined = joinGlyphs(glyphs);
    const size_t at = joined.text.find(text);
    if (text.empty() || at == std::string::npos) {
        ADD_FAILURE() << target.name << " shows no \"" << text << "\"; it shows:\n" << joined.text;
        return;
    }
    const ImRect box = boxOf(glyphs, joined, at, text.size());
    placePointerOn(box.GetCenter().x, box.GetCenter().y);
    const ImGuiWindow* hovered = context().HoveredWindow;
    if (!hovered || hovered->RootWindow != target.window->RootWindow) {
        ADD_FAILURE() << "\"" << text << "\" in " << target.name << " is covered by window " << describeWindow(hovered);
        return;
    }
    pointerButton(1, true, 1);
    pointerButton(1, false, 2);
}

bool GuiDriver::exists(const ItemPath& item) {
    Target target;
    if (!find(item, false, target, true))
        return false;
    return target.window->Active && probe(target);
}

Placement GuiDriver::itemPlace(const ItemPath& item) {
    Target target;
    if (!locate(item, true, target))
        return {};
    return {target.rect.Min.x, target.rect.Min.y, target.rect.GetWidth(), target.rect.GetHeight()};
}

namespace {

// The colours an item drew inside its rectangle: those of the triangles whose
// middle lies there (a neighbour's frame that only touches the rectangle is
// left out), less the fully transparent fringes of anti-aliasing, each with
// whether it is a shape rather than a glyph (drawn from the atlas's white pixel)
// and where.
struct ShownColour {
    ImU32 colour;
    bool shape;
    ImVec2 where;
};

std::vector<ShownColour> coloursIn(ImGuiWindow* window, const ImRect& area) {
    const ImVec2 white = ImGui::GetIO().Fonts->TexUvWhitePixel;
    std::vector<ShownColour> colours;
    for (ImGuiWindow* drawn : drawnWithin(window)) {
        const ImDrawList& list = *drawn->DrawList;
        for (const ImDrawCmd& command : list.CmdBuffer) {
            if (command.UserCallback)
                continue;
            for (unsigned i = command.IdxOffset; i + 2 < command.IdxOffset + command.ElemCount; i += 3) {
                const ImDrawVert* corners[3];
                for (unsigned k = 0; k < 3; ++k)
                    corners[k] =
                        &list.VtxBuffer[static_cast<int>(list.IdxBuffer[static_cast<int>(i + k)] + command.VtxOffset)];
                const ImVec2 middle((corners[0]->pos.x + corners[1]->pos.x + corners[2]->pos.x) / 3.0f,
                                    (corners[0]->pos.y + corners[1]->pos.y + corners[2]->pos.y) / 3.0f);
                if (!area.Contains(middle) || !insideClip(middle, command))
                    continue;
                for (const ImDrawVert* corner : corners)
                    if ((corner->col & IM_COL32_A_MASK) != 0)
                        colours.push_back({corner->col, sameUv(corner->uv, white), corner->pos});
            }
        }
    }
    return colours;
}

} // namespace

bool GuiDriver::isChecked(const ItemPath& item) {
    Target target;
    if (!locate(item, false, target, true))
        return false;
    for (const ShownColour& shown : coloursIn(target.window, target.rect)) {
        for (ImGuiCol mark : {ImGuiCol_CheckMark, ImGuiCol_Header, ImGuiCol_HeaderHovered, ImGuiCol_HeaderActive})
            if (isStyleColour(shown.colour, mark))
                return true;
        if (shown.shape && isStyleColour(shown.colour, ImGuiCol_Text))
            return true;
    }
    return false;
}

bool GuiDriver::isDisabled(const ItemPath& item) {
    Target target;
    if (!locate(item, false, target, true))
        return false;
    const float dimmed = ImGui::GetStyle().DisabledAlpha;
    int enabledVotes = 0;
    int disabledVotes = 0;
    for (const ShownColour& shown : coloursIn(target.window, target.rect)) {
        bool full = false;
        bool faded = false;
        for (ImGuiCol colour = 0; colour < ImGuiCol_COUNT; ++colour) {
            full = full || shown.colour == styleColour(colour, 1.0f);
            faded = faded || shown.colour == styleColour(colour, dimmed);
        }
        enabledVotes += full && !faded;
        disabledVotes += faded && !full;
    }
    if (enabledVotes == 0 && disabledVotes == 0)
        ADD_FAILURE() << "item " << target.name
                      << " draws no colour of the style, so whether it is disabled is unknown";
    return disabledVotes > enabledVotes;
}

bool GuiDriver::isOpen(const ItemPath& node) {
    Target target;
    if (!locate(node, false, target, true))
        return false;
    // The arrow sits at the node's left, within about a line's height of it.
    const ImRect arrowArea(target.rect.Min,
                           ImVec2(target.rect.Min.x + target.rect.GetHeight() + ImGui::GetStyle().FramePadding.x * 2.0f,
                                  target.rect.Max.y));
    ImRect arrow(ImVec2(FLT_MAX, FLT_MAX), ImVec2(-FLT_MAX, -FLT_MAX));
    for (const ShownColour& shown : coloursIn(target.window, arrowArea))
        if (shown.shape && isStyleColour(shown.colour, ImGuiCol_Text))
            arrow.Add(shown.where);
    if (arrow.Min.x > arrow.Max.x) {
        ADD_FAILURE() << "item " << target.name << " shows no arrow, so whether it is open is unknown";
        return false;
    }
    return arrow.GetWidth() > arrow.GetHeight();
}

void GuiDriver::setOpen(const ItemPath& node, bool open) {
    if (isOpen(node) == open)
        return;
    click(node);
    if (isOpen(node) != open)
        ADD_FAILURE() << "tree node " << node.describe() << " did not " << (open ? "open" : "close");
}

float GuiDriver::scrollY(const ItemPath& region) {
    Target target;
    if (!find(region, true, target))
        return 0.0f;
    if (target.id != 0) {
        ADD_FAILURE() << region.describe() << " is not a window or child region";
        return 0.0f;
    }
    return target.window->Scroll.y;
}

bool GuiDriver::windowShown(const char* title) const {
    const ImGuiWindow* window = ImGui::FindWindowByName(title);
    return window && window->Active;
}

Placement GuiDriver::windowPlace(const char* title) const {
    const ImGuiWindow* window = ImGui::FindWindowByName(title);
    if (!window) {
        ADD_FAILURE() << "no window \"" << title << "\"";
        return {};
    }
    return {window->Pos.x, window->Pos.y, window->Size.x, window->Size.y};
}

float GuiDriver::menuBarWidth() const {
    const ImGuiWindow* bar = ImGui::FindWindowByName("##MainMenuBar");
    if (!bar) {
        ADD_FAILURE() << "no main menu bar";
        return 0.0f;
    }
    return bar->DC.CursorMaxPos.x;
}

void GuiDriver::focusWindow(const char* title) {
    ImGui::SetWindowFocus(title);
    frames(2);
}

bool GuiDriver::popupOpen() const { return !context().OpenPopupStack.empty(); }
