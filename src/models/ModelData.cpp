#include "models/ModelData.h"

void ReleaseModelData(ModelData& model) {
    for (FrameMesh& frame : model.frames) {
        delete[] frame.triangles;
        delete[] frame.normals;
        delete[] frame.positions;
        delete[] frame.texCoords;
    }
    model = ModelData();
}

int NextKeyFrame(const ModelData& model, int animation, int frame) {
    const Animation& anim = model.animations[static_cast<size_t>(animation)];
    if (animation == model.animationCount - 1) {
        return frame + 1 > anim.endFrame ? anim.firstFrame : frame + 1;
    }
    int next = (frame + 1) % anim.endFrame;
    return next == 0 ? anim.firstFrame : next;
}
