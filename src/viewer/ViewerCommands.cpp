#include "viewer/ViewerCommands.h"

#include "demo/ViewerScene.h"
#include "viewer/PlaybackClock.h"
#include "viewer/ViewerOptions.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

std::string Count(int& field, const std::string& value, const char* option, long lowest) {
    char* end = nullptr;
    long n = std::strtol(value.c_str(), &end, 10);
    if (*end != '\0' || n < lowest || n > 1000000) {
        return std::string(option) + " needs a whole number from " + std::to_string(lowest) + ", not '" +
               value + "'";
    }
    field = static_cast<int>(n);
    return "";
}

std::string Speed(float& field, const std::string& value) {
    char* end = nullptr;
    double speed = std::strtod(value.c_str(), &end);
    if (*end == '/' && end != value.c_str()) {
        double divisor = std::strtod(end + 1, &end);
        speed = divisor > 0.0 ? speed / divisor : 0.0;
    }
    if (value.empty() || *end != '\0' || !(speed >= CPlaybackClock::kSlowest - 1e-6) ||
        !(speed <= CPlaybackClock::kFastest + 1e-6)) {
        return "--speed needs a number from 1/8 to 8, not '" + value + "'";
    }
    field = static_cast<float>(speed);
    return "";
}

const std::string kWindowHelp = "a " + std::to_string(CViewerScene::kWidth) + "x" +
                                std::to_string(CViewerScene::kHeight) + " window instead of full screen";

const std::vector<ViewerOption> kOptions = {
    {nullptr, "--window", nullptr, kWindowHelp.c_str(),
     [](ViewerOptions& o, const std::string&) { return o.window = true, std::string(); }},
    {nullptr, "--animation", "NAME|N", "start in that animation (numbered from 0)",
     [](ViewerOptions& o, const std::string& v) { return o.animation = v, std::string(); }},
    {nullptr, "--animations", "FILE",
     "the animations of FILE (.anm or .framegroups) instead of those beside the model",
     [](ViewerOptions& o, const std::string& v) { return o.animationFile = o.Absolute(v), std::string(); }},
    {nullptr, "--attach", "TAG=MODEL[:SKIN]",
     "put MODEL on the model's tag TAG (repeatable; inside the model's archive when it is in one)",
     [](ViewerOptions& o, const std::string& v) { return korvel::tools::AddAttachment(o.attach, v); }},
    {nullptr, "--with", "MODEL", "draw MODEL on the model's frames, as a weapon made with the same frames",
     [](ViewerOptions& o, const std::string& v) { return o.with.push_back(v), std::string(); }},
    {nullptr, "--skin-index", "N", "start in skin N of those found (from 0, in the order of md2info --skins)",
     [](ViewerOptions& o, const std::string& v) { return Count(o.skinIndex, v, "--skin-index", 0); }},
    {nullptr, "--speed", "X", "play at X times the key-frame rate, 1/8 to 8 ([ and ] halve and double it)",
     [](ViewerOptions& o, const std::string& v) { return Speed(o.speed, v); }},
    {nullptr, "--cull", nullptr, "leave out the faces turned away from the camera (C toggles it)",
     [](ViewerOptions& o, const std::string&) { return o.cull = true, std::string(); }},
    {nullptr, "--screenshot", "FILE.png",
     "draw --frames frames (default 30), save the picture as FILE.png, end",
     [](ViewerOptions& o, const std::string& v) { return o.screenshot = o.Absolute(v), std::string(); }},
    {nullptr, "--frames", "N", "how many frames --screenshot draws first",
     [](ViewerOptions& o, const std::string& v) { return Count(o.frames, v, "--frames", 1); }},
    {nullptr, "--sheet", "OUT.png",
     "draw every model of ARCHIVE|FOLDER small in a grid, save it as OUT.png, end",
     [](ViewerOptions& o, const std::string& v) { return o.sheet = o.Absolute(v), std::string(); }},
    {nullptr, "--columns", "C", "how many models a row of --sheet holds (default 4)",
     [](ViewerOptions& o, const std::string& v) { return Count(o.columns, v, "--columns", 1); }},
    {nullptr, "--limit", "N", "draw only the first N models on --sheet",
     [](ViewerOptions& o, const std::string& v) { return Count(o.limit, v, "--limit", 1); }},
    {nullptr, "--help", nullptr, "this text",
     [](ViewerOptions& o, const std::string&) { return o.help = true, std::string(); }},
    {nullptr, "--version", nullptr, "the engine's version",
     [](ViewerOptions& o, const std::string&) { return o.version = true, std::string(); }},
};

