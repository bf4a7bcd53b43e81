# The program's layers, lowest first, and the sources of each. A layer is a
# static library that links only the layers below it, and it is compiled with
# only its own headers and those of the layers it links in view: each layer has
# a folder of links in the build tree (layers/<name>/) to its source folders,
# which is its only include folder. An include that points up names a header no
# include folder holds, and does not compile.
#
# The desktop build (CMakeLists.txt), the WebAssembly build (web/) and the fuzz
# targets (fuzz/) all take their sources from these lists. A layer's sources
# are those both builds compile, then the desktop's and the browser's own
# (a browser variant of a desktop source is named NameWeb.cpp).

get_filename_component(QUILLFRONT_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../src ABSOLUTE)

# The operating system: the executable's path, folders, files written durably,
# processes.
set(PLATFORM_DESKTOP_SOURCES platform/PlatformLinux.cpp platform/Posix.cpp)
set(PLATFORM_WEB_SOURCES platform/PlatformWeb.cpp platform/Posix.cpp)
set(PLATFORM_WINDOWS_SOURCES platform/PlatformWindows.cpp)

# The project model and its encodings: plain data, no SDL, GL or GUI.
set(CODEC_SOURCES
    project/Base64.cpp
    project/CodecError.cpp
    project/JsonParser.cpp
    project/JsonValue.cpp
    project/Lz77Codec.cpp
    project/NumberText.cpp)
set(PROJECT_SOURCES
    project/AudioSample.cpp
    project/BinaryReader.cpp
    project/BinaryWriter.cpp
    project/ByteBuffer.cpp
    project/CompressedString.cpp
    project/ConsoleLog.cpp
    project/ControlPointCsv.cpp
    project/Demo.cpp
    project/DemoCopy.cpp
    project/EditMark.cpp
    project/Effect.cpp
    project/Event.cpp
    project/EventGroup.cpp
    project/FileIo.cpp
    project/Font.cpp
    project/FontTexture.cpp
    project/MediaLimits.cpp
    project/OverrideKey.cpp
    project/ProjectFiles.cpp
    project/ProjectOperations.cpp
    project/ResourceFiles.cpp
    project/ShaderProgram.cpp
    project/Tempo.cpp
    project/Texture.cpp
    project/UniformDef.cpp)
set(MODEL_SOURCES ${CODEC_SOURCES} ${PROJECT_SOURCES})

# The GL side of a project: programs, effects' passes, images, fonts, text.
set(RENDER_SOURCES
    render/ColourTarget.cpp
    render/CompiledProgram.cpp
    render/EffectRenderer.cpp
    render/EffectTargets.cpp
    render/FrameReadback.cpp
    render/GlErrors.cpp
    render/GlSetup.cpp
    render/GlTexture.cpp
    render/GlslEs.cpp
    render/ImageTexture.cpp
    render/OpenFont.cpp
    render/RenderCache.cpp
    render/RgbaImage.cpp
    render/SceneFramebuffer.cpp
    render/SoundTexture.cpp
    render/StbImage.cpp
    render/TextTexture.cpp)
set(RENDER_DESKTOP_SOURCES render/FontFace.cpp render/GlSetupSdl.cpp render/PngWriter.cpp render/SdlImage.cpp)
set(RENDER_WEB_SOURCES render/FontFaceWeb.cpp)

# Music, samples, the mix and its analysis.
set(AUDIO_SOURCES audio/HeardAnalysis.cpp audio/MixAnalyser.cpp audio/OfflineMix.cpp)
set(AUDIO_DESKTOP_SOURCES
    audio/AudioCache.cpp
    audio/AudioDevice.cpp
    audio/Music.cpp
    audio/RealFft.cpp
    audio/SampleSound.cpp
    audio/LiveMix.cpp)
set(AUDIO_WEB_SOURCES audio/RealFftWeb.cpp)
# Windows has SDL2_mixer, built from source, and KissFFT's header form.
set(AUDIO_WINDOWS_SOURCES
    audio/AudioCache.cpp
    audio/AudioDevice.cpp
    audio/Music.cpp
    audio/RealFftWeb.cpp
    audio/SampleSound.cpp
    audio/LiveMix.cpp)

# A frame composed from the events at a beat, live or offline; the beat clock.
set(COMPOSITION_SOURCES composition/CarriedState.cpp composition/Composition.cpp composition/OfflineComposer.cpp)
set(COMPOSITION_DESKTOP_SOURCES composition/BeatClock.cpp)

