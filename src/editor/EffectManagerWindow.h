// The "Effect Manager" window's contents.
#pragma once

#include "editor/WindowState.h"

class Effect;
struct EditorState;
struct EditorContext;

struct EffectManagerState : RequestableWindowState<Effect> {};

void drawEffectManager(EditorState& editor, EditorContext& context);
