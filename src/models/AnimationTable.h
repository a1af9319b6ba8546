/// \class CAnimationTable
/// Animations as games list them in a text file beside an MD2 model, for models whose frame names say
/// nothing (a thousand frames all named "frame000"). Two kinds of file, told apart by the name:
///
///  - `BASE.anm`, one animation a line: `name first last fps`, frames numbered from 0 and both shown,
///    `fps` key frames a second (a decimal number); every animation loops.
///  - `.framegroups` (`tris.md2.framegroups` or `tris.framegroups`), one group a line:
///    `first count fps loop // name`, `loop` 1 or 0 (0: the animation stays on its last frame); without
///    a name after the `//` the group is named "groupN", N its place among the file's groups from 0.
///
/// `//` starts a comment anywhere on a line; blank lines are skipped, spaces and tabs separate words.
/// A line that cannot be read, or that names a frame the model does not have, is reported on one line
/// ("FILE:LINE: what is wrong; skipped") and left out; the others stay. Given to an instance
/// (CMD2Instance::SetAnimations) or a model (CMD2Model::SetAnimations), the table replaces the
/// animations cut from the frame names, each played at its own rate. Nothing is ever written.
#pragma once

#include "models/ModelData.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAnimationTable {
public:
    /// The largest table file read: 1 MiB.
    static const size_t kMaxFileSize = size_t(1) << 20;
    /// The longest animation name, in bytes.
    static const size_t kMaxNameLength = 63;
    /// The fastest rate, in key frames a second.
    static constexpr float kMaxRate = 1000.0f;

    /// The animations of a table file's bytes for a model of frameCount frames; the kind of file is
    /// told by `fileName` (ending in ".framegroups", any case, or else .anm). Each line left out adds
    /// one line to `problems`, beginning "fileName:LINE: ".
    static std::vector<Animation> Parse(const std::string& fileName, const std::vector<uint8_t>& bytes,
                                        int frameCount, std::vector<std::string>& problems);
    /// The table file beside the model, on disk or inside an archive, with names compared in any
    /// case: "BASE.anm", then "FILE.framegroups", then "BASE.framegroups" (for "tris.md2": tris.anm,
    /// tris.md2.framegroups, tris.framegroups). Empty when there is none.
    static std::string FindBeside(const std::string& modelPath);
    /// Reads the table file at path (on disk or "ARCHIVE:INNER") for a model of frameCount frames,
    /// each problem on a line of standard error. False, with one line, when the file cannot be read
    /// or gives no animation.
    static bool Read(const std::string& path, int frameCount, std::vector<Animation>& animations);
    /// The animation a viewer starts a table's model on: the first whose name begins with "stand" or
    /// "idle" (in any case), else the first (a released game's table may list its deaths first).
    static int Standing(const std::vector<Animation>& animations);
    /// The animations a model plays: those of the file `given` when it is not empty, else those of the
    /// file FindBeside finds; `table` stays null when there is none (nothing is said then) or when the
    /// side file gives none (a line says so, and the frame names' animations stay). False only when
    /// the file given cannot be read or gives no animation. `source`, when given, receives the path of
    /// the file the table came from.
    static bool ForModel(const std::string& modelPath, const std::string& given, int frameCount,
                         std::shared_ptr<const std::vector<Animation>>& table, std::string* source = nullptr);
    /// Gives a player of the model (a CMD2Model or a CMD2Instance) the table ForModel finds, and starts
    /// it on the Standing animation. False when the file given cannot be read, or when the table does
    /// not fit the model (the player keeps the animations it had).
    template <class Player>
    static bool PutOn(Player& player, const std::string& modelPath, const std::string& given, int frameCount) {
        std::shared_ptr<const std::vector<Animation>> table;
        if (!ForModel(modelPath, given, frameCount, table)) {
            return false;
        }
        if (!table || !player.SetAnimations(table)) {
            return !table;
        }
        player.SetAnimation(Standing(*table));
        return true;
    }
};