# The code editor widget.
set(CODEEDITOR_SOURCES
    codeeditor/CodeEditor.cpp
    codeeditor/LanguageDefinition.cpp
    codeeditor/Palette.cpp
    codeeditor/SyntaxColouring.cpp
    codeeditor/TextModel.cpp)

# The editor's changes to the project as steps of its edit history: no GUI.
set(EDITS_SOURCES
    editor/edits/CurveEdits.cpp
    editor/edits/CurveFiles.cpp
    editor/edits/EditHistory.cpp
    editor/edits/ProjectEdits.cpp
    editor/edits/ResourceImport.cpp
    editor/edits/TakeRecording.cpp)

# Controls bound to variables: the bindings, their file, the queue their
# messages cross threads by. No GUI.
set(CONTROLLERS_SOURCES editor/controllers/ControllerBinding.cpp editor/controllers/ControllerFile.cpp)

# The inputs controls arrive by: MIDI (RtMidi) and OSC (liblo), each read on
# a thread of its own.
set(INPUTS_SOURCES editor/inputs/MidiInput.cpp editor/inputs/OscInput.cpp)

# Widgets the editor's windows are made of, their maths in plain functions.
set(WIDGETS_SOURCES
    editor/widgets/ObjectRows.cpp
    editor/widgets/ResourcePicker.cpp
    editor/widgets/TimelineWidget.cpp)

# The editor's windows: the main window, the managers, the Event Manager and the Shader Editor.
set(EDITOR_SOURCES
    editor/windows/BpmTap.cpp
    editor/windows/BpmTapWindow.cpp
    editor/windows/ControllerDesk.cpp
    editor/windows/ControllerHub.cpp
    editor/windows/ControllersWindow.cpp
    editor/windows/Editor.cpp
    editor/windows/EditorKeys.cpp
    editor/windows/EditorState.cpp
    editor/windows/EffectManagerWindow.cpp
    editor/windows/EventGroupManagerWindow.cpp
    editor/windows/EventTimeline.cpp
    editor/windows/FontManagerWindow.cpp
    editor/windows/FrameExport.cpp
    editor/windows/FreeCamera.cpp
    editor/windows/MainMenu.cpp
    editor/windows/ManagerKit.cpp
    editor/windows/ResourceProbes.cpp
    editor/windows/SampleManagerWindow.cpp
    editor/windows/StatusLine.cpp
    editor/windows/TextureManagerWindow.cpp
    editor/windows/ToolWindows.cpp
    editor/windows/TransportRow.cpp
    editor/windows/ViewportWindow.cpp
    editor/windows/WindowLayout.cpp
    editor/windows/eventmanager/EventManagerWindow.cpp
    editor/windows/eventmanager/VariableRows.cpp
    editor/windows/eventmanager/VariablesEditor.cpp
    editor/windows/shadereditor/CompileLog.cpp
    editor/windows/shadereditor/ConstantsPanel.cpp
    editor/windows/shadereditor/ShaderConstants.cpp
    editor/windows/shadereditor/ShaderEditorMenus.cpp
    editor/windows/shadereditor/ShaderEditorWindow.cpp
    editor/windows/shadereditor/SourceSearch.cpp)

# What the desktop programs share to play a demo: the window, the loader
# screen, the fatal exit, the settings from the environment; and the Windows
# player, a program of its own that plays the project appended to it.
set(PLAYER_SOURCES player/EnvironmentSettings.cpp player/Fatal.cpp player/LoaderScreen.cpp player/ShellWindow.cpp)
set(PLAYER_WINDOWS_SOURCES player/DesktopPlayer.cpp player/PlayerMain.cpp)

# The desktop program's shell: start-up, the frame loop, project commands.
set(APP_SOURCES
    app/Autosave.cpp
    app/ProjectCommands.cpp
    app/Shell.cpp
    app/ShellInput.cpp)

# The command-line tool's commands, on the model alone.
set(TOOL_SOURCES
    tool/CommandLine.cpp
    tool/PartJoin.cpp
    tool/PartLabel.cpp
    tool/ProjectFile.cpp
    tool/RenderSettings.cpp
    tool/ToolCommands.cpp
    tool/WavEncoding.cpp)

# The render command's worker, a program of its own: frames composed without a display.
set(OFFLINE_SOURCES
    offline/HeadlessContext.cpp
    offline/PngFolder.cpp
    offline/ProgressBar.cpp
    offline/RenderJob.cpp
    offline/RenderMain.cpp
    offline/VideoFile.cpp)

# The browser player's entry points.
set(BROWSER_SOURCES browser/WebMain.cpp browser/WebPlayer.cpp)

