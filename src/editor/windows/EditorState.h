// What the editor keeps from frame to frame: which windows are open, the
// requests it hands to the shell, the edit history and what each window
// remembers. Windows refer to project objects by pointer, so a load that
// replaces the project goes through forgetProject() before the old objects go,
// and an object leaving the project through forgetObject().
#pragma once

#include "editor/edits/EditHistory.h"
#include "editor/widgets/ResourcePicker.h"
#include "editor/windows/BpmTap.h"
#include "editor/windows/ControllerDesk.h"
#include "editor/windows/EffectManagerWindow.h"
#include "editor/windows/EventGroupManagerWindow.h"
#include "editor/windows/EventTimeline.h"
#include "editor/windows/FontManagerWindow.h"
#include "editor/windows/FrameExport.h"
#include "editor/windows/SampleManagerWindow.h"
#include "editor/windows/TextureManagerWindow.h"
#include "editor/windows/eventmanager/EventManagerWindow.h"
#include "editor/windows/shadereditor/ShaderEditorWindow.h"

#include <optional>
#include <string>

#include <cstdint>

// Which tool windows are open; each window's close button clears its flag.
struct WindowFlags {
    bool viewport = true;
    bool effectManager = true;
    bool shaderEditor = true;
    bool textureManager = false;
    bool eventManager = false;
    bool sampleManager = false;
    bool eventGroupManager = false;
    bool fontManager = false;
    bool bpmTap = false;
    bool controllers = false;
    bool guiDemo = false;
};

// Project commands the editor asks the shell for; the shell runs them after the
// editor's frame and clears them.
struct EditorRequests {
    bool loadBinary = false;
    bool loadJson = false;
    bool saveBinary = false;
    bool saveJsonComplete = false;
    bool saveJsonProject = false;
    bool importMusic = false;
    bool exportExecutable = false;
    bool exportFrames = false;
    bool recoverAutosave = false;
};

// The Viewport's mouse look: engaged by a click inside the picture.
struct MouseLook {
    bool active = false;
    int lastX = -10000;
    int lastY = -10000;
};

struct EditorState {
    WindowFlags show;
    bool arrangeRequested = false;   // place the standard windows on the next frame
    bool seeThroughTimeline = false; // the main window covers the screen, transparent
    // A code editor had the keyboard in the last frame: the shell leaves the
    // program's Ctrl shortcuts to it, all but Ctrl+S.
    bool codeEditorHasKeyboard = false;
    MouseLook mouseLook;
    EditorRequests requests;
    EditHistory history;
    PickerField picker;         // the import pickers' name field, which they share
    uint64_t savedPosition = 0; // the history's position when the project was last saved or loaded
    // The time of a recovery copy newer than the project file, which the File
    // menu offers to load; empty when there is none.
    std::string recoverableAutosave;
    bool announceRecovery = false; // the status line tells of it when the editor next draws
    FrameExport frameExport;
    TimelineState timeline;
    EffectManagerState effectManager;
    EventManagerState eventManager;
    SampleManagerState sampleManager;
    EventGroupManagerState eventGroupManager;
    TextureManagerState textureManager;
    FontManagerState fontManager;
    ShaderEditorState shaderEditor;
    std::optional<BpmTap> bpmTap; // made the first time its window shows
    ControllerDesk controllers;   // started by the shell, except in a player

    // Drops every reference into the open project: called before a load replaces it.
    void forgetProject();
    // Whether the project differs from what was last saved or loaded.
    bool unsaved() const { return history.position() != savedPosition; }
    void noteSaved() { savedPosition = history.position(); }
    // The project differs from its file in a way no undo reaches, as after a recovery.
    void noteNeverSaved() { savedPosition = neverSaved; }
    static constexpr uint64_t neverSaved = UINT64_MAX;
    // Drops every reference to `object`, which has left the project.
    void forgetObject(const ObjectRef& object);
    // Another window's "Edit": opens the window that manages `object` on it.
    void showInItsWindow(const Effect& effect);
    void showInItsWindow(const AudioSample& sample);
    void showInItsWindow(const EventGroup& group);
    void showInItsWindow(const ShaderProgram& program);
    // A save wrote the file at `path` from the project, which windows watching
    // it must not take for another program's change.
    void noteFileWritten(const std::string& path) { shaderEditor.noteFileWritten(path); }
    // Opens the standard windows and places them once.
    void arrange();
    // Toggles see-through; in both directions the windows that would hide the
    // demo close.
    void toggleSeeThrough();
};
