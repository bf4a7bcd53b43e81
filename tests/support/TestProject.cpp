#include "support/TestProject.h"
#include "support/TestEvents.h"
#include "support/TestShaders.h"

#include <string>

namespace {

ShaderProgram* addProgram(Demo& demo, const std::string& fragment, const char* uniformName = nullptr) {
    auto program = std::make_unique<ShaderProgram>(fragment);
    if (uniformName) {
        auto uniform = std::make_unique<UniformDef>();
        uniform->name = uniformName;
        uniform->defaultVal = 1.0f;
        program->uniformDefs.push_back(std::move(uniform));
    }
    demo.shaders.push_back(std::move(program));
    return demo.shaders.back().get();
}

Effect* addEffect(Demo& demo, const char* name, ShaderProgram* program, Effect* input = nullptr) {
    demo.effects.push_back(std::make_unique<Effect>(name, program, nullptr, input, false, false));
    return demo.effects.back().get();
}

} // namespace

TestProject buildTestProject() {
    TestProject project;
    project.demo = std::make_unique<Demo>();
    Demo& demo = *project.demo;

    project.red =
        addEffect(demo, "red", addProgram(demo, constantShader("vec4(level, 0.0, 0.0, 1.0)", "level"), "level"));
    project.green = addEffect(demo, "green", addProgram(demo, constantShader("vec4(0.0, 1.0, 0.0, 1.0)")));
    project.yellow = addEffect(demo, "yellow", addProgram(demo, constantShader("vec4(1.0, 1.0, 0.0, 1.0)")));
    project.hidden = addEffect(demo, "hidden", addProgram(demo, constantShader("vec4(1.0)")), project.yellow);
    project.blue =
        addEffect(demo, "blue", addProgram(demo, constantShader("vec4(0.0, 0.0, amount, 1.0)", "amount"), "amount"));
    project.cyan = addEffect(demo, "cyan", addProgram(demo, constantShader("vec4(0.0, 1.0, 1.0, 1.0)")));

    Event* red = &addEvent(demo, "red", EffectEvent, 0.0f, 32.0f);
    red->effect = project.red;
    red->variable("level").points = {{0.0f, 0.0f, ""}, {16.0f, 1.0f, ""}};
    addEvent(demo, "green", EffectEvent, 16.0f, 24.0f).effect = project.green;
    Event* hidden = &addEvent(demo, "hidden", EffectEvent, 0.0f, 64.0f);
    hidden->effect = project.hidden;
    hidden->visible = false;

    Event* blue = &addEvent(demo, "blue", EffectEvent, 32.0f, 36.0f);
    blue->effect = project.blue;
    blue->visible = false;
    blue->variable("amount").points = {{0.0f, 0.5f, ""}};
    Event* cyan = &addEvent(demo, "cyan", EffectEvent, 40.0f, 44.0f);
    cyan->effect = project.cyan;
    cyan->visible = false;

    auto group = std::make_unique<EventGroup>();
    group->name = "pair";
    group->events = {blue, cyan};
    Event* replay = &addEvent(demo, "replay", GroupEvent, 100.0f, 120.0f);
    replay->group = group.get();
    replay->variable("blue.amount").points = {{0.0f, 0.25f, ""}};
    demo.event_groups.push_back(std::move(group));
    return project;
}
