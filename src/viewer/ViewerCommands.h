// The viewer's commands in one table: every command-line option and every key (and mouse action)
// with its line of help. The option parser, the key dispatch and --help all read it.
#pragma once

#include "base/CommandLine.h"

#include <string>
#include <vector>

struct ViewerOptions;

enum class ViewerAction {
    Quit,
    Animation,
    NextAnimation,
    PreviousAnimation,
    TurnLeft,
    TurnRight,
    Pause,
    StepBack,
    StepOn,
    Wireframe,
    Culling,
    Overlay,
    Grid,
    Panel,
    NextSkin,
    NextHead,
    NextModel,
    PreviousModel,
    Slower,
    Faster,
    Screenshot,
    Orbit,
    Zoom
};

// A key of the viewer: the SDL key symbols first..last (0 for the mouse). A held key acts in every
// frame that takes an event while it is down (as the demo's number and arrow keys always did); any
// other acts once per press.
struct ViewerKey {
    int first, last;
    bool held;
    ViewerAction action;
    const char* label;
    const char* help;
};

// An option of the command line, read by the programs' one reader (base/CommandLine.h).
using ViewerOption = korvel::tools::ToolOption<ViewerOptions>;

const std::vector<ViewerKey>& ViewerKeys();
const std::vector<ViewerOption>& ViewerOptionTable();
// The usage line alone, and the whole --help text: usage, what the viewer does, options and keys.
const char* ViewerUsage();
std::string ViewerHelp();
