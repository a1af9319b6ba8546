// The viewer's command line: md2viewer [OPTIONS] [MODEL.md2 [SKIN]], read through the table of
// viewer/ViewerCommands.h. Every path comes out absolute, resolved against the directory the viewer
// was started from, so it survives a change of directory.
#pragma once

#include <string>
#include <vector>

struct ViewerOptions {
    // Where the user started the viewer; F12 screenshots go here.
    std::string startDir;
    // Empty for the scene's hobgoblin (or, when browsing, the first model that loads).
    std::string model;
    // An archive or folder whose models the viewer steps through; empty for one model alone.
    std::string browse;
    // Empty to take the skins the model names; otherwise the first of the skins.
    std::string skin;
    // A name or a number; empty for animation 0.
    std::string animation;
    // A table of animations (.anm or .framegroups) for `model`, in place of the one found beside it.
    std::string animationFile;
    // Parts for `model`: TAG=MODEL[:SKIN] placed on the model's tags, and models linked to its frames.
    // Their paths are as the user gave them (see CViewer's part loading).
    std::vector<std::string> attach;
    std::vector<std::string> with;
    // The skin to start with, among the skins found (numbered from 0).
    int skinIndex = 0;
    // Playback speed, times the key-frame rate.
    float speed = 1.0f;
    // When set, the viewer draws `frames` frames, saves the last one here and ends.
    std::string screenshot;
    int frames = 30;
    // When set, every model of `browse` (the first `limit`, when not 0) is drawn small in a grid of
    // `columns` columns, each with its path, and the picture saved here; then the viewer ends.
    std::string sheet;
    int columns = 4;
    int limit = 0;
    bool window = false;
    // Faces turned away from the camera are not drawn: cheaper, but single-sided parts show from
    // one side only.
    bool cull = false;
    bool help = false;
    bool version = false;

    // Reads argv. Returns -1 when the viewer is to run, otherwise the exit status after --help or
    // --version (0, text on standard output) or a wrong command line (2, usage on standard error).
    int Parse(int argc, char* argv[]);
    // A path the user gave, made absolute against startDir.
    std::string Absolute(const std::string& path) const;
};
