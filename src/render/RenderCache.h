// The GL side of a running project, kept apart from the project's data: compiled
// programs, effects' quads and output textures, decoded images, opened fonts,
// text textures, the sound texture and the scene framebuffer.
//
// Entries are found by the object they were built from and rebuilt when that
// object's edit mark has moved on, so an edit rebuilds only what it touched.
// Building needs the GL context current; one cache serves one project and is
// released with it.
#pragma once

#include "project/Demo.h"
#include "project/ObjectCache.h"
#include "project/ObjectRef.h"
#include "render/CompiledProgram.h"
#include "render/EffectTargets.h"
#include "render/ImageTexture.h"
#include "render/OpenFont.h"
#include "render/SceneFramebuffer.h"
#include "render/SoundTexture.h"
#include "render/TextTexture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class RenderCache {
public:
    // Compiles, decodes and opens everything `demo` holds, and creates the
    // textures its passes draw into at `screen`, so the first frame does not stall.
    void build(const Demo& demo, ScreenSize screen);

    CompiledProgram& program(const ShaderProgram& program);
    // The program as last built, or null when it never was.
    CompiledProgram* findProgram(const ShaderProgram& program) { return programs_.find(program); }
    // While held, `program`'s edits are not compiled: it draws as last built
    // (the Shader Editor with "Auto-recompile" off), its uniforms located by
    // its definitions as they are now. Null holds none.
    void holdProgram(const ShaderProgram* program) { heldProgram_ = program; }
    // Compiles `program`'s sources so that its log tells of them; a held
    // program is not linked, and draws on as last built.
    void compileForLog(const ShaderProgram& program);
    EffectTargets& effect(const Effect& effect);
    ImageTexture& image(const Texture& texture);
    OpenFont& font(const Font& font);
    // The text texture, with its text rendered again once its font has changed.
    TextTexture& text(const FontTexture& text);
    SoundTexture& soundTexture();
    SceneFramebuffer& scene() { return scene_; }

    // Releases what was built from `object`, which has left the project; built
    // again should it come back.
    void release(const ObjectRef& object);

    // Messages about resources that were refused (an image too large to show, a
    // damaged font) since the last call, for the user.
    std::vector<std::string> takeProblems();

    // The largest image side shown: what the GL allows, within the program's own limit.
    int imageSideLimit();

private:
    void note(const std::string& name, std::optional<std::string> problem);

    ObjectCache<ShaderProgram, CompiledProgram> programs_;
    ObjectCache<Effect, EffectTargets> effects_;
    ObjectCache<Texture, ImageTexture> images_;
    ObjectCache<Font, OpenFont> fonts_;
    ObjectCache<FontTexture, TextTexture> texts_;
    std::unique_ptr<SoundTexture> soundTexture_;
    SceneFramebuffer scene_;
    std::vector<std::string> problems_;
    int imageSideLimit_ = 0; // 0 until the GL is asked
    const ShaderProgram* heldProgram_ = nullptr;
};
