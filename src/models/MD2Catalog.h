/// \class CMD2Catalog
/// The MD2 models of a folder or a game archive (see CFileSystem): every file below it whose name ends
/// in ".md2" (any case), by its path inside, sorted, and the place of the one looked at now. Stepping
/// past either end wraps around.
#pragma once

#include <string>
#include <vector>

class CMD2Catalog {
public:
    /// Lists the models below root. False, with one line on standard error, when root is neither a
    /// folder nor an archive that opens; an archive without models is an empty catalog.
    bool Open(const std::string& root);
    /// Whether the path names a folder or a file that is an archive by its name (.pak, .pk3, .zip, any
    /// case) or its signature ("PACK", or a zip's "PK").
    static bool IsCollection(const std::string& path);

    /// The folder or archive listed.
    const std::string& Root() const { return root; }
    /// How many models it holds.
    size_t Count() const { return models.size(); }
    /// Whether it holds none.
    bool Empty() const { return models.empty(); }
    /// Model i's path inside the root.
    const std::string& Inner(size_t i) const { return models[i]; }
    /// The path the engine opens model i by ("ROOT:INNER" in an archive, "ROOT/INNER" in a folder).
    std::string Path(size_t i) const;
    /// The place of the model looked at now, from 0.
    size_t Current() const { return current; }
    /// Moves `steps` models on (back when negative), wrapping at both ends.
    void Step(int steps);
    /// Makes the model at this inner path the current one; false when the catalog has none there.
    bool Select(const std::string& inner);
    /// "model K of N" for the current one, counted from 1.
    std::string Place() const;

private:
    std::string root;
    std::vector<std::string> models;
    size_t current = 0;
};
