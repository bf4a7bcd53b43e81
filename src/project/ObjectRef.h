// Any one project object, by address: what the editor is told when an object
// leaves the project, so nothing keeps pointing at it.
#pragma once

#include <variant>

class AudioSample;
class Effect;
class Event;
class EventGroup;
class Font;
class FontTexture;
class ShaderProgram;
class Texture;

using ObjectRef = std::variant<const Event*, const Effect*, const ShaderProgram*, const Texture*, const AudioSample*,
                               const EventGroup*, const Font*, const FontTexture*>;

// Whether `ref` is `object`, whatever class either is.
template <typename T> bool refersTo(const ObjectRef& ref, const T* object) {
    const auto* held = std::get_if<const T*>(&ref);
    return held && *held == object;
}