# Each build sets QUILLFRONT_LAYER_OPTIONS, the compile options its layers take.

# Gives `target` (`scope`: PUBLIC for a layer, PRIVATE for a program) an include
# folder of links to the source folders `folders`.
function(quillfront_view target scope)
    set(view ${CMAKE_BINARY_DIR}/layers/${target})
    file(MAKE_DIRECTORY ${view})
    foreach(folder ${ARGN})
        # A view made for an earlier layout may hold a link where a folder now
        # goes: the link goes, never what it points to.
        set(path ${view})
        string(REPLACE "/" ";" parts ${folder})
        foreach(part ${parts})
            set(path ${path}/${part})
            if(IS_SYMLINK ${path})
                file(REMOVE ${path})
            endif()
        endforeach()
        get_filename_component(parent ${view}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${QUILLFRONT_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
    endforeach()
    target_include_directories(${target} ${scope} ${view})
endfunction()

# Remembers what `target` shows of its own and links, for the layer map below.
function(quillfront_remember target folders links)
    set_property(GLOBAL APPEND PROPERTY QUILLFRONT_TARGETS ${target})
    set_property(GLOBAL PROPERTY QUILLFRONT_FOLDERS_${target} ${folders})
    set_property(GLOBAL PROPERTY QUILLFRONT_LINKS_${target} ${links})
endfunction()

# The folders `target` sees: its own and those of every layer below it, into `out`.
function(quillfront_visible_folders target out)
    get_property(folders GLOBAL PROPERTY QUILLFRONT_FOLDERS_${target})
    get_property(links GLOBAL PROPERTY QUILLFRONT_LINKS_${target})
    get_property(targets GLOBAL PROPERTY QUILLFRONT_TARGETS)
    foreach(link ${links})
        if(link IN_LIST targets)
            quillfront_visible_folders(${link} below)
            list(APPEND folders ${below})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES folders)
    set(${out} ${folders} PARENT_SCOPE)
endfunction()

# Writes `file`: a line a source folder, "folder: the folders it may include
# from", for scripts/check-layers.sh to name an include that points up.
function(quillfront_write_layer_map file)
    get_property(targets GLOBAL PROPERTY QUILLFRONT_TARGETS)
    set(lines "")
    foreach(target ${targets})
        get_property(folders GLOBAL PROPERTY QUILLFRONT_FOLDERS_${target})
        quillfront_visible_folders(${target} visible)
        list(JOIN visible " " visibleText)
        foreach(folder ${folders})
            string(APPEND lines "${folder}: ${visibleText}\n")
        endforeach()
    endforeach()
    file(WRITE ${file} "${lines}")
endfunction()

# quillfront_layer(<name> FOLDERS <folder>... [SOURCES <source>...] [LINKS <target>...])
# A static library of `SOURCES` (paths under src/) that sees its `FOLDERS` and
# the layers it `LINKS`, and shows its folders to the layers above.
function(quillfront_layer name)
    cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "FOLDERS;SOURCES;LINKS")
    list(TRANSFORM LAYER_SOURCES PREPEND ${QUILLFRONT_SOURCE_DIR}/)
    add_library(${name} STATIC ${LAYER_SOURCES})
    quillfront_view(${name} PUBLIC ${LAYER_FOLDERS})
    target_compile_options(${name} PRIVATE ${QUILLFRONT_LAYER_OPTIONS})
    target_link_libraries(${name} PUBLIC ${LAYER_LINKS})
    quillfront_remember(${name} "${LAYER_FOLDERS}" "${LAYER_LINKS}")
endfunction()

# quillfront_program(<name> [FOLDERS <folder>...] SOURCES <source>... [LINKS <target>...])
# An executable on top of the layers it links, seeing its own folders too.
function(quillfront_program name)
    cmake_parse_arguments(PARSE_ARGV 1 PROGRAM "" "" "FOLDERS;SOURCES;LINKS")
    list(TRANSFORM PROGRAM_SOURCES PREPEND ${QUILLFRONT_SOURCE_DIR}/)
    add_executable(${name} ${PROGRAM_SOURCES})
    quillfront_view(${name} PRIVATE ${PROGRAM_FOLDERS})
    target_compile_options(${name} PRIVATE ${QUILLFRONT_LAYER_OPTIONS})
    target_link_libraries(${name} PRIVATE ${PROGRAM_LINKS})
    quillfront_remember(${name} "${PROGRAM_FOLDERS}" "${PROGRAM_LINKS}")
endfunction()
