// What every GL context that composes the demo asks for and starts with: the
// player's window and the offline renderer alike.
#pragma once

// The context's version, profile and buffers; before the context is created.
void requestGlAttributes();
// Black clear colour and the blend state every layer is composited with; after
// the context is current and GL's functions are loaded.
void setCompositionState();
