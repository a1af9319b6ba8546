// The hobgoblin of the MD2 viewer: its body, its animations and its painted skin, shared by the
// files that build each of them. The skin is 256x256; each body part owns a rectangle of it.
#pragma once

#include "HobgoblinRig.h"
#include "SkinnedMesh.h"

#include <string>
#include <vector>

namespace hobgoblin {

using assetgen::SkinRect;

const int kSkinSize = 256;

// Where each part's texture lies on the skin (pixels, top-left to bottom-right).
const SkinRect kHeadSkin{0, 0, 128, 80};    // around the skull, the face at the middle
const SkinRect kSnoutSkin{128, 0, 176, 24}; // upper lip and muzzle
const SkinRect kJawSkin{176, 0, 224, 24};   // lower jaw with its lip
const SkinRect kMouthSkin{224, 0, 256, 24}; // inside of the mouth
const SkinRect kEarSkin{128, 24, 192, 48};  // along the ear from its root to its tip
const SkinRect kEyeSkin{192, 24, 224, 40};  // around the eyeball, the pupil at the middle
const SkinRect kBrowSkin{224, 24, 256, 40};
const SkinRect kNoseSkin{192, 40, 224, 56};
const SkinRect kToothSkin{224, 40, 256, 56}; // teeth, claws and spikes
const SkinRect kTorsoSkin{0, 80, 128, 176};  // around the body, top of the neck to the crotch
const SkinRect kBeltSkin{128, 56, 256, 72};
const SkinRect kLoinFrontSkin{128, 72, 176, 120};
const SkinRect kLoinBackSkin{176, 72, 224, 120};
const SkinRect kArmSkin{128, 120, 176, 184}; // shoulder to wrist
const SkinRect kLegSkin{176, 120, 224, 200}; // hip to ankle
const SkinRect kHandSkin{224, 72, 256, 104};
const SkinRect kFingerSkin{224, 104, 256, 120};
const SkinRect kFootSkin{0, 176, 64, 208};
const SkinRect kHairSkin{64, 176, 128, 208}; // around a tuft of the crest, root to tip
const SkinRect kClubSkin{0, 208, 128, 240};  // along the club, grip to head

// The body in its rest pose, bound to the skeleton.
assetgen::SkinnedMesh BuildBody();

struct Animation {
    std::string name;
    int frames;
    Pose (*pose)(int frame, int frames);
};

// The animations in file order: stand, run, attack, pain1-3, jump, flip, salute, taunt, wave,
// point, crstnd, crwalk, crattak, crpain, crdeath, death1-3.
const std::vector<Animation>& Animations();

// The skin as RGB bytes, top row first.
std::vector<uint8_t> PaintSkin();

} // namespace hobgoblin
