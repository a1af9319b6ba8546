// md2info: what the engine's loader makes of an MD2 model file, for people who make or debug models.
// Prints the header counts and the animation table; exits 1 when the file does not load or the
// lines cannot be written, 2 without an argument.
#include "models/MD2Loader.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: md2info FILE\n");
        return 2;
    }
    const char* path = argv[1];
    CMD2Loader loader;
    ModelData model;
    if (!loader.Load(model, path, nullptr)) {
        return 1;
    }
    const MD2Header& header = loader.GetHeader();
    std::printf("file: %s\n", path);
    std::printf("version: %d\n", header.version);
    std::printf("skin size: %d x %d\n", header.skinWidth, header.skinHeight);
    std::printf("vertices: %d\n", header.vertexCount);
    std::printf("texture coordinates: %d\n", header.texCoordCount);
    std::printf("triangles: %d\n", header.triangleCount);
    std::printf("frames: %d\n", model.frameCount);
    std::printf("animations: %d\n", model.animationCount);
    for (int i = 0; i < model.animationCount; ++i) {
        const Animation& animation = model.animations[static_cast<size_t>(i)];
        std::printf("animation %d %s %d %d\n", i, animation.name.c_str(), animation.firstFrame,
                    animation.endFrame);
    }
    ReleaseModelData(model);
    // A full disk or a closed pipe must not pass for a complete table.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "md2info: cannot write the output\n");
        return 1;
    }
    return 0;
}
