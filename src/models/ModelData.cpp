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