const std::vector<ViewerKey> kKeys = {
    {SDLK_0, SDLK_9, true, ViewerAction::Animation, "0-9", "choose the animation"},
    {SDLK_PAGEDOWN, SDLK_PAGEDOWN, false, ViewerAction::NextAnimation, "Page Down", "the next animation"},
    {SDLK_PAGEUP, SDLK_PAGEUP, false, ViewerAction::PreviousAnimation, "Page Up", "the previous animation"},
    {SDLK_LEFT, SDLK_LEFT, true, ViewerAction::TurnLeft, "Left", "turn the model 5 degrees to the left"},
    {SDLK_RIGHT, SDLK_RIGHT, true, ViewerAction::TurnRight, "Right", "turn the model 5 degrees to the right"},
    {SDLK_SPACE, SDLK_SPACE, false, ViewerAction::Pause, "Space", "pause or go on"},
    {SDLK_COMMA, SDLK_COMMA, false, ViewerAction::StepBack, ",", "one key frame back while paused"},
    {SDLK_PERIOD, SDLK_PERIOD, false, ViewerAction::StepOn, ".", "one key frame on while paused"},
    {SDLK_LEFTBRACKET, SDLK_LEFTBRACKET, false, ViewerAction::Slower, "[",
     "halve the playback speed (down to 1/8)"},
    {SDLK_RIGHTBRACKET, SDLK_RIGHTBRACKET, false, ViewerAction::Faster, "]",
     "double the playback speed (up to 8)"},
    {SDLK_s, SDLK_s, false, ViewerAction::NextSkin, "S", "the next of the model's skins"},
    {SDLK_h, SDLK_h, false, ViewerAction::NextHead, "H",
     "the next head beside a model with tags (head*.md2)"},
    {SDLK_n, SDLK_n, false, ViewerAction::NextModel, "N", "the next model of the archive or folder"},
    {SDLK_p, SDLK_p, false, ViewerAction::PreviousModel, "P", "the previous model of the archive or folder"},
    {SDLK_w, SDLK_w, false, ViewerAction::Wireframe, "W", "wireframe on or off"},
    {SDLK_c, SDLK_c, false, ViewerAction::Culling, "C", "back-face culling on or off"},
    {SDLK_i, SDLK_i, false, ViewerAction::Overlay, "I", "information on the model on or off"},
    {SDLK_g, SDLK_g, false, ViewerAction::Grid, "G", "the ground grid on or off"},
    {SDLK_TAB, SDLK_TAB, false, ViewerAction::Panel, "Tab",
     "hide or show the panel and the timeline (with a model or an archive given)"},
    {SDLK_F12, SDLK_F12, false, ViewerAction::Screenshot, "F12",
     "save md2viewer-NNNN.png where the viewer was started"},
    {0, 0, false, ViewerAction::Orbit, "left drag", "orbit the camera around the model"},
    {0, 0, false, ViewerAction::Zoom, "wheel", "zoom"},
    {SDLK_ESCAPE, SDLK_ESCAPE, true, ViewerAction::Quit, "Escape", "end"},
};

void AddLine(std::string& text, const std::string& left, const char* help) {
    text += "  " + left;
    text += left.size() < 24 ? std::string(24 - left.size(), ' ') : std::string("  ");
    text += help;
    text += "\n";
}

} // namespace

const std::vector<ViewerKey>& ViewerKeys() {
    return kKeys;
}

const std::vector<ViewerOption>& ViewerOptionTable() {
    return kOptions;
}

const char* ViewerUsage() {
    return "usage: md2viewer [OPTIONS] [MODEL.md2 [SKIN] | ARCHIVE|FOLDER [MODEL] | ARCHIVE:MODEL]\n";
}

std::string ViewerHelp() {
    std::string text = ViewerUsage();
    text += "Shows an animated MD2 model; without MODEL, the hobgoblin of " +
            std::filesystem::path(CViewerScene::kModelPath).parent_path().string() +
            ". Without SKIN,\nthe skins the model names are looked for beside it. Given a game archive "
            "(.pak, .pk3,\n"
            ".zip) or a folder, every MD2 model inside it, one after another (N and P); MODEL, or\n"
            "ARCHIVE:MODEL, opens the model of that path inside it.\n\nOptions:\n";
    for (const ViewerOption& option : kOptions) {
        AddLine(text, std::string(option.name) + (option.value ? std::string(" ") + option.value : ""),
                option.help);
    }
    text += "\nKeys:\n";
    for (const ViewerKey& key : kKeys) {
        AddLine(text, key.label, key.help);
    }
    return text;
}
